// The program level check against the level file beside the deliverable,
// and the host's admission of the run, through the real deliverable.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/e2e/E2eFixture.h"

namespace uwtest {
namespace {

namespace fs = std::filesystem;

constexpr char kMsgBadEnvironment[] = "動作環境が不正です。";
constexpr char kMsgStatementTooOld[] = "の最新版を入手してインストールしてからご利用ください。";
constexpr char kMsgComponentTooOld[] = "連動コンポーネントの最新版を入手";

class ProgramLevelTest : public E2eTest {
 protected:
  // Copies the deliverable into `folder` (a POSIX path), with the shared
  // libraries reachable as they are from the build's bin folder, and returns
  // the copy's path. `levelFile` is written beside it unless null.
  std::string PlaceDeliverable(const fs::path& folder, const char* levelFile) {
    fs::create_directories(folder);
    const fs::path copy = folder / "TalGrn19ToUG13_U";
    fs::copy_file(BinPath("TalGrn19ToUG13_U"), copy, fs::copy_options::overwrite_existing);
    const fs::path lib = folder.parent_path() / "lib";
    if (!fs::exists(lib)) fs::create_directory_symlink(BuildDir() + "/lib", lib);
    if (levelFile != nullptr) {
      std::ofstream out(folder / "VadidaroDef.ini", std::ios::binary);
      out << levelFile;
    }
    return copy.string();
  }
};

TEST_F(ProgramLevelTest, LevelFileDecidesWhetherTheRunGoesOn) {
  static const struct {
    const char* name;
    const char* levelFile;     // null: no file at all
    const char* refusal;       // null: accepted (the dialog opens)
  } kCases[] = {
      {"1", "[ProgramLevel]\r\nUG13_U=1\r\n", nullptr},
      {"01", "[ProgramLevel]\r\nUG13_U=01\r\n", nullptr},
      {"1.5", "[ProgramLevel]\r\nUG13_U=1.5\r\n", nullptr},
      {"no key", "[ProgramLevel]\r\nOTHER=3\r\n", nullptr},
      {"no section", "[Other]\r\nUG13_U=5\r\n", nullptr},
      {"missing file", nullptr, kMsgBadEnvironment},
      {"empty value", "[ProgramLevel]\r\nUG13_U=\r\n", kMsgBadEnvironment},
      {"0", "[ProgramLevel]\r\nUG13_U=0\r\n", kMsgStatementTooOld},
      {"-3", "[ProgramLevel]\r\nUG13_U=-3\r\n", kMsgStatementTooOld},
      {"abc", "[ProgramLevel]\r\nUG13_U=abc\r\n", kMsgStatementTooOld},
      {"2", "[ProgramLevel]\r\nUG13_U=2\r\n", kMsgComponentTooOld},
      {"10", "[ProgramLevel]\r\nUG13_U=10\r\n", kMsgComponentTooOld},
  };
  int n = 0;
  for (const auto& c : kCases) {
    const std::string program =
        PlaceDeliverable(m_prefix.DriveC() + "/levels/case" + std::to_string(n++) + "/bin",
                         c.levelFile);
    const HostRun run = Run(program, {"--func", "7"}, "");
    if (c.refusal == nullptr) {
      EXPECT_NE(run.transcript.find("dialog 130 shown"), std::string::npos)
          << c.name << "\n" << run.process.output;
      EXPECT_EQ(run.PostedLParam(), 1) << c.name;  // the dry script cancels the dialog
    } else {
      EXPECT_NE(run.transcript.find(c.refusal), std::string::npos)
          << c.name << "\n" << run.process.output;
      // The host put the statement program's name in place of the placeholder.
      EXPECT_EQ(run.transcript.find("ES_APRPACKAGENAME"), std::string::npos) << c.name;
      EXPECT_EQ(run.transcript.find("dialog 130 shown"), std::string::npos) << c.name;
      EXPECT_EQ(run.PostedLParam(), 2) << c.name;
    }
  }
}

TEST_F(ProgramLevelTest, FolderAtADriveRootIsNotGivenADoubledSeparator) {
  // Drive D: is the deliverable's own folder, so its current folder is D:\.
  const fs::path root = m_prefix.path() + "/rootdrive/bin";
  const std::string program = PlaceDeliverable(root, "[ProgramLevel]\r\nUG13_U=1\r\n");
  m_prefix.WriteFile("platform.ini", "[drives]\nC=drive_c,fixed\nZ=/,fixed\nD=" +
                                         root.string() + ",fixed\n");
  const HostRun run = Run(program, {"--func", "7"}, "");
  EXPECT_NE(run.transcript.find("dialog 130 shown"), std::string::npos) << run.process.output;
}

TEST_F(ProgramLevelTest, FolderEndingInATrailByte5CStillGetsASeparator) {
  // ソ is 83 5C in Shift_JIS: its trail byte is a backslash that ends nothing.
  const std::string program =
      PlaceDeliverable(m_prefix.DriveC() + "/ソ", "[ProgramLevel]\r\nUG13_U=1\r\n");
  const HostRun run = Run(program, {"--func", "7"}, "");
  EXPECT_NE(run.transcript.find("dialog 130 shown"), std::string::npos) << run.process.output;
}

TEST_F(ProgramLevelTest, HostAdmissionDecidesTheResultWithoutADialog) {
  static const struct {
    const char* value;
    long long lParam;
  } kCases[] = {{"1", 1}, {"5", 2}, {"-1", 2}};
  for (const auto& c : kCases) {
    SetHost("host.expsyslink", c.value);
    const HostRun run = Run("TalGrn19ToUG13_U", {"--func", "7"}, "");
    EXPECT_EQ(run.PostedLParam(), c.lParam) << c.value << "\n" << run.process.output;
    EXPECT_EQ(run.transcript.find("dialog 130 shown"), std::string::npos) << c.value;
  }
}

TEST_F(ProgramLevelTest, FailedConnectionPostsNothingWhateverTheCommandLine) {
  // A corrupt ledger: the host says what is wrong; the handshake is never read.
  {
    std::ofstream out(m_prefix.path() + "/ledger.db", std::ios::binary | std::ios::trunc);
    out << "this is not a database, only text that pretends to be one";
  }
  const HostRun run = Run("TalGrn19ToUG13_U", {"--func", "7"}, "");
  EXPECT_EQ(run.Posted(), "") << run.process.output;
  EXPECT_EQ(run.process.exitStatus, 3);
  EXPECT_NE(run.transcript.find("message box:"), std::string::npos) << run.process.output;
  for (const std::string& line : run.hostLines) EXPECT_NE(line, "enabled 0") << line;
}

TEST_F(ProgramLevelTest, MissingPrefixEndsCleanly) {
  const ProcessResult run =
      RunProcess({BinPath("TalGrn19ToUG13_U"), "1,1025,7,"},
                 {{"UCHIWAKE_PREFIX", m_prefix.path() + "/nowhere"}, {"UCHIWAKE_UI", "headless"}});
  EXPECT_FALSE(run.timedOut);
  EXPECT_EQ(run.signal, 0) << run.output;
  EXPECT_NE(run.output.find("message box:"), std::string::npos) << run.output;
}

}  // namespace
}  // namespace uwtest
