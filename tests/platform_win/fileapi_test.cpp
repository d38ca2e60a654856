#include "platform/win/fileapi.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/win/drive_map.h"
#include "tests/platform_win/path_test_util.h"
#include "tests/support/TempPrefix.h"

namespace {

namespace fs = std::filesystem;
using uwtest::Exists;
using uwtest::IsFolder;
using uwtest::MakeFile;

constexpr char kSentinel = '\xCC';

std::string Slurp(const std::string& posix) {
  std::ifstream in(posix, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

class FileApiTest : public testing::Test {
 protected:
  std::string C(const std::string& relative) { return m_prefix.DriveC() + "/" + relative; }
  uwtest::TempPrefix m_prefix;
};

TEST_F(FileApiTest, DriveTypeOfEveryConfiguredKind) {
  m_prefix.WriteFile("platform.ini",
                     "[drives]\nC=drive_c,fixed\nA=a,unknown\nB=b,noroot\nR=r,removable\n"
                     "N=n,remote\nD=d,cdrom\nM=m,ramdisk\nQ=q,7\n\\\\srv\\sh=s,remote\n");
  fs::create_directories(C("sub/dir"));
  static const struct {
    const char* root;
    UINT type;
  } kCases[] = {
      {"A:\\", DRIVE_UNKNOWN},
      {"B:\\", DRIVE_NO_ROOT_DIR},
      {"r:\\", DRIVE_REMOVABLE},
      {"C:\\", DRIVE_FIXED},
      {"N:\\", DRIVE_REMOTE},
      {"D:\\", DRIVE_CDROM},
      {"M:\\", DRIVE_RAMDISK},
      {"Q:\\", 7},
      {"C:", DRIVE_FIXED},            // without the backslash
      {"C:\\sub\\dir", DRIVE_FIXED},  // a folder below the root
      {"\\\\srv\\sh\\", DRIVE_REMOTE},
      {"\\\\SRV\\SH\\x", DRIVE_REMOTE},
      // Nothing mapped, or no drive named.
      {"K:\\", DRIVE_NO_ROOT_DIR},
      {"1:\\", DRIVE_NO_ROOT_DIR},
      {"", DRIVE_NO_ROOT_DIR},
      {"dir", DRIVE_NO_ROOT_DIR},
      {"\\dir", DRIVE_NO_ROOT_DIR},
      {"\\\\srv\\other\\", DRIVE_NO_ROOT_DIR},
      {"\\\\srv", DRIVE_NO_ROOT_DIR},
  };
  for (const auto& c : kCases) EXPECT_EQ(GetDriveTypeA(c.root), c.type) << c.root;

  fs::create_directories(m_prefix.path() + "/r");
  uwtest::ScopedCwd cwd(m_prefix.path() + "/r");
  EXPECT_EQ(GetDriveTypeA(nullptr), DRIVE_REMOVABLE);  // the current folder's drive
}

TEST_F(FileApiTest, CreatesAndRemovesFolders) {
  ASSERT_TRUE(CreateDirectoryA("C:\\A", nullptr));
  EXPECT_TRUE(IsFolder(C("A")));
  ASSERT_TRUE(CreateDirectoryA("C:\\A\\\x83\x5C", nullptr));           // ソ
  ASSERT_TRUE(CreateDirectoryA("c:/A/\x83\x5C/\x95\x5C\\", nullptr));  // 表, trailing '\'
  EXPECT_TRUE(IsFolder(C("A/ソ/表")));
  MakeFile(C("F"));

  static const struct {
    const char* path;
    DWORD error;
  } kFailures[] = {
      {"C:\\A", ERROR_ALREADY_EXISTS},
      {"C:\\F", ERROR_ALREADY_EXISTS},  // a file of that name
      {"C:\\X\\Y", ERROR_PATH_NOT_FOUND},
      {"C:\\F\\G", ERROR_PATH_NOT_FOUND},  // a file where a folder is expected
      {"K:\\A", ERROR_PATH_NOT_FOUND},
      {"", ERROR_PATH_NOT_FOUND},
      {nullptr, ERROR_PATH_NOT_FOUND},
  };
  for (const auto& c : kFailures) {
    SetLastError(0);
    EXPECT_FALSE(CreateDirectoryA(c.path, nullptr)) << (c.path ? c.path : "(null)");
    EXPECT_EQ(GetLastError(), c.error) << (c.path ? c.path : "(null)");
  }
  // A name too long for the file system: 86 kanji are 172 bytes in CP932,
  // 258 in UTF-8.
  std::string longName = "C:\\A\\";
  for (int n = 0; n < 86; ++n) longName += "\x8A\xBF";  // 漢
  SetLastError(0);
  EXPECT_FALSE(CreateDirectoryA(longName.c_str(), nullptr));
  EXPECT_EQ(GetLastError(), ERROR_FILENAME_EXCED_RANGE);

  static const struct {
    const char* path;
    DWORD error;
  } kRemoveFailures[] = {
      {"C:\\A\\\x83\x5C", ERROR_DIR_NOT_EMPTY},
      {"C:\\F", ERROR_DIRECTORY},
      {"C:\\missing", ERROR_FILE_NOT_FOUND},
      {"K:\\A", ERROR_PATH_NOT_FOUND},
  };
  for (const auto& c : kRemoveFailures) {
    SetLastError(0);
    EXPECT_FALSE(RemoveDirectoryA(c.path)) << c.path;
    EXPECT_EQ(GetLastError(), c.error) << c.path;
  }
  ASSERT_TRUE(RemoveDirectoryA("C:\\A\\\x83\x5C\\\x95\x5C"));
  EXPECT_FALSE(Exists(C("A/ソ/表")));
  EXPECT_TRUE(IsFolder(C("A/ソ")));
}

TEST_F(FileApiTest, TempPathFitsOrTellsTheSizeNeeded) {
  m_prefix.WriteFile("platform.ini", "[paths]\ntemp=C:\\TEMP\\..\\T\n");
  const char expected[] = "C:\\T\\";
  const DWORD length = sizeof(expected) - 1;
  char buffer[16];
  std::memset(buffer, kSentinel, sizeof(buffer));
  EXPECT_EQ(GetTempPathA(sizeof(buffer), buffer), length);
  EXPECT_STREQ(buffer, expected);
  std::memset(buffer, kSentinel, sizeof(buffer));
  EXPECT_EQ(GetTempPathA(length + 1, buffer), length);  // exactly fitting
  EXPECT_STREQ(buffer, expected);
  EXPECT_EQ(buffer[length + 1], kSentinel);
  std::memset(buffer, kSentinel, sizeof(buffer));
  EXPECT_EQ(GetTempPathA(length, buffer), length + 1);  // one too small
  EXPECT_EQ(buffer[0], kSentinel);
  EXPECT_EQ(GetTempPathA(0, nullptr), length + 1);
}

TEST_F(FileApiTest, TempFileNamesAreUniqueAndCreated) {
  fs::create_directories(C("\xE8\xA1\xA8"));  // 表
  char first[MAX_PATH];
  char second[MAX_PATH];
  const UINT a = GetTempFileNameA("C:\\\x95\x5C", "UCWXYZ", 0, first);
  const UINT b = GetTempFileNameA("C:\\\x95\x5C\\", "UCW", 0, second);
  ASSERT_NE(a, 0u);
  ASSERT_NE(b, 0u);
  EXPECT_STRNE(first, second);
  EXPECT_EQ(std::string(first).rfind("C:\\\x95\x5C\\UCW", 0), 0u) << first;
  std::string posix;
  ASSERT_TRUE(uw::WinPathToPosix(first, &posix));
  EXPECT_TRUE(Exists(posix));
  EXPECT_EQ(Slurp(posix), "");

  char named[MAX_PATH];
  EXPECT_EQ(GetTempFileNameA("C:\\", "ab", 0x1234A, named), 0x234Au);
  EXPECT_STREQ(named, "C:\\ab234A.TMP");
  EXPECT_FALSE(Exists(C("ab234A.TMP")));

  SetLastError(0);
  EXPECT_EQ(GetTempFileNameA("C:\\missing", "UCW", 0, named), 0u);
  EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
  // "C:\" + 246 bytes + "\" + "UCW1.TMP" (8) = 258 bytes fits; 2 more do not.
  const std::string folder = "C:\\" + std::string(246, 'a');
  EXPECT_EQ(GetTempFileNameA(folder.c_str(), "UCW", 1, named), 1u);
  SetLastError(0);
  EXPECT_EQ(GetTempFileNameA((folder + "bb").c_str(), "UCW", 1, named), 0u);
  EXPECT_EQ(GetLastError(), ERROR_BUFFER_OVERFLOW);
}

TEST_F(FileApiTest, ModuleFileNameIsTheExecutableByItsWindowsName) {
  const std::string exe = fs::read_symlink("/proc/self/exe").string();
  std::string expected;
  ASSERT_TRUE(uw::PosixPathToWin(exe, &expected));
  ASSERT_EQ(expected.rfind("Z:\\", 0), 0u);

  char buffer[4096];
  std::memset(buffer, kSentinel, sizeof(buffer));
  const DWORD fit = static_cast<DWORD>(expected.size() + 1);
  EXPECT_EQ(GetModuleFileNameA(nullptr, buffer, fit), expected.size());  // exactly fitting
  EXPECT_EQ(std::string(buffer), expected);
  EXPECT_EQ(buffer[fit], kSentinel);

  std::memset(buffer, kSentinel, sizeof(buffer));
  SetLastError(0);
  EXPECT_EQ(GetModuleFileNameA(nullptr, buffer, fit - 1), fit - 1);  // one too small
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(std::string(buffer), expected.substr(0, fit - 2));
  EXPECT_EQ(buffer[fit - 1], kSentinel);
}

TEST_F(FileApiTest, DeletesFilesOnly) {
  MakeFile(C("表.txt"));
  ASSERT_TRUE(DeleteFileA("C:\\\x95\x5C.txt"));
  EXPECT_FALSE(Exists(C("表.txt")));

  fs::create_directories(C("dir"));
  MakeFile(C("ro.txt"));
  fs::permissions(C("ro.txt"), fs::perms::owner_read);
  static const struct {
    const char* path;
    DWORD error;
  } kFailures[] = {
      {"C:\\missing", ERROR_FILE_NOT_FOUND},
      {"C:\\dir", ERROR_ACCESS_DENIED},
      {"C:\\ro.txt", ERROR_ACCESS_DENIED},
      {"K:\\x", ERROR_PATH_NOT_FOUND},
  };
  for (const auto& c : kFailures) {
    SetLastError(0);
    EXPECT_FALSE(DeleteFileA(c.path)) << c.path;
    EXPECT_EQ(GetLastError(), c.error) << c.path;
  }
  EXPECT_TRUE(Exists(C("ro.txt")));
}

TEST_F(FileApiTest, MovesAndReplacesOnlyWhenAsked) {
  MakeFile(C("new.txt"), "new");
  MakeFile(C("old.txt"), "old");
  SetLastError(0);
  EXPECT_FALSE(MoveFileExA("C:\\new.txt", "C:\\old.txt", 0));
  EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
  EXPECT_EQ(Slurp(C("old.txt")), "old");

  ASSERT_TRUE(MoveFileExA("C:\\new.txt", "C:\\old.txt",
                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
  EXPECT_EQ(Slurp(C("old.txt")), "new");
  EXPECT_FALSE(Exists(C("new.txt")));

  ASSERT_TRUE(MoveFileExA("C:\\old.txt", "C:\\\x83\x5C.txt", 0));
  EXPECT_EQ(Slurp(C("ソ.txt")), "new");

  fs::create_directories(C("dir"));
  MakeFile(C("ro.txt"), "ro");
  fs::permissions(C("ro.txt"), fs::perms::owner_read);
  static const struct {
    const char* from;
    const char* to;
    DWORD flags;
    DWORD error;
  } kFailures[] = {
      {"C:\\\x83\x5C.txt", "C:\\dir", MOVEFILE_REPLACE_EXISTING, ERROR_ACCESS_DENIED},
      {"C:\\\x83\x5C.txt", "C:\\ro.txt", MOVEFILE_REPLACE_EXISTING, ERROR_ACCESS_DENIED},
      {"C:\\\x83\x5C.txt", "C:\\x.txt", 0x2, ERROR_INVALID_PARAMETER},
      {"C:\\missing", "C:\\x.txt", 0, ERROR_FILE_NOT_FOUND},
      {"C:\\\x83\x5C.txt", "K:\\x.txt", 0, ERROR_PATH_NOT_FOUND},
  };
  for (const auto& c : kFailures) {
    SetLastError(0);
    EXPECT_FALSE(MoveFileExA(c.from, c.to, c.flags)) << c.from << " -> " << c.to;
    EXPECT_EQ(GetLastError(), c.error) << c.from << " -> " << c.to;
  }
  EXPECT_EQ(Slurp(C("ソ.txt")), "new");
  EXPECT_EQ(Slurp(C("ro.txt")), "ro");

  // Across file systems a rename is refused rather than half done.
  struct stat here;
  struct stat shm;
  if (stat(C("").c_str(), &here) == 0 && stat("/dev/shm", &shm) == 0 && here.st_dev != shm.st_dev) {
    const std::string other = "/dev/shm/" + fs::path(m_prefix.path()).filename().string();
    fs::create_directories(other);
    m_prefix.WriteFile("platform.ini", "[drives]\nC=drive_c\nS=" + other + "\n");
    SetLastError(0);
    EXPECT_FALSE(MoveFileExA("C:\\\x83\x5C.txt", "S:\\x.txt", MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ(GetLastError(), ERROR_NOT_SAME_DEVICE);
    EXPECT_EQ(Slurp(C("ソ.txt")), "new");
    fs::remove_all(other);
  }
}

}  // namespace
