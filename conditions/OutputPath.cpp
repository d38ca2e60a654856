#include "conditions/OutputPath.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/win/crt_io.h"
#include "platform/win/fileapi.h"
#include "platform/win/mbstring.h"
#include "platform/win/shlwapi.h"

namespace {

// Bytes of the character at text[i]: 2 for a lead byte followed by a trail
// byte, else 1.
int CharLen(const char* text, int i) {
  const unsigned char c = static_cast<unsigned char>(text[i]);
  const unsigned char next = static_cast<unsigned char>(text[i + 1]);
  return (_ismbblead(c) && next != 0 && _ismbbtrail(next)) ? 2 : 1;
}

// Position of the last single-byte `c` in `text`, or -1 (also for null).
int FindLastSingle(const char* text, char c) {
  int found = -1;
  if (text == nullptr) return found;
  for (int i = 0; text[i] != '\0'; i += CharLen(text, i)) {
    if (CharLen(text, i) == 1 && text[i] == c) found = i;
  }
  return found;
}

// Positions of every single-byte backslash of `text`, in order.
std::vector<int> SingleBackslashes(const char* text) {
  std::vector<int> positions;
  for (int i = 0; text[i] != '\0'; i += CharLen(text, i)) {
    if (CharLen(text, i) == 1 && text[i] == '\\') positions.push_back(i);
  }
  return positions;
}

bool EndsInBackslash(const char* text) {
  int last = -1;
  for (int i = 0; text[i] != '\0'; i += CharLen(text, i)) last = i;
  return last >= 0 && CharLen(text, last) == 1 && text[last] == '\\';
}

// Whether the scan from the start reaches a single-byte backslash at `i`
// followed by another.
bool HasDoubledBackslash(const char* text, int from) {
  for (int i = 0; text[i] != '\0'; i += CharLen(text, i)) {
    if (i >= from && CharLen(text, i) == 1 && text[i] == '\\' && text[i + 1] == '\\') return true;
  }
  return false;
}

bool IsNetworkPath(const char* path) { return path[0] == '\\' && path[1] == '\\'; }

// Copies `path` into a path buffer; false (buffer emptied) when it does not fit.
bool CopyToPathBuffer(char* buffer, const char* path) {
  buffer[0] = '\0';
  if (path == nullptr || std::strlen(path) >= static_cast<std::size_t>(kPathBufferSize)) {
    return false;
  }
  std::snprintf(buffer, kPathBufferSize, "%s", path);
  return true;
}

// The trailing-backslash rule of the folder walk: nothing to do when the
// text ends in a single-byte backslash, else one is appended unless the text
// is 260 bytes or longer.
bool EndWithBackslash(char* path) {
  if (EndsInBackslash(path)) return true;
  return AddBackslash(path, kPathBufferSize) == 1;
}

// First `n` bytes of `a` and `b` equal, ignoring the case of single-byte
// letters; a double-byte character compares exactly.
bool EqualNoCase(const char* a, const char* b, std::size_t n) {
  std::size_t i = 0;
  while (i < n) {
    if (CharLen(a, static_cast<int>(i)) == 2 && i + 1 < n) {
      if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
      i += 2;
      continue;
    }
    char x = a[i];
    char y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
    if (x != y) return false;
    ++i;
  }
  return true;
}

CString Substring(const char* text, int begin, int end) {
  return CString(std::string(text + begin, text + end).c_str());
}

// Root of `path` with a trailing backslash into `root`; false when it has none.
bool RootWithBackslash(const char* path, char* root) {
  std::snprintf(root, kPathBufferSize, "%s", path);
  return PathStripToRootA(root) && AddBackslash(root, kPathBufferSize) == 1;
}

}  // namespace

BOOL FitsPathBuffer(const char* path) {
  return path != nullptr && std::strlen(path) < static_cast<std::size_t>(kPathBufferSize);
}

BOOL CheckPathChars(const char* path) {
  if (path == nullptr) return FALSE;
  const char* rest = path;
  if (IsNetworkPath(path)) {
    if (HasDoubledBackslash(path, 3)) return FALSE;
    rest = path + 2;
  } else {
    if (HasDoubledBackslash(path, 0)) return FALSE;
    // ':' is never a byte of a double-byte character.
    if (const char* colon = std::strchr(path, ':')) rest = colon + 1;
  }
  static const char kForbidden[] = "/:,;*?\"><|";
  for (int i = 0; rest[i] != '\0'; i += CharLen(rest, i)) {
    if (CharLen(rest, i) == 1 && std::strchr(kForbidden, rest[i]) != nullptr) return FALSE;
  }
  return TRUE;
}

BOOL CheckDrive(const char* path) {
  if (path == nullptr) return FALSE;
  if (!IsNetworkPath(path)) {
    if (HasDoubledBackslash(path, 0)) return FALSE;
    return IsDriveUsable(static_cast<unsigned char>(path[0]), 6);
  }
  int serverEnd = -1;
  int shareEnd = -1;
  for (const int i : SingleBackslashes(path)) {
    if (i < 3) continue;
    if (serverEnd < 0) {
      serverEnd = i;
    } else {
      shareEnd = i;
      break;
    }
  }
  if (shareEnd < 0) return FALSE;
  const std::string root(path, static_cast<std::size_t>(shareEnd));
  return _access(root.c_str(), 6) == 0;
}

BOOL IsDriveUsable(int letter, int mode) {
  const bool upper = letter >= 'A' && letter <= 'Z';
  const bool lower = letter >= 'a' && letter <= 'z';
  if (!upper && !lower) return FALSE;
  char root[4];
  std::snprintf(root, sizeof(root), "%c:\\", upper ? letter : letter - 'a' + 'A');
  switch (GetDriveTypeA(root)) {
    case DRIVE_UNKNOWN:
    case DRIVE_CDROM:
    case DRIVE_RAMDISK:
      return FALSE;
    case DRIVE_NO_ROOT_DIR:
      return TRUE;
    case DRIVE_REMOVABLE:
    case DRIVE_FIXED:
    case DRIVE_REMOTE:
      return _access(root, mode) == 0;
    default:
      return TRUE;
  }
}

CString GetFolderPart(const char* path) {
  const int last = FindLastSingle(path, '\\');
  return last < 0 ? CString() : Substring(path, 0, last + 1);
}

CString GetFileNamePart(const char* path) {
  const int last = FindLastSingle(path, '\\');
  return path == nullptr ? CString() : CString(path + last + 1);
}

CString GetDrivePart(const char* path) {
  const int last = FindLastSingle(path, ':');
  return last < 0 ? CString() : Substring(path, 0, last + 1);
}

CString GetAfterDrivePart(const char* path) {
  const int last = FindLastSingle(path, ':');
  return path == nullptr ? CString() : CString(path + last + 1);
}

int AddBackslash(char* path, int size) {
  if (path == nullptr || path[0] == '\0') return 0;
  if (EndsInBackslash(path)) return 1;
  const int length = static_cast<int>(std::strlen(path));
  if (length >= size - 1) return 0;
  path[length] = '\\';
  path[length + 1] = '\0';
  return 1;
}

int ToFolderPath(char* path) {
  char drive[_MAX_DRIVE];
  char dir[kPathBufferSize];
  if (path == nullptr ||
      _splitpath_s(path, drive, sizeof(drive), dir, sizeof(dir), nullptr, 0, nullptr, 0) != 0) {
    return 0;
  }
  std::string result = std::string(drive) + dir;
  if (result.empty()) return 0;
  const std::size_t length = std::strlen(path);
  if (!EndsInBackslash(result.c_str()) && result.size() < length) result += '\\';
  // Never longer than `path`: drive and folder are a part of it, and the
  // backslash is added only to a shorter result.
  std::memcpy(path, result.c_str(), result.size() + 1);
  return 1;
}

BOOL FolderExists(const char* path) {
  char copy[kPathBufferSize];
  if (path == nullptr || path[0] == '\0' || !CopyToPathBuffer(copy, path)) return FALSE;
  ToFolderPath(copy);
  return PathIsDirectoryA(copy) != 0 ? TRUE : FALSE;
}

BOOL IsDbcsAt(const char* text, int pos) {
  if (text == nullptr || pos < 0) return FALSE;
  for (int i = 0; text[i] != '\0' && i <= pos; i += CharLen(text, i)) {
    if (CharLen(text, i) == 2 && (pos == i || pos == i + 1)) return TRUE;
  }
  return FALSE;
}

int CreateFolderTree(const char* folder) {
  char target[kPathBufferSize];
  if (folder == nullptr || folder[0] == '\0' || !CopyToPathBuffer(target, folder)) return 0;
  if (ToFolderPath(target) == 0 || target[0] == '\0') return 0;
  if (!EndWithBackslash(target)) return 0;
  const char* rest = PathSkipRootA(target);
  if (rest == nullptr) return 0;

  char root[kPathBufferSize];
  if (!RootWithBackslash(target, root)) return 0;
  std::string known = root;  // the deepest level known to have existed before
  for (const int i : SingleBackslashes(rest)) {
    const std::string level =
        std::string(root) + std::string(rest, static_cast<std::size_t>(i)) + "\\";
    if (FolderExists(level.c_str())) {
      known = level;
    } else if (!CreateDirectoryA(level.c_str(), nullptr)) {
      RemoveCreatedFolders(level.c_str(), known.c_str());
      return 0;
    }
  }
  return 1;
}

void RemoveCreatedFolders(const char* target, const char* keep) {
  char t[kPathBufferSize];
  char k[kPathBufferSize];
  if (!CopyToPathBuffer(t, target) || ToFolderPath(t) == 0 || !EndWithBackslash(t)) return;
  if (!CopyToPathBuffer(k, keep) || ToFolderPath(k) == 0 || !EndWithBackslash(k)) return;
  char targetRoot[kPathBufferSize];
  char keepRoot[kPathBufferSize];
  if (!RootWithBackslash(t, targetRoot) || !RootWithBackslash(k, keepRoot)) return;
  const char* targetRest = PathSkipRootA(t);
  const char* keepRest = PathSkipRootA(k);
  if (targetRest == nullptr || keepRest == nullptr) return;

  const std::size_t rootLength = std::strlen(targetRoot);
  const std::size_t keepLength = std::strlen(keepRest);
  if (rootLength != std::strlen(keepRoot) || !EqualNoCase(targetRoot, keepRoot, rootLength) ||
      keepLength > std::strlen(targetRest) || !EqualNoCase(keepRest, targetRest, keepLength)) {
    return;
  }
  const std::vector<int> levels = SingleBackslashes(targetRest);
  for (auto it = levels.rbegin(); it != levels.rend() && *it >= 1; ++it) {
    const std::size_t i = static_cast<std::size_t>(*it);
    if (keepLength >= i && EqualNoCase(keepRest, targetRest, i)) break;  // at or above `keep`
    const std::string level = std::string(targetRoot) + std::string(targetRest, i) + "\\";
    if (PathIsDirectoryA(level.c_str()) && !RemoveDirectoryA(level.c_str())) break;
  }
}
