#include "platform/ui/headless/HeadlessBackend.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/ui/headless/HeadlessBackendImpl.h"
#include "platform/ui/winuser.h"
#include "platform/win/text_convert.h"
#include "platform/win/win_path.h"

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

std::string IdText(int id) { return id == IDC_STATIC ? "-" : std::to_string(id); }

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

const char* IconName(UINT type) {
  switch (type & MB_ICONMASK) {
    case MB_ICONERROR:
      return "error";
    case MB_ICONQUESTION:
      return "question";
    case MB_ICONEXCLAMATION:
      return "exclamation";
    case MB_ICONINFORMATION:
      return "information";
    default:
      return "no icon";
  }
}

struct Buttons {
  const char* names;
  bool ok, cancel, yes, no;
  int closeAnswer;  // what the close box (or a dry script) gives
};

Buttons ButtonsOf(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
      return {"OK, Cancel", true, true, false, false, IDCANCEL};
    case MB_YESNOCANCEL:
      return {"Yes, No, Cancel", false, true, true, true, IDCANCEL};
    case MB_YESNO:
      // No close box on such a box; No is the answer that changes nothing.
      return {"Yes, No", false, false, true, true, IDNO};
    default:
      return {"OK", true, false, false, false, IDOK};
  }
}

const char* AnswerName(int answer) {
  switch (answer) {
    case IDOK:
      return "OK";
    case IDCANCEL:
      return "Cancel";
    case IDYES:
      return "Yes";
    case IDNO:
      return "No";
    default:
      return "?";
  }
}

// Keeps the ASCII digits of a UTF-8 text (an edit that takes digits only
// refuses every other character typed into it).
std::string DigitsOnly(const std::string& text) {
  std::string digits;
  for (char c : text) {
    if (c >= '0' && c <= '9') digits += c;
  }
  return digits;
}

// Cuts a UTF-8 text to at most `bytes` bytes of CP932, between characters.
std::string CutToCp932Bytes(const std::string& text, int bytes) {
  const std::string cp932 = uw::Utf8ToCp932(text);
  if (static_cast<int>(cp932.size()) <= bytes) return text;
  std::size_t kept = 0;
  while (kept < cp932.size()) {
    const std::size_t length = uw::CharLenAt(cp932.c_str(), kept);
    if (kept + length > static_cast<std::size_t>(bytes)) break;
    kept += length;
  }
  return uw::Cp932ToUtf8(cp932.substr(0, kept));
}

// The mnemonic letter of a control text ("参照(&D)..." gives 'D'), or 0.
char Mnemonic(const std::string& text) {
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '&') continue;
    if (text[i + 1] == '&') {
      ++i;
      continue;
    }
    return static_cast<char>(std::toupper(static_cast<unsigned char>(text[i + 1])));
  }
  return 0;
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

void HeadlessBackend::RunModal(HWND hwnd) {
  if (Find(hwnd) == nullptr) return;
  Show(hwnd, true);
  for (;;) {
    Window* dialog = Find(hwnd);
    if (dialog == nullptr || dialog->modalEnded) return;
    const std::string name = "dialog " + std::to_string(dialog->dialogId);
    const Action* next = m_script.Peek();
    if (next == nullptr) {
      Line("! script ran dry: " + name + " is closed as by its close box");
      m_events->OnClose(hwnd);
      dialog = Find(hwnd);
      if (dialog != nullptr && !dialog->modalEnded) {
        // The program kept it open; the script has nothing more to say, so
        // it ends as cancelled rather than waiting for ever.
        Line("! " + name + " stayed open; it is cancelled");
        m_events->OnCommand(hwnd, IDCANCEL, BN_CLICKED);
        dialog = Find(hwnd);
        if (dialog != nullptr && !dialog->modalEnded) Line("! " + name + " is left");
      }
      return;
    }
    const Action action = *next;
    m_script.Pop();
    Perform(hwnd, action);
  }
}

void HeadlessBackend::Perform(HWND hwnd, const Action& action) {
  Line("> " + action.text);
  const std::string dialogName = "dialog " + std::to_string(Find(hwnd)->dialogId);
  Window* control = nullptr;
  if (action.kind == Action::kClick || action.kind == Action::kType ||
      action.kind == Action::kCheck || action.kind == Action::kFocus) {
    control = Control(hwnd, action.id);
    if (control == nullptr) {
      Note(action, dialogName + " has no control " + std::to_string(action.id));
      return;
    }
    if (!control->enabled || !control->visible) {
      Note(action, "control " + std::to_string(action.id) + " is " +
                       (control->visible ? "disabled" : "hidden") + "; nothing happens");
      return;
    }
  }
  switch (action.kind) {
    case Action::kInvalid:
      Note(action, action.error + "; the line is skipped");
      return;
    case Action::kAnswer:
    case Action::kFile:
      Note(action, "no message box or file dialog is open; the line is skipped");
      return;
    case Action::kKey:
      PerformKey(hwnd, action);
      return;
    case Action::kClick:
      Click(hwnd, *control);
      return;
    case Action::kType: {
      if (control->kind != ControlKind::kEdit) {
        Note(action, "control " + std::to_string(action.id) + " is no edit; nothing is typed");
        return;
      }
      std::string text = action.value;
      if ((control->style & ES_NUMBER) != 0) text = DigitsOnly(text);
      if (control->limit > 0) text = CutToCp932Bytes(text, control->limit);
      SetFocus(control->hwnd);
      control = Control(hwnd, action.id);
      if (control == nullptr) return;
      if (text != action.value) {
        Line("  (the edit took " + Quoted(text) + " of " + Quoted(action.value) + ")");
      }
      SetText(control->hwnd, text);
      return;
    }
    case Action::kCheck:
      if (control->kind != ControlKind::kCheckBox) {
        Note(action, "control " + std::to_string(action.id) + " is no check box");
        return;
      }
      if (control->check == action.check) {
        Line("  (check box " + std::to_string(action.id) + " is " +
             (action.check != 0 ? "checked" : "unchecked") + " already)");
        return;
      }
      Click(hwnd, *control);
      return;
    case Action::kFocus:
      if (!CanFocus(*control)) {
        Note(action, "control " + std::to_string(action.id) + " takes no focus");
        return;
      }
      SetFocus(control->hwnd);
      return;
    case Action::kClose:
      if ((Find(hwnd)->style & WS_SYSMENU) == 0) {
        Note(action, dialogName + " has no close box");
        return;
      }
      m_events->OnClose(hwnd);
      return;
  }
}

void HeadlessBackend::Click(HWND hwnd, Window& control) {
  const HWND target = control.hwnd;
  const int id = control.id;
  const ControlKind kind = control.kind;
  if (CanFocus(control)) SetFocus(target);
  if (kind == ControlKind::kCheckBox && (Find(target)->style & BS_TYPEMASK) == BS_AUTOCHECKBOX) {
    SetCheck(target, Find(target)->check != 0 ? 0 : 1);
  }
  if (kind == ControlKind::kPushButton || kind == ControlKind::kCheckBox) {
    m_events->OnCommand(hwnd, id, BN_CLICKED);
  }
}

void HeadlessBackend::PerformKey(HWND hwnd, const Action& action) {
  if (m_events->OnKeyDown(hwnd, action.vk, action.modifiers)) return;
  const Window* dialog = Find(hwnd);
  if (dialog == nullptr || dialog->modalEnded) return;
  NativeKey(hwnd, action.vk, action.modifiers);
}

void HeadlessBackend::NativeKey(HWND hwnd, int vk, unsigned modifiers) {
  Window* dialog = Find(hwnd);
  const unsigned ctrlAlt = uw::ui::kModControl | uw::ui::kModAlt;
  std::vector<HWND> order;  // focusable tab stops in template order
  for (HWND child : dialog->children) {
    const Window* control = Find(child);
    if (CanFocus(*control) && (control->style & WS_TABSTOP) != 0) order.push_back(child);
  }
  Window* focus = Find(m_focus);
  if (focus != nullptr && focus->dialog != hwnd) focus = nullptr;

  if (vk == VK_TAB && (modifiers & ctrlAlt) == 0) {
    if (order.empty()) return;
    std::size_t index = 0;
    const auto current = std::find(order.begin(), order.end(), m_focus);
    if (current == order.end()) {
      index = (modifiers & uw::ui::kModShift) != 0 ? order.size() - 1 : 0;
    } else {
      const std::size_t at = static_cast<std::size_t>(current - order.begin());
      index = (modifiers & uw::ui::kModShift) != 0 ? (at + order.size() - 1) % order.size()
                                                   : (at + 1) % order.size();
    }
    SetFocus(order[index]);
    return;
  }
  if (vk == VK_SPACE && modifiers == 0 && focus != nullptr &&
      (focus->kind == ControlKind::kPushButton || focus->kind == ControlKind::kCheckBox)) {
    Click(hwnd, *focus);
    return;
  }
  // A mnemonic: with Alt, or alone while the focus is not in an edit.
  const bool letter = (vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9');
  const bool mnemonicKey =
      (modifiers & uw::ui::kModAlt) != 0 ||
      (modifiers == 0 && (focus == nullptr || focus->kind != ControlKind::kEdit));
  if (!letter || !mnemonicKey) return;
  for (std::size_t i = 0; i < dialog->children.size(); ++i) {
    Window* control = Find(dialog->children[i]);
    if (!control->visible || !control->enabled ||
        Mnemonic(control->text) != static_cast<char>(vk)) {
      continue;
    }
    if (control->kind == ControlKind::kPushButton || control->kind == ControlKind::kCheckBox) {
      Click(hwnd, *control);
      return;
    }
    // A label or group box passes the focus to the next control that takes it.
    for (std::size_t j = i + 1; j < dialog->children.size(); ++j) {
      const Window* next = Find(dialog->children[j]);
      if (CanFocus(*next)) {
        SetFocus(next->hwnd);
        return;
      }
    }
    return;
  }
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

int HeadlessBackend::MessageBox(const uw::ui::MessageBoxRequest& request) {
  const Buttons buttons = ButtonsOf(request.type);
  Line("message box: " + request.caption + " [" + IconName(request.type) + "; " + buttons.names +
       "]");
  std::istringstream lines(request.text);
  std::string line;
  while (std::getline(lines, line)) Line(line.empty() ? "  |" : "  | " + line);

  int answer = buttons.closeAnswer;
  const Action* next = m_script.Peek();
  if (next == nullptr) {
    Line("! script ran dry: the message box is closed as by its close box");
  } else if (next->kind != Action::kAnswer) {
    Line("! script line " + std::to_string(next->line) +
         " is no answer; the message box is closed as by its close box");
  } else {
    const Action action = *next;
    m_script.Pop();
    Line("> " + action.text);
    const std::string& value = action.value;
    if (value == "ok" && buttons.ok) {
      answer = IDOK;
    } else if (value == "cancel" && buttons.cancel) {
      answer = IDCANCEL;
    } else if (value == "yes" && buttons.yes) {
      answer = IDYES;
    } else if (value == "no" && buttons.no) {
      answer = IDNO;
    } else {
      Note(action, "the message box has no such button; it is closed as by its close box");
    }
  }
  Line(std::string("  -> ") + AnswerName(answer));
  return answer;
}

uw::ui::FileChoice HeadlessBackend::ChooseFile(const uw::ui::FileDialogRequest& request) {
  Line("file dialog: " + request.title + " [" + (request.open ? "open" : "save") + "]");
  Line("  folder: " + Quoted(request.folder));
  Line("  name: " + Quoted(request.name));
  for (const uw::ui::FileFilter& filter : request.filters) {
    Line("  filter: " + filter.name + " " + filter.pattern);
  }
  for (;;) {
    const Action* next = m_script.Peek();
    if (next == nullptr) {
      Line("! script ran dry: the file dialog is cancelled");
      return {};
    }
    if (next->kind != Action::kFile) {
      Line("! script line " + std::to_string(next->line) +
           " is no file choice; the file dialog is cancelled");
      return {};
    }
    const Action action = *next;
    m_script.Pop();
    Line("> " + action.text);
    if (action.cancel) {
      Line("  -> cancelled");
      return {};
    }
    const std::string cp932 = uw::Utf8ToCp932(action.value);
    std::size_t nameStart = 0;
    for (std::size_t i = 0; i < cp932.size();) {
      const std::size_t length = uw::CharLenAt(cp932.c_str(), i);
      if (length == 1 && (uw::IsWinSeparator(cp932[i]) || cp932[i] == ':')) nameStart = i + 1;
      i += length;
    }
    if (cp932.find_first_of("*?", nameStart) != std::string::npos) {
      Line("  (a pattern lists files but names none; the file dialog stays open)");
      continue;
    }
    Line("  -> " + Quoted(action.value));
    uw::ui::FileChoice choice;
    choice.chosen = true;
    choice.path = action.value;
    return choice;
  }
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
