#include "platform/win/profile.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <string_view>

#include "platform/win/crt.h"
#include "platform/win/drive_map.h"
#include "platform/win/mbstring.h"

namespace {

enum class Encoding { kCp932, kUtf8 };

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// ASCII case-insensitive equality. In CP932 a double-byte character is
// compared whole: its trail byte may be a letter and must not be folded.
bool SameName(std::string_view a, std::string_view b, Encoding encoding) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto c = static_cast<unsigned char>(a[i]);
    if (encoding == Encoding::kCp932 && _ismbblead(c) && i + 1 < a.size() &&
        _ismbbtrail(static_cast<unsigned char>(a[i + 1]))) {
      if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
      ++i;
      continue;
    }
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

// Position of the ']' that closes a section name, npos when none. In CP932
// the byte 0x5D can be a trail byte (as in "ゾ", 83 5D), so characters are
// stepped over whole.
std::size_t FindClosingBracket(std::string_view text, Encoding encoding) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == ']') return i;
    if (encoding == Encoding::kCp932 && _ismbblead(static_cast<unsigned char>(text[i])) &&
        i + 1 < text.size() && _ismbbtrail(static_cast<unsigned char>(text[i + 1]))) {
      ++i;
    }
  }
  return std::string_view::npos;
}

std::string_view Unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

// Calls `onKey(key, value)` for every key line of the first section named
// `section`, in file order, until it returns false. Returns true when the
// section exists.
template <typename OnKey>
bool WalkSection(std::string_view content, std::string_view section, Encoding encoding,
                 OnKey onKey) {
  bool inside = false;
  bool found = false;
  while (!content.empty()) {
    const std::size_t end = content.find('\n');
    const std::string_view line =
        Trim(content.substr(0, end == std::string_view::npos ? content.size() : end));
    content.remove_prefix(end == std::string_view::npos ? content.size() : end + 1);
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      if (inside) return true;  // the first section of the name is the only one
      const std::string_view rest = line.substr(1);
      const std::string_view name = Trim(rest.substr(0, FindClosingBracket(rest, encoding)));
      inside = SameName(name, section, encoding);
      found = found || inside;
      continue;
    }
    if (!inside) continue;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    const std::string_view key = Trim(line.substr(0, equals));
    if (key.empty()) continue;
    if (!onKey(key, Unquote(Trim(line.substr(equals + 1))))) return true;
  }
  return found;
}

// Value of the first `key` of the first `section`; false when there is none.
bool FindValue(std::string_view content, std::string_view section, std::string_view key,
               Encoding encoding, std::string* value) {
  bool found = false;
  WalkSection(content, section, encoding, [&](std::string_view k, std::string_view v) {
    if (!SameName(k, key, encoding)) return true;
    value->assign(v);
    found = true;
    return false;
  });
  return found;
}

// The whole content of the regular file `path`; false when it cannot be read.
bool ReadWholeFile(const std::string& path, std::string* content) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info;
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    close(fd);
    return false;
  }
  std::string data;
  char chunk[8192];
  for (;;) {
    const ssize_t got = read(fd, chunk, sizeof chunk);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      close(fd);
      return false;
    }
    if (got == 0) break;
    data.append(chunk, static_cast<std::size_t>(got));
  }
  close(fd);
  *content = std::move(data);
  return true;
}

std::string_view WithoutBom(std::string_view content) {
  if (content.substr(0, 3) == "\xEF\xBB\xBF") content.remove_prefix(3);
  return content;
}

// Looks `key` up in the profile file named by the Windows path `fileName`.
bool FindInWinFile(LPCSTR section, LPCSTR key, LPCSTR fileName, std::string* value) {
  if (fileName == nullptr || *fileName == '\0') return false;
  std::string winPath = fileName;
  if (winPath.find_first_of("\\/:") == std::string::npos) winPath = "C:\\windows\\" + winPath;
  std::string posixPath, content;
  if (!uw::WinPathToPosix(winPath.c_str(), &posixPath)) return false;
  if (!ReadWholeFile(posixPath, &content)) return false;
  return FindValue(content, section, key, Encoding::kCp932, value);
}

}  // namespace

DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR def, LPSTR buffer, DWORD size,
                               LPCSTR fileName) {
  if (buffer == nullptr || size == 0) return 0;
  std::string text;
  if (section == nullptr || key == nullptr) {
    text.clear();
  } else if (!FindInWinFile(section, key, fileName, &text)) {
    std::string_view fallback = def != nullptr ? def : "";
    while (!fallback.empty() && IsBlank(fallback.back())) fallback.remove_suffix(1);
    text.assign(fallback);
  }
  const std::size_t length = uw::CutToCharBoundary(text.c_str(), size - 1);
  std::memcpy(buffer, text.data(), length);
  buffer[length] = '\0';
  return static_cast<DWORD>(length);
}

UINT GetPrivateProfileIntA(LPCSTR section, LPCSTR key, int def, LPCSTR fileName) {
  std::string text;
  if (section == nullptr || key == nullptr || !FindInWinFile(section, key, fileName, &text)) {
    return static_cast<UINT>(def);
  }
  return static_cast<UINT>(win::atol(text.c_str()));
}

namespace uw {

bool ReadProfileString(const std::string& posixPath, const std::string& section,
                       const std::string& key, std::string* value) {
  std::string content, found;
  if (value == nullptr || !ReadWholeFile(posixPath, &content)) return false;
  if (!FindValue(WithoutBom(content), section, key, Encoding::kUtf8, &found)) return false;
  *value = std::move(found);
  return true;
}

std::vector<std::pair<std::string, std::string>> ReadProfileSection(const std::string& posixPath,
                                                                    const std::string& section) {
  std::vector<std::pair<std::string, std::string>> entries;
  std::string content;
  if (!ReadWholeFile(posixPath, &content)) return entries;
  WalkSection(WithoutBom(content), section, Encoding::kUtf8,
              [&](std::string_view key, std::string_view value) {
                for (const auto& entry : entries) {
                  if (SameName(entry.first, key, Encoding::kUtf8)) return true;
                }
                entries.emplace_back(std::string(key), std::string(value));
                return true;
              });
  return entries;
}

}  // namespace uw
