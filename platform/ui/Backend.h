// The interface between the dialog framework and a UI backend.
//
// The framework (CWnd, CDialog, the controls, message boxes, the file
// dialog) keeps the window table: handles, ids, kinds, the templates and
// the progress bars' numbers. A backend shows it all: real windows
// (platform/ui/wx) or a scripted transcript (platform/ui/headless). The
// backend keeps what a user can change: texts, check states, focus,
// enabled and visible states. Every text crossing this interface is UTF-8;
// the framework converts from and to the program's CP932.
//
// A backend reports what the user does through BackendEvents, always on
// the one UI thread, from inside RunModal, MessageBox or ChooseFile.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/ui/DialogTemplate.h"
#include "platform/win/windef.h"

namespace uw::ui {

enum class ControlKind { kStatic, kEdit, kPushButton, kCheckBox, kGroupBox, kProgress, kOther };

// Modifier keys held with a key.
enum KeyModifier : unsigned { kModShift = 1, kModControl = 2, kModAlt = 4 };

// A progress bar's numbers, kept by the framework.
struct ProgressState {
  int lower = 0;
  int upper = 100;
  int position = 0;
  int step = 10;
};

// One control of a dialog being made, in template order.
struct ControlInfo {
  HWND hwnd;
  int id;  // IDC_STATIC (-1) for none
  ControlKind kind;
  const DialogControlTemplate* tpl;
  std::string text;               // UTF-8
  const ProgressState* progress;  // progress bars only; lives as long as the control
};

struct DialogInfo {
  HWND hwnd;
  HWND owner;  // a dialog of this layer, a foreign window, or 0
  bool modal;
  const DialogTemplateData* tpl;
  std::string title;  // UTF-8
  std::vector<ControlInfo> controls;
};

// A message box: texts UTF-8, `type` as MessageBoxA's.
struct MessageBoxRequest {
  HWND owner;
  std::string text;
  std::string caption;
  UINT type;
};

struct FileFilter {
  std::string name;     // "Xml Files (*.xml)", UTF-8
  std::string pattern;  // "*.xml"
};

struct FileDialogRequest {
  HWND owner;
  bool open;                // false: a save dialog
  std::string title;        // UTF-8
  std::string folder;       // initial folder, Windows form (UTF-8); may be empty
  std::string folderPosix;  // the same folder mapped to POSIX; empty when unmapped or none
  std::string name;         // initial file name (UTF-8)
  std::vector<FileFilter> filters;
  std::string defExt;  // without the dot
};

// The user's choice in a file dialog.
struct FileChoice {
  bool chosen = false;  // false: cancelled
  bool posix = false;   // true: `path` is a POSIX path, else a Windows path
  std::string path;     // UTF-8
};

// Implemented by the framework.
class BackendEvents {
 public:
  virtual ~BackendEvents() = default;
  // A key went down in `dialog` (the focus is the backend's current focus).
  // Returns true when the key was consumed (by PreTranslateMessage or the
  // standard dialog handling); the backend then gives it to no control.
  virtual bool OnKeyDown(HWND dialog, int vk, unsigned modifiers) = 0;
  // A button or check box of `dialog` was clicked (a check box has already
  // toggled).
  virtual void OnCommand(HWND dialog, int id, UINT code) = 0;
  // The close box of `dialog`.
  virtual void OnClose(HWND dialog) = 0;
};

class Backend {
 public:
  virtual ~Backend() = default;
  virtual const char* Name() const = 0;
  virtual void SetEvents(BackendEvents* events) = 0;

  // Makes the dialog and its controls, hidden. False when that fails.
  virtual bool CreateDialog(const DialogInfo& dialog) = 0;
  // Removes the dialog and its controls.
  virtual void DestroyDialog(HWND dialog) = 0;
  // Runs the modal loop of a dialog created modal: shows it and returns
  // once EndDialog was called for it.
  virtual void RunModal(HWND dialog) = 0;
  // The framework ended `dialog` with `result`; a running modal loop ends.
  virtual void EndDialog(HWND dialog, int result) = 0;

  virtual void SetText(HWND window, const std::string& text) = 0;
  virtual std::string GetText(HWND window) = 0;
  virtual void Enable(HWND window, bool enable) = 0;
  virtual bool IsEnabled(HWND window) = 0;
  virtual void Show(HWND window, bool show) = 0;
  virtual bool IsVisible(HWND window) = 0;
  virtual void SetFocus(HWND window) = 0;
  virtual HWND GetFocus() = 0;
  virtual void SetCheck(HWND window, int check) = 0;
  virtual int GetCheck(HWND window) = 0;
  // Typing limit of an edit in CP932 bytes (0: none).
  virtual void SetLimit(HWND window, int bytes) = 0;
  // Selection in bytes of the CP932 text; end -1 is the end.
  virtual void SetSelection(HWND window, int start, int end, bool scroll) = 0;
  // False for a backend that paints nothing: the framework then makes none
  // of the ProgressChanged, BringToTop, SetForeground and Update calls,
  // which a progress run makes millions of times.
  virtual bool Paints() const { return true; }
  // The bar's numbers changed (read them from the ProgressState).
  virtual void ProgressChanged(HWND window) = 0;

  // Raise, foreground and repaint requests for a dialog; a backend may
  // coalesce them.
  virtual void BringToTop(HWND dialog) = 0;
  virtual void SetForeground(HWND dialog) = 0;
  virtual void Update(HWND dialog) = 0;
  // `parent` (local or foreign, 0 for none) became the dialog's parent.
  virtual void Reparent(HWND dialog, HWND parent) = 0;

  // Shows a message box and returns the button chosen (IDOK, ...).
  virtual int MessageBox(const MessageBoxRequest& request) = 0;
  virtual FileChoice ChooseFile(const FileDialogRequest& request) = 0;

  // Wait cursor shown or not.
  virtual void SetWaitCursor(bool on) = 0;
  // Key state when no key is being handled: whether the modifier is down.
  virtual bool IsModifierDown(unsigned modifier) = 0;

  // The process is ending: anything still open is closed, pending output
  // written.
  virtual void Shutdown() = 0;
};

// The backend of the process, made on first use as the platform settings
// choose it: UCHIWAKE_UI (headless|wx), else [ui] backend= in
// <prefix>/platform.ini (auto|wx|headless), else wx when DISPLAY or
// WAYLAND_DISPLAY is set and headless otherwise. When real windows cannot
// be opened the headless backend takes over, with a note on stderr.
Backend& CurrentBackend();
// True once a backend exists.
bool HasBackend();
// Replaces the backend of the process (the old one is shut down first).
// REQUIRES: no window of this layer exists.
void InstallBackend(std::unique_ptr<Backend> backend);
// Shuts the backend down and releases it (the process entry does this
// after ExitInstance).
void ReleaseBackend();

// The backend name the settings choose: "wx" or "headless".
std::string ChooseBackendName();

}  // namespace uw::ui
