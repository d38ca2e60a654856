#include "platform/win/crt_io.h"

// After our header: POSIX defines st_atime, st_mtime and st_ctime as macros
// naming members of its own struct stat, which we read by their real names.
#include <sys/stat.h>
#include <unistd.h>
#undef st_atime
#undef st_mtime
#undef st_ctime

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/win/drive_map.h"
#include "platform/win/win_path.h"

namespace {

bool MapOrENOENT(const char* path, std::string* posix) {
  if (path == nullptr) {
    errno = EINVAL;
    return false;
  }
  if (!uw::WinPathToPosix(path, posix)) {
    errno = ENOENT;
    return false;
  }
  return true;
}

bool IsReadOnly(const std::string& posix, const struct stat& st) {
  if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return true;
  return access(posix.c_str(), W_OK) != 0 && (errno == EACCES || errno == EROFS);
}

unsigned int DriveNumber(const char* path) {
  uw::WinPathParts parts;
  std::string current;
  const bool haveCurrent = uw::GetCurrentWinFolder(&current);
  if (!uw::ParseWinPath(path, haveCurrent ? current.c_str() : nullptr, &parts) ||
      parts.kind != uw::WinPathParts::kDrive) {
    return 0;
  }
  return static_cast<unsigned int>(parts.letter - 'A');
}

// Copies `length` bytes of `text` into an output of `size` bytes; false when
// they do not fit with the NUL.
bool Store(char* out, std::size_t size, const char* text, std::size_t length) {
  if (out == nullptr) return true;
  if (length + 1 > size) return false;
  std::memcpy(out, text, length);
  out[length] = '\0';
  return true;
}

}  // namespace

int _stat(const char* path, struct _stat* buffer) {
  std::string posix;
  if (buffer == nullptr) {
    errno = EINVAL;
    return -1;
  }
  if (!MapOrENOENT(path, &posix)) return -1;
  struct stat st;
  if (stat(posix.c_str(), &st) != 0) return -1;
  const bool folder = S_ISDIR(st.st_mode);
  if (!folder && st.st_size > 0x7FFFFFFF) {
    errno = EOVERFLOW;
    return -1;
  }
  unsigned short bits = _S_IREAD;
  if (folder || !IsReadOnly(posix, st)) bits |= _S_IWRITE;
  if (folder) bits |= _S_IEXEC;
  bits = static_cast<unsigned short>(bits | (bits >> 3) | (bits >> 6));

  struct _stat result = {};
  result.st_dev = DriveNumber(path);
  result.st_rdev = result.st_dev;
  result.st_mode = static_cast<unsigned short>((folder ? _S_IFDIR : _S_IFREG) | bits);
  result.st_nlink = 1;
  result.st_size = folder ? 0 : static_cast<LONG>(st.st_size);
  result.st_atime = st.st_atim.tv_sec;
  result.st_mtime = st.st_mtim.tv_sec;
  result.st_ctime = st.st_ctim.tv_sec;
  *buffer = result;
  return 0;
}

int _access(const char* path, int mode) {
  if ((mode & ~6) != 0) {
    errno = EINVAL;
    return -1;
  }
  std::string posix;
  if (!MapOrENOENT(path, &posix)) return -1;
  struct stat st;
  if (stat(posix.c_str(), &st) != 0) return -1;
  if (!S_ISDIR(st.st_mode) && (mode & 2) != 0 && IsReadOnly(posix, st)) {
    errno = EACCES;
    return -1;
  }
  return 0;
}

char* _getcwd(char* buffer, int size) {
  if (buffer != nullptr && size <= 0) {
    errno = EINVAL;
    return nullptr;
  }
  std::string folder;
  if (!uw::GetCurrentWinFolder(&folder)) {
    errno = ENOENT;
    return nullptr;
  }
  const std::size_t needed = folder.size() + 1;
  if (buffer == nullptr) {
    const std::size_t bytes = size > 0 && static_cast<std::size_t>(size) > needed
                                  ? static_cast<std::size_t>(size)
                                  : needed;
    buffer = static_cast<char*>(std::malloc(bytes));
    if (buffer == nullptr) {
      errno = ENOMEM;
      return nullptr;
    }
  } else if (needed > static_cast<std::size_t>(size)) {
    errno = ERANGE;
    return nullptr;
  }
  std::memcpy(buffer, folder.c_str(), needed);
  return buffer;
}

int _chdir(const char* path) {
  std::string posix;
  if (!MapOrENOENT(path, &posix)) return -1;
  return chdir(posix.c_str()) == 0 ? 0 : -1;
}

int _splitpath_s(const char* path, char* drive, std::size_t driveSize, char* dir,
                 std::size_t dirSize, char* fname, std::size_t fnameSize, char* ext,
                 std::size_t extSize) {
  auto clearAll = [&]() {
    if (drive != nullptr && driveSize > 0) drive[0] = '\0';
    if (dir != nullptr && dirSize > 0) dir[0] = '\0';
    if (fname != nullptr && fnameSize > 0) fname[0] = '\0';
    if (ext != nullptr && extSize > 0) ext[0] = '\0';
  };
  const bool consistent =
      (drive == nullptr) == (driveSize == 0) && (dir == nullptr) == (dirSize == 0) &&
      (fname == nullptr) == (fnameSize == 0) && (ext == nullptr) == (extSize == 0);
  if (path == nullptr || !consistent) {
    clearAll();
    errno = EINVAL;
    return EINVAL;
  }

  std::size_t driveLength = (path[0] != '\0' && path[1] == ':') ? 2 : 0;
  const char* rest = path + driveLength;
  // One scan finds the last separator and the last dot, character by character.
  std::size_t nameStart = 0;
  std::size_t lastDot = std::string::npos;
  std::size_t i = 0;
  while (rest[i] != '\0') {
    const std::size_t len = uw::CharLenAt(rest, i);
    if (len == 1 && uw::IsWinSeparator(rest[i])) {
      nameStart = i + 1;
      lastDot = std::string::npos;
    } else if (len == 1 && rest[i] == '.') {
      lastDot = i;
    }
    i += len;
  }
  const std::size_t end = i;
  const std::size_t extStart = lastDot == std::string::npos ? end : lastDot;

  if (!Store(drive, driveSize, path, driveLength) || !Store(dir, dirSize, rest, nameStart) ||
      !Store(fname, fnameSize, rest + nameStart, extStart - nameStart) ||
      !Store(ext, extSize, rest + extStart, end - extStart)) {
    clearAll();
    errno = ERANGE;
    return ERANGE;
  }
  return 0;
}

void _splitpath(const char* path, char* drive, char* dir, char* fname, char* ext) {
  const int result = _splitpath_s(
      path, drive, drive != nullptr ? _MAX_DRIVE : 0, dir, dir != nullptr ? _MAX_DIR : 0, fname,
      fname != nullptr ? _MAX_FNAME : 0, ext, ext != nullptr ? _MAX_EXT : 0);
  if (result != 0) errno = result;
}
