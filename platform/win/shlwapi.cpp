#include "platform/win/shlwapi.h"

#include <sys/stat.h>

#include <cstddef>
#include <string>

#include "platform/win/drive_map.h"
#include "platform/win/win_path.h"

namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

// For a path starting with "\\": the positions of the backslash that ends
// the server name and of the one that ends the share name (kNone when
// missing), found character by character so that trail bytes are skipped.
void FindShareEnds(const char* path, std::size_t* serverEnd, std::size_t* shareEnd) {
  *serverEnd = kNone;
  *shareEnd = kNone;
  std::size_t i = 2;
  while (path[i] != '\0') {
    const std::size_t len = uw::CharLenAt(path, i);
    if (len == 1 && path[i] == '\\') {
      if (*serverEnd == kNone) {
        *serverEnd = i;
      } else {
        *shareEnd = i;
        return;
      }
    }
    i += len;
  }
}

bool IsUnc(const char* path) { return path[0] == '\\' && path[1] == '\\'; }

bool StatPath(LPCSTR path, struct stat* st) {
  std::string posix;
  return path != nullptr && uw::WinPathToPosix(path, &posix) && stat(posix.c_str(), st) == 0;
}

}  // namespace

BOOL PathStripToRootA(LPSTR path) {
  if (path == nullptr) return FALSE;
  if (IsUnc(path)) {
    std::size_t serverEnd;
    std::size_t shareEnd;
    FindShareEnds(path, &serverEnd, &shareEnd);
    if (shareEnd != kNone) path[shareEnd] = '\0';
    return TRUE;
  }
  if (path[0] != '\0' && path[1] == ':') {
    if (path[2] == '\\') {
      path[3] = '\0';
      return TRUE;
    }
    path[2] = '\0';
    return FALSE;
  }
  if (path[0] == '\\') {
    path[1] = '\0';
    return TRUE;
  }
  path[0] = '\0';
  return FALSE;
}

LPCSTR PathSkipRootA(LPCSTR path) {
  if (path == nullptr || path[0] == '\0') return nullptr;
  if (IsUnc(path)) {
    std::size_t serverEnd;
    std::size_t shareEnd;
    FindShareEnds(path, &serverEnd, &shareEnd);
    return shareEnd == kNone ? nullptr : path + shareEnd + 1;
  }
  if (path[1] == ':' && path[2] == '\\') return path + 3;
  return nullptr;
}

BOOL PathIsDirectoryA(LPCSTR path) {
  struct stat st;
  return StatPath(path, &st) && S_ISDIR(st.st_mode) ? static_cast<BOOL>(FILE_ATTRIBUTE_DIRECTORY)
                                                    : FALSE;
}

BOOL PathFileExistsA(LPCSTR path) {
  struct stat st;
  return StatPath(path, &st) ? TRUE : FALSE;
}
