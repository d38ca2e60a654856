#include "platform/win/fileapi.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>

#include "platform/win/drive_map.h"
#include "platform/win/mbstring.h"
#include "platform/win/win_path.h"

namespace {

thread_local DWORD t_lastError = ERROR_SUCCESS;

BOOL Fail(DWORD error) {
  t_lastError = error;
  return FALSE;
}

BOOL FailErrno(int error) { return Fail(uw::WinErrorFromErrno(error)); }

// Maps a path or fails with ERROR_PATH_NOT_FOUND.
bool MapPath(LPCSTR path, std::string* posix) {
  if (path == nullptr || path[0] == '\0') {
    t_lastError = ERROR_PATH_NOT_FOUND;
    return false;
  }
  if (!uw::WinPathToPosix(path, posix)) {
    t_lastError = ERROR_PATH_NOT_FOUND;
    return false;
  }
  return true;
}

// A file without any write permission bit is what Windows calls read-only.
bool IsReadOnlyFile(const struct stat& st) {
  return !S_ISDIR(st.st_mode) && (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

bool EndsInBackslash(const std::string& text) {
  std::size_t i = 0;
  bool last = false;
  while (i < text.size()) {
    const std::size_t len = uw::CharLenAt(text.c_str(), i);
    last = len == 1 && text[i] == '\\';
    i += len;
  }
  return last;
}

void SyncFolderOf(const std::string& posixPath) {
  std::string folder = posixPath;
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  const auto slash = folder.rfind('/');
  folder = slash == 0 ? "/" : folder.substr(0, slash);
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) {
    fsync(fd);
    close(fd);
  }
}

}  // namespace

namespace uw {

DWORD WinErrorFromErrno(int error) {
  switch (error) {
    case 0:
      return ERROR_SUCCESS;
    case ENOENT:
      return ERROR_FILE_NOT_FOUND;
    case ENOTDIR:
      return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
      return ERROR_ACCESS_DENIED;
    case EEXIST:
      return ERROR_ALREADY_EXISTS;
    case ENOTEMPTY:
      return ERROR_DIR_NOT_EMPTY;
    case ENOSPC:
    case EDQUOT:
      return ERROR_DISK_FULL;
    case ENAMETOOLONG:
      return ERROR_FILENAME_EXCED_RANGE;
    case EXDEV:
      return ERROR_NOT_SAME_DEVICE;
    case EINVAL:
      return ERROR_INVALID_PARAMETER;
    default:
      return ERROR_GEN_FAILURE;
  }
}

}  // namespace uw

DWORD GetLastError() { return t_lastError; }

void SetLastError(DWORD error) { t_lastError = error; }

UINT GetDriveTypeA(LPCSTR root) {
  std::string current;
  if (root == nullptr) {
    if (!uw::GetCurrentWinFolder(&current)) return DRIVE_NO_ROOT_DIR;
    root = current.c_str();
  }
  // Only a text that names its drive counts; "dir" or "\dir" name none.
  const bool names = (root[0] != '\0' && root[1] == ':') ||
                     (uw::IsWinSeparator(root[0]) && uw::IsWinSeparator(root[1]));
  uw::WinPathParts parts;
  uw::DriveMapping mapping;
  if (!names || !uw::ParseWinPath(root, nullptr, &parts) ||
      !uw::FindDriveMapping(parts, &mapping)) {
    return DRIVE_NO_ROOT_DIR;
  }
  return mapping.type;
}

BOOL CreateDirectoryA(LPCSTR path, void* /*security*/) {
  std::string posix;
  if (!MapPath(path, &posix)) return FALSE;
  if (mkdir(posix.c_str(), 0777) != 0) {
    return errno == ENOENT ? Fail(ERROR_PATH_NOT_FOUND) : FailErrno(errno);
  }
  return TRUE;
}

BOOL RemoveDirectoryA(LPCSTR path) {
  std::string posix;
  if (!MapPath(path, &posix)) return FALSE;
  if (rmdir(posix.c_str()) != 0) {
    return errno == ENOTDIR ? Fail(ERROR_DIRECTORY) : FailErrno(errno);
  }
  return TRUE;
}

DWORD GetTempPathA(DWORD size, LPSTR buffer) {
  std::string folder;
  if (!uw::GetTempWinFolder(&folder)) return Fail(ERROR_PATH_NOT_FOUND);
  if (buffer == nullptr || size < folder.size() + 1) return static_cast<DWORD>(folder.size() + 1);
  std::memcpy(buffer, folder.c_str(), folder.size() + 1);
  return static_cast<DWORD>(folder.size());
}

UINT GetTempFileNameA(LPCSTR path, LPCSTR prefix, UINT unique, LPSTR tempFileName) {
  if (path == nullptr || prefix == nullptr || tempFileName == nullptr) {
    return Fail(ERROR_INVALID_PARAMETER);
  }
  std::string folder = path;
  if (!folder.empty() && !EndsInBackslash(folder)) folder += '\\';
  const std::string pre(prefix, uw::CutToCharBoundary(prefix, 3));

  auto formName = [&](unsigned number) {
    char hex[8];
    std::snprintf(hex, sizeof(hex), "%X", number);
    return folder + pre + hex + ".TMP";
  };
  auto store = [&](const std::string& name) {
    if (name.size() + 1 > static_cast<std::size_t>(MAX_PATH)) return false;
    std::memcpy(tempFileName, name.c_str(), name.size() + 1);
    return true;
  };

  if (unique != 0) {
    const unsigned number = unique & 0xFFFFu;
    if (!store(formName(number))) return Fail(ERROR_BUFFER_OVERFLOW);
    return number;
  }
  unsigned number = static_cast<unsigned>(std::time(nullptr) ^ (getpid() << 4)) & 0xFFFFu;
  for (unsigned attempt = 0; attempt < 0xFFFFu; ++attempt) {
    number = (number & 0xFFFFu) == 0 ? 1 : (number & 0xFFFFu);
    const std::string name = formName(number);
    if (name.size() + 1 > static_cast<std::size_t>(MAX_PATH)) return Fail(ERROR_BUFFER_OVERFLOW);
    std::string posix;
    if (!MapPath(name.c_str(), &posix)) return 0;
    const int fd = open(posix.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      close(fd);
      store(name);
      return number;
    }
    if (errno != EEXIST) {
      return errno == ENOENT ? Fail(ERROR_PATH_NOT_FOUND) : FailErrno(errno);
    }
    ++number;
  }
  return Fail(ERROR_FILE_EXISTS);
}

DWORD GetModuleFileNameA(HINSTANCE /*module*/, LPSTR buffer, DWORD size) {
  std::string exe(4096, '\0');
  const ssize_t len = readlink("/proc/self/exe", exe.data(), exe.size() - 1);
  if (len <= 0) return FailErrno(errno);
  exe.resize(static_cast<std::size_t>(len));
  std::string name;
  if (!uw::PosixPathToWin(exe, &name)) return Fail(ERROR_PATH_NOT_FOUND);
  if (buffer == nullptr || size == 0) return Fail(ERROR_INSUFFICIENT_BUFFER);
  if (name.size() + 1 > size) {
    const std::size_t cut = uw::CutToCharBoundary(name.c_str(), size - 1);
    std::memcpy(buffer, name.c_str(), cut);
    buffer[cut] = '\0';
    t_lastError = ERROR_INSUFFICIENT_BUFFER;
    return size;
  }
  std::memcpy(buffer, name.c_str(), name.size() + 1);
  return static_cast<DWORD>(name.size());
}

BOOL DeleteFileA(LPCSTR path) {
  std::string posix;
  if (!MapPath(path, &posix)) return FALSE;
  struct stat st;
  if (lstat(posix.c_str(), &st) != 0) return FailErrno(errno);
  if (S_ISDIR(st.st_mode) || IsReadOnlyFile(st)) return Fail(ERROR_ACCESS_DENIED);
  if (unlink(posix.c_str()) != 0) return FailErrno(errno);
  return TRUE;
}

BOOL MoveFileExA(LPCSTR from, LPCSTR to, DWORD flags) {
  if ((flags & ~(MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) != 0) {
    return Fail(ERROR_INVALID_PARAMETER);
  }
  std::string source;
  std::string target;
  if (!MapPath(from, &source) || !MapPath(to, &target)) return FALSE;
  struct stat st;
  if (lstat(source.c_str(), &st) != 0) return FailErrno(errno);

  const bool replace = (flags & MOVEFILE_REPLACE_EXISTING) != 0;
  if (replace) {
    if (stat(target.c_str(), &st) == 0 && (S_ISDIR(st.st_mode) || IsReadOnlyFile(st))) {
      return Fail(ERROR_ACCESS_DENIED);
    }
    if (rename(source.c_str(), target.c_str()) != 0) return FailErrno(errno);
  } else if (renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) != 0) {
    // A file system without RENAME_NOREPLACE: check, then rename.
    if (errno != EINVAL && errno != ENOSYS) return FailErrno(errno);
    if (lstat(target.c_str(), &st) == 0) return Fail(ERROR_ALREADY_EXISTS);
    if (rename(source.c_str(), target.c_str()) != 0) return FailErrno(errno);
  }
  if ((flags & MOVEFILE_WRITE_THROUGH) != 0) SyncFolderOf(target);
  return TRUE;
}
