// The window table: every window of this layer by its handle.
//
// Handles are numbers from kFirstHandle up, in steps of 2, never reused
// within a process, so a stale handle never names a new window. Any other
// number is a foreign window (platform/win/window_msg.h). The table is the
// LocalWindows of the process: PostMessageA, SendMessageA, EnableWindow and
// the other calls on its handles come here, and it answers the control
// messages itself (text, limit, selection, check state, the progress bar's
// numbers) with the backend's help.
//
// The table also keeps which program object (CWnd) is attached to each
// window, and the wrappers that CWnd::FromHandle makes for handles without
// one (also foreign handles); wrappers live until the process ends.
#pragma once

#include <deque>
#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/ui/Backend.h"
#include "platform/ui/CallRecord.h"
#include "platform/win/window_msg.h"

class CWnd;

namespace uw::ui {

constexpr HWND kFirstHandle = 0x7E000000;

struct WindowEntry {
  HWND hwnd = 0;
  bool isDialog = false;
  HWND parent = 0;        // a control's dialog; a dialog's owner or parent
  HWND dialogHandle = 0;  // the dialog of a control; a dialog's own handle
  int id = 0;             // control id (IDC_STATIC -1 when none); 0 for a dialog
  ControlKind kind = ControlKind::kOther;
  DWORD style = 0;
  const DialogControlTemplate* control = nullptr;
  const DialogTemplateData* dialog = nullptr;
  CWnd* object = nullptr;      // the attached program object
  std::vector<HWND> children;  // a dialog's controls in template order
  ProgressState progress;
  int limit = 0;  // an edit's typing limit in bytes; 0 none
};

class WindowTable final : public LocalWindows {
 public:
  // The table of the process; registered as its LocalWindows on first use.
  static WindowTable& Get() { return s_table != nullptr ? *s_table : Make(); }

  // The backend the table hands its windows to (set by the backend's owner
  // whenever it changes; null: the backend is made on first use).
  void SetBackend(Backend* backend) {
    m_backend = backend;
    m_paints = backend == nullptr || backend->Paints();
  }

  // Adds a dialog made from `tpl` with all its controls; returns its
  // handle. `owner`: its parent (local, foreign or 0).
  HWND AddDialog(const DialogTemplateData* tpl, HWND owner);
  // Removes a dialog and its controls, detaching their objects.
  void RemoveDialog(HWND dialog);
  // Destroys a dialog's window in the backend (when there still is one; at
  // the end of the process it may be gone already) and removes it.
  void DestroyDialog(HWND dialog) {
    if (m_backend != nullptr) m_backend->DestroyDialog(dialog);
    RemoveDialog(dialog);
  }

  // The entry of a live window of this layer, or null.
  WindowEntry* Find(HWND hwnd) {
    if (hwnd < kFirstHandle) return nullptr;
    const std::size_t index = static_cast<std::size_t>(hwnd - kFirstHandle) / 2;
    if (index >= m_entries.size() || !m_entries[index]) return nullptr;
    return m_entries[index].get();
  }
  // The control `id` of `dialog`, or 0.
  HWND FindControl(HWND dialog, int id);
  // The dialog a window belongs to (itself for a dialog), or 0.
  HWND DialogOf(HWND hwnd);

  // The program object of `hwnd`, or the wrapper kept for it (made on first
  // use). Null for 0.
  CWnd* ObjectOf(HWND hwnd);
  // Attaches `object` to `hwnd`; false when either is taken.
  bool Attach(HWND hwnd, CWnd* object);
  void Detach(HWND hwnd, CWnd* object);

  // Recording of the calls on local windows, for tests; null stops it.
  void SetRecorder(std::vector<RecordedCall>* record) { m_record = record; }

  // Delivers the messages posted to local windows (the modal loops call
  // this while they wait).
  void DeliverPosted();

  // LocalWindows. The raise, foreground and repaint calls are inline: a
  // progress run makes millions of them.
  bool Owns(HWND hwnd) override { return Find(hwnd) != nullptr; }
  BOOL BringToTop(HWND hwnd) override {
    WindowEntry* entry = Find(hwnd);
    if (entry == nullptr) return FALSE;
    Record(*entry, kCallBringWindowToTop, 0, 0);
    if (m_paints) Ui().BringToTop(entry->dialogHandle);
    return TRUE;
  }
  BOOL SetForeground(HWND hwnd) override {
    WindowEntry* entry = Find(hwnd);
    if (entry == nullptr) return FALSE;
    Record(*entry, kCallSetForegroundWindow, 0, 0);
    if (m_paints) Ui().SetForeground(entry->dialogHandle);
    return TRUE;
  }
  BOOL Update(HWND hwnd) override {
    WindowEntry* entry = Find(hwnd);
    if (entry == nullptr) return FALSE;
    Record(*entry, kCallUpdateWindow, 0, 0);
    if (m_paints) Ui().Update(entry->dialogHandle);
    return TRUE;
  }
  BOOL Enable(HWND hwnd, BOOL enable) override;
  BOOL IsEnabled(HWND hwnd) override;
  BOOL Post(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
  LRESULT Send(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
  HWND Reparent(HWND child, HWND parent) override;

 private:
  WindowTable();
  static WindowTable& Make();
  Backend& Ui() { return m_backend != nullptr ? *m_backend : CurrentBackend(); }
  HWND NewEntry(std::unique_ptr<WindowEntry> entry);
  void Record(const WindowEntry& entry, UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_record != nullptr)
      m_record->push_back({entry.isDialog ? 0 : entry.id, message, wParam, lParam});
  }
  // Inlined into Send: the bars get most of the messages of a run.
  [[gnu::always_inline]] inline LRESULT ProgressMessage(WindowEntry& entry, UINT msg, WPARAM wParam,
                                                        LPARAM lParam);

  std::vector<std::unique_ptr<WindowEntry>> m_entries;
  std::unordered_map<HWND, std::unique_ptr<CWnd>> m_wrappers;
  struct Posted {
    HWND hwnd;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
  };
  std::deque<Posted> m_posted;
  std::vector<RecordedCall>* m_record = nullptr;
  Backend* m_backend = nullptr;
  bool m_paints = true;
  static WindowTable* s_table;
};

// The control kind of a template control.
ControlKind KindOf(const DialogControlTemplate& control);

}  // namespace uw::ui
