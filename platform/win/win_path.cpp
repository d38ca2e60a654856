#include "platform/win/win_path.h"

#include "platform/win/mbstring.h"

namespace uw {

namespace {

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

char ToUpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Reads one name starting at path[*i] up to the next separator or the end;
// leaves *i on the separator (or the NUL).
std::string ReadName(const char* path, std::size_t* i) {
  std::string name;
  while (path[*i] != '\0' && !IsWinSeparator(path[*i])) {
    const std::size_t len = CharLenAt(path, *i);
    name.append(path + *i, len);
    *i += len;
  }
  return name;
}

void AddComponent(std::vector<std::string>* components, std::string name) {
  if (name.empty() || name == ".") return;
  if (name == "..") {
    if (!components->empty()) components->pop_back();
    return;
  }
  components->push_back(std::move(name));
}

}  // namespace

std::size_t CharLenAt(const char* text, std::size_t i) {
  const unsigned char c = static_cast<unsigned char>(text[i]);
  const unsigned char next = static_cast<unsigned char>(text[i + 1]);
  return (_ismbblead(c) != 0 && next != 0 && _ismbbtrail(next) != 0) ? 2 : 1;
}

bool ParseWinPath(const char* path, const char* currentFolder, WinPathParts* parts) {
  if (path == nullptr || path[0] == '\0') return false;
  WinPathParts result;
  std::size_t i = 0;
  if (IsWinSeparator(path[0]) && IsWinSeparator(path[1])) {
    i = 2;
    result.kind = WinPathParts::kShare;
    result.server = ReadName(path, &i);
    if (result.server.empty() || path[i] == '\0') return false;
    ++i;
    result.share = ReadName(path, &i);
    if (result.share.empty()) return false;
  } else if (IsAsciiLetter(path[0]) && path[1] == ':') {
    result.kind = WinPathParts::kDrive;
    result.letter = ToUpperAscii(path[0]);
    i = 2;
    WinPathParts current;
    if (!IsWinSeparator(path[2]) && ParseWinPath(currentFolder, nullptr, &current) &&
        current.kind == WinPathParts::kDrive && current.letter == result.letter) {
      result.components = current.components;
    }
  } else {
    // "\A" starts at the current root, "A" in the current folder.
    WinPathParts current;
    if (!ParseWinPath(currentFolder, nullptr, &current)) return false;
    result = current;
    result.trailingSeparator = false;
    if (IsWinSeparator(path[0])) result.components.clear();
  }

  bool endsInSeparator = false;
  while (path[i] != '\0') {
    if (IsWinSeparator(path[i])) {
      endsInSeparator = true;
      ++i;
      continue;
    }
    endsInSeparator = false;
    AddComponent(&result.components, ReadName(path, &i));
  }
  result.trailingSeparator = endsInSeparator;
  *parts = std::move(result);
  return true;
}

std::string FormatWinRoot(const WinPathParts& parts) {
  if (parts.kind == WinPathParts::kShare) return "\\\\" + parts.server + "\\" + parts.share + "\\";
  return std::string(1, parts.letter) + ":\\";
}

std::string FormatWinPath(const WinPathParts& parts, bool trailingBackslash) {
  std::string text = FormatWinRoot(parts);
  for (std::size_t n = 0; n < parts.components.size(); ++n) {
    if (n > 0) text += '\\';
    text += parts.components[n];
  }
  if (trailingBackslash && !parts.components.empty()) text += '\\';
  return text;
}

bool EqualNoCaseCp932(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  std::size_t i = 0;
  while (i < a.size()) {
    const std::size_t len = CharLenAt(a.c_str(), i);
    if (len == 2) {
      if (a.compare(i, 2, b, i, 2) != 0) return false;
    } else if (ToUpperAscii(a[i]) != ToUpperAscii(b[i])) {
      return false;
    }
    i += len;
  }
  return true;
}

}  // namespace uw
