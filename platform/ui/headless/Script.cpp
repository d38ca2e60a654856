#include "platform/ui/headless/Script.h"

#include <strings.h>

#include <cctype>
#include <cstdlib>
#include <sstream>

#include "platform/ui/Backend.h"
#include "platform/ui/winuser.h"

namespace uw::headless {
namespace {

std::string Trim(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return "";
  const std::size_t last = text.find_last_not_of(" \t\r\n");
  return text.substr(first, last - first + 1);
}

bool Same(const std::string& a, const char* b) { return strcasecmp(a.c_str(), b) == 0; }

// A control id: a decimal number that fits an int.
bool ParseId(const std::string& text, int* id) {
  if (text.empty() || text.size() > 9) return false;
  for (char c : text) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  }
  *id = std::atoi(text.c_str());
  return true;
}

struct NamedKey {
  const char* name;
  int vk;
};
constexpr NamedKey kNamedKeys[] = {
    {"Enter", VK_RETURN}, {"Return", VK_RETURN}, {"Esc", VK_ESCAPE}, {"Escape", VK_ESCAPE},
    {"Tab", VK_TAB},      {"Space", VK_SPACE},   {"Up", VK_UP},      {"Down", VK_DOWN},
    {"Left", VK_LEFT},    {"Right", VK_RIGHT},
};

}  // namespace

bool ParseKeyName(const std::string& name, int* vk, unsigned* modifiers) {
  std::string rest = name;
  unsigned mods = 0;
  for (;;) {
    const std::size_t plus = rest.find('+');
    if (plus == std::string::npos || plus + 1 == rest.size()) break;
    const std::string prefix = rest.substr(0, plus);
    if (Same(prefix, "shift")) {
      mods |= uw::ui::kModShift;
    } else if (Same(prefix, "ctrl") || Same(prefix, "control")) {
      mods |= uw::ui::kModControl;
    } else if (Same(prefix, "alt")) {
      mods |= uw::ui::kModAlt;
    } else {
      return false;
    }
    rest = rest.substr(plus + 1);
  }
  for (const NamedKey& key : kNamedKeys) {
    if (Same(rest, key.name)) {
      *vk = key.vk;
      *modifiers = mods;
      return true;
    }
  }
  if ((rest[0] == 'F' || rest[0] == 'f') && rest.size() >= 2 && rest.size() <= 3) {
    int number = 0;
    if (ParseId(rest.substr(1), &number) && number >= 1 && number <= 12) {
      *vk = VK_F1 + number - 1;
      *modifiers = mods;
      return true;
    }
  }
  if (rest.size() == 1 && std::isalnum(static_cast<unsigned char>(rest[0]))) {
    *vk = std::toupper(static_cast<unsigned char>(rest[0]));
    *modifiers = mods;
    return true;
  }
  return false;
}

std::string KeyName(int vk, unsigned modifiers) {
  std::string name;
  if ((modifiers & uw::ui::kModShift) != 0) name += "shift+";
  if ((modifiers & uw::ui::kModControl) != 0) name += "ctrl+";
  if ((modifiers & uw::ui::kModAlt) != 0) name += "alt+";
  for (const NamedKey& key : kNamedKeys) {
    if (key.vk == vk) return name + key.name;
  }
  if (vk >= VK_F1 && vk <= VK_F12) return name + "F" + std::to_string(vk - VK_F1 + 1);
  return name + static_cast<char>(vk);
}

Action ParseAction(const std::string& rawLine, int lineNumber) {
  Action action;
  action.line = lineNumber;
  action.text = Trim(rawLine);
  const std::string& line = action.text;
  const std::size_t space = line.find_first_of(" \t");
  const std::string command = line.substr(0, space);
  const std::string rest = space == std::string::npos ? "" : Trim(line.substr(space + 1));
  // The first word of `rest` and what follows it (TEXT keeps its blanks).
  const std::size_t restSpace = rest.find_first_of(" \t");
  const std::string first = rest.substr(0, restSpace);
  const std::string tail = restSpace == std::string::npos ? "" : rest.substr(restSpace + 1);

  const auto invalid = [&action](const std::string& why) {
    action.kind = Action::kInvalid;
    action.error = why;
    return action;
  };

  if (Same(command, "key")) {
    if (!ParseKeyName(rest, &action.vk, &action.modifiers)) return invalid("unknown key");
    action.kind = Action::kKey;
  } else if (Same(command, "click") || Same(command, "focus")) {
    if (!ParseId(rest, &action.id)) return invalid("a control id is expected");
    action.kind = Same(command, "click") ? Action::kClick : Action::kFocus;
  } else if (Same(command, "type")) {
    if (!ParseId(first, &action.id)) return invalid("a control id is expected");
    // The text is everything after the id and one blank, kept as written.
    const std::size_t idEnd = line.find(first, space) + first.size();
    action.value = idEnd < line.size() ? line.substr(idEnd + 1) : "";
    action.kind = Action::kType;
  } else if (Same(command, "check")) {
    if (!ParseId(first, &action.id)) return invalid("a control id is expected");
    if (tail != "0" && tail != "1") return invalid("0 or 1 is expected after the id");
    action.check = tail == "1" ? 1 : 0;
    action.kind = Action::kCheck;
  } else if (Same(command, "close")) {
    if (!rest.empty()) return invalid("close takes nothing");
    action.kind = Action::kClose;
  } else if (Same(command, "answer")) {
    if (!Same(rest, "ok") && !Same(rest, "cancel") && !Same(rest, "yes") && !Same(rest, "no")) {
      return invalid("ok, cancel, yes or no is expected");
    }
    for (char c : rest)
      action.value += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    action.kind = Action::kAnswer;
  } else if (Same(command, "file")) {
    if (rest.empty()) return invalid("a path or cancel is expected");
    action.cancel = Same(rest, "cancel");
    action.value = rest;
    action.kind = Action::kFile;
  } else {
    return invalid("unknown command");
  }
  return action;
}

void Script::Load(const std::string& text) {
  m_actions.clear();
  std::istringstream lines(text);
  std::string line;
  int number = 0;
  while (std::getline(lines, line)) {
    ++number;
    const std::string trimmed = Trim(line);
    if (trimmed.empty() || trimmed[0] == '#') continue;
    m_actions.push_back(ParseAction(line, number));
  }
}

}  // namespace uw::headless
