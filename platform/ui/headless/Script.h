// The headless backend's script: the user's actions, one per line.
//
//   key [shift+][ctrl+][alt+]NAME   a key press (Enter, Esc, Tab, Space,
//                                    F1-F12, Up, Down, Left, Right, a letter
//                                    or a digit)
//   click ID                         a click on control ID
//   type ID TEXT                     replaces the text of edit ID, as typing
//   check ID 0|1                     sets check box ID by clicking it
//   focus ID                         puts the focus on control ID
//   close                            the dialog's close box
//   answer ok|cancel|yes|no          the button chosen in a message box
//   file PATH | file cancel          the file chosen in a file dialog
//
// Blank lines and lines starting with '#' are ignored; names are not case
// sensitive; TEXT and PATH are the rest of the line (UTF-8), PATH a Windows
// path. docs/headless.md describes how each action is carried out.
#pragma once

#include <cstddef>
#include <deque>
#include <string>

#include "platform/win/windef.h"

namespace uw::headless {

struct Action {
  enum Kind { kKey, kClick, kType, kCheck, kFocus, kClose, kAnswer, kFile, kInvalid };
  Kind kind = kInvalid;
  int line = 0;      // line number in the script, from 1
  std::string text;  // the line as written, trimmed
  int vk = 0;        // kKey
  unsigned modifiers = 0;
  int id = 0;           // kClick, kType, kCheck, kFocus
  int check = 0;        // kCheck
  std::string value;    // kType: the text; kFile: the path; kAnswer: ok|cancel|yes|no
  bool cancel = false;  // kFile: "file cancel"
  std::string error;    // kInvalid: what is wrong
};

// Parses one non-blank, non-comment line. A line that does not parse gives
// kInvalid with the reason.
Action ParseAction(const std::string& line, int lineNumber);

// Parses a key name with its modifiers ("shift+F12"). False when unknown.
bool ParseKeyName(const std::string& name, int* vk, unsigned* modifiers);
// The script name of a key ("shift+F12").
std::string KeyName(int vk, unsigned modifiers);

class Script {
 public:
  // Replaces the remaining actions by those of `text`.
  void Load(const std::string& text);
  // The next action, or null when the script ran dry.
  const Action* Peek() const { return m_actions.empty() ? nullptr : &m_actions.front(); }
  void Pop() { m_actions.pop_front(); }
  std::size_t Remaining() const { return m_actions.size(); }

 private:
  std::deque<Action> m_actions;
};

}  // namespace uw::headless
