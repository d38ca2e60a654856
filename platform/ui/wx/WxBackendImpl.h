// The wx backend's class, shared by its sources (WxBackend.cpp: window
// state, painting and raising; WxDialogs.cpp: making dialogs and their
// keys; WxBoxes.cpp: message boxes, the file dialog, the wait cursor).
// Only for the sources of platform/ui/wx (it includes wx headers).
#pragma once

#include <wx/checkbox.h>
#include <wx/dialog.h>
#include <wx/evtloop.h>
#include <wx/string.h>
#include <wx/utils.h>
#include <wx/window.h>

#include <chrono>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/ui/Backend.h"

namespace uw::ui::wx {

using Clock = std::chrono::steady_clock;

// At most one repaint in this time (about 60 a second).
constexpr auto kRepaintInterval = std::chrono::milliseconds(16);
// At most one raise in this time; a raise activates the window and costs
// far more than a repaint.
constexpr auto kRaiseInterval = std::chrono::milliseconds(250);

inline wxString FromUtf8(const std::string& text) { return wxString::FromUTF8(text.c_str()); }
inline std::string ToUtf8(const wxString& text) { return std::string(text.utf8_str()); }

class WxBackend : public Backend {
 public:
  WxBackend() : m_loop(std::make_unique<wxGUIEventLoop>()) {}
  ~WxBackend() override { Shutdown(); }

  const char* Name() const override { return "wx"; }
  void SetEvents(BackendEvents* events) override { m_events = events; }

  bool CreateDialog(const DialogInfo& info) override;
  void DestroyDialog(HWND hwnd) override;
  void RunModal(HWND hwnd) override;
  void EndDialog(HWND hwnd, int result) override;

  void SetText(HWND hwnd, const std::string& text) override;
  std::string GetText(HWND hwnd) override;
  void Enable(HWND hwnd, bool enable) override {
    if (Entry* e = Find(hwnd)) e->window->Enable(enable);
  }
  bool IsEnabled(HWND hwnd) override {
    Entry* e = Find(hwnd);
    return e != nullptr && e->window->IsThisEnabled();
  }
  void Show(HWND hwnd, bool show) override;
  bool IsVisible(HWND hwnd) override {
    Entry* e = Find(hwnd);
    return e != nullptr && e->frame->IsShown();
  }
  void SetFocus(HWND hwnd) override {
    if (Entry* e = Find(hwnd); e != nullptr && !e->isDialog) {
      m_focus = hwnd;
      e->window->SetFocus();
    }
  }
  HWND GetFocus() override;
  void SetCheck(HWND hwnd, int check) override {
    if (Entry* e = Find(hwnd)) {
      if (auto* box = dynamic_cast<wxCheckBox*>(e->window)) box->SetValue(check != 0);
    }
  }
  int GetCheck(HWND hwnd) override {
    Entry* e = Find(hwnd);
    auto* box = e != nullptr ? dynamic_cast<wxCheckBox*>(e->window) : nullptr;
    return box != nullptr && box->GetValue() ? 1 : 0;
  }
  void SetLimit(HWND hwnd, int bytes) override {
    if (Entry* e = Find(hwnd)) e->limit = bytes;
  }
  void SetSelection(HWND hwnd, int start, int end, bool scroll) override;
  void ProgressChanged(HWND hwnd) override {
    if (Entry* e = Find(hwnd)) {
      e->progressDirty = true;
      if (Entry* d = Find(e->dialog)) d->progressDirty = true;
    }
  }
  void BringToTop(HWND hwnd) override { Raise(hwnd); }
  void SetForeground(HWND hwnd) override { Raise(hwnd); }
  void Update(HWND hwnd) override;
  void Reparent(HWND, HWND) override {}

  int MessageBox(const MessageBoxRequest& request) override;
  FileChoice ChooseFile(const FileDialogRequest& request) override;
  void SetWaitCursor(bool on) override;
  bool IsModifierDown(unsigned modifier) override {
    if (modifier == kModShift) return wxGetKeyState(WXK_SHIFT);
    if (modifier == kModControl) return wxGetKeyState(WXK_CONTROL);
    if (modifier == kModAlt) return wxGetKeyState(WXK_ALT);
    return false;
  }
  void Shutdown() override;

 private:
  struct Entry {
    HWND hwnd = 0;
    HWND dialog = 0;
    bool isDialog = false;
    int id = 0;
    ControlKind kind = ControlKind::kOther;
    DWORD style = 0;
    wxWindow* window = nullptr;      // the control, or the wxDialog
    wxWindow* frame = nullptr;       // what is shown and hidden
    wxWindow* textTarget = nullptr;  // where its text goes
    std::string text;                // as the program set it (UTF-8, '&' kept)
    const ProgressState* progress = nullptr;
    int limit = 0;
    bool progressDirty = false;
    bool shown = false;  // a dialog shown by Show (the toolkit is not asked each time)
    std::vector<HWND> children;
    Clock::time_point lastRepaint{};
    Clock::time_point lastRaise{};
  };

  // The last entry found is kept: a progress run asks for the same dialog
  // millions of times.
  Entry* Find(HWND hwnd) {
    if (hwnd == m_lastHwnd && hwnd != 0) return m_lastEntry;
    const auto found = m_entries.find(hwnd);
    if (found == m_entries.end()) return nullptr;
    m_lastHwnd = hwnd;
    m_lastEntry = &found->second;
    return m_lastEntry;
  }
  void Forget(HWND hwnd) {
    if (hwnd == m_lastHwnd) m_lastHwnd = 0;
    m_entries.erase(hwnd);
  }
  wxWindow* WindowOf(HWND hwnd) {
    Entry* e = Find(hwnd);
    return e != nullptr ? e->window : nullptr;
  }
  void OnCharHook(HWND dialog, wxKeyEvent& event);
  bool MnemonicFocus(HWND dialog, int vk);
  void OnTextChanged(HWND hwnd);
  void PushProgress(Entry& dialog);
  // Before a modal loop paints: every bar shows its latest numbers.
  void PushAllProgress() {
    for (auto& [hwnd, entry] : m_entries) {
      if (entry.isDialog) PushProgress(entry);
    }
  }
  void Paint(Entry& dialog);
  void Raise(HWND hwnd);

  BackendEvents* m_events = nullptr;
  std::unordered_map<HWND, Entry> m_entries;
  std::unordered_map<wxWindow*, HWND> m_handles;
  std::unique_ptr<wxGUIEventLoop> m_loop;
  HWND m_focus = 0;
  bool m_busy = false;
  HWND m_lastHwnd = 0;
  Entry* m_lastEntry = nullptr;
};

}  // namespace uw::ui::wx
