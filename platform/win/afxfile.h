// The framework's file classes: CFile and the exception it throws,
// CFileException.
//
// The program writes its report and reads its support information file
// through CFile, by Windows paths (CP932), which go through the drive map
// (drive_map.h). Errors follow the framework's model: Open returns FALSE
// and fills an optional exception object; every other operation throws a
// heap-allocated CFileException by pointer, which the catcher releases:
//
//   try { file.Write(line, length); }
//   catch (CFileException* e) { e->Delete(); ... }
//
// m_lOsError holds the Windows error code of the failure (ERROR_DISK_FULL,
// ERROR_ACCESS_DENIED, ...), mapped from the POSIX error underneath.
//
// Writes are complete or they throw: a short write is continued until
// every byte is stored, and a write that cannot go on (a full disk, a
// device error, a file that is not open) throws. Share modes are accepted
// and not enforced: POSIX files have no mandatory share locks.
#pragma once

#include <cstdint>

#include "platform/win/afxstr.h"
#include "platform/win/windef.h"

typedef std::uint64_t ULONGLONG;

// Base of the framework's exceptions.
class CException {
 public:
  explicit CException(BOOL autoDelete = TRUE) : m_bAutoDelete(autoDelete) {}
  virtual ~CException() = default;
  CException(const CException&) = default;
  CException& operator=(const CException&) = default;

  // Deletes the exception when m_bAutoDelete is set, as every exception
  // thrown by the platform has it.
  // REQUIRES: an object with m_bAutoDelete set was made with new; call
  // Delete only on exceptions caught by pointer, never on one of your own
  // on the stack (construct that with autoDelete FALSE to be safe).
  void Delete();

  BOOL m_bAutoDelete;
};

class CFileException : public CException {
 public:
  // Causes (m_cause), with the framework's values.
  enum {
    none = 0,
    genericException = 1,
    fileNotFound = 2,
    badPath = 3,
    tooManyOpenFiles = 4,
    accessDenied = 5,
    invalidFile = 6,
    removeCurrentDir = 7,
    directoryFull = 8,
    badSeek = 9,
    hardIO = 10,
    sharingViolation = 11,
    lockViolation = 12,
    diskFull = 13,
    endOfFile = 14,
  };

  explicit CFileException(int cause = none, LONG lOsError = -1, LPCTSTR fileName = nullptr)
      : m_cause(cause), m_lOsError(lOsError), m_strFileName(fileName) {}

  // The cause for a POSIX errno value.
  static int ErrnoToCause(int error);

  int m_cause;
  LONG m_lOsError;        // Windows error code, -1 when there is none
  CString m_strFileName;  // the Windows path the operation was given
};

class CFile {
 public:
  // Open flags, with the framework's values. Bits 0-1 are the access, bits
  // 4-6 the sharing.
  enum OpenFlags : UINT {
    modeRead = 0x0000,
    modeWrite = 0x0001,
    modeReadWrite = 0x0002,
    shareCompat = 0x0000,
    shareExclusive = 0x0010,
    shareDenyWrite = 0x0020,
    shareDenyRead = 0x0030,
    shareDenyNone = 0x0040,
    modeNoInherit = 0x0080,
    modeCreate = 0x1000,
    modeNoTruncate = 0x2000,
    typeText = 0x4000,
    typeBinary = 0x8000,
  };

  CFile() = default;
  // Closes the file when it is open.
  virtual ~CFile();
  CFile(const CFile&) = delete;
  CFile& operator=(const CFile&) = delete;

  // Opens `winPath` with `flags`. modeCreate creates the file or truncates
  // it to length 0 (with modeNoTruncate an existing file keeps its bytes).
  // Returns TRUE when the file is open. On failure returns FALSE and, when
  // `error` is given, sets its m_cause, m_lOsError and m_strFileName: a
  // null or empty path, an unmapped drive or a folder that is a file give
  // badPath; a missing file fileNotFound; a folder, or a refused file,
  // accessDenied; access bits 3, or a CFile that is already open,
  // genericException. Never throws.
  // NOTES: typeText and typeBinary make no difference (CFile never
  // translates); share modes are not enforced.
  virtual BOOL Open(LPCTSTR winPath, UINT flags, CFileException* error = nullptr);

  // Reads up to `count` bytes into `buffer` at the current position.
  // Returns the count read, less than `count` only at the end of the file.
  // Throws CFileException* (invalidFile when the file is not open, the
  // cause of the error otherwise).
  virtual UINT Read(void* buffer, UINT count);

  // Writes `count` bytes of `data` at the current position, all of them:
  // a partial write is continued and an interrupted one retried. Throws
  // CFileException* when they cannot all be written (diskFull, hardIO,
  // accessDenied for a file opened for reading, invalidFile when the file
  // is not open). The bytes stored before the failure stay in the file.
  virtual void Write(const void* data, UINT count);

  // Length of the open file in bytes. Throws CFileException* on failure.
  virtual ULONGLONG GetLength() const;

  // Moves to the end of the file; returns the new position. Throws
  // CFileException* on failure.
  virtual ULONGLONG SeekToEnd();

  // Releases the file. Safe in every state (never opened, closed, after a
  // failed write) and never throws.
  // NOTES: the real call throws when the system fails to close the handle;
  // an error from close(2) is ignored here, as nothing can be done about it.
  virtual void Close();

  // Deletes the file `winPath`. Throws CFileException* on failure (a
  // folder gives accessDenied).
  static void Remove(LPCTSTR winPath);

  // Renames `oldWinPath` to `newWinPath`. An existing file at the new name is
  // replaced in one atomic step, so a reader finds the old or the new file,
  // never neither. Throws CFileException* on failure; m_strFileName names
  // the old path.
  // NOTES: deliberately unlike the real call, which fails when the new name
  // exists: replacing atomically is what a safe save needs.
  static void Rename(LPCTSTR oldWinPath, LPCTSTR newWinPath);

 private:
  [[noreturn]] void ThrowError(int error) const;

  int m_fd = -1;
  CString m_strFileName;
};
