// Files and folders by their Windows names: drive types, folders, the
// temporary folder, the program's own file name, deleting and renaming.
//
// Every path is a Windows path in CP932 and goes through the drive map
// (drive_map.h); a path on an unmapped drive or share fails as a path that
// does not exist (ERROR_PATH_NOT_FOUND). Failures set the thread's last
// error, read back with GetLastError; successes leave it as it was, as the
// real calls mostly do.
#pragma once

#include "platform/win/windef.h"

// Drive types (GetDriveTypeA).
constexpr UINT DRIVE_UNKNOWN = 0;
constexpr UINT DRIVE_NO_ROOT_DIR = 1;
constexpr UINT DRIVE_REMOVABLE = 2;
constexpr UINT DRIVE_FIXED = 3;
constexpr UINT DRIVE_REMOTE = 4;
constexpr UINT DRIVE_CDROM = 5;
constexpr UINT DRIVE_RAMDISK = 6;

// MoveFileExA flags.
constexpr DWORD MOVEFILE_REPLACE_EXISTING = 0x1;
constexpr DWORD MOVEFILE_WRITE_THROUGH = 0x8;

// Error codes that these calls set.
constexpr DWORD ERROR_SUCCESS = 0;
constexpr DWORD ERROR_FILE_NOT_FOUND = 2;
constexpr DWORD ERROR_PATH_NOT_FOUND = 3;
constexpr DWORD ERROR_ACCESS_DENIED = 5;
constexpr DWORD ERROR_NOT_SAME_DEVICE = 17;
constexpr DWORD ERROR_GEN_FAILURE = 31;
constexpr DWORD ERROR_FILE_EXISTS = 80;
constexpr DWORD ERROR_INVALID_PARAMETER = 87;
constexpr DWORD ERROR_BUFFER_OVERFLOW = 111;
constexpr DWORD ERROR_DISK_FULL = 112;
constexpr DWORD ERROR_INSUFFICIENT_BUFFER = 122;
constexpr DWORD ERROR_DIR_NOT_EMPTY = 145;
constexpr DWORD ERROR_ALREADY_EXISTS = 183;
constexpr DWORD ERROR_FILENAME_EXCED_RANGE = 206;
constexpr DWORD ERROR_DIRECTORY = 267;

// The last error set on this thread by a call of the platform.
DWORD GetLastError();
void SetLastError(DWORD error);

// Type of the drive that `root` lies on: a mapped drive's or share's
// configured type; DRIVE_NO_ROOT_DIR (1) for an unmapped letter or share, a
// text that names no drive (a digit, a relative name) and the empty text.
// Null asks for the current folder's drive.
// NOTES: a folder below a root ("C:\A") and "C:" without the backslash
// resolve to their drive; the real call wants the root itself.
UINT GetDriveTypeA(LPCSTR root);

// Creates the folder `path` (default permissions; `security` must be null
// and is ignored). FALSE with ERROR_ALREADY_EXISTS when a file or folder of
// that name exists, ERROR_PATH_NOT_FOUND when the folder above is missing or
// is a file, or the drive is unmapped, ERROR_ACCESS_DENIED when refused,
// ERROR_FILENAME_EXCED_RANGE when a name is too long for the file system.
BOOL CreateDirectoryA(LPCSTR path, void* security);

// Removes the empty folder `path`. FALSE with ERROR_DIR_NOT_EMPTY,
// ERROR_FILE_NOT_FOUND, ERROR_DIRECTORY (a file), ERROR_ACCESS_DENIED.
BOOL RemoveDirectoryA(LPCSTR path);

// Copies the temporary folder (drive_map.h: GetTempWinFolder; always ending
// in a backslash, ".." resolved) into `buffer`. Returns its length without
// the NUL. When `size` cannot hold it and the NUL, returns the size needed
// including the NUL and leaves `buffer` untouched. 0 on failure.
DWORD GetTempPathA(DWORD size, LPSTR buffer);

// Makes a unique file name "<path>\<pre><hex>.TMP" in the folder `path`
// (<pre>: the first three bytes of `prefix`, <hex>: the number in upper-case
// hexadecimal, no leading zeros). With `unique` 0 the number is chosen and
// the empty file is created, never reusing an existing name; otherwise the
// name is formed from the low 16 bits of `unique` and nothing is created.
// `tempFileName` must hold MAX_PATH bytes. Returns the number used; 0 with
// ERROR_BUFFER_OVERFLOW when the name and its NUL would not fit MAX_PATH
// bytes, or with the error of the creation (ERROR_PATH_NOT_FOUND for a
// missing folder).
UINT GetTempFileNameA(LPCSTR path, LPCSTR prefix, UINT unique, LPSTR tempFileName);

// The Windows name of the running executable (/proc/self/exe, mapped) in
// `buffer`; `module` is ignored (the program has one module). Returns the
// length without the NUL. When `size` is too small: the name cut to size - 1
// bytes (never inside a double-byte character), NUL-terminated, the result
// is `size` and the last error ERROR_INSUFFICIENT_BUFFER.
DWORD GetModuleFileNameA(HINSTANCE module, LPSTR buffer, DWORD size);

// Deletes the file `path`. FALSE with ERROR_FILE_NOT_FOUND, or
// ERROR_ACCESS_DENIED for a folder or a read-only file (one without any
// write permission bit, the equivalent of the read-only attribute).
BOOL DeleteFileA(LPCSTR path);

// Renames `from` to `to`. Without MOVEFILE_REPLACE_EXISTING an existing `to`
// gives ERROR_ALREADY_EXISTS; with it an existing file is replaced in one
// atomic step (a reader sees the old file or the new one, never neither),
// while a folder or a read-only file at `to` gives ERROR_ACCESS_DENIED.
// MOVEFILE_WRITE_THROUGH returns only after the rename is on the disk.
// Both names must lie on one file system (else ERROR_NOT_SAME_DEVICE); other
// flags give ERROR_INVALID_PARAMETER.
BOOL MoveFileExA(LPCSTR from, LPCSTR to, DWORD flags);

namespace uw {
// The Windows error code for a POSIX errno value.
DWORD WinErrorFromErrno(int error);
}  // namespace uw
