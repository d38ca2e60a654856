#include "platform/win/afxfile.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "platform/win/drive_map.h"
#include "platform/win/fileapi.h"

namespace {

// Fills `error` (when given) for the errno value `err` or a Windows error.
void Report(CFileException* error, int cause, DWORD winError, LPCTSTR winPath) {
  SetLastError(winError);
  if (error == nullptr) return;
  error->m_cause = cause;
  error->m_lOsError = static_cast<LONG>(winError);
  error->m_strFileName = winPath;
}

[[noreturn]] void ThrowFor(int err, LPCTSTR winPath) {
  const DWORD winError = uw::WinErrorFromErrno(err);
  SetLastError(winError);
  throw new CFileException(CFileException::ErrnoToCause(err), static_cast<LONG>(winError), winPath);
}

// Maps `winPath` or throws badPath.
std::string MapOrThrow(LPCTSTR winPath) {
  std::string posix;
  if (winPath == nullptr || *winPath == '\0' || !uw::WinPathToPosix(winPath, &posix)) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    throw new CFileException(CFileException::badPath, ERROR_PATH_NOT_FOUND, winPath);
  }
  return posix;
}

// EBADF on a descriptor that is open means it was opened without this
// access; Windows calls that access denied.
int AccessError(int error) { return error == EBADF ? EACCES : error; }

}  // namespace

void CException::Delete() {
  if (m_bAutoDelete) delete this;
}

int CFileException::ErrnoToCause(int error) {
  switch (error) {
    case 0:
      return none;
    case ENOENT:
      return fileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
      return badPath;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
      return accessDenied;
    case EMFILE:
    case ENFILE:
      return tooManyOpenFiles;
    case EBADF:
      return invalidFile;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return diskFull;
    case EIO:
      return hardIO;
    case ESPIPE:
      return badSeek;
    case EBUSY:
      return sharingViolation;
    default:
      return genericException;
  }
}

CFile::~CFile() { CFile::Close(); }

BOOL CFile::Open(LPCTSTR winPath, UINT flags, CFileException* error) {
  const UINT access = flags & 0x3;
  if (m_fd >= 0 || access == 0x3) {
    Report(error, CFileException::genericException, ERROR_INVALID_PARAMETER, winPath);
    return FALSE;
  }
  std::string posix;
  if (winPath == nullptr || *winPath == '\0' || !uw::WinPathToPosix(winPath, &posix)) {
    Report(error, CFileException::badPath, ERROR_PATH_NOT_FOUND, winPath);
    return FALSE;
  }
  int openFlags = O_CLOEXEC;
  openFlags |= access == modeWrite ? O_WRONLY : access == modeReadWrite ? O_RDWR : O_RDONLY;
  if ((flags & modeCreate) != 0) {
    openFlags |= O_CREAT;
    if ((flags & modeNoTruncate) == 0) openFlags |= O_TRUNC;
  }
  int fd;
  do {
    fd = open(posix.c_str(), openFlags, 0666);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) {
    const int err = errno;
    Report(error, CFileException::ErrnoToCause(err), uw::WinErrorFromErrno(err), winPath);
    return FALSE;
  }
  // A folder opens for reading on POSIX; on Windows it is no file.
  struct stat info;
  if (fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
    close(fd);
    Report(error, CFileException::accessDenied, ERROR_ACCESS_DENIED, winPath);
    return FALSE;
  }
  m_fd = fd;
  m_strFileName = winPath;
  return TRUE;
}

void CFile::ThrowError(int error) const { ThrowFor(error, m_strFileName); }

UINT CFile::Read(void* buffer, UINT count) {
  if (m_fd < 0) ThrowError(EBADF);
  if (count == 0) return 0;
  if (buffer == nullptr) ThrowError(EINVAL);
  auto* out = static_cast<char*>(buffer);
  UINT total = 0;
  while (total < count) {
    const ssize_t got = read(m_fd, out + total, count - total);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) ThrowError(AccessError(errno));
    if (got == 0) break;  // end of file
    total += static_cast<UINT>(got);
  }
  return total;
}

void CFile::Write(const void* data, UINT count) {
  if (m_fd < 0) ThrowError(EBADF);
  if (count == 0) return;
  if (data == nullptr) ThrowError(EINVAL);
  const auto* in = static_cast<const char*>(data);
  UINT done = 0;
  while (done < count) {
    const ssize_t put = write(m_fd, in + done, count - done);
    if (put < 0 && errno == EINTR) continue;
    if (put < 0) ThrowError(AccessError(errno));
    // No progress and no error: the device takes nothing more.
    if (put == 0) ThrowError(ENOSPC);
    done += static_cast<UINT>(put);
  }
}

ULONGLONG CFile::GetLength() const {
  if (m_fd < 0) ThrowError(EBADF);
  struct stat info;
  if (fstat(m_fd, &info) != 0) ThrowError(errno);
  return static_cast<ULONGLONG>(info.st_size);
}

ULONGLONG CFile::SeekToEnd() {
  if (m_fd < 0) ThrowError(EBADF);
  const off_t position = lseek(m_fd, 0, SEEK_END);
  if (position < 0) ThrowError(errno);
  return static_cast<ULONGLONG>(position);
}

void CFile::Close() {
  if (m_fd < 0) return;
  // Not retried on EINTR: on Linux the descriptor is gone either way.
  close(m_fd);
  m_fd = -1;
}

void CFile::Remove(LPCTSTR winPath) {
  const std::string posix = MapOrThrow(winPath);
  if (unlink(posix.c_str()) != 0) ThrowFor(errno == EISDIR ? EACCES : errno, winPath);
}

void CFile::Rename(LPCTSTR oldWinPath, LPCTSTR newWinPath) {
  const std::string from = MapOrThrow(oldWinPath);
  std::string to;
  if (newWinPath == nullptr || *newWinPath == '\0' || !uw::WinPathToPosix(newWinPath, &to)) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    throw new CFileException(CFileException::badPath, ERROR_PATH_NOT_FOUND, oldWinPath);
  }
  if (std::rename(from.c_str(), to.c_str()) != 0) ThrowFor(errno, oldWinPath);
}
