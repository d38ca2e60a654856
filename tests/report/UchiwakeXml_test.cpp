#include "report/UchiwakeXml.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/ui/headless/HeadlessTesting.h"
#include "platform/win/global_memory.h"
#include "platform/win/text_convert.h"
#include "tests/report/ReportRun.h"

namespace {

using reporttest::ElementTexts;
using reporttest::LineWith;
using reporttest::ReportRun;

const std::string kName = "[=製品名=]";
const std::string kVer = "[=製品ﾊﾞｰｼﾞｮﾝ=]";

// The list and company of the example report.
void FillExample(ReportRun& run) {
  std::snprintf(run.m_data.companyName, sizeof(run.m_data.companyName), "%s", "ABC商事");
  run.Add(1110000, "現金", 0, 12345678000);
  run.Add(1310000, "普通預金", 1, 50000000000);
  run.Add(1310001, "Ａ銀行", 0, 30000000000);
  run.Add(1310002, "Ｂ銀行", 0, 20000000000);
  run.Add(1310000, "普通預金", 1, 50000000000);
  run.Add(2120000, "未払金", 0, -1500005000);
  run.Add(3110000, "資本金", 0, 0);
}

class UchiwakeXmlTest : public ::testing::Test {
 protected:
  ReportRun m_run;
};

TEST_F(UchiwakeXmlTest, WritesTheExampleReportByteForByte) {
  FillExample(m_run);
  EXPECT_EQ(1, m_run.Write(1));
  EXPECT_EQ(reporttest::ReadFixture("report_example.xml"), m_run.Output());

  std::string parser;
  EXPECT_EQ(0, reporttest::RunXmllint(m_run.OutputPath(), &parser)) << parser;

  // 500-600, 600-700, 700-1000; Pulse after REPORT, six SYSTEM and three
  // BASIC lines, each of the three sections and each of the seven rows.
  const reporttest::ProgressSeen seen = m_run.TakeProgress();
  EXPECT_EQ(101 + 101 + 301, seen.overallSteps);
  EXPECT_EQ(1 + 6 + 1 + 3 + 1 + 7 + 1, seen.pulses);
}

TEST_F(UchiwakeXmlTest, TheFunctionIdentifierIsWrittenSigned) {
  for (const short id : {1, 0, -1, 32767, -32768}) {
    ASSERT_EQ(1, m_run.Write(id));
    EXPECT_EQ("\t\t<FUNCTIONID>" + std::to_string(id) + "</FUNCTIONID>",
              LineWith(m_run.Output(), "<FUNCTIONID>"));
  }
}

TEST_F(UchiwakeXmlTest, TheCompanyNameIsWrittenFullWidthInAtMost32Bytes) {
  const struct {
    std::string name;
    std::string written;
  } kCases[] = {
      {"ABCDEFGHIJKLMNOPQRST", "ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰ"},
      // The backslash stays one byte, so the 32nd byte would start Ｐ.
      {"\\ABCDEFGHIJKLMNOPQ", "\\ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯ"},
      {"A&B<C>D", "Ａ＆Ｂ＜Ｃ＞Ｄ"},
      {"\"'", "\xFA\x57\xFA\x56"},
      {"ｶﾞｿ ｰ", "ガソ　ー"},
      {"株式会社ＡＢＣ", "株式会社ＡＢＣ"},
      {"", ""},
  };
  for (const auto& c : kCases) {
    std::memset(m_run.m_data.companyName, 0, sizeof(m_run.m_data.companyName));
    std::memcpy(m_run.m_data.companyName, c.name.data(), c.name.size());
    ASSERT_EQ(1, m_run.Write());
    EXPECT_EQ(std::vector<std::string>{c.written}, ElementTexts(m_run.Output(), "KOMONSAKINAME"))
        << c.name;
  }

  // A name field without its NUL is read up to the end of the field.
  std::memset(m_run.m_data.companyName, 'A', sizeof(m_run.m_data.companyName));
  ASSERT_EQ(1, m_run.Write());
  EXPECT_EQ(std::vector<std::string>{"ＡＡＡＡＡＡＡＡＡＡＡＡＡＡＡＡ"},
            ElementTexts(m_run.Output(), "KOMONSAKINAME"));
}

TEST_F(UchiwakeXmlTest, TheSupportFileNamesTheProductWithinItsLine) {
  const std::string ka300 = [] {
    std::string s;
    for (int i = 0; i < 150; ++i) s += "ア";
    return s;
  }();
  const struct {
    const char* what;
    std::string file;
    std::string name;
    std::string ver;
  } kCases[] = {
      {"both values", kName + "製品Ｘ\r\n" + kVer + "19.02.01\r\n", "製品Ｘ", "19.02.01"},
      {"empty name", kName + "\r\n" + kVer + "19.02.01\r\n", "タルベ１９ ミドリ", "19.02.01"},
      {"empty version", kName + "製品Ｘ\r\n" + kVer + "\r\n", "製品Ｘ", "19.00.0X"},
      {"special characters", kName + "A&B<C>\"D'\r\n" + kVer + "<1>\r\n",
       "A&amp;B&lt;C&gt;&quot;D&apos;", "&lt;1&gt;"},
      // 224 bytes of escaped value fit the PROGRAMNAME line, 226 PROGRAMVER.
      {"long values", kName + ka300 + "\r\n" + kVer + std::string(300, '9') + "\r\n",
       ka300.substr(0, 224), std::string(226, '9')},
      {"a cut never splits a character", kName + "x" + ka300 + "\r\n", "x" + ka300.substr(0, 222),
       "19.00.0X"},
      {"a cut never splits an entity", kName + std::string(100, '&') + "\r\n",
       [] {
         std::string s;
         for (int i = 0; i < 44; ++i) s += "&amp;";
         return s;
       }(),
       "19.00.0X"},
  };
  for (const auto& c : kCases) {
    m_run.WriteSupport(c.file);
    ASSERT_EQ(1, m_run.Write()) << c.what;
    const std::string output = m_run.Output();
    EXPECT_EQ(std::vector<std::string>{c.name}, ElementTexts(output, "PROGRAMNAME")) << c.what;
    EXPECT_EQ(std::vector<std::string>{c.ver}, ElementTexts(output, "PROGRAMVER")) << c.what;
    std::string parser;
    EXPECT_EQ(0, reporttest::RunXmllint(m_run.OutputPath(), &parser)) << c.what << parser;
  }
}

TEST_F(UchiwakeXmlTest, WithoutMemoryForTheSupportFileTheDefaultsAreWritten) {
  m_run.WriteSupport(kName + "製品Ｘ\r\n" + kVer + "19.02.01\r\n");
  uw::FailGlobalAllocations(2);
  EXPECT_EQ(1, m_run.Write());
  const std::string output = m_run.Output();
  EXPECT_EQ(std::vector<std::string>{"タルベ１９ ミドリ"}, ElementTexts(output, "PROGRAMNAME"));
  EXPECT_EQ(std::vector<std::string>{"19.00.0X"}, ElementTexts(output, "PROGRAMVER"));

  // One message for each of the two lookups.
  const std::string transcript = uw::headless::TakeTranscript();
  const std::string message = uw::Cp932ToUtf8("ﾒﾓﾘが不足しています。");
  const std::size_t first = transcript.find(message);
  ASSERT_NE(std::string::npos, first) << transcript;
  EXPECT_NE(std::string::npos, transcript.find(message, first + message.size())) << transcript;
}

TEST_F(UchiwakeXmlTest, EverySpecialCharacterGivesAWellFormedReport) {
  m_run.WriteSupport(kName + "&<>\"'\r\n" + kVer + "'\"><&\r\n");
  std::snprintf(m_run.m_data.companyName, sizeof(m_run.m_data.companyName), "%s", "A&B<C>D");
  m_run.Add(1110000, "&<>\"'", 1, 10000);
  m_run.Add(1110001, "'\"<>&", 0, -10000);
  m_run.Add(1110000, "&<>\"'", 1, 10000);
  ASSERT_EQ(1, m_run.Write());
  const std::string output = m_run.Output();
  EXPECT_EQ("\t\t\t\t<HOJYOKAMOKU_NAME>&apos;&quot;&lt;&gt;&amp;</HOJYOKAMOKU_NAME>",
            LineWith(output, "<HOJYOKAMOKU_NAME>"));
  EXPECT_EQ("\t\t<KOMONSAKINAME>Ａ＆Ｂ＜Ｃ＞Ｄ</KOMONSAKINAME>",
            LineWith(output, "<KOMONSAKINAME>"));
  std::string parser;
  EXPECT_EQ(0, reporttest::RunXmllint(m_run.OutputPath(), &parser)) << parser;
}

// A write that fails part-way ends the report with 0 after the failing
// section: the bytes before the failure stay, nothing is written after it,
// and only the sections that were finished moved the bar.
TEST_F(UchiwakeXmlTest, AWriteThatFailsPartWayEndsTheReport) {
  FillExample(m_run);
  ASSERT_EQ(1, m_run.Write());
  const std::string full = m_run.Output();
  m_run.TakeProgress();

  const struct {
    const char* line;  // the write of this line fails after its first byte
    int overallSteps;
  } kCases[] = {
      {"<REPORT>", 0},  {"<SYSTEM>", 0},          {"<PROGRAMVER>", 0}, {"</SYSTEM>", 0},
      {"<BASIC>", 101}, {"<KOMONSAKINAME>", 101}, {"<DATA>", 202},     {"<HOJYOKAMOKU_NAME>", 202},
      {"</DATA>", 202}, {"</REPORT>", 503},  // its own failure fails the report too
  };
  for (const auto& c : kCases) {
    const std::size_t lineStart = full.find(LineWith(full, c.line));
    ASSERT_NE(std::string::npos, lineStart) << c.line;
    const std::size_t limit = lineStart + 1;
    int result = -1;
    {
      reporttest::FileSizeLimit fileSize(limit);
      result = m_run.Write();
    }
    EXPECT_EQ(0, result) << c.line;
    EXPECT_EQ(full.substr(0, limit), m_run.Output()) << c.line;
    EXPECT_EQ(c.overallSteps, m_run.TakeProgress().overallSteps) << c.line;
  }
}

TEST_F(UchiwakeXmlTest, AFileThatCannotBeWrittenGivesNoReport) {
  FillExample(m_run);
  m_run.m_prefix.WriteFile("platform.ini", "[drives]\nC=drive_c,fixed\nD=/dev,fixed\n");
  for (const char* path : {"D:\\full", "Q:\\out.xml", "C:\\missing\\out.xml"}) {
    EXPECT_EQ(0, m_run.m_xml.OutputXml(path, 1, &m_run.m_data)) << path;
    const reporttest::ProgressSeen seen = m_run.TakeProgress();
    EXPECT_EQ(0, seen.overallSteps) << path;
    EXPECT_EQ(1, seen.pulses) << "only the one after the REPORT line: " << path;
  }
}

}  // namespace
