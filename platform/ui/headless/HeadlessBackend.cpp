// The headless backend (see HeadlessBackend.h).
//
// This file: the windows' state and what the transcript says of it. The
// script's actions are carried out in HeadlessActions.cpp, message boxes
// and the file dialog in HeadlessBoxes.cpp.

#include "platform/ui/headless/HeadlessBackend.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/ui/headless/HeadlessBackendImpl.h"
#include "platform/ui/winuser.h"

namespace uw::headless {

using uw::ui::ControlKind;

namespace {

const char* KindName(ControlKind kind) {
  switch (kind) {
    case ControlKind::kStatic:
      return "static";
    case ControlKind::kEdit:
      return "edit";
    case ControlKind::kPushButton:
      return "button";
    case ControlKind::kCheckBox:
      return "check";
    case ControlKind::kGroupBox:
      return "group";
    case ControlKind::kProgress:
      return "progress";
    default:
      return "control";
  }
}

}  // namespace

HeadlessBackend::HeadlessBackend(bool capture) : m_capture(capture) {}

std::string HeadlessBackend::TakeTranscript() {
  std::string taken;
  taken.swap(m_transcript);
  return taken;
}

void HeadlessBackend::Line(const std::string& line) {
  if (m_capture) {
    m_transcript += line;
    m_transcript += '\n';
  } else {
    std::fputs(line.c_str(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
  }
}

void HeadlessBackend::Note(const Action& action, const std::string& what) {
  Line("! script line " + std::to_string(action.line) + ": " + what);
}

HeadlessBackend::Window* HeadlessBackend::Find(HWND hwnd) {
  const auto found = m_windows.find(hwnd);
  return found != m_windows.end() ? &found->second : nullptr;
}

HeadlessBackend::Window* HeadlessBackend::Control(HWND dialog, int id) {
  Window* d = Find(dialog);
  if (d == nullptr) return nullptr;
  for (HWND child : d->children) {
    Window* control = Find(child);
    if (control != nullptr && control->id == id) return control;
  }
  return nullptr;
}

bool HeadlessBackend::Seen(const Window& window) {
  if (!window.visible) return false;
  if (window.isDialog) return true;
  const Window* dialog = Find(window.dialog);
  return dialog != nullptr && dialog->visible;
}

bool HeadlessBackend::CanFocus(const Window& window) {
  return !window.isDialog && window.enabled && window.visible &&
         (window.kind == ControlKind::kEdit || window.kind == ControlKind::kPushButton ||
          window.kind == ControlKind::kCheckBox);
}

std::string HeadlessBackend::Describe(const Window& window) {
  std::string line = "  ";
  line += KindName(window.kind);
  line += ' ';
  line += IdText(window.id);
  if (window.kind == ControlKind::kProgress && window.progress != nullptr) {
    const uw::ui::ProgressState& bar = *window.progress;
    line += " " + std::to_string(bar.position) + " of " + std::to_string(bar.lower) + "-" +
            std::to_string(bar.upper);
  } else {
    line += " " + Quoted(window.text);
  }
  if (window.kind == ControlKind::kCheckBox && window.check != 0) line += " checked";
  if (!window.enabled) line += " disabled";
  if (!window.visible) line += " hidden";
  if (m_focus == window.hwnd) line += " focus";
  return line;
}

void HeadlessBackend::PrintDialog(const Window& dialog) {
  Line("dialog " + std::to_string(dialog.dialogId) + " shown: " + dialog.text);
  for (HWND child : dialog.children) {
    if (const Window* control = Find(child)) Line(Describe(*control));
  }
}

bool HeadlessBackend::CreateDialog(const uw::ui::DialogInfo& info) {
  Window dialog;
  dialog.hwnd = info.hwnd;
  dialog.dialog = info.hwnd;
  dialog.isDialog = true;
  dialog.style = info.tpl->style;
  dialog.text = info.title;
  dialog.dialogId = static_cast<int>(info.tpl->id);
  dialog.modal = info.modal;
  for (const uw::ui::ControlInfo& control : info.controls) {
    Window window;
    window.hwnd = control.hwnd;
    window.dialog = info.hwnd;
    window.id = control.id;
    window.kind = control.kind;
    window.style = control.tpl->style;
    window.text = control.text;
    window.visible = true;
    window.progress = control.progress;
    m_windows[control.hwnd] = window;
    dialog.children.push_back(control.hwnd);
  }
  m_windows[info.hwnd] = dialog;
  return true;
}

void HeadlessBackend::DestroyDialog(HWND hwnd) {
  Window* dialog = Find(hwnd);
  if (dialog == nullptr) return;
  if (dialog->visible) Line("dialog " + std::to_string(dialog->dialogId) + " closed");
  for (HWND child : dialog->children) {
    if (m_focus == child) m_focus = 0;
    m_windows.erase(child);
  }
  if (m_focus == hwnd) m_focus = 0;
  m_windows.erase(hwnd);
}

void HeadlessBackend::EndDialog(HWND hwnd, int result) {
  Window* dialog = Find(hwnd);
  if (dialog == nullptr || dialog->modalEnded) return;
  dialog->modalEnded = true;
  Line("dialog " + std::to_string(dialog->dialogId) + " ended: " + std::to_string(result));
  // An ended modal dialog is gone from the screen; a modeless one is hidden
  // by the framework, which the transcript tells.
  if (dialog->modal) dialog->visible = false;
}

void HeadlessBackend::SetText(HWND hwnd, const std::string& text) {
  Window* window = Find(hwnd);
  if (window == nullptr || window->text == text) return;
  window->text = text;
  if (!Seen(*window)) return;
  if (window->isDialog) {
    Line("title " + std::to_string(window->dialogId) + ": " + text);
  } else {
    Line("text " + IdText(window->id) + ": " + Quoted(text));
  }
}

std::string HeadlessBackend::GetText(HWND hwnd) {
  const Window* window = Find(hwnd);
  return window != nullptr ? window->text : std::string();
}

void HeadlessBackend::Enable(HWND hwnd, bool enable) {
  Window* window = Find(hwnd);
  if (window == nullptr || window->enabled == enable) return;
  window->enabled = enable;
  if (!enable && m_focus == hwnd) m_focus = 0;
  if (!Seen(*window)) return;
  const std::string name =
      window->isDialog ? "dialog " + std::to_string(window->dialogId) : IdText(window->id);
  Line((enable ? "enabled " : "disabled ") + name);
}

bool HeadlessBackend::IsEnabled(HWND hwnd) {
  const Window* window = Find(hwnd);
  return window != nullptr && window->enabled;
}

void HeadlessBackend::Show(HWND hwnd, bool show) {
  Window* window = Find(hwnd);
  if (window == nullptr || window->visible == show) return;
  if (window->isDialog) {
    window->visible = show;
    if (show) {
      PrintDialog(*window);
    } else {
      Line("dialog " + std::to_string(window->dialogId) + " hidden");
      const Window* focus = Find(m_focus);
      if (focus != nullptr && focus->dialog == hwnd) m_focus = 0;
    }
    return;
  }
  const bool wasSeen = Seen(*window);
  window->visible = show;
  if (!show && m_focus == hwnd) m_focus = 0;
  if (wasSeen || Seen(*window)) Line((show ? "shown " : "hidden ") + IdText(window->id));
}

bool HeadlessBackend::IsVisible(HWND hwnd) {
  const Window* window = Find(hwnd);
  return window != nullptr && window->visible;
}

void HeadlessBackend::SetFocus(HWND hwnd) {
  Window* window = Find(hwnd);
  if (window == nullptr || m_focus == hwnd) return;
  m_focus = hwnd;
  if (Seen(*window) && !window->isDialog) Line("focus " + IdText(window->id));
}

void HeadlessBackend::SetCheck(HWND hwnd, int check) {
  Window* window = Find(hwnd);
  if (window == nullptr || window->check == check) return;
  window->check = check;
  if (Seen(*window)) Line((check != 0 ? "checked " : "unchecked ") + IdText(window->id));
}

int HeadlessBackend::GetCheck(HWND hwnd) {
  const Window* window = Find(hwnd);
  return window != nullptr ? window->check : 0;
}

void HeadlessBackend::SetLimit(HWND hwnd, int bytes) {
  if (Window* window = Find(hwnd)) window->limit = bytes;
}

void HeadlessBackend::SetSelection(HWND hwnd, int start, int end, bool) {
  Window* window = Find(hwnd);
  if (window == nullptr || !Seen(*window)) return;
  std::string what;
  if (start < 0) {
    what = "none";
  } else if (start == 0 && end < 0) {
    what = "all";
  } else {
    what = std::to_string(start) + "-" + (end < 0 ? std::string("end") : std::to_string(end));
  }
  Line("select " + IdText(window->id) + ": " + what);
}

void HeadlessBackend::SetWaitCursor(bool on) {
  if (m_waitCursor == on) return;
  m_waitCursor = on;
  Line(on ? "wait cursor on" : "wait cursor off");
}

void HeadlessBackend::Shutdown() {
  if (m_waitCursor) SetWaitCursor(false);
  if (const Action* next = m_script.Peek()) {
    Line("! " + std::to_string(m_script.Remaining()) + " script line(s) not used, from line " +
         std::to_string(next->line));
  }
}

}  // namespace uw::headless

namespace uw::ui {

std::unique_ptr<Backend> MakeHeadlessBackendForProcess() {
  auto backend = std::make_unique<uw::headless::HeadlessBackend>(false);
  const char* path = std::getenv("UCHIWAKE_UI_SCRIPT");
  if (path != nullptr && path[0] != '\0') {
    std::ifstream in(path, std::ios::binary);
    if (in) {
      std::ostringstream text;
      text << in.rdbuf();
      backend->GetScript().Load(text.str());
    } else {
      std::fprintf(stderr, "uchiwake: the script %s cannot be read; running without one\n", path);
    }
  }
  return backend;
}

}  // namespace uw::ui
