// The headless backend's class, shared by the process factory and the test
// access. Not for other modules: they use HeadlessTesting.h.
#pragma once

#include <cstdio>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/ui/Backend.h"
#include "platform/ui/headless/Script.h"

namespace uw::headless {

// How the transcript names a control id ("-" for none) and quotes a text.
inline std::string IdText(int id) { return id == -1 ? "-" : std::to_string(id); }
inline std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

class HeadlessBackend : public uw::ui::Backend {
 public:
  // `capture`: keep the transcript in memory instead of printing it.
  explicit HeadlessBackend(bool capture);

  Script& GetScript() { return m_script; }
  void SetCapture(bool capture) { m_capture = capture; }
  bool IsCapturing() const { return m_capture; }
  std::string TakeTranscript();

  const char* Name() const override { return "headless"; }
  void SetEvents(uw::ui::BackendEvents* events) override { m_events = events; }
  bool CreateDialog(const uw::ui::DialogInfo& dialog) override;
  void DestroyDialog(HWND dialog) override;
  void RunModal(HWND dialog) override;
  void EndDialog(HWND dialog, int result) override;
  void SetText(HWND window, const std::string& text) override;
  std::string GetText(HWND window) override;
  void Enable(HWND window, bool enable) override;
  bool IsEnabled(HWND window) override;
  void Show(HWND window, bool show) override;
  bool IsVisible(HWND window) override;
  void SetFocus(HWND window) override;
  HWND GetFocus() override { return m_focus; }
  void SetCheck(HWND window, int check) override;
  int GetCheck(HWND window) override;
  void SetLimit(HWND window, int bytes) override;
  void SetSelection(HWND window, int start, int end, bool scroll) override;
  bool Paints() const override { return false; }
  void ProgressChanged(HWND) override {}
  void BringToTop(HWND) override {}
  void SetForeground(HWND) override {}
  void Update(HWND) override {}
  void Reparent(HWND, HWND) override {}
  int MessageBox(const uw::ui::MessageBoxRequest& request) override;
  uw::ui::FileChoice ChooseFile(const uw::ui::FileDialogRequest& request) override;
  void SetWaitCursor(bool on) override;
  bool IsModifierDown(unsigned) override { return false; }
  void Shutdown() override;

 private:
  struct Window {
    HWND hwnd = 0;
    HWND dialog = 0;  // the dialog a control belongs to; itself for a dialog
    bool isDialog = false;
    int id = 0;
    uw::ui::ControlKind kind = uw::ui::ControlKind::kOther;
    DWORD style = 0;
    std::string text;  // UTF-8
    bool enabled = true;
    bool visible = false;
    int check = 0;
    int limit = 0;  // CP932 bytes; 0 none
    int dialogId = 0;
    bool modal = false;
    bool modalEnded = false;
    const uw::ui::ProgressState* progress = nullptr;
    std::vector<HWND> children;
  };

  Window* Find(HWND hwnd);
  Window* Control(HWND dialog, int id);
  // True when changes to `window` are seen: it and its dialog are shown.
  bool Seen(const Window& window);
  std::string Describe(const Window& window);
  void Line(const std::string& line);
  void PrintDialog(const Window& dialog);
  // Carries out one script action in the modal loop of `dialog`.
  void Perform(HWND dialog, const Action& action);
  void PerformKey(HWND dialog, const Action& action);
  void NativeKey(HWND dialog, int vk, unsigned modifiers);
  void Click(HWND dialog, Window& control);
  // Focusable: an enabled, visible edit, button or check box.
  bool CanFocus(const Window& window);
  void Note(const Action& action, const std::string& what);

  Script m_script;
  bool m_capture;
  std::string m_transcript;
  uw::ui::BackendEvents* m_events = nullptr;
  std::unordered_map<HWND, Window> m_windows;
  HWND m_focus = 0;
  bool m_waitCursor = false;
};

}  // namespace uw::headless
