// Literals in this file are compiled to CP932, as the program's are: "ソ" is
// 83 5C and "表" is 95 5C, both ending in the byte of a backslash. Names on
// disk are UTF-8 and are written with u8 literals.
#include "conditions/OutputPath.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <set>
#include <string>

#include "tests/platform_win/path_test_util.h"
#include "tests/support/TempPrefix.h"

namespace {

namespace fs = std::filesystem;

constexpr char kSentinel = '\xCC';

std::string U8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

TEST(OutputPathTest, PartsOfAPathSplitAtRealSeparators) {
  static const struct {
    const char* path;
    const char* folder;
    const char* name;
    const char* drive;
    const char* afterDrive;
  } kCases[] = {
      {"C:\\A\\B\\f.xml", "C:\\A\\B\\", "f.xml", "C:", "\\A\\B\\f.xml"},
      {"C:\\TEMP\\*.xml", "C:\\TEMP\\", "*.xml", "C:", "\\TEMP\\*.xml"},
      {"C:report.xml", "", "C:report.xml", "C:", "report.xml"},
      {"report.xml", "", "report.xml", "", "report.xml"},
      {"", "", "", "", ""},
      {"C:\\A\\", "C:\\A\\", "", "C:", "\\A\\"},
      {"\\\\srv\\sh\\f.xml", "\\\\srv\\sh\\", "f.xml", "", "\\\\srv\\sh\\f.xml"},
      // A last character whose trail byte is 0x5C is a name, not a separator.
      {"C:\\A\\ソ", "C:\\A\\", "ソ", "C:", "\\A\\ソ"},
      {"C:\\表\\ソf.xml", "C:\\表\\", "ソf.xml", "C:", "\\表\\ソf.xml"},
      {"表", "", "表", "", "表"},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(GetFolderPart(c.path), c.folder) << c.path;
    EXPECT_EQ(GetFileNamePart(c.path), c.name) << c.path;
    EXPECT_EQ(GetDrivePart(c.path), c.drive) << c.path;
    EXPECT_EQ(GetAfterDrivePart(c.path), c.afterDrive) << c.path;
  }
}

TEST(OutputPathTest, IsDbcsAtKnowsBothBytesOfACharacter) {
  const char text[] = "aソb\x81";  // 61 83 5C 62 81 (a stray lead byte last)
  const BOOL expected[] = {FALSE, TRUE, TRUE, FALSE, FALSE, FALSE};
  for (int pos = 0; pos < 6; ++pos) EXPECT_EQ(IsDbcsAt(text, pos), expected[pos]) << pos;
  EXPECT_FALSE(IsDbcsAt(text, -1));
  EXPECT_FALSE(IsDbcsAt(text, 100));
}

TEST(OutputPathTest, AddBackslashNeedsRoomAndSeesTrailBytes) {
  static const struct {
    const char* path;
    int size;
    int result;
    const char* after;
  } kCases[] = {
      {"", 10, 0, ""},
      {"C:\\A\\", 6, 1, "C:\\A\\"},  // already there, even without room
      {"C:\\A", 6, 1, "C:\\A\\"},    // exactly fitting
      {"C:\\A", 5, 0, "C:\\A"},      // one too small
      {"C:\\ソ", 7, 1, "C:\\ソ\\"},  // a trail byte 0x5C is no backslash
      {"C:\\表\\", 7, 1, "C:\\表\\"},
  };
  for (const auto& c : kCases) {
    char buffer[16];
    std::memset(buffer, kSentinel, sizeof(buffer));
    std::memcpy(buffer, c.path, std::strlen(c.path) + 1);
    EXPECT_EQ(AddBackslash(buffer, c.size), c.result) << c.path << " size " << c.size;
    EXPECT_STREQ(buffer, c.after) << c.path << " size " << c.size;
    EXPECT_EQ(buffer[c.size], kSentinel) << c.path << " size " << c.size;
  }
}

TEST(OutputPathTest, ToFolderPathKeepsDriveAndFolder) {
  static const struct {
    const char* path;
    int result;
    const char* after;
  } kCases[] = {
      {"C:\\A\\f.xml", 1, "C:\\A\\"},
      {"C:\\A\\", 1, "C:\\A\\"},
      {"C:f.xml", 1, "C:\\"},
      {"C:", 1, "C:"},
      {"\\\\srv\\sh\\d\\f.xml", 1, "\\\\srv\\sh\\d\\"},
      {"C:\\A\\ソ", 1, "C:\\A\\"},
      {"C:\\A\\表\\", 1, "C:\\A\\表\\"},
      {"f.xml", 0, "f.xml"},
      {"", 0, ""},
  };
  for (const auto& c : kCases) {
    char buffer[kPathBufferSize];
    std::memset(buffer, kSentinel, sizeof(buffer));
    std::memcpy(buffer, c.path, std::strlen(c.path) + 1);
    EXPECT_EQ(ToFolderPath(buffer), c.result) << c.path;
    EXPECT_STREQ(buffer, c.after) << c.path;
    EXPECT_EQ(buffer[std::strlen(c.path) + 1], kSentinel) << c.path;  // never longer
  }
}

TEST(OutputPathTest, CheckPathCharsRefusesDoubledBackslashesAndForbiddenCharacters) {
  static const struct {
    const char* path;
    BOOL ok;
  } kCases[] = {
      {"C:\\OUT\\a.xml", TRUE},     {"a.xml", TRUE},
      {"\\\\srv\\sh\\a.xml", TRUE},  // the leading pair of a network path
      {"C:\\ソ\\表\\a.xml", TRUE},   // trail bytes 0x5C next to backslashes
      {"C:\\ポ.xml", TRUE},          // ポ is 83 7C: its trail byte is '|'
      {"C:\\TEMP\\*.xml", FALSE},    // the default path until a name is typed
      {"C:\\A\\\\B", FALSE},        {"\\\\srv\\\\sh", FALSE},
      {"C:\\a|b", FALSE},           {"a:b:c", FALSE},
      {"\\\\srv\\sh:x", FALSE},     {"/tmp/a.xml", FALSE},
  };
  for (const auto& c : kCases) EXPECT_EQ(CheckPathChars(c.path), c.ok) << c.path;
  // Every forbidden character, also right after the drive colon.
  for (const char c : std::string("/:,;*?\"><|")) {
    for (const std::string& path : {std::string("C:") + c + "a.xml", std::string("C:\\a") + c}) {
      EXPECT_FALSE(CheckPathChars(path.c_str())) << path;
    }
  }
}

class OutputPathDiskTest : public testing::Test {
 protected:
  std::string C(const std::string& relative) { return m_prefix.DriveC() + "/" + relative; }
  uwtest::TempPrefix m_prefix;
};

TEST_F(OutputPathDiskTest, DriveVerdictsFollowTheDriveType) {
  m_prefix.WriteFile("platform.ini",
                     "[drives]\nC=drive_c,fixed\nA=a,unknown\nB=b,noroot\nR=r,removable\n"
                     "S=missing,removable\nN=n,remote\nD=d,cdrom\nM=m,ramdisk\nQ=q,7\n"
                     "\\\\srv\\sh=share,remote\n");
  for (const char* folder : {"a", "b", "r", "n", "d", "m", "q", "share"}) {
    fs::create_directories(m_prefix.path() + "/" + folder);
  }
  static const struct {
    int letter;
    BOOL usable;
  } kDrives[] = {
      {'A', FALSE},                              // unknown
      {'B', TRUE},                               // no root directory
      {'R', TRUE},                               // removable, root accessible
      {'S', FALSE},                              // removable, root missing
      {'C', TRUE},  {'c', TRUE},   {'N', TRUE},  // fixed, remote
      {'D', FALSE}, {'M', FALSE},                // CD-ROM, RAM disk
      {'Q', TRUE},                               // a type above 6
      {'K', TRUE},                               // unmapped: no root directory
      {'1', FALSE}, {'\\', FALSE}, {0, FALSE},
  };
  for (const auto& d : kDrives) {
    EXPECT_EQ(IsDriveUsable(d.letter, 6), d.usable) << static_cast<char>(d.letter);
  }

  static const struct {
    const char* path;
    BOOL usable;
  } kPaths[] = {
      {"C:\\OUT\\a.xml", TRUE},
      {"d:\\a.xml", FALSE},
      {"Ca.xml", TRUE},  // the first byte is the letter, colon or not
      {"1:\\a.xml", FALSE},
      {"", FALSE},
      {"C:\\A\\\\B", FALSE},
      {"\\\\srv\\sh\\a.xml", TRUE},
      {"\\\\SRV\\SH\\d\\a.xml", TRUE},
      {"\\\\srv\\sh", FALSE},  // no backslash after the share name
      {"\\\\srv", FALSE},
      {"\\\\srv\\other\\a.xml", FALSE},
  };
  for (const auto& p : kPaths) EXPECT_EQ(CheckDrive(p.path), p.usable) << p.path;
}

TEST_F(OutputPathDiskTest, FolderExistsLooksAtTheFolderPart) {
  fs::create_directories(C(U8(u8"A/ソ")));
  uwtest::MakeFile(C("A/f.xml"));
  static const struct {
    const char* path;
    BOOL exists;
  } kCases[] = {
      {"C:\\A\\f.xml", TRUE},  {"C:\\A\\", TRUE},
      {"C:\\A\\ソ\\", TRUE},   {"C:\\A\\ソ", TRUE},  // the folder part is C:\A\ .
      {"C:\\B\\f.xml", FALSE}, {"C:\\A\\f.xml\\", FALSE},
      {"K:\\", FALSE},         {"", FALSE},
  };
  for (const auto& c : kCases) EXPECT_EQ(FolderExists(c.path), c.exists) << c.path;
  const std::string tooLong = "C:\\A\\" + std::string(256, 'a');
  EXPECT_FALSE(FolderExists(tooLong.c_str()));
}

TEST_F(OutputPathDiskTest, CreateFolderTreeCreatesEveryMissingLevel) {
  fs::create_directories(C("A"));
  EXPECT_EQ(CreateFolderTree("C:\\A\\B\\C\\"), 1);
  EXPECT_TRUE(uwtest::IsFolder(C("A/B/C")));
  EXPECT_EQ(CreateFolderTree("c:\\A\\B\\C\\f.xml"), 1);  // already there
  EXPECT_EQ(CreateFolderTree("C:\\A\\X\\Y"), 1);         // Y names a file
  EXPECT_TRUE(uwtest::IsFolder(C("A/X")));
  EXPECT_FALSE(uwtest::Exists(C("A/X/Y")));

  // Names ending in a trail byte 0x5C are created whole.
  EXPECT_EQ(CreateFolderTree("C:\\ソ\\表\\"), 1);
  EXPECT_TRUE(uwtest::IsFolder(C(U8(u8"ソ/表"))));
  std::set<std::string> names;  // and nothing cut before a trail byte beside them
  for (const auto& entry : fs::recursive_directory_iterator(C(U8(u8"ソ")))) {
    names.insert(entry.path().filename().string());
  }
  for (const auto& entry : fs::directory_iterator(m_prefix.DriveC())) {
    names.insert(entry.path().filename().string());
  }
  EXPECT_EQ(names, (std::set<std::string>{"A", U8(u8"ソ"), U8(u8"表")}));

  // The root of a drive that does not exist has no level to create.
  EXPECT_EQ(CreateFolderTree("K:\\"), 1);

  m_prefix.WriteFile("platform.ini", "[drives]\nC=drive_c\n\\\\srv\\sh=drive_c/share\n");
  fs::create_directories(C("share"));
  EXPECT_EQ(CreateFolderTree("\\\\srv\\sh\\x\\y\\"), 1);
  EXPECT_TRUE(uwtest::IsFolder(C("share/x/y")));
}

TEST_F(OutputPathDiskTest, CreateFolderTreeRemovesExactlyWhatItCreated) {
  fs::create_directories(C("A"));
  // B is created, then its child cannot be: 86 kanji are 172 bytes here and
  // 258 bytes in UTF-8, too long for one name on the disk.
  std::string tooLong = "C:\\A\\B\\";
  for (int n = 0; n < 86; ++n) tooLong += "漢";
  EXPECT_EQ(CreateFolderTree((tooLong + "\\").c_str()), 0);
  EXPECT_FALSE(uwtest::Exists(C("A/B")));
  EXPECT_TRUE(uwtest::IsFolder(C("A")));

  // A file where a folder is expected: nothing was created, nothing goes.
  fs::create_directories(C("A/E"));
  uwtest::MakeFile(C("A/E/F"));
  EXPECT_EQ(CreateFolderTree("C:\\A\\E\\F\\G\\"), 0);
  EXPECT_TRUE(uwtest::IsFolder(C("A/E")));
  EXPECT_TRUE(fs::is_regular_file(C("A/E/F")));

  // Nothing to create with: no root, an unmapped drive, a path too long.
  const std::string longFolder = "C:\\" + std::string(258, 'a') + "\\";
  for (const char* bad : {"", "A\\B\\", "\\A\\B\\", "K:\\A\\", longFolder.c_str()}) {
    EXPECT_EQ(CreateFolderTree(bad), 0) << bad;
  }
  EXPECT_FALSE(uwtest::Exists(C(std::string(258, 'a'))));
}

TEST_F(OutputPathDiskTest, RemoveCreatedFoldersStopsAtTheKeptLevel) {
  auto tree = [&](const std::string& relative) { fs::create_directories(C(relative)); };
  tree("A/B/C/D");
  RemoveCreatedFolders("C:\\A\\B\\C\\D\\", "C:\\A\\");
  EXPECT_FALSE(uwtest::Exists(C("A/B")));
  EXPECT_TRUE(uwtest::IsFolder(C("A")));

  tree("A/B");
  RemoveCreatedFolders("C:\\A\\B\\f.xml", "c:\\a\\");  // case of letters ignored
  EXPECT_FALSE(uwtest::Exists(C("A/B")));
  EXPECT_TRUE(uwtest::IsFolder(C("A")));

  tree("A/B/C");
  uwtest::MakeFile(C("A/B/keep.txt"));
  RemoveCreatedFolders("C:\\A\\B\\C\\", "C:\\");  // stops at the first that stays
  EXPECT_FALSE(uwtest::Exists(C("A/B/C")));
  EXPECT_TRUE(uwtest::IsFolder(C("A/B")));

  // Not on the kept folder's path: nothing is removed.
  tree("X/Y");
  RemoveCreatedFolders("C:\\X\\Y\\", "C:\\A\\");
  RemoveCreatedFolders("C:\\X\\Y\\", "Z:\\");
  EXPECT_TRUE(uwtest::IsFolder(C("X/Y")));
  // ア (83 41) and ャ (83 61) differ in a trail byte that looks like a letter.
  fs::create_directories(C(U8(u8"ャ/x")));
  RemoveCreatedFolders("C:\\ャ\\x\\", "C:\\ア\\");
  EXPECT_TRUE(uwtest::IsFolder(C(U8(u8"ャ/x"))));

  tree(U8(u8"ソ/表"));
  RemoveCreatedFolders("C:\\ソ\\表\\", "C:\\");
  EXPECT_FALSE(uwtest::Exists(C(U8(u8"ソ"))));
}

TEST(OutputPathTest, FitsPathBufferAt260Bytes) {
  EXPECT_TRUE(FitsPathBuffer(std::string(260, 'a').c_str()));
  EXPECT_FALSE(FitsPathBuffer(std::string(261, 'a').c_str()));
  EXPECT_TRUE(FitsPathBuffer(""));
  EXPECT_FALSE(FitsPathBuffer(nullptr));
}

}  // namespace
