// C runtime calls on files and folders by their Windows names: the access
// test, the file status, the current folder and the splitting of a path.
//
// Paths are Windows paths in CP932 and go through the drive map
// (drive_map.h); a path on an unmapped drive or share does not exist
// (ENOENT). Errors are reported through errno, as the runtime does.
//
// NOTES: struct _stat has members named like those of POSIX struct stat,
// whose header defines st_mtime as a macro; include this header only where
// <sys/stat.h> is not used (the program never includes POSIX headers).
#pragma once

#include <cstddef>
#include <ctime>

#include "platform/win/windef.h"

#if defined(st_mtime)
#error "platform/win/crt_io.h cannot be used together with <sys/stat.h>"
#endif

// Mode bits of struct _stat::st_mode.
constexpr unsigned short _S_IFMT = 0xF000;
constexpr unsigned short _S_IFDIR = 0x4000;
constexpr unsigned short _S_IFREG = 0x8000;
constexpr unsigned short _S_IREAD = 0x0100;
constexpr unsigned short _S_IWRITE = 0x0080;
constexpr unsigned short _S_IEXEC = 0x0040;

// Buffer sizes of the parts of a path, each counting the NUL.
constexpr int _MAX_PATH = 260;
constexpr int _MAX_DRIVE = 3;
constexpr int _MAX_DIR = 256;
constexpr int _MAX_FNAME = 256;
constexpr int _MAX_EXT = 256;

// Status of a file or folder (_stat).
struct _stat {
  unsigned int st_dev;     // drive number: 0 for A: ... 25 for Z:, 0 on a share
  unsigned short st_ino;   // always 0, as on Windows
  unsigned short st_mode;  // _S_IFDIR or _S_IFREG, read/write/execute bits
  short st_nlink;          // always 1
  short st_uid;            // always 0
  short st_gid;            // always 0
  unsigned int st_rdev;    // same as st_dev
  LONG st_size;            // size in bytes (0 for a folder)
  std::time_t st_atime;    // last access
  std::time_t st_mtime;    // last modification
  std::time_t st_ctime;    // creation (the POSIX status change time)
};

// Fills *buffer with the status of the file or folder `path`. Returns 0, or
// -1 with errno ENOENT (no such file, unmapped drive), EINVAL (null
// argument) or EOVERFLOW (a file too large for st_size; never cut).
// st_mode holds _S_IREAD always, _S_IWRITE unless the file is read-only (no
// write permission bit), _S_IEXEC for folders, each repeated for group and
// others as Windows does (a folder is 0x41FF, a writable file 0x81B6).
int _stat(const char* path, struct _stat* buffer);

// Access test: mode 0 existence, 2 write, 4 read, 6 read and write. Returns
// 0 when allowed; -1 with errno ENOENT when the path does not exist, EACCES
// when write access is asked of a read-only file, EINVAL for a null path or
// another mode.
// NOTES: a folder passes every mode (every folder has read and write access
// for this call, so a root mapped to "/" passes for any user). A file is
// read-only when it has no write permission bit, or when the user may not
// write it; reading is never refused.
int _access(const char* path, int mode);

// The Windows name of the current folder in `buffer` of `size` bytes ("C:\"
// for a root, "C:\A" below it). With a null buffer, a buffer of at least
// `size` bytes is allocated with malloc (the caller frees it). Returns the
// buffer, or null with errno ERANGE (too small, buffer untouched), EINVAL
// (size <= 0 with a buffer), ENOENT (the folder has no Windows name) or
// ENOMEM.
char* _getcwd(char* buffer, int size);

// Makes `path` the current folder. Returns 0, or -1 with errno ENOENT
// (missing, unmapped), ENOTDIR, EACCES or EINVAL (null).
int _chdir(const char* path);

// Splits `path` into drive ("C:" when the second byte is ':'), folder (up to
// and including the last '\' or '/'), file name and extension (from the last
// '.' of the name). Double-byte characters are never split: the trail byte
// 0x5C of "ソ" is no separator. Any output may be null with its size 0.
// Returns 0; EINVAL for a null path or an output whose pointer and size
// disagree (null with a size, or a buffer of size 0); ERANGE when a part
// does not fit its buffer. On an error every given buffer is set empty.
int _splitpath_s(const char* path, char* drive, std::size_t driveSize, char* dir,
                 std::size_t dirSize, char* fname, std::size_t fnameSize, char* ext,
                 std::size_t extSize);

// _splitpath_s with buffers of _MAX_DRIVE, _MAX_DIR, _MAX_FNAME and _MAX_EXT
// bytes (null outputs skipped). A part that does not fit empties every
// output and sets errno to ERANGE; nothing is ever cut.
void _splitpath(const char* path, char* drive, char* dir, char* fname, char* ext);
