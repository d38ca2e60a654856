#include "report/SupportInf.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/ui/headless/HeadlessTesting.h"
#include "platform/win/global_memory.h"
#include "platform/win/text_convert.h"
#include "tests/report/ReportTestSupport.h"
#include "tests/support/TempPrefix.h"

namespace {

const std::string kName = "[=製品名=]";
const std::string kVer = "[=製品ﾊﾞｰｼﾞｮﾝ=]";
const std::string kAsk = "[=お問い合わせ内容=]";
const std::string kSteps = "[=症状が再現する手順や条件=]";
const std::string kRepro = "[=再現性=]";

// Each test runs in a fresh prefix, with drive C: as the current folder,
// where the reader looks for SUPPORT.INF.
class SupportInfTest : public ::testing::Test {
 protected:
  SupportInfTest() : m_folder(m_prefix.DriveC()) { uw::headless::Start(); }

  void WriteSupport(const std::string& bytes) const {
    m_prefix.WriteFile("drive_c/SUPPORT.INF", bytes);
  }
  std::string SupportPath() const { return m_prefix.DriveC() + "/SUPPORT.INF"; }

  uwtest::TempPrefix m_prefix;
  reporttest::ScopedCurrentFolder m_folder;
};

TEST_F(SupportInfTest, SingleLineValuesEndWithTheirLine) {
  const struct {
    const char* what;
    std::string file;
    std::string name;
    std::string ver;
  } kCases[] = {
      {"both keys", kName + "タルベ１９ ミドリ\r\n" + kVer + "19.01.02\r\n", "タルベ１９ ミドリ",
       "19.01.02"},
      {"last line without a line end", kName + "X\r\n" + kVer + "19.01.02", "X", "19.01.02"},
      {"first occurrence wins", kName + "first\r\n" + kName + "second\r\n", "first", ""},
      {"Ctrl-Z ends the value",
       kName +
           "ab\x1A"
           "cd\r\n" +
           kVer + "1.0\r\n\x1A",
       "ab", "1.0"},
      {"key alone on its line", kName + "\r\nnext line\r\n" + kVer, "", ""},
      {"lone LF and CR stay", kName + "a\nb\r\n" + kVer + "c\rd\r\n", "a\nb", "c\rd"},
      {"key inside a line", "x" + kName + "mid\r\n", "mid", ""},
      {"no key", "nothing here\r\n", "", ""},
      {"empty file", "", "", ""},
  };
  for (const auto& c : kCases) {
    WriteSupport(c.file);
    ClSupportInf support;
    EXPECT_EQ(c.name, support.GetProductName()) << c.what;
    EXPECT_EQ(c.ver, support.GetProductVer()) << c.what;
  }
}

TEST_F(SupportInfTest, MultiLineValuesKeepTheirInnerLineBreaks) {
  const struct {
    const char* what;
    std::string file;
    std::string ask;
    std::string steps;
  } kCases[] = {
      {"up to the line end before the next key",
       kAsk + "line1\r\nline2\r\n" + kSteps + "\r\nstep1\r\nstep2\r\n" + kRepro + "always\r\n",
       "line1\r\nline2", "\r\nstep1\r\nstep2"},
      {"to the end of the data", kSteps + "a\r\nb\r\n" + kAsk + "x\r\ny", "x\r\ny", "a\r\nb"},
      {"last value with its line end", kSteps + "a\r\nb\r\n", "", "a\r\nb\r\n"},
      {"Ctrl-Z ends it",
       kAsk +
           "a\x1A"
           "b\r\nc\r\n" +
           kRepro + "x\r\n",
       "a", ""},
  };
  for (const auto& c : kCases) {
    WriteSupport(c.file);
    ClSupportInf support;
    EXPECT_EQ(c.ask, support.GetValue(kAsk.c_str())) << c.what;
    EXPECT_EQ(c.steps, support.GetValue(kSteps.c_str())) << c.what;
  }
  WriteSupport(kAsk + "a\r\nb\r\n" + kRepro + "always\r\n");
  ClSupportInf support;
  EXPECT_EQ("always", std::string(support.GetValue(kRepro.c_str())))
      << "a single-line key after a multi-line value";
}

TEST_F(SupportInfTest, ReadsAFullFileOfTheWholeVocabulary) {
  WriteSupport(reporttest::ReadFixture("support_full.inf"));
  ClSupportInf support;
  EXPECT_STREQ("タルベ１９ ミドリ プレミアム", support.GetProductName());
  EXPECT_STREQ("19.01.02", support.GetProductVer());
  EXPECT_STREQ("\r\n科目内訳書への連動で\r\n残高が表示されません。",
               support.GetValue(kAsk.c_str()));
  EXPECT_STREQ("1. 連動を実行する\r\n2. 出力先を指定する", support.GetValue(kSteps.c_str()));
  EXPECT_STREQ("毎回", support.GetValue(kRepro.c_str()));
  EXPECT_STREQ("PC/AT互換機", support.GetValue("[=本体機種=]"));
  EXPECT_STREQ("", support.GetValue("[=no such key=]"));
}

TEST_F(SupportInfTest, UsesTheFirst30000BytesOfALongerFile) {
  const std::size_t keyAt = ClSupportInf::kBufferSize - kName.size() - 5;
  std::string file;
  while (file.size() + 40 < keyAt) file += std::string(38, 'x') + "\r\n";
  file += std::string(keyAt - file.size(), 'y');
  file += kName + "ABCDEFGHIJ\r\n" + kVer + "9.9\r\n";
  ASSERT_GT(file.size(), ClSupportInf::kBufferSize);
  WriteSupport(file);
  ClSupportInf support;
  EXPECT_STREQ("ABCDE", support.GetProductName()) << "the value is cut at the 30,000th byte";
  EXPECT_STREQ("", support.GetProductVer()) << "a key past 30,000 bytes is not read";
}

TEST_F(SupportInfTest, AMissingOrUnreadableFileGivesEmptyValuesWithoutAMessage) {
  {
    ClSupportInf support;
    EXPECT_STREQ("", support.GetProductName());
    EXPECT_STREQ("", support.GetProductVer());
  }
  // A file that opens but cannot be read: the process's own memory, read
  // from address 0.
  std::filesystem::create_symlink("/proc/self/mem", SupportPath());
  {
    ClSupportInf support;
    EXPECT_EQ(0, support.Load());
    EXPECT_STREQ("", support.GetProductName());
  }
  std::filesystem::remove(SupportPath());
  std::filesystem::create_directory(SupportPath());
  {
    ClSupportInf support;
    EXPECT_STREQ("", support.GetProductName());
  }
  EXPECT_EQ("", uw::headless::TakeTranscript());
}

TEST_F(SupportInfTest, TheFileIsReadOncePerObject) {
  WriteSupport(kName + "N\r\n" + kVer + "V\r\n");
  ClSupportInf support;
  EXPECT_STREQ("N", support.GetProductName());
  std::filesystem::remove(SupportPath());
  EXPECT_STREQ("V", support.GetProductVer()) << "the second lookup reads the buffer";

  ClSupportInf early;
  EXPECT_STREQ("", early.GetProductName());
  WriteSupport(kName + "N\r\n");
  EXPECT_STREQ("", early.GetProductName()) << "a file that appears later is not read";
  EXPECT_EQ(1, early.Load());
}

TEST_F(SupportInfTest, AFailedAllocationShowsTheMemoryMessageAndIsTriedAgain) {
  WriteSupport(kName + "N\r\n" + kVer + "V\r\n");
  ClSupportInf support;
  uw::FailGlobalAllocations(1);
  EXPECT_STREQ("", support.GetProductName());
  const std::string transcript = uw::headless::TakeTranscript();
  EXPECT_NE(std::string::npos, transcript.find(uw::Cp932ToUtf8("ﾒﾓﾘが不足しています。")))
      << transcript;
  EXPECT_STREQ("V", support.GetProductVer()) << "the next lookup allocates and reads";
  EXPECT_EQ("", uw::headless::TakeTranscript());
}

}  // namespace
