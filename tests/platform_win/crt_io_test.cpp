#include "platform/win/crt_io.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "tests/platform_win/path_test_util.h"
#include "tests/support/TempPrefix.h"

// <filesystem> brings the POSIX macro st_mtime, which would rename our member.
#undef st_mtime

namespace {

namespace fs = std::filesystem;
using uwtest::MakeFile;

constexpr char kSentinel = '\xCC';

class CrtIoTest : public testing::Test {
 protected:
  void SetUp() override {
    const std::string c = m_prefix.DriveC();
    fs::create_directories(c + "/dir/ソ");
    MakeFile(c + "/rw.txt", "12345");
    MakeFile(c + "/ro.txt", "1");
    fs::permissions(c + "/ro.txt", fs::perms::owner_read | fs::perms::group_read);
  }
  uwtest::TempPrefix m_prefix;
};

TEST_F(CrtIoTest, AccessTestsFoldersForExistenceAndFilesForReadOnly) {
  static const struct {
    const char* path;
    int mode;
    int result;
    int error;
  } kCases[] = {
      // Folders pass every mode, whoever may write them.
      {"C:\\dir", 6, 0, 0},
      {"C:\\dir\\", 2, 0, 0},
      {"Z:\\", 6, 0, 0},
      {"C:\\dir\\\x83\x5C", 6, 0, 0},  // ソ: trail byte 0x5C
      // Files: only writing a read-only file fails.
      {"C:\\rw.txt", 6, 0, 0},
      {"C:\\ro.txt", 0, 0, 0},
      {"C:\\ro.txt", 4, 0, 0},
      {"C:\\ro.txt", 2, -1, EACCES},
      {"C:\\ro.txt", 6, -1, EACCES},
      // Nothing there.
      {"C:\\missing", 0, -1, ENOENT},
      {"C:\\dir\\\x83", 0, -1, ENOENT},  // a stray lead byte names no folder
      {"K:\\", 0, -1, ENOENT},           // unmapped drive
      {"\\\\srv\\sh\\", 0, -1, ENOENT},  // unmapped share
      {"", 0, -1, ENOENT},
      // Bad arguments.
      {"C:\\dir", 1, -1, EINVAL},
      {"C:\\dir", 8, -1, EINVAL},
      {nullptr, 0, -1, EINVAL},
  };
  for (const auto& c : kCases) {
    errno = 0;
    const char* name = c.path ? c.path : "(null)";
    EXPECT_EQ(_access(c.path, c.mode), c.result) << name << " mode " << c.mode;
    if (c.result != 0) {
      EXPECT_EQ(errno, c.error) << name << " mode " << c.mode;
    }
  }
}

TEST_F(CrtIoTest, StatReportsKindSizeAndWindowsModeBits) {
  static const struct {
    const char* path;
    unsigned short mode;
    LONG size;
    unsigned int drive;
  } kCases[] = {
      {"C:\\rw.txt", 0x81B6, 5, 2}, {"c:\\ro.txt", 0x8124, 1, 2},
      {"C:\\dir", 0x41FF, 0, 2},    {"C:\\dir\\\x83\x5C\\", 0x41FF, 0, 2},
      {"Z:\\", 0x41FF, 0, 25},
  };
  for (const auto& c : kCases) {
    struct _stat st;
    std::memset(&st, 0xCC, sizeof(st));
    ASSERT_EQ(_stat(c.path, &st), 0) << c.path;
    EXPECT_EQ(st.st_mode, c.mode) << c.path;
    EXPECT_EQ(st.st_size, c.size) << c.path;
    EXPECT_EQ(st.st_dev, c.drive) << c.path;
    EXPECT_GT(st.st_mtime, 0) << c.path;
  }
  const auto written = fs::last_write_time(m_prefix.DriveC() + "/rw.txt");
  struct _stat st;
  ASSERT_EQ(_stat("C:\\rw.txt", &st), 0);
  EXPECT_EQ(st.st_mtime,
            std::chrono::system_clock::to_time_t(std::chrono::file_clock::to_sys(written)));

  for (const char* missing : {"C:\\missing", "C:\\rw.txt\\", "K:\\x", ""}) {
    errno = 0;
    EXPECT_EQ(_stat(missing, &st), -1) << missing;
    EXPECT_NE(errno, 0) << missing;
  }
}

TEST_F(CrtIoTest, StatRefusesASizeItCannotHold) {
  const std::string big = m_prefix.DriveC() + "/big.bin";
  MakeFile(big, "");
  fs::resize_file(big, 0x80000000ull);  // sparse: takes no room
  struct _stat st;
  st.st_size = 7;
  errno = 0;
  EXPECT_EQ(_stat("C:\\big.bin", &st), -1);
  EXPECT_EQ(errno, EOVERFLOW);
  EXPECT_EQ(st.st_size, 7);
  fs::resize_file(big, 0x7FFFFFFFull);
  ASSERT_EQ(_stat("C:\\big.bin", &st), 0);
  EXPECT_EQ(st.st_size, 0x7FFFFFFF);
}

TEST_F(CrtIoTest, CurrentFolderByItsWindowsName) {
  uwtest::ScopedCwd restore(m_prefix.path());
  ASSERT_EQ(_chdir("C:\\dir\\\x83\x5C"), 0);
  EXPECT_EQ(fs::current_path(), fs::path(m_prefix.DriveC() + "/dir/ソ"));

  const char expected[] = "C:\\dir\\\x83\x5C";
  const int fit = static_cast<int>(sizeof(expected));
  char buffer[32];
  std::memset(buffer, kSentinel, sizeof(buffer));
  ASSERT_EQ(_getcwd(buffer, fit), buffer);  // exactly fitting
  EXPECT_STREQ(buffer, expected);
  EXPECT_EQ(buffer[fit], kSentinel);

  std::memset(buffer, kSentinel, sizeof(buffer));
  errno = 0;
  EXPECT_EQ(_getcwd(buffer, fit - 1), nullptr);  // one too small
  EXPECT_EQ(errno, ERANGE);
  EXPECT_EQ(buffer[0], kSentinel);
  errno = 0;
  EXPECT_EQ(_getcwd(buffer, 0), nullptr);
  EXPECT_EQ(errno, EINVAL);

  char* allocated = _getcwd(nullptr, 0);
  ASSERT_NE(allocated, nullptr);
  EXPECT_STREQ(allocated, expected);
  std::free(allocated);

  ASSERT_EQ(_chdir(".."), 0);  // relative to the current folder
  EXPECT_EQ(fs::current_path(), fs::path(m_prefix.DriveC() + "/dir"));
  ASSERT_EQ(_chdir("C:\\"), 0);
  EXPECT_STREQ(_getcwd(buffer, sizeof(buffer)), "C:\\");

  for (const char* bad : {"C:\\missing", "K:\\", "C:\\rw.txt"}) {
    EXPECT_EQ(_chdir(bad), -1) << bad;
  }
  EXPECT_EQ(fs::current_path(), fs::path(m_prefix.DriveC()));
}

struct SplitCase {
  const char* path;
  const char* drive;
  const char* dir;
  const char* fname;
  const char* ext;
};

const SplitCase kSplitCases[] = {
    {"C:\\A\\B\\f.xml", "C:", "\\A\\B\\", "f", ".xml"},
    {"C:f.xml", "C:", "", "f", ".xml"},
    {"\\\\server\\share\\d\\f.xml", "", "\\\\server\\share\\d\\", "f", ".xml"},
    {"C:\\A\\\x83\x5C"
     "f.xml",
     "C:", "\\A\\",
     "\x83\x5C"
     "f",
     ".xml"},                                            // ソf
    {"C:\\A\\\x95\x5C", "C:", "\\A\\", "\x95\x5C", ""},  // 表: no separator
    {"C:\\A\\\x95\x5C\\", "C:", "\\A\\\x95\x5C\\", "", ""},
    {"C:/A/f.x", "C:", "/A/", "f", ".x"},  // the runtime takes '/' as well
    {"C:\\A.d\\f", "C:", "\\A.d\\", "f", ""},
    {"a.b.c", "", "", "a.b", ".c"},
    {".xml", "", "", "", ".xml"},
    {"C:", "C:", "", "", ""},
    {"", "", "", "", ""},
    {"C:\\*.xml", "C:", "\\", "*", ".xml"},
};

TEST(SplitPathTest, SplitsIntoDriveFolderNameAndExtension) {
  for (const auto& c : kSplitCases) {
    char drive[_MAX_DRIVE + 1];
    char dir[_MAX_DIR + 1];
    char fname[_MAX_FNAME + 1];
    char ext[_MAX_EXT + 1];
    for (char* b : {drive, dir, fname, ext}) std::memset(b, kSentinel, 4);
    drive[_MAX_DRIVE] = dir[_MAX_DIR] = fname[_MAX_FNAME] = ext[_MAX_EXT] = kSentinel;
    _splitpath(c.path, drive, dir, fname, ext);
    EXPECT_STREQ(drive, c.drive) << c.path;
    EXPECT_STREQ(dir, c.dir) << c.path;
    EXPECT_STREQ(fname, c.fname) << c.path;
    EXPECT_STREQ(ext, c.ext) << c.path;
    EXPECT_EQ(drive[_MAX_DRIVE], kSentinel) << c.path;
    EXPECT_EQ(dir[_MAX_DIR], kSentinel) << c.path;
    EXPECT_EQ(fname[_MAX_FNAME], kSentinel) << c.path;
    EXPECT_EQ(ext[_MAX_EXT], kSentinel) << c.path;
  }
}

TEST(SplitPathTest, SizedSplitNeverCuts) {
  // "\A\B\" needs 6 bytes: exactly fitting, then one too small.
  char drive[3];
  char dir[8];
  char fname[8];
  char ext[8];
  std::memset(dir, kSentinel, sizeof(dir));
  ASSERT_EQ(_splitpath_s("C:\\A\\B\\f.x", drive, 3, dir, 6, fname, 8, ext, 8), 0);
  EXPECT_STREQ(dir, "\\A\\B\\");
  EXPECT_EQ(dir[6], kSentinel);
  EXPECT_EQ(_splitpath_s("C:\\A\\B\\f.x", drive, 3, dir, 5, fname, 8, ext, 8), ERANGE);
  for (const char* part : {drive, dir, fname, ext}) EXPECT_STREQ(part, "");
  EXPECT_EQ(_splitpath_s("C:\\A\\f.xml", drive, 3, dir, 8, fname, 8, ext, 4), ERANGE);
  EXPECT_STREQ(fname, "");

  // Outputs may be left out; pointer and size must agree.
  ASSERT_EQ(_splitpath_s("C:\\A\\f.x", nullptr, 0, dir, 8, nullptr, 0, nullptr, 0), 0);
  EXPECT_STREQ(dir, "\\A\\");
  EXPECT_EQ(_splitpath_s(nullptr, drive, 3, dir, 8, fname, 8, ext, 8), EINVAL);
  EXPECT_EQ(_splitpath_s("C:\\A\\f.x", nullptr, 3, dir, 8, fname, 8, ext, 8), EINVAL);
  EXPECT_EQ(_splitpath_s("C:\\A\\f.x", drive, 0, dir, 8, fname, 8, ext, 8), EINVAL);

  // The unsized form refuses a folder longer than _MAX_DIR - 1 bytes.
  const std::string longDir = "\\" + std::string(250, 'a') + "\\bcdef\\";  // 258 bytes
  const std::string path = "C:" + longDir + "f.xml";
  char bigDir[_MAX_DIR];
  char name[_MAX_FNAME];
  errno = 0;
  _splitpath(path.c_str(), drive, bigDir, name, nullptr);
  EXPECT_EQ(errno, ERANGE);
  EXPECT_STREQ(drive, "");
  EXPECT_STREQ(bigDir, "");
  EXPECT_STREQ(name, "");
}

}  // namespace
