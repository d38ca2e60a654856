// Execute of the conditions dialog: every refusal with its message and the
// focus it leaves, the folder question with the creation of the missing
// levels, and the overwrite question. Run through the headless backend;
// literals are CP932, scripts are written in UTF-8.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "conditions/SumCondDlg.h"
#include "tests/conditions/SumCondTestSupport.h"

namespace sumcond_test {
namespace {

using Lines = std::vector<std::string>;

// After an error box answered with OK, the focus goes to `control` with its
// whole text selected.
Lines Refused(const char* text, const char* control) {
  const std::string id(control);
  return Join({Error(text), {"> answer ok", "  -> OK", "focus " + id, "select " + id + ": all"}});
}

class SumCondExecuteTest : public SumCondTest {
 protected:
  // Types `path` (CP932) into the path edit, moves the focus away and
  // presses F12; answers the boxes with `answers` (script lines), then
  // cancels the dialog should it still be open.
  INT_PTR Execute(const std::string& path, const std::string& answers = "answer ok\n") {
    return Run("type 1015 " + Utf8(path) + "\nfocus 1000\nkey F12\n" + answers +
               "key Esc\nanswer ok\n");
  }
};

TEST_F(SumCondExecuteTest, OnlyEndMonthsInsideThePeriodPass) {
  static const struct {
    TLONG periodStart;
    TLONG periodEnd;
    std::vector<const char*> good;
    std::vector<const char*> bad;
  } cases[] = {
      {20170401, 20180331, {"4", "9", "12", "1", "3"}, {"0", "13", "", "99"}},
      {20170101, 20171231, {"1", "6", "12"}, {"0", "13"}},
      {20170601, 20171231, {"6", "12"}, {"5", "1"}},
      // Six months across the turn of the year.
      {20171001, 20180331, {"10", "12", "1", "3"}, {"4", "9"}},
  };
  for (const auto& c : cases) {
    Restart();
    AddCompany({.periodStart = c.periodStart, .periodEnd = c.periodEnd});
    for (const char* month : c.good) {
      EXPECT_EQ(Run(std::string("type 1000 ") + month + "\ntype 1015 C:\\a.xml\nkey F12\n"), 1002)
          << c.periodStart << " end " << month;
      EXPECT_EQ(Dialog().m_strEndMonth, month);
    }
    for (const char* month : c.bad) {
      EXPECT_EQ(Run(std::string("type 1000 ") + month +
                    "\ntype 1015 C:\\a.xml\nkey F12\nanswer ok\nkey Esc\nanswer ok\n"),
                1003)
          << c.periodStart << " end " << month;
      EXPECT_EQ(After("key F12"), Refused(kBadPeriodText, "1000"))
          << c.periodStart << " end " << month;
    }
  }
}

TEST_F(SumCondExecuteTest, AnEmptyPathIsReportedAndTheFileDialogOpens) {
  EXPECT_EQ(Execute("", "answer ok\nfile cancel\n"), 1003);
  const Lines reaction = After("key F12");
  EXPECT_TRUE(StartsWith(reaction, Join({Error(kNoPathText), {"> answer ok", "  -> OK"}})));
  const Lines tail(reaction.end() - std::min<std::size_t>(reaction.size(), 4), reaction.end());
  EXPECT_EQ(tail, (Lines{"  filter: Xml Files (*.xml) *.xml", "> file cancel", "  -> cancelled",
                         "focus 1002"}));
}

TEST_F(SumCondExecuteTest, PathRefusalsSayWhatIsWrongAndSelectThePath) {
  fs::create_directories(C("DIR"));
  static const struct {
    const char* path;
    const char* text;
  } cases[] = {
      // The proposed pattern and the other forbidden characters, also
      // right after the drive's colon.
      {"C:\\OUT\\*.xml", kBadCharsText},
      {"C:,a.xml", kBadCharsText},
      {"C:;a.xml", kBadCharsText},
      {"C:/a.xml", kBadCharsText},
      {"C:\\a,b.xml", kBadCharsText},
      {"C:\\a;b.xml", kBadCharsText},
      {"C:\\dir/a.xml", kBadCharsText},
      {"C:\\a?.xml", kBadCharsText},
      {"C:\\a\"b.xml", kBadCharsText},
      {"C:\\a>b.xml", kBadCharsText},
      {"C:\\a<b.xml", kBadCharsText},
      {"C:\\a|b.xml", kBadCharsText},
      {"C:\\a:b.xml", kBadCharsText},
      // Doubled backslashes; a network path keeps its leading pair only.
      {"C:\\\\a.xml", kBadCharsText},
      {"C:\\OUT\\\\a.xml", kBadCharsText},
      {"\\\\srv\\sh\\\\a.xml", kBadCharsText},
      // No drive letter first; a network path without its share.
      {"1:\\a.xml", kBadDriveText},
      {"\\a.xml", kBadDriveText},
      {"\\\\srv\\a.xml", kBadDriveText},
      // No file name: a folder path, or an existing folder.
      {"C:\\OUT\\", kNoFileNameText},
      {"C:\\", kNoFileNameText},
      {"C:\\DIR", kNoFileNameText},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Execute(c.path), 1003) << c.path;
    EXPECT_EQ(After("key F12"), Refused(c.text, "1015")) << c.path;
  }
  EXPECT_EQ(fs::directory_iterator(C("DIR")), fs::directory_iterator());
}

TEST_F(SumCondExecuteTest, GoodPathsEndTheDialog) {
  m_prefix.WriteFile("platform.ini", "[drives]\nC=drive_c\n\\\\srv\\sh=drive_c/share,remote\n");
  fs::create_directories(C("share"));
  static const char* const cases[] = {
      "C:\\a.xml",
      "c:\\a.xml",
      "C:a.xml",     // no backslash: no folder to check
      "a.xml",       // a bare name: its first letter is taken for a drive without a root
      "C:\\ポ.xml",  // the trail byte 0x7C is no '|'
      "C:\\表.xml",  // nor is 0x5C a backslash
      "\\\\srv\\sh\\a.xml",
  };
  for (const char* path : cases) {
    EXPECT_EQ(Execute(path), 1002) << path;
    EXPECT_EQ(Dialog().m_strOutPath, path);
    EXPECT_EQ(After("key F12"), Lines{"dialog 130 ended: 1002"}) << path;
  }
}

TEST_F(SumCondExecuteTest, DrivesAreJudgedByTheirType) {
  m_prefix.WriteFile("platform.ini",
                     "[drives]\nC=drive_c,fixed\nR=r,removable\nS=missing,removable\n"
                     "N=n,remote\nD=d,cdrom\nM=m,ramdisk\nU=u,unknown\nO=o,7\n"
                     "\\\\srv\\sh=share,remote\n");
  for (const char* folder : {"r", "n", "d", "m", "u", "o", "share"}) {
    fs::create_directories(m_prefix.path() + "/" + folder);
  }
  const Lines usable{"dialog 130 ended: 1002"};
  const Lines refused = Refused(kBadDriveText, "1015");
  const struct {
    const char* path;
    const char* answers;
    Lines reaction;
  } cases[] = {
      {"R:\\a.xml", "", usable},
      {"S:\\a.xml", "answer ok\n", refused},  // removable, no medium: its root is unreachable
      {"N:\\a.xml", "", usable},
      {"D:\\a.xml", "answer ok\n", refused},
      {"M:\\a.xml", "answer ok\n", refused},
      {"U:\\a.xml", "answer ok\n", refused},
      {"O:\\a.xml", "", usable},
      {"\\\\srv\\sh\\a.xml", "", usable},
      {"\\\\srv\\other\\a.xml", "answer ok\n", refused},
      // A letter without a root passes; its root is offered as a folder to
      // make, which "succeeds" without making anything.
      {"K:\\a.xml", "answer yes\n",
       Join({Question(kCreateFolderText), {"> answer yes", "  -> Yes", "dialog 130 ended: 1002"}})},
      {"K:\\X\\a.xml", "answer yes\nanswer ok\n",
       Join({Question(kCreateFolderText),
             {"> answer yes", "  -> Yes"},
             Refused(kCreateFailedText, "1015")})},
  };
  for (const auto& c : cases) {
    Execute(c.path, c.answers);
    EXPECT_EQ(After("key F12"), c.reaction) << c.path;
  }
}

TEST_F(SumCondExecuteTest, AMissingFolderIsMadeLevelByLevelOnlyWhenTheUserAgrees) {
  fs::create_directories(C("A"));
  const Lines asked = Join({Question(kCreateFolderText), {"> answer yes", "  -> Yes"}});

  EXPECT_EQ(Execute("C:\\A\\B\\C\\a.xml", "answer no\n"), 1003);
  EXPECT_EQ(After("key F12"), Join({Question(kCreateFolderText),
                                    {"> answer no", "  -> No", "focus 1015", "select 1015: all"}}));
  EXPECT_FALSE(fs::exists(C("A/B")));

  EXPECT_EQ(Execute("C:\\A\\B\\C\\a.xml", "answer yes\n"), 1002);
  EXPECT_EQ(After("key F12"), Join({asked, {"dialog 130 ended: 1002"}}));
  EXPECT_TRUE(fs::is_directory(C("A/B/C")));

  // A name ending in the byte 0x5C makes a folder of that whole name.
  EXPECT_EQ(Execute("C:\\A\\ソ\\a.xml", "answer yes\n"), 1002);
  EXPECT_TRUE(fs::is_directory(C("A/" + Utf8("ソ"))));
  EXPECT_EQ(std::distance(fs::directory_iterator(C("A")), fs::directory_iterator()), 2);
}

TEST_F(SumCondExecuteTest, AFailedFolderRemovesWhatItMadeAndKeepsWhatWasThere) {
  fs::create_directories(C("A"));
  const Lines failed = Join({Question(kCreateFolderText),
                             {"> answer yes", "  -> Yes"},
                             Refused(kCreateFailedText, "1015")});

  // D is made, then its child cannot be: 86 kanji are 172 bytes here and
  // 258 bytes on the disk, too long for one name. D goes again, A stays.
  std::string deep = "C:\\A\\D\\";
  for (int n = 0; n < 86; ++n) deep += "漢";
  EXPECT_EQ(Execute(deep + "\\a.xml", "answer yes\nanswer ok\n"), 1003);
  EXPECT_EQ(After("key F12"), failed);
  EXPECT_FALSE(fs::exists(C("A/D")));
  EXPECT_TRUE(fs::is_directory(C("A")));

  // A file where a folder is expected: nothing made, the file untouched.
  MakeFile(C("A/F"), "keep");
  EXPECT_EQ(Execute("C:\\A\\F\\G\\a.xml", "answer yes\nanswer ok\n"), 1003);
  EXPECT_EQ(After("key F12"), failed);
  EXPECT_EQ(m_prefix.ReadFile("drive_c/A/F"), "keep");
  EXPECT_EQ(std::distance(fs::directory_iterator(C("A")), fs::directory_iterator()), 1);
}

TEST_F(SumCondExecuteTest, AnExistingFileIsOverwrittenOnlyAfterTheQuestion) {
  MakeFile(C("OUT/a.xml"), "old");
  EXPECT_EQ(Run("type 1015 C:\\OUT\\a.xml\nfocus 1000\nkey F12\nanswer no\nkey F12\nanswer yes\n"),
            1002);
  EXPECT_EQ(After("key F12", 1),
            Join({Question(kOverwriteText),
                  {"> answer no", "  -> No", "focus 1015", "select 1015: all"}}));
  EXPECT_EQ(After("key F12", 2), Join({Question(kOverwriteText),
                                       {"> answer yes", "  -> Yes", "dialog 130 ended: 1002"}}));
  EXPECT_EQ(m_prefix.ReadFile("drive_c/OUT/a.xml"), "old");  // the dialog writes nothing
}

TEST_F(SumCondExecuteTest, AFixedPathIsCheckedButNeverQuestionedForOverwriting) {
  MakeFile(C("OUT/a.xml"), "old");
  Dialog().m_strFixedPath = "C:\\OUT\\a.xml";
  EXPECT_EQ(Run("key F12\n"), 1002);
  EXPECT_EQ(After("key F12"), Lines{"dialog 130 ended: 1002"});

  // Its missing folder is still offered.
  Dialog().m_strFixedPath = "C:\\NEW\\a.xml";
  EXPECT_EQ(Run("key F12\nanswer yes\n"), 1002);
  EXPECT_TRUE(fs::is_directory(C("NEW")));

  // A bad one cannot be corrected here: the disabled edit gets the focus,
  // and only cancelling ends the dialog.
  Dialog().m_strFixedPath = "C:\\a,b.xml";
  EXPECT_EQ(
      Run("key F12\nanswer ok\ntype 1015 C:\\a.xml\nkey F12\nanswer ok\nkey Esc\nanswer ok\n"),
      1003);
  EXPECT_EQ(After("key F12", 1), Refused(kBadCharsText, "1015"));
  EXPECT_EQ(After("key F12", 2),
            Join({Error(kBadCharsText), {"> answer ok", "  -> OK", "select 1015: all"}}));
}

TEST_F(SumCondExecuteTest, APathLongerThanTheBuffersIsRefusedWhole) {
  // 300 bytes without a forbidden character, in a folder that is missing.
  const std::string longPath =
      "C:\\" + std::string(200, 'a') + "\\" + std::string(92, 'b') + ".xml";
  ASSERT_EQ(longPath.size(), 300u);
  Dialog().m_strFixedPath = longPath.c_str();
  EXPECT_EQ(Run("key F12\nanswer ok\nkey Esc\nanswer ok\n"), 1003);
  EXPECT_EQ(After("key F12"), Refused(kBadCharsText, "1015"));
  EXPECT_EQ(fs::directory_iterator(C("")), fs::directory_iterator());  // no folder made
}

}  // namespace
}  // namespace sumcond_test
