// The whole job, end to end: the real deliverables started by `talhost run`
// on a fresh demo prefix, headless, checked by what the user and the host
// see and by the files left behind.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "talhost/LedgerBuilder.h"
#include "tests/e2e/E2eFixture.h"

namespace uwtest {
namespace {

namespace fs = std::filesystem;

constexpr char kReportWin[] = "C:\\Tal\\Out\\r.xml";
constexpr char kAcceptScript[] =
    "type 1015 C:\\Tal\\Out\\r.xml\n"
    "key F12\n"
    "answer ok\n";

class AggregationRunTest : public E2eTest {
 protected:
  std::string EnvFile(const std::string& edition) const {
    return OnDriveC("C:\\Tal\\Env\\" + edition + "19ToUg13_U.env");
  }
  bool XmllintAccepts(const std::string& posixPath) {
    const ProcessResult lint = RunProcess({"/usr/bin/xmllint", "--noout", posixPath});
    return lint.exitStatus == 0 && lint.output.empty();
  }
};

TEST_F(AggregationRunTest, DemoLedgerGivesTheReviewedReport) {
  const HostRun run = Run("TalGrn19ToUG13_U", {"--func", "7"}, kAcceptScript);
  EXPECT_EQ(run.PostedLParam(), 0) << run.process.output;
  EXPECT_NE(run.transcript.find("科目内訳書情報の出力が終了しました。"), std::string::npos)
      << run.transcript;

  const std::string report = OnDriveC(kReportWin);
  ASSERT_TRUE(FileExists(report)) << run.process.output;
  EXPECT_EQ(ReadAll(report), ReadAll(SourceDir() + "/tests/e2e/fixtures/demo_report.xml"))
      << "the report differs from the reviewed fixture";
  EXPECT_TRUE(XmllintAccepts(report));

  // Started through the handshake: the record keeps the path restored at
  // start (none: the demo user had no record), not the file written.
  EXPECT_EQ(ReadAll(EnvFile("TalGrn")), "demo/1/1:0/3/\n");
}

TEST_F(AggregationRunTest, StandAloneRunSavesThePathItWrote) {
  const HostRun run = Run("TalGrn19ToUG13_U", {"--no-handshake"}, kAcceptScript);
  EXPECT_EQ(run.Posted(), "");
  EXPECT_TRUE(FileExists(OnDriveC(kReportWin))) << run.process.output;
  EXPECT_EQ(ReadAll(EnvFile("TalGrn")), "demo/1/1:0/3/C:\\Tal\\Out\\r.xml\n");
}

TEST_F(AggregationRunTest, EveryWayOfCancellingPostsOneAndWritesNothing) {
  static const struct {
    const char* name;
    const char* script;
  } kCases[] = {
      {"Cancel button", "click 1003\nanswer ok\n"},
      {"Esc", "key Esc\nanswer ok\n"},
      {"close box", "close\nanswer ok\n"},
  };
  for (const auto& c : kCases) {
    const HostRun run = Run("TalGrn19ToUG13_U", {"--func", "7"}, c.script);
    EXPECT_EQ(run.PostedLParam(), 1) << c.name << "\n" << run.process.output;
    EXPECT_NE(run.transcript.find("｢科目内訳書｣の集計を中止します。"), std::string::npos) << c.name;
    EXPECT_FALSE(FileExists(EnvFile("TalGrn"))) << c.name;
    EXPECT_TRUE(fs::is_empty(OnDriveC("C:\\Tal\\Out"))) << c.name;
  }
}

TEST_F(AggregationRunTest, PastResultsDataIsRefusedAsCancelled) {
  ASSERT_EQ(Talhost({"select", "3"}).exitStatus, 0);
  const HostRun run = Run("TalGrn19ToUG13_U", {"--func", "7"}, "answer ok\n");
  EXPECT_NE(run.transcript.find("過去実績データは、連携の対象として使用できません。"),
            std::string::npos)
      << run.transcript;
  EXPECT_EQ(run.PostedLParam(), 1);
  EXPECT_FALSE(FileExists(EnvFile("TalGrn")));
}

TEST_F(AggregationRunTest, ReportThatCannotBeWrittenEndsWithTheFailureMessage) {
  // A full disk: drive D: is /dev, and D:\full is the device that refuses
  // every write. The saved conditions stay as they were.
  m_prefix.WriteFile("platform.ini", "[drives]\nC=drive_c,fixed\nZ=/,fixed\nD=/dev,fixed\n");
  const std::string envBefore = "demo/1/1:1/12/C:\\keep.xml\n";
  m_prefix.WriteFile("drive_c/Tal/Env/TalGrn19ToUg13_U.env", envBefore);

  const HostRun run = Run("TalGrn19ToUG13_U", {"--func", "7"},
                          "type 1000 3\ntype 1015 D:\\full\nkey F12\nanswer yes\nanswer ok\n");
  EXPECT_NE(run.transcript.find("XMLファイルの出力に失敗しました。"), std::string::npos)
      << run.transcript;
  EXPECT_EQ(run.PostedLParam(), 2) << run.process.output;
  EXPECT_EQ(ReadAll(EnvFile("TalGrn")), envBefore);
}

TEST_F(AggregationRunTest, AggregationFailingPartWayStillWritesWhatWasSummed) {
  SetHost("faults.move_next_error", "9");
  SetHost("faults.move_next_after", "3");
  const HostRun run = Run("TalGrn19ToUG13_U", {"--func", "7"}, kAcceptScript);
  EXPECT_EQ(run.PostedLParam(), 0) << run.process.output;
  const std::string report = ReadAll(OnDriveC(kReportWin));
  EXPECT_TRUE(XmllintAccepts(OnDriveC(kReportWin)));
  // Three rows were read before the failure: fewer accounts than the full run.
  EXPECT_NE(report.find("<KANJYOKAMOKU Count=\"   1\">"), std::string::npos) << report;
  EXPECT_EQ(report.find("<KANJYOKAMOKU Count=\"   4\">"), std::string::npos) << report;
}

TEST_F(AggregationRunTest, AmountOverflowEndsWithAnErrorAndNoReport) {
  {
    talhost::LedgerBuilder ledger;  // replaces the demo ledger
    ledger.AddCompany({.dataNo = 1, .name = "大金商事", .periodStart = 20170401,
                       .periodEnd = 20180331});
    ledger.SelectCompany("demo", 1);
    ledger.AddAccount(1, {.code = 1110000, .name = "現金"});
    // Opening balance and one month that together reach 10^14 units.
    ledger.AddAmount(1, 1110000, 0, 1, 900000000000000000LL, 900000000000000000LL);
    ledger.AddAmount(1, 1110000, 1, 1, 100000000000000000LL, 100000000000000000LL);
    ledger.SetHost("user", "demo");
    ledger.SetHost("folder0", "C:\\Tal\\Out\\");
    ledger.SetHost("folder1", "C:\\Tal\\Env\\");
  }
  const HostRun run = Run("TalGrn19ToUG13_U", {"--func", "7"}, kAcceptScript);
  EXPECT_NE(run.transcript.find("金額が大きすぎるため集計できません。"), std::string::npos)
      << run.transcript;
  EXPECT_EQ(run.PostedLParam(), 2) << run.process.output;
  EXPECT_FALSE(FileExists(OnDriveC(kReportWin)));
  EXPECT_FALSE(FileExists(EnvFile("TalGrn")));
}

TEST_F(AggregationRunTest, FixedPathOverwritesWithoutAskingAndKeepsTheSavedPath) {
  m_prefix.WriteFile("drive_c/Tal/Out/fixed.xml", "old content");
  m_prefix.WriteFile("drive_c/Tal/Env/TalGrn19ToUg13_U.env",
                     "demo/1/1:1/3/C:\\Tal\\Out\\saved.xml\nsato/0/2:1/6/C:\\x.xml\n");
  const HostRun run = Run("TalGrn19ToUG13_U", {"--func", "7", "--path", "C:\\Tal\\Out\\fixed.xml"},
                          "key F12\nanswer ok\n");
  EXPECT_EQ(run.PostedLParam(), 0) << run.process.output;
  EXPECT_EQ(run.transcript.find("上書きしてもよろしいですか"), std::string::npos) << run.transcript;
  EXPECT_NE(ReadAll(OnDriveC("C:\\Tal\\Out\\fixed.xml")), "old content");
  // The other user's line stays; the demo user's moves to the end, with the
  // path restored at start, never the host's.
  EXPECT_EQ(ReadAll(EnvFile("TalGrn")),
            "sato/0/2:1/6/C:\\x.xml\ndemo/1/1:1/3/C:\\Tal\\Out\\saved.xml\n");
}

TEST_F(AggregationRunTest, EachEditionWritesItsOwnLabelAndConditionsFile) {
  static const struct {
    const char* deliverable;
    const char* edition;
    const char* label;
  } kCases[] = {
      {"TalGrn19ToUG13_U", "TalGrn", "<PROGRAMNAME>タルベ１９ ミドリ</PROGRAMNAME>"},
      {"TalWht19ToUG13_U", "TalWht", "<PROGRAMNAME>タルベ１９</PROGRAMNAME>"},
      {"TalBlu19ToUG13_U", "TalBlu", "<PROGRAMNAME>タルベ１９ アオ</PROGRAMNAME>"},
  };
  for (const auto& c : kCases) {
    fs::remove(OnDriveC(kReportWin));
    const HostRun run = Run(c.deliverable, {"--func", "7"}, kAcceptScript);
    EXPECT_EQ(run.PostedLParam(), 0) << c.deliverable << "\n" << run.process.output;
    const ProcessResult utf8 =
        RunProcess({"/usr/bin/iconv", "-f", "CP932", "-t", "UTF-8", OnDriveC(kReportWin)});
    EXPECT_NE(utf8.output.find(c.label), std::string::npos) << c.deliverable;
    EXPECT_TRUE(FileExists(EnvFile(c.edition))) << c.deliverable;
  }
}

}  // namespace
}  // namespace uwtest
