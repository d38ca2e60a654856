// The drive map: how the Windows paths the program uses become POSIX paths.
//
// Each drive letter, and each network share \\server\share, is given a POSIX
// folder and a drive type by <prefix>/platform.ini (UTF-8):
//
//   [drives]
//   C=drive_c,fixed            ; relative to the prefix, or absolute
//   Z=/,fixed
//   R=/media/usb,removable
//   \\server\share=/srv/share,remote
//
// The type is the text after the last comma: unknown, noroot, removable,
// fixed, remote, cdrom, ramdisk (any case), or a number (0-6 name the same
// types; larger numbers are reported as they are). Without a comma the type
// is fixed; a type that is neither a name nor a number is unknown (0). A
// folder that itself holds a comma must therefore be followed by a type.
// Letters may be written "C" or "C:", in either case; share names compare
// without regard to ASCII case. Malformed lines are ignored; the first line
// of a name wins. No file, or no (or an empty) [drives] section: the default
// map C: = <prefix>/drive_c and Z: = /, both fixed.
//
//   [paths]
//   temp=C:\TEMP               ; the temporary folder (GetTempPathA)
//
// The map is read again on every call, so a test may change the prefix or
// the file at any time. An unmapped letter has no root directory; an
// unmapped share does not exist.
//
// The process has one current folder (the POSIX one); its Windows name is the
// name of the longest mapped root above it. "C:name" is relative to that
// folder when it lies on C:, else to the root of C:.
#pragma once

#include <string>
#include <vector>

namespace uw {

struct WinPathParts;

// One line of the drive map.
struct DriveMapping {
  std::string name;   // "C:" (upper-case letter) or "\\server\share" (UTF-8)
  std::string root;   // absolute POSIX folder, normalised, no trailing '/' but "/"
  unsigned type = 3;  // drive type as GetDriveTypeA reports it
};

// The drive map of the current prefix, letters first (A to Z), then shares
// in the order of the file.
std::vector<DriveMapping> LoadDriveMap();

// The mapping of the drive or share that `parts` lies on. False when it is
// unmapped.
bool FindDriveMapping(const WinPathParts& parts, DriveMapping* mapping);

// Maps the Windows path `winPath` (CP932, drive letter in any case, '\' or
// '/', UNC \\server\share\..., relative to the current folder, "C:name") to
// the POSIX path of the same file (UTF-8, '/'). A trailing separator is kept
// ("C:\A\" gives ".../A/"), so a file named with one is not found, as on
// Windows. Returns false, leaving *posixPath unchanged, when the path is null
// or empty, names a share without its share name, or lies on an unmapped
// drive or share.
bool WinPathToPosix(const char* winPath, std::string* posixPath);

// The Windows name (CP932) of the POSIX path `posixPath` (absolute, or
// relative to the current folder): the mapped root that is the longest
// prefix of it, followed by the rest with '\' separators. A root gives "C:\"
// or "\\server\share\"; any other folder has no trailing backslash. Names
// that CP932 cannot hold get '?' for those characters. On equal roots a
// letter wins over a share and A over B. Returns false when no mapped root
// lies above the path (possible only when Z: = / was taken out of the map).
bool PosixPathToWin(const std::string& posixPath, std::string* winPath);

// The absolute Windows form of `winPath` ("..", "." and doubled separators
// resolved, '\' separators, the letter in upper case), whether or not the
// drive is mapped. False when the path cannot be resolved (see
// ParseWinPath in win_path.h).
bool GetFullWinPath(const char* winPath, std::string* fullPath);

// The Windows name of the current folder. False when it has none.
bool GetCurrentWinFolder(std::string* winFolder);

// The temporary folder: [paths] temp of platform.ini when set (a Windows
// path, resolved by GetFullWinPath), else TMPDIR or /tmp by its Windows name.
// Always ends in a backslash. False when none of these can be resolved.
bool GetTempWinFolder(std::string* winFolder);

// Lexically normalised absolute POSIX path: relative paths are taken from
// the current folder; ".", ".." and doubled '/' are resolved; no trailing '/'
// except for "/" itself. Symbolic links are not followed.
std::string NormalisePosixPath(const std::string& path);

}  // namespace uw
