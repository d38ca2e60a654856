// The conditions dialog's initialisation, keys, tax check box and cancel
// routes, run through the headless backend. Literals are CP932.
#include "conditions/SumCondDlg.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/Edition.h"
#include "tests/conditions/SumCondTestSupport.h"

namespace sumcond_test {
namespace {

using Lines = std::vector<std::string>;

class SumCondDlgTest : public SumCondTest {
 protected:
  // The shown line of the tax check box, checked or not.
  static std::string TaxLine(bool checked) {
    return Utf8("check 1004 \"税込みで集計する。(&Z)\"") + (checked ? " checked" : "");
  }
  // Writes the saved conditions file in host folder 1 (C:\HOST\ENV\).
  void WriteSavedFile(const std::string& content) {
    SetHostFolder("folder1", "C:\\HOST\\ENV\\");
    m_prefix.WriteFile(std::string("drive_c/HOST/ENV/") + g_edition.envFileName, content);
  }
};

TEST_F(SumCondDlgTest, WithoutARecordMonthsAndTaxComeFromThePeriodAndTheHost) {
  static const struct {
    TLONG periodStart;
    TLONG periodEnd;
    bool taxInclusive;
    bool taxUnreadable;  // the host cannot find the tax settings of the data
    const char* startMonth;
    const char* endMonth;
    bool checked;
  } cases[] = {
      {20170401, 20180331, false, false, "4", "3", false},
      {20170101, 20171231, true, false, "1", "12", true},
      {20170601, 20171231, true, false, "6", "12", true},
      {20171001, 20180930, true, true, "10", "9", false},
  };
  for (const auto& c : cases) {
    Restart();
    AddCompany(
        {.periodStart = c.periodStart, .periodEnd = c.periodEnd, .taxInclusive = c.taxInclusive});
    Dialog();
    if (c.taxUnreadable) Ledger().Exec("PRAGMA foreign_keys = OFF; DELETE FROM company;");
    EXPECT_EQ(Run(""), 1003) << c.periodStart;
    EXPECT_EQ(ShownControl("static 1010"), std::string("static 1010 \"") + c.startMonth + "\"")
        << c.periodStart;
    EXPECT_EQ(ShownControl("edit 1000"), std::string("edit 1000 \"") + c.endMonth + "\" focus")
        << c.periodStart;
    EXPECT_EQ(ShownControl("check 1004"), TaxLine(c.checked)) << c.periodStart;
    EXPECT_EQ(Dialog().m_nTaxIncluded, c.checked ? 1 : 0) << c.periodStart;
    EXPECT_STREQ(Dialog().m_szSavedPath, "") << c.periodStart;
  }
}

TEST_F(SumCondDlgTest, ARecordGivesTaxEndMonthAndPathButNeverTheStartMonth) {
  static const struct {
    const char* record;  // the current user's line, after others' lines
    bool hostTaxInclusive;
    bool checked;
    const char* endMonth;
    const char* path;  // shown; the empty record path gives the proposed one
    const char* savedPath;
  } cases[] = {
      {"user1/3/1:1/9/\n", false, true, "9", "C:\\OUT\\*.xml", ""},
      {"user1/3/1:0/12/C:\\ソ\\last.xml\n", true, false, "12", "C:\\ソ\\last.xml",
       "C:\\ソ\\last.xml"},
      // Out of the period: shown as it is, Execute refuses it.
      {"user1/3/1:1/7/\n", false, true, "7", "C:\\OUT\\*.xml", ""},
  };
  for (const auto& c : cases) {
    Restart();
    AddCompany(
        {.periodStart = 20170101, .periodEnd = 20170630, .taxInclusive = c.hostTaxInclusive});
    SetHostFolder("folder0", "C:\\OUT\\");
    WriteSavedFile(std::string("user11/3/1:0/1/C:\\x.xml\nuser1/3/2:0/2/C:\\y.xml\n") + c.record);
    EXPECT_EQ(Run(""), 1003) << c.record;
    EXPECT_EQ(ShownControl("static 1010"), "static 1010 \"1\"") << c.record;
    EXPECT_EQ(ShownControl("edit 1000"), std::string("edit 1000 \"") + c.endMonth + "\" focus")
        << c.record;
    EXPECT_EQ(ShownControl("check 1004"), TaxLine(c.checked)) << c.record;
    EXPECT_EQ(ShownControl("edit 1015"), Utf8(std::string("edit 1015 \"") + c.path + "\""))
        << c.record;
    EXPECT_STREQ(Dialog().m_szSavedPath, c.savedPath) << c.record;
  }
}

TEST_F(SumCondDlgTest, TheProposedPathIsTheHostFolderElseTheTemporaryFolder) {
  // 260 bytes with the backslash the platform adds; one more does not fit.
  const std::string temp260 = "C:\\" + std::string(127, 't') + "\\" + std::string(128, 't');
  const std::string temp261 = temp260 + "t";
  const struct {
    std::string folder0;  // host folder type 0, "" unset
    std::string temp;     // [paths] temp of the platform, "" for the default
    std::string expected;
  } cases[] = {
      {"C:\\OUT\\", "C:\\TEMP", "C:\\OUT\\*.xml"},  // no separator is checked or added
      {"", "C:\\TEMP", "C:\\TEMP\\*.xml"},
      {"", "C:\\TEMP\\", "C:\\TEMP\\*.xml"},
      // ソ ends in the byte 0x5C: still a backslash after the character.
      {"", "C:\\TEMP\\ソ", "C:\\TEMP\\ソ\\*.xml"},
      {"", "C:\\TEMP\\ソ\\", "C:\\TEMP\\ソ\\*.xml"},
      // A folder filling the path buffer still gets the pattern, uncut.
      {"", temp260, temp260 + "\\*.xml"},
      // A temporary folder that does not fit the buffer is no folder.
      {"", temp261, "*.xml"},
  };
  for (const auto& c : cases) {
    Restart();
    if (!c.folder0.empty()) SetHostFolder("folder0", c.folder0);
    m_prefix.WriteFile("platform.ini", "[paths]\ntemp=" + Utf8(c.temp) + "\n");
    EXPECT_EQ(Run(""), 1003) << c.temp;
    EXPECT_EQ(ShownControl("edit 1015"), Utf8("edit 1015 \"" + c.expected + "\"")) << c.temp;
  }

  // That path no longer fits a path buffer: once a name replaces the
  // pattern, Execute refuses it whole, as it refuses forbidden characters.
  Restart();
  m_prefix.WriteFile("platform.ini", "[paths]\ntemp=" + temp260 + "\n");
  fs::create_directories(C(std::string(127, 't') + "/" + std::string(128, 't')));
  EXPECT_EQ(Run("click 1001\nfile a.xml\nkey F12\nanswer ok\nkey Esc\nanswer ok\n"), 1003);
  EXPECT_EQ(Dialog().m_strOutPath.GetLength(), 265);
  EXPECT_EQ(After("key F12"), Join({Error(kBadCharsText),
                                    {"> answer ok", "  -> OK", "focus 1015", "select 1015: all"}}));
}

TEST_F(SumCondDlgTest, AFixedPathDisablesTheDestinationAndEnterGoesToExecute) {
  Dialog().m_strFixedPath = "C:\\HOST\\fixed.xml";
  EXPECT_EQ(Run("key Enter\nkey Enter\nkey Esc\nanswer ok\n"), 1003);
  EXPECT_EQ(ShownControl("edit 1015"), "edit 1015 \"C:\\HOST\\fixed.xml\" disabled");
  EXPECT_EQ(ShownControl("button 1001"), Utf8("button 1001 \"参照(&D)...\" disabled"));
  EXPECT_EQ(ShownControl("group 1014"), Utf8("group 1014 \"出力先\""));
  EXPECT_EQ(Dialog().m_bFixedPath, 1);
  EXPECT_EQ(After("key Enter", 1), Lines{"focus 1004"});
  EXPECT_EQ(After("key Enter", 2), Lines{"focus 1002"});
}

TEST_F(SumCondDlgTest, EnterMovesAlongTheConditionsThenBrowsesAndExecutes) {
  SetHostFolder("folder0", "C:\\OUT\\");
  EXPECT_EQ(Run("key Enter\nkey Enter\nkey Enter\nkey Enter\nfile cancel\nkey Enter\nanswer ok\n"
                "key Esc\nanswer ok\n"),
            1003);
  EXPECT_EQ(Dialog().m_bFixedPath, 0);
  EXPECT_EQ(After("key Enter", 1), Lines{"focus 1004"});
  EXPECT_EQ(After("key Enter", 2), (Lines{"focus 1015", "select 1015: all"}));
  EXPECT_EQ(After("key Enter", 3), Lines{"focus 1001"});
  // Enter on Browse opens the file dialog; the focus then goes to Execute.
  const Lines browse = After("key Enter", 4);
  ASSERT_FALSE(browse.empty());
  EXPECT_EQ(browse.front(), Utf8("file dialog: 保存ファイルを指定 [save]"));
  EXPECT_EQ(browse.back(), "focus 1002");
  // Enter on Execute runs its checks: the proposed pattern is no file name.
  EXPECT_EQ(
      After("key Enter", 5),
      Join({Error(kBadCharsText), {"> answer ok", "  -> OK", "focus 1015", "select 1015: all"}}));
}

TEST_F(SumCondDlgTest, F12ExecutesWhereverTheFocusIsButNotWithAModifier) {
  SetHostFolder("folder0", "C:\\OUT\\");
  for (const char* focus : {"1000", "1004", "1015", "1001", "1002", "1003"}) {
    EXPECT_EQ(Run(std::string("focus ") + focus + "\nkey F12\nanswer ok\nkey Esc\nanswer ok\n"),
              1003)
        << focus;
    EXPECT_TRUE(StartsWith(After("key F12"), Error(kBadCharsText))) << focus;
  }
  // The same keys with a modifier do nothing at all, on any control.
  for (const char* key : {"shift+F12", "ctrl+F12", "alt+F12", "ctrl+shift+F12"}) {
    for (const char* focus : {"1000", "1002"}) {
      EXPECT_EQ(Run(std::string("focus ") + focus + "\nkey " + key + "\nkey Esc\nanswer ok\n"),
                1003)
          << key;
      EXPECT_EQ(After(std::string("key ") + key), Lines{}) << key << " on " << focus;
    }
  }
}

TEST_F(SumCondDlgTest, CancelEscAndTheCloseBoxEndWithTheNotice) {
  const Lines notice = Join({MessageBoxLines("information; OK", kCancelText),
                             {"> answer ok", "  -> OK", "dialog 130 ended: 1003"}});
  static const struct {
    const char* script;
    const char* action;  // the script line the notice follows
  } cases[] = {
      {"click 1003\n", "click 1003"},  // the click moves the focus first
      {"key Esc\n", "key Esc"},
      {"close\n", "close"},
      // Enter on the Cancel button cancels, as a click does.
      {"focus 1003\nkey Enter\n", "key Enter"},
      {"focus 1003\nkey shift+Enter\n", "key shift+Enter"},
      {"focus 1003\nkey Space\n", "key Space"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Run(std::string(c.script) + "answer ok\n"), 1003) << c.script;
    Lines reaction = After(c.action);
    if (!reaction.empty() && reaction.front() == "focus 1003") reaction.erase(reaction.begin());
    EXPECT_EQ(reaction, notice) << c.script;
  }
}

TEST_F(SumCondDlgTest, PastResultsDataIsRefusedBeforeTheDialogAppears) {
  AddCompany({.dataKind = 99});
  WriteSavedFile("user1/3/1:1/9/C:\\a.xml\n");
  EXPECT_EQ(Run("answer ok\n"), 1003);
  EXPECT_EQ(m_transcript, Utf8("message box: 科目内訳書 [exclamation; OK]\n"
                               "  | 過去実績データは、連携の対象として使用できません。\n"
                               "  |\n"
                               "  | アプリケーションを終了します。\n"
                               "> answer ok\n"
                               "  -> OK\n"
                               "dialog 130 ended: 1003\n"));
  EXPECT_STREQ(Dialog().m_szSavedPath, "");  // nothing was read
}

// The standard dialog's OK command (Enter with a modifier held, on a control
// that is no push button) runs the checks of Execute rather than ending the
// dialog unchecked.
TEST_F(SumCondDlgTest, EnterWithAModifierRunsTheChecksOfExecute) {
  SetHostFolder("folder0", "C:\\OUT\\");
  for (const char* key : {"shift+Enter", "ctrl+Enter", "alt+Enter"}) {
    for (const char* focus : {"1000", "1004", "1015"}) {
      EXPECT_EQ(
          Run(std::string("focus ") + focus + "\nkey " + key + "\nanswer ok\nkey Esc\nanswer ok\n"),
          1003)
          << key << " on " << focus;
      EXPECT_TRUE(StartsWith(After(std::string("key ") + key), Error(kBadCharsText)))
          << key << " on " << focus;
    }
  }
  // With good conditions it ends as Execute does, with 1002.
  EXPECT_EQ(Run("type 1015 C:\\good.xml\nkey shift+Enter\n"), 1002);
  EXPECT_EQ(Dialog().m_strOutPath, "C:\\good.xml");
  // On a push button it is that button's command.
  EXPECT_EQ(Run("focus 1001\nkey ctrl+Enter\nfile cancel\nkey Esc\nanswer ok\n"), 1003);
  EXPECT_EQ(After("key ctrl+Enter").front(), Utf8("file dialog: 保存ファイルを指定 [save]"));
  EXPECT_EQ(Run("type 1015 C:\\good.xml\nfocus 1002\nkey alt+Enter\n"), 1002);
}

TEST_F(SumCondDlgTest, TheTaxCheckBoxSetsTheMemberOnEveryClick) {
  AddCompany({.taxInclusive = false});
  EXPECT_EQ(Run("click 1004\ntype 1015 C:\\a.xml\nkey F12\n"), 1002);
  EXPECT_EQ(Dialog().m_nTaxIncluded, 1);
  EXPECT_EQ(Run("focus 1004\nkey Space\nkey Space\ncheck 1004 1\ncheck 1004 0\ntype 1015 "
                "C:\\a.xml\nkey F12\n"),
            1002);
  EXPECT_EQ(Dialog().m_nTaxIncluded, 0);
  EXPECT_EQ(Run("check 1004 1\ntype 1015 C:\\a.xml\nkey F12\n"), 1002);
  EXPECT_EQ(Dialog().m_nTaxIncluded, 1);
}

}  // namespace
}  // namespace sumcond_test
