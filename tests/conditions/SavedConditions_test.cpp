// Literals are compiled to CP932, as the program's are ("ソ" is 83 5C).
#include "conditions/SavedConditions.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "conditions/OutputPath.h"
#include "resources/Edition.h"
#include "tests/support/TempPrefix.h"

namespace {

namespace fs = std::filesystem;

constexpr char kHostFolder[] = "C:\\HOST\\ENV\\";
constexpr char kSentinelPath[] = "untouched";

class SavedConditionsTest : public testing::Test {
 protected:
  std::string FileRelative() const {
    return std::string("drive_c/HOST/ENV/") + g_edition.envFileName;
  }
  std::string FileContent() const { return m_prefix.ReadFile(FileRelative()); }
  void WriteContent(const std::string& content) const {
    m_prefix.WriteFile(FileRelative(), content);
  }
  // Names in the host folder, to see that no temporary file is left.
  std::vector<std::string> FolderNames() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(m_prefix.DriveC() + "/HOST/ENV")) {
      names.push_back(entry.path().filename().string());
    }
    return names;
  }

  static ClSavedConditions For(const char* user, LONG no1 = 3, LONG no2 = 1,
                               const char* folder = kHostFolder) {
    return ClSavedConditions(user, no1, no2, folder, g_edition.envFileName);
  }

  struct Loaded {
    int result = -1;
    short tax = -7;
    short endMonth = -7;
    char path[kPathBufferSize];
  };
  static Loaded LoadFor(ClSavedConditions conditions) {
    Loaded loaded;
    std::memset(loaded.path, '\xCC', sizeof(loaded.path));
    std::snprintf(loaded.path, sizeof(loaded.path), "%s", kSentinelPath);
    loaded.result = conditions.Load(&loaded.tax, &loaded.endMonth, loaded.path);
    return loaded;
  }

  uwtest::TempPrefix m_prefix;
};

TEST_F(SavedConditionsTest, FirstSaveCreatesTheFolderAndOneLine) {
  ASSERT_EQ(For("u1").Save(1, 12, "C:\\OUT\\A.xml", ""), 1);
  EXPECT_EQ(FileContent(), "u1/3/1:1/12/C:\\OUT\\A.xml\n");
  EXPECT_EQ(FolderNames(), std::vector<std::string>{g_edition.envFileName});

  const Loaded loaded = LoadFor(For("u1"));
  EXPECT_EQ(loaded.result, 1);
  EXPECT_EQ(loaded.tax, 1);
  EXPECT_EQ(loaded.endMonth, 12);
  EXPECT_STREQ(loaded.path, "C:\\OUT\\A.xml");
}

TEST_F(SavedConditionsTest, SavingMovesTheKeysLineToTheEnd) {
  ASSERT_EQ(For("u1").Save(1, 12, "C:\\OUT\\A.xml", ""), 1);
  ASSERT_EQ(For("u2", 5, 2).Save(0, 3, "C:\\ソ\\B.xml", ""), 1);
  EXPECT_EQ(FileContent(), "u1/3/1:1/12/C:\\OUT\\A.xml\nu2/5/2:0/3/C:\\ソ\\B.xml\n");
  ASSERT_EQ(For("u1").Save(0, 9, nullptr, "C:\\SAVED\\C.xml"), 1);  // no path: the saved one
  EXPECT_EQ(FileContent(), "u2/5/2:0/3/C:\\ソ\\B.xml\nu1/3/1:0/9/C:\\SAVED\\C.xml\n");

  const Loaded loaded = LoadFor(For("u2", 5, 2));
  EXPECT_EQ(loaded.result, 1);
  EXPECT_STREQ(loaded.path, "C:\\ソ\\B.xml");
}

TEST_F(SavedConditionsTest, KeysThatEndAlikeStaySeparate) {
  ASSERT_EQ(For("11").Save(1, 4, "C:\\eleven.xml", ""), 1);
  ASSERT_EQ(For("1").Save(0, 7, "", ""), 1);  // an empty path
  ASSERT_EQ(For("11").Save(1, 5, "C:\\eleven.xml", ""), 1);
  EXPECT_EQ(FileContent(), "1/3/1:0/7/\n11/3/1:1/5/C:\\eleven.xml\n");

  const Loaded one = LoadFor(For("1"));
  EXPECT_EQ(one.result, 1);
  EXPECT_EQ(one.endMonth, 7);
  EXPECT_STREQ(one.path, "");
  const Loaded eleven = LoadFor(For("11"));
  EXPECT_EQ(eleven.endMonth, 5);
  EXPECT_EQ(LoadFor(For("1", 3, 11)).result, 0);
}

TEST_F(SavedConditionsTest, LoadReadsOnlyWellFormedRecords) {
  static const struct {
    const char* content;
    int result;
    short tax;
    short endMonth;
    const char* path;
  } kCases[] = {
      {"u1/3/1:1/12/C:\\OUT\\A.xml\n", 1, 1, 12, "C:\\OUT\\A.xml"},
      {"u1/3/1:0/9/\n", 1, 0, 9, ""},
      {"x/1/1:0/1/a\nu1/3/1:1/2/b\nu1/3/1:0/3/c\n", 1, 1, 2, "b"},  // the first record
      {"u1/3/1:1/2/3/x\n", 1, 1, 2, "x"},  // the end month up to the last '/'
      {"u1/3/1:x/y/p\n", 1, 0, 0, "p"},    // text that is no number reads as 0
      {"u1/3/1:1/12/C:\\ソ\n", 1, 1, 12, "C:\\ソ"},
      {"", 0, 0, 0, nullptr},
      {"xu1/3/1:1/12/p\n", 0, 0, 0, nullptr},  // the key inside a line does not count
      {"u1/3/1:1/12\n", 0, 0, 0, nullptr},     // fewer than two '/'
      {"u1/3/1:1\n", 0, 0, 0, nullptr},
      {"u1/3/1:1/12/p", 0, 0, 0, nullptr},  // the last line without a line feed
  };
  for (const auto& c : kCases) {
    WriteContent(c.content);
    const Loaded loaded = LoadFor(For("u1"));
    EXPECT_EQ(loaded.result, c.result) << c.content;
    if (c.result == 1) {
      EXPECT_EQ(loaded.tax, c.tax) << c.content;
      EXPECT_EQ(loaded.endMonth, c.endMonth) << c.content;
      EXPECT_STREQ(loaded.path, c.path) << c.content;
    } else {
      EXPECT_EQ(loaded.tax, -7) << c.content;
      EXPECT_EQ(loaded.endMonth, -7) << c.content;
      EXPECT_STREQ(loaded.path, kSentinelPath) << c.content;
    }
  }
  // Values and paths that do not fit are refused, not cut.
  WriteContent("u1/3/1:1/12/C:\\" + std::string(258, 'a') + "\n");  // 261 bytes
  EXPECT_EQ(LoadFor(For("u1")).result, 0);
  WriteContent("u1/3/1:1/12/C:\\" + std::string(257, 'a') + "\n");  // 260 bytes
  EXPECT_EQ(LoadFor(For("u1")).result, 1);
  WriteContent("u1/3/1:1/" + std::string(510, '0') + "12/p\n");  // 516 bytes of value
  EXPECT_EQ(LoadFor(For("u1")).result, 0);
}

TEST_F(SavedConditionsTest, NoFileNoFolderOrAnOversizedKeyLoadsNothing) {
  EXPECT_EQ(LoadFor(For("u1")).result, 0);  // no folder yet
  EXPECT_EQ(LoadFor(For("u1", 3, 1, "")).result, 0);
  const std::string longUser(45, 'u');  // 45 + "/3/1:" = 50 bytes fits, 46 does not
  ASSERT_EQ(For(longUser.c_str()).Save(1, 1, "p", ""), 1);
  EXPECT_EQ(LoadFor(For(longUser.c_str())).result, 1);
  const std::string before = FileContent();
  const std::string tooLong(46, 'u');
  EXPECT_EQ(For(tooLong.c_str()).Save(1, 1, "p", ""), 0);
  EXPECT_EQ(LoadFor(For(tooLong.c_str())).result, 0);
  EXPECT_EQ(FileContent(), before);
}

TEST_F(SavedConditionsTest, OtherUsersLinesSurviveByteForByte) {
  // Another user's last line lacks its line feed: it stays whole and gets one.
  const std::string others =
      "a/1/1:0/3/C:\\ソ\\x.xml\nu1/3/1:1/4/old\nb/2/2:1/5/\n\xFF\x01junk\nc/9/9:0/6/y";
  WriteContent(others);
  ASSERT_EQ(For("u1").Save(0, 7, "new", ""), 1);
  EXPECT_EQ(FileContent(),
            "a/1/1:0/3/C:\\ソ\\x.xml\nb/2/2:1/5/\n\xFF\x01junk\nc/9/9:0/6/y\n"
            "u1/3/1:0/7/new\n");
  // The key's own unterminated last line is its record, replaced whole.
  WriteContent("a/1/1:0/3/x\nu1/3/1:1/4/ol");
  ASSERT_EQ(For("u1").Save(1, 8, "new", ""), 1);
  EXPECT_EQ(FileContent(), "a/1/1:0/3/x\nu1/3/1:1/8/new\n");
}

TEST_F(SavedConditionsTest, RefusedSavesLeaveTheFileAsItWas) {
  WriteContent("a/1/1:0/3/x\n");
  const std::string tooLong = "C:\\" + std::string(258, 'a');
  for (const char* path : {"C:/OUT/a.xml", "a\nb", tooLong.c_str()}) {
    EXPECT_EQ(For("u1").Save(1, 12, path, ""), 0) << path;
  }
  EXPECT_EQ(For("u1", 3, 1, "").Save(1, 12, "p", ""), 0);           // no host folder
  EXPECT_EQ(For("u1", 3, 1, "K:\\ENV\\").Save(1, 12, "p", ""), 0);  // folder not creatable
  EXPECT_EQ(FileContent(), "a/1/1:0/3/x\n");

  // A file that cannot be replaced (read-only) stays, and no temporary file
  // is left beside it.
  const std::string file = m_prefix.path() + "/" + FileRelative();
  fs::permissions(file, fs::perms::owner_read);
  EXPECT_EQ(For("u1").Save(1, 12, "p", ""), 0);
  EXPECT_EQ(FileContent(), "a/1/1:0/3/x\n");
  EXPECT_EQ(FolderNames(), std::vector<std::string>{g_edition.envFileName});

  // A folder where the file should be.
  fs::remove(file);
  fs::create_directories(file);
  EXPECT_EQ(For("u1").Save(1, 12, "p", ""), 0);
  EXPECT_TRUE(fs::is_directory(file));
}

// Fails, or stops the process, at one step of the save.
class FailingSave : public ClSavedConditions {
 public:
  FailingSave(SaveStep step, bool exitProcess)
      : ClSavedConditions("u1", 3, 1, kHostFolder, g_edition.envFileName),
        m_step(step),
        m_exit(exitProcess) {}

 protected:
  BOOL OnSaveStep(SaveStep step) override {
    if (step != m_step) return TRUE;
    if (m_exit) std::_Exit(3);
    return FALSE;
  }

 private:
  SaveStep m_step;
  bool m_exit;
};

TEST_F(SavedConditionsTest, AFailureBetweenTheStepsKeepsTheOldFile) {
  const std::string old = "a/1/1:0/3/x\nu1/3/1:1/4/old\nb/2/2:1/5/\n";
  for (const auto step :
       {ClSavedConditions::_SaveStep_TempCreated, ClSavedConditions::_SaveStep_TempWritten}) {
    WriteContent(old);
    EXPECT_EQ(FailingSave(step, false).Save(0, 7, "new", ""), 0) << step;
    EXPECT_EQ(FileContent(), old) << step;
    EXPECT_EQ(FolderNames(), std::vector<std::string>{g_edition.envFileName}) << step;
  }
}

TEST_F(SavedConditionsTest, AProcessStoppedMidSaveLeavesTheOldFileWhole) {
  // The default death test style forks: the child shares this prefix.
  const std::string old = "a/1/1:0/3/x\nu1/3/1:1/4/old\nb/2/2:1/5/\n";
  for (const auto step :
       {ClSavedConditions::_SaveStep_TempCreated, ClSavedConditions::_SaveStep_TempWritten}) {
    WriteContent(old);
    EXPECT_EXIT(FailingSave(step, true).Save(0, 7, "new", ""), testing::ExitedWithCode(3), "")
        << step;
    EXPECT_EQ(FileContent(), old) << step;
    // The next save succeeds beside the stray temporary file and keeps every record.
    ASSERT_EQ(For("u1").Save(0, 7, "new", ""), 1) << step;
    EXPECT_EQ(FileContent(), "a/1/1:0/3/x\nb/2/2:1/5/\nu1/3/1:0/7/new\n") << step;
  }
}

}  // namespace
