#include "platform/win/drive_map.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <utility>

#include "platform/win/prefix.h"
#include "platform/win/profile.h"
#include "platform/win/text_convert.h"
#include "platform/win/win_path.h"

namespace uw {

namespace {

constexpr unsigned kDriveUnknown = 0;
constexpr unsigned kDriveFixed = 3;

std::string Trim(const std::string& text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  const auto last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

std::string LowerAscii(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

unsigned ParseDriveType(const std::string& text) {
  static const char* const kNames[] = {"unknown", "noroot", "removable", "fixed",
                                       "remote",  "cdrom",  "ramdisk"};
  const std::string lower = LowerAscii(Trim(text));
  if (lower.empty()) return kDriveFixed;
  for (unsigned n = 0; n < sizeof(kNames) / sizeof(kNames[0]); ++n) {
    if (lower == kNames[n]) return n;
  }
  if (lower.find_first_not_of("0123456789") != std::string::npos) return kDriveUnknown;
  errno = 0;
  const unsigned long value = std::strtoul(lower.c_str(), nullptr, 10);
  if (errno != 0 || value > 0xFFFFFFFFul) return kDriveUnknown;
  return static_cast<unsigned>(value);
}

// "C", "c:" -> "C:"; "\\server\share" -> itself; anything else -> "".
std::string ParseDriveName(const std::string& key) {
  const std::string name = Trim(key);
  const bool letter =
      !name.empty() && ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= 'a' && name[0] <= 'z'));
  if (letter && (name.size() == 1 || (name.size() == 2 && name[1] == ':'))) {
    const char upper = static_cast<char>(name[0] >= 'a' ? name[0] - 'a' + 'A' : name[0]);
    return std::string(1, upper) + ":";
  }
  if (name.size() > 2 && name[0] == '\\' && name[1] == '\\') {
    const auto slash = name.find('\\', 2);
    if (slash == std::string::npos || slash == 2 || slash + 1 >= name.size()) return "";
    if (name.find('\\', slash + 1) != std::string::npos) return "";
    return name;
  }
  return "";
}

bool SameNameNoCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && LowerAscii(a) == LowerAscii(b);
}

std::vector<DriveMapping> DefaultMap() {
  return {{"C:", NormalisePosixPath(GetPrefixPath("drive_c")), kDriveFixed},
          {"Z:", "/", kDriveFixed}};
}

std::string PlatformIni() { return GetPrefixPath("platform.ini"); }

std::string CurrentPosixFolder() {
  std::string buffer(256, '\0');
  for (;;) {
    if (getcwd(buffer.data(), buffer.size()) != nullptr) return buffer.c_str();
    if (errno != ERANGE) return "/";
    buffer.resize(buffer.size() * 2);
  }
}

// The parts of the Windows name of an absolute, normalised POSIX path, taken
// from the longest mapped root above it.
bool PosixToWinParts(const std::string& normalised, WinPathParts* parts) {
  const std::vector<DriveMapping> map = LoadDriveMap();
  const DriveMapping* best = nullptr;
  for (const DriveMapping& m : map) {
    const bool above = m.root == "/" || normalised == m.root ||
                       normalised.compare(0, m.root.size() + 1, m.root + "/") == 0;
    if (above && (best == nullptr || m.root.size() > best->root.size())) best = &m;
  }
  if (best == nullptr) return false;

  WinPathParts result;
  if (best->name.size() == 2) {
    result.kind = WinPathParts::kDrive;
    result.letter = best->name[0];
  } else {
    const auto slash = best->name.find('\\', 2);
    result.kind = WinPathParts::kShare;
    result.server = Utf8ToCp932(best->name.substr(2, slash - 2));
    result.share = Utf8ToCp932(best->name.substr(slash + 1));
  }
  std::size_t pos = best->root == "/" ? 1 : best->root.size() + 1;
  while (pos < normalised.size()) {
    auto end = normalised.find('/', pos);
    if (end == std::string::npos) end = normalised.size();
    result.components.push_back(Utf8ToCp932(normalised.substr(pos, end - pos)));
    pos = end + 1;
  }
  *parts = std::move(result);
  return true;
}

bool CurrentWinParts(WinPathParts* parts) {
  return PosixToWinParts(NormalisePosixPath(CurrentPosixFolder()), parts);
}

bool ResolveWinPath(const char* winPath, WinPathParts* parts) {
  if (winPath == nullptr) return false;
  // An absolute path needs no current folder, which costs a look at the map.
  const bool absolute = (IsWinSeparator(winPath[0]) && IsWinSeparator(winPath[1])) ||
                        (winPath[0] != '\0' && winPath[1] == ':' && IsWinSeparator(winPath[2]));
  std::string current;
  const bool haveCurrent = !absolute && GetCurrentWinFolder(&current);
  return ParseWinPath(winPath, haveCurrent ? current.c_str() : nullptr, parts);
}

}  // namespace

std::vector<DriveMapping> LoadDriveMap() {
  const auto lines = ReadProfileSection(PlatformIni(), "drives");
  std::vector<DriveMapping> letters(26);
  std::vector<DriveMapping> shares;
  bool any = false;
  for (const auto& [key, value] : lines) {
    const std::string name = ParseDriveName(key);
    if (name.empty()) continue;
    DriveMapping mapping;
    mapping.name = name;
    std::string folder = value;
    const auto comma = value.rfind(',');
    if (comma != std::string::npos) {
      folder = value.substr(0, comma);
      mapping.type = ParseDriveType(value.substr(comma + 1));
    }
    folder = Trim(folder);
    if (folder.empty()) continue;
    if (folder[0] != '/') folder = GetPrefixPath(folder);
    mapping.root = NormalisePosixPath(folder);
    any = true;
    if (name.size() == 2) {
      DriveMapping& slot = letters[static_cast<std::size_t>(name[0] - 'A')];
      if (slot.name.empty()) slot = mapping;
      continue;
    }
    bool known = false;
    for (const DriveMapping& m : shares) known = known || SameNameNoCase(m.name, name);
    if (!known) shares.push_back(mapping);
  }
  if (!any) return DefaultMap();
  std::vector<DriveMapping> map;
  for (DriveMapping& m : letters) {
    if (!m.name.empty()) map.push_back(std::move(m));
  }
  for (DriveMapping& m : shares) map.push_back(std::move(m));
  return map;
}

bool FindDriveMapping(const WinPathParts& parts, DriveMapping* mapping) {
  std::string name;
  if (parts.kind == WinPathParts::kDrive) {
    name = std::string(1, parts.letter) + ":";
  } else {
    name = "\\\\" + Cp932ToUtf8(parts.server) + "\\" + Cp932ToUtf8(parts.share);
  }
  for (DriveMapping& m : LoadDriveMap()) {
    if (SameNameNoCase(m.name, name)) {
      *mapping = std::move(m);
      return true;
    }
  }
  return false;
}

bool WinPathToPosix(const char* winPath, std::string* posixPath) {
  WinPathParts parts;
  DriveMapping mapping;
  if (!ResolveWinPath(winPath, &parts) || !FindDriveMapping(parts, &mapping)) return false;
  std::string result = mapping.root;
  for (const std::string& component : parts.components) {
    if (result.back() != '/') result += '/';
    result += Cp932ToUtf8(component);
  }
  if (parts.trailingSeparator && !parts.components.empty()) result += '/';
  *posixPath = std::move(result);
  return true;
}

bool PosixPathToWin(const std::string& posixPath, std::string* winPath) {
  WinPathParts parts;
  if (!PosixToWinParts(NormalisePosixPath(posixPath), &parts)) return false;
  *winPath = FormatWinPath(parts, false);
  return true;
}

bool GetFullWinPath(const char* winPath, std::string* fullPath) {
  WinPathParts parts;
  if (!ResolveWinPath(winPath, &parts)) return false;
  *fullPath = FormatWinPath(parts, parts.trailingSeparator);
  return true;
}

bool GetCurrentWinFolder(std::string* winFolder) {
  WinPathParts parts;
  if (!CurrentWinParts(&parts)) return false;
  *winFolder = FormatWinPath(parts, false);
  return true;
}

bool GetTempWinFolder(std::string* winFolder) {
  WinPathParts parts;
  std::string configured;
  if (ReadProfileString(PlatformIni(), "paths", "temp", &configured) && !Trim(configured).empty()) {
    if (!ResolveWinPath(Utf8ToCp932(Trim(configured)).c_str(), &parts)) return false;
  } else {
    const char* tmpdir = std::getenv("TMPDIR");
    const std::string posix = (tmpdir != nullptr && *tmpdir != '\0') ? tmpdir : "/tmp";
    if (!PosixToWinParts(NormalisePosixPath(posix), &parts)) return false;
  }
  *winFolder = FormatWinPath(parts, true);
  return true;
}

std::string NormalisePosixPath(const std::string& path) {
  const std::string absolute =
      (!path.empty() && path[0] == '/') ? path : CurrentPosixFolder() + "/" + path;
  std::vector<std::string> names;
  std::size_t pos = 0;
  while (pos <= absolute.size()) {
    auto end = absolute.find('/', pos);
    if (end == std::string::npos) end = absolute.size();
    const std::string name = absolute.substr(pos, end - pos);
    if (name == "..") {
      if (!names.empty()) names.pop_back();
    } else if (!name.empty() && name != ".") {
      names.push_back(name);
    }
    pos = end + 1;
  }
  std::string result;
  for (const std::string& name : names) result += "/" + name;
  return result.empty() ? "/" : result;
}

}  // namespace uw
