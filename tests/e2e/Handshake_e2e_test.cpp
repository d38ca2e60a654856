// The command-line handshake and the exit message, through the real
// deliverable started by `talhost run`.

#include <gtest/gtest.h>

#include "tests/e2e/E2eFixture.h"

namespace uwtest {
namespace {

// Accepts the proposed conditions, names a new file in the host's output
// folder and confirms the completion message.
constexpr char kAcceptScript[] =
    "type 1015 C:\\Tal\\Out\\r.xml\n"
    "key F12\n"
    "answer ok\n";

class HandshakeTest : public E2eTest {};

TEST_F(HandshakeTest, ValidHandshakesPostTheFunctionIdentifierSignExtended) {
  static const struct {
    const char* func;
    long long wParam;
  } kCases[] = {
      {"7", 7},
      {"40000", -25536},  // only the low 16 bits are kept, then sign-extended
      {"-1", -1},
  };
  for (const auto& c : kCases) {
    // A new file each time, so that no overwrite question comes up.
    const std::string script = std::string("type 1015 C:\\Tal\\Out\\f") + c.func +
                               ".xml\nkey F12\nanswer ok\n";
    const HostRun run = Run("TalGrn19ToUG13_U", {"--func", c.func}, script);
    EXPECT_EQ(run.PostedWParam(), c.wParam) << c.func << "\n" << run.process.output;
    EXPECT_EQ(run.PostedLParam(), 0) << c.func;
    EXPECT_EQ(run.process.exitStatus, 0) << c.func;
  }
}

TEST_F(HandshakeTest, HostWindowIsDisabledDuringTheRunAndEnabledAroundThePost) {
  const HostRun run = Run("TalGrn19ToUG13_U", {"--func", "7"}, kAcceptScript);
  ASSERT_EQ(run.hostLines.size(), 5u) << run.process.output;
  EXPECT_EQ(run.hostLines[0], "enabled 0");
  EXPECT_EQ(run.hostLines[1], "enabled 1");
  EXPECT_EQ(run.hostLines[2].rfind("posted msg=", 0), 0u) << run.hostLines[2];
  EXPECT_EQ(run.hostLines[3], "enabled 1");
  EXPECT_EQ(run.hostLines[4], "exit 0");
}

TEST_F(HandshakeTest, FixedPathKeepsItsCommasAndCannotBeChangedInTheDialog) {
  // Everything after the third comma is the path, commas included. A comma
  // is no character a path may hold, so Execute refuses it, and since the
  // host fixed it, the user can only cancel.
  const HostRun run = Run("TalGrn19ToUG13_U", {"--func", "7", "--path", "C:\\out\\a,b.xml"},
                          "key F12\nanswer ok\n");
  EXPECT_NE(run.transcript.find("edit 1015 \"C:\\out\\a,b.xml\" disabled"), std::string::npos)
      << run.transcript;
  EXPECT_NE(run.transcript.find("データの出力先に不正な文字が含まれています。"), std::string::npos)
      << run.transcript;
  EXPECT_EQ(run.PostedLParam(), 1) << run.process.output;
  EXPECT_FALSE(FileExists(OnDriveC("C:\\out\\a,b.xml")));
}

TEST_F(HandshakeTest, InvalidHandshakesRunStandAloneAndPostNothing) {
  static const struct {
    const char* name;
    std::vector<std::string> args;
  } kCases[] = {
      {"no third comma", {"--tail", "123,1025,7"}},
      {"empty tail", {"--no-handshake"}},
  };
  for (const auto& c : kCases) {
    const HostRun run = Run("TalGrn19ToUG13_U", c.args, "");
    EXPECT_EQ(run.Posted(), "") << c.name << "\n" << run.process.output;
    EXPECT_EQ(run.process.exitStatus, 3) << c.name;
    // Stand-alone, the dialog is still shown; the dry script closes it.
    EXPECT_NE(run.transcript.find("dialog 130 shown"), std::string::npos) << c.name;
  }
}

TEST_F(HandshakeTest, GarbageFieldsNeitherCrashNorHang) {
  static const char* const kTails[] = {
      "abc,def,ghi,",                       // valid shape, every number 0: window 0
      ",,,",                                // the same with empty fields
      "99999999999999999999,1025,7,",       // a window number past every width
  };
  for (const char* tail : kTails) {
    const HostRun run = Run("TalGrn19ToUG13_U", {"--tail", tail}, "");
    EXPECT_FALSE(run.process.timedOut) << tail;
    EXPECT_EQ(run.process.signal, 0) << tail << "\n" << run.process.output;
    EXPECT_NE(run.process.output.find("exit 0"), std::string::npos) << tail << run.process.output;
  }
}

TEST_F(HandshakeTest, TailLongerThanTheOriginalBufferIsParsedWhole) {
  // 300 bytes of path: the handshake stays valid and the whole path reaches
  // the dialog, which refuses it as not fitting instead of cutting it.
  const std::string longPath = "C:\\" + std::string(290, 'a') + ".xml";
  const HostRun run = Run("TalGrn19ToUG13_U", {"--func", "7", "--path", longPath},
                          "key F12\nanswer ok\n");
  EXPECT_NE(run.transcript.find("不正な文字"), std::string::npos) << run.transcript;
  EXPECT_EQ(run.PostedLParam(), 1) << run.process.output;  // then cancelled by the dry script
}

}  // namespace
}  // namespace uwtest
