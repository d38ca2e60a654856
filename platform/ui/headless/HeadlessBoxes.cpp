// The headless backend: message boxes and the file dialog.

#include <sstream>

#include "platform/ui/headless/HeadlessBackendImpl.h"
#include "platform/ui/winuser.h"
#include "platform/win/text_convert.h"
#include "platform/win/win_path.h"

namespace uw::headless {
namespace {

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

}  // namespace

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

}  // namespace uw::headless
