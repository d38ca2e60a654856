// The DATA section: counters, amounts, names, and lists that break the
// expected shape.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "report/UchiwakeXml.h"
#include "tests/report/ReportRun.h"

namespace {

using reporttest::ElementTexts;
using reporttest::LineWith;
using reporttest::ReportRun;

// The lines of an account row (its group left open) and of a sub-account
// row, with the name "N" and no amount.
std::string Account(const char* count, int code) {
  return std::string("\t\t<KANJYOKAMOKU Count=\"") + count + "\">\r\n" +
         "\t\t\t<KANJYOKAMOKU_CODE>" + std::to_string(code) + "</KANJYOKAMOKU_CODE>\r\n" +
         "\t\t\t<KANJYOKAMOKU_NAME>N</KANJYOKAMOKU_NAME>\r\n" +
         "\t\t\t<KANJYOKAMOKU_ZANDAKA></KANJYOKAMOKU_ZANDAKA>\r\n";
}
std::string SubAccount(const char* count, int code) {
  return std::string("\t\t\t<HOJYOKAMOKU Count=\"") + count + "\">\r\n" +
         "\t\t\t\t<HOJYOKAMOKU_CODE>" + std::to_string(code) + "</HOJYOKAMOKU_CODE>\r\n" +
         "\t\t\t\t<HOJYOKAMOKU_NAME>N</HOJYOKAMOKU_NAME>\r\n" +
         "\t\t\t\t<HOJYOKAMOKU_ZANDAKA></HOJYOKAMOKU_ZANDAKA>\r\n" + "\t\t\t</HOJYOKAMOKU>\r\n";
}
const std::string kEndAccount = "\t\t</KANJYOKAMOKU>\r\n";
const std::string kDataStart = "\t<DATA>\r\n";
const std::string kDataEnd = "\t</DATA>\r\n";

// The DATA section of the report, cut out of the file.
std::string DataSection(const std::string& report) {
  const std::size_t begin = report.find(kDataStart);
  const std::size_t end = report.find(kDataEnd);
  if (begin == std::string::npos || end == std::string::npos) return "";
  return report.substr(begin, end + kDataEnd.size() - begin);
}

class UchiwakeXmlDataTest : public ::testing::Test {
 protected:
  ReportRun m_run;
};

TEST_F(UchiwakeXmlDataTest, AnEmptyListGivesAnEmptyDataElement) {
  EXPECT_EQ(1, m_run.Write());
  EXPECT_EQ(kDataStart + kDataEnd, DataSection(m_run.Output()));
  const reporttest::ProgressSeen seen = m_run.TakeProgress();
  EXPECT_EQ(503, seen.overallSteps);
  EXPECT_EQ(1 + 6 + 1 + 3 + 1 + 0 + 1, seen.pulses) << "no Pulse for rows";
}

TEST_F(UchiwakeXmlDataTest, CountersArePaddedToFourCharacters) {
  m_run.Add(9990000, "N", 1, 0);
  for (std::uint32_t sub = 1; sub <= 10; ++sub) m_run.Add(9990000 + sub, "N", 0, 0);
  m_run.Add(9990000, "N", 1, 0);
  for (std::uint32_t i = 2; i <= 10000; ++i) m_run.Add(i * 10000, "N", 0, 0);
  ASSERT_EQ(1, m_run.Write());
  const std::string output = m_run.Output();

  const struct {
    const char* element;
    const char* count;
    int code;
  } kCases[] = {
      {"KANJYOKAMOKU", "   1", 999},    {"HOJYOKAMOKU", "   9", 9},
      {"HOJYOKAMOKU", "  10", 10},      {"KANJYOKAMOKU", "  10", 10},
      {"KANJYOKAMOKU", " 100", 100},    {"KANJYOKAMOKU", "1000", 1000},
      {"KANJYOKAMOKU", "10000", 10000},
  };
  for (const auto& c : kCases) {
    // The start line and the code line that follows it.
    const std::string tabs(c.element[0] == 'K' ? 2 : 3, '\t');
    const std::string lines = tabs + "<" + c.element + " Count=\"" + c.count + "\">\r\n" + tabs +
                              "\t<" + c.element + "_CODE>" + std::to_string(c.code) + "</" +
                              c.element + "_CODE>\r\n";
    EXPECT_NE(std::string::npos, output.find(lines)) << lines;
  }
  std::string parser;
  EXPECT_EQ(0, reporttest::RunXmllint(m_run.OutputPath(), &parser)) << parser;
}

TEST_F(UchiwakeXmlDataTest, AmountsAreWholeUnitsWithinTwelveCharacters) {
  const struct {
    std::int64_t raw;
    const char* text;
  } kCases[] = {
      {10000, "1"},
      {-10000, "-1"},
      {9999, ""},  // less than one unit
      {-9999, ""},
      {0, ""},
      {-1500005000, "-150000"},  // truncated toward zero
      {12345678000, "1234567"},
      {9999999999990000, "999999999999"},
      {9999999999990000 + 10000, ""},  // thirteen digits
      {9999999999999999, "999999999999"},
      {-999999999990000, "-99999999999"},
      {-999999999990000 - 10000, ""},  // a sign and twelve digits
      {-999999999999999, "-99999999999"},
      {INT64_MAX, ""},
      {INT64_MIN, ""},
  };
  std::uint32_t code = 10000;
  for (const auto& c : kCases) m_run.Add(code += 10000, "N", 0, c.raw);
  m_run.Add(1110000, "N", 1, 0);
  m_run.Add(1110001, "N", 0, -9999);
  m_run.Add(1110002, "N", 0, -20000);
  m_run.Add(1110000, "N", 1, 0);
  ASSERT_EQ(1, m_run.Write());
  const std::string output = m_run.Output();

  const std::vector<std::string> written = ElementTexts(output, "KANJYOKAMOKU_ZANDAKA");
  ASSERT_EQ(std::size(kCases) + 1, written.size());
  for (std::size_t i = 0; i < std::size(kCases); ++i) {
    EXPECT_EQ(kCases[i].text, written[i]) << kCases[i].raw;
  }
  EXPECT_EQ((std::vector<std::string>{"", "-2"}), ElementTexts(output, "HOJYOKAMOKU_ZANDAKA"));
}

TEST_F(UchiwakeXmlDataTest, NamesAreEscapedAndCodesSplit) {
  m_run.Add(1310000, "預金&<", 1, 0);
  m_run.Add(1310012, "Ａ&Ｂ", 0, 0);
  m_run.Add(1310000, "預金&<", 1, 0);
  m_run.Add(99990000, "1234567890123456", 0, 0);  // a full 16-byte name
  ASSERT_EQ(1, m_run.Write());
  const std::string output = m_run.Output();
  EXPECT_EQ((std::vector<std::string>{"預金&amp;&lt;", "1234567890123456"}),
            ElementTexts(output, "KANJYOKAMOKU_NAME"));
  EXPECT_EQ(std::vector<std::string>{"Ａ&amp;Ｂ"}, ElementTexts(output, "HOJYOKAMOKU_NAME"));
  EXPECT_EQ((std::vector<std::string>{"131", "9999"}), ElementTexts(output, "KANJYOKAMOKU_CODE"));
  EXPECT_EQ(std::vector<std::string>{"12"}, ElementTexts(output, "HOJYOKAMOKU_CODE"));
}

// Lists that break the shape the walk expects still give a well-formed
// file: every element opened is closed, and no row is dropped but the
// closing row of a group.
TEST_F(UchiwakeXmlDataTest, ListsOfAnotherShapeStillCloseEveryElement) {
  struct Row {
    std::uint32_t code;
    std::uint8_t hasSub;
  };
  const struct {
    const char* what;
    std::vector<Row> rows;
    std::string data;
  } kCases[] = {
      {"a sub-account row last",
       {{1310000, 1}, {1310001, 0}, {1310002, 0}},
       Account("   1", 131) + SubAccount("   1", 1) + SubAccount("   2", 2) + kEndAccount},
      {"hasSub set, then the closing row",
       {{1310000, 1}, {1310000, 1}, {2120000, 0}},
       Account("   1", 131) + kEndAccount + Account("   2", 212) + kEndAccount},
      {"hasSub set, then another account",
       {{1310000, 1}, {2120000, 0}},
       Account("   1", 131) + kEndAccount + Account("   2", 212) + kEndAccount},
      {"hasSub set on the last row",
       {{1110000, 0}, {1310000, 1}},
       Account("   1", 111) + kEndAccount + Account("   2", 131) + kEndAccount},
      {"sub-accounts, then another account instead of the closing row",
       {{1310000, 1}, {1310001, 0}, {2120000, 0}, {3110000, 0}},
       Account("   1", 131) + SubAccount("   1", 1) + kEndAccount + Account("   2", 212) +
           kEndAccount + Account("   3", 311) + kEndAccount},
      {"sub-account rows without their account row",
       {{1310001, 0}, {1310002, 0}, {1310000, 0}, {2120000, 0}},
       SubAccount("   1", 1) + SubAccount("   2", 2) + Account("   1", 131) + kEndAccount +
           Account("   2", 212) + kEndAccount},
  };
  for (const auto& c : kCases) {
    m_run.ClearList();
    for (const Row& row : c.rows) m_run.Add(row.code, "N", row.hasSub, 0);
    ASSERT_EQ(1, m_run.Write()) << c.what;
    EXPECT_EQ(kDataStart + c.data + kDataEnd, DataSection(m_run.Output())) << c.what;
    std::string parser;
    EXPECT_EQ(0, reporttest::RunXmllint(m_run.OutputPath(), &parser)) << c.what << parser;
    EXPECT_EQ(static_cast<int>(c.rows.size()) + 13, m_run.TakeProgress().pulses)
        << "one Pulse per row, skipped rows included: " << c.what;
  }
}

}  // namespace
