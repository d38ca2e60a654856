#include "aggregate/FindCondition.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

#include "talhost/Faults.h"
#include "tests/support/TempPrefix.h"

namespace {

typedef std::array<std::uint8_t, 34> EntryBytes;

// The bytes of one month entry, laid out by hand (little endian):
// fieldId 17 at 0, compareOp at 6, valueType 2 at 10, value at 18,
// nextLink at 30, every other byte zero.
EntryBytes MonthEntry(std::int16_t value, std::int16_t compareOp, std::int16_t nextLink) {
  EntryBytes bytes{};
  bytes[0] = 17;
  bytes[6] = static_cast<std::uint8_t>(compareOp);
  bytes[10] = 2;
  bytes[18] = static_cast<std::uint8_t>(value & 0xFF);
  bytes[19] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
  bytes[30] = static_cast<std::uint8_t>(nextLink);
  return bytes;
}

StDATAINFO Company(std::int32_t start, std::int32_t end, std::int32_t halfYearClosing) {
  StDATAINFO info;
  std::memset(&info, 0, sizeof info);
  info.periodStart = start;
  info.periodEnd = end;
  info.halfYearClosing = halfYearClosing;
  return info;
}

class FindConditionTest : public ::testing::Test {
 protected:
  uwtest::TempPrefix m_prefix;
};

TEST_F(FindConditionTest, WorkedConditionsByteForByte) {
  struct Row {
    std::int32_t periodStart, periodEnd;
    std::int32_t startMonth, endMonth;
    std::int32_t halfYear;
    std::vector<EntryBytes> entries;
  };
  const std::vector<Row> rows = {
      {20170401,
       20180331,
       4,
       3,
       0,
       {MonthEntry(1, 4, 1), MonthEntry(12, 6, 2), MonthEntry(18, 1, 0)}},
      {20170401,
       20180331,
       4,
       9,
       1,
       {MonthEntry(1, 4, 1), MonthEntry(6, 6, 2), MonthEntry(15, 1, 0)}},
      {20170401, 20180331, 4, 9, 0, {MonthEntry(1, 4, 1), MonthEntry(6, 6, 0)}},
      {20170401, 20180331, 4, 2, 0, {MonthEntry(1, 4, 1), MonthEntry(11, 6, 0)}},
      {20170401,
       20180331,
       1,
       3,
       0,
       {MonthEntry(10, 4, 1), MonthEntry(12, 6, 2), MonthEntry(18, 1, 0)}},
      {20170101,
       20171231,
       1,
       12,
       0,
       {MonthEntry(1, 4, 1), MonthEntry(12, 6, 2), MonthEntry(18, 1, 0)}},
      {20170401,
       20170930,
       4,
       9,
       1,
       {MonthEntry(1, 4, 1), MonthEntry(6, 6, 2), MonthEntry(15, 1, 2), MonthEntry(18, 1, 0)}},
      // The half-year entry needs the switch to be exactly 1.
      {20170401, 20180331, 4, 9, 2, {MonthEntry(1, 4, 1), MonthEntry(6, 6, 0)}},
      // Only the low 16 bits of the months take part.
      {20170401,
       20180331,
       0x10004,
       0x20003,
       0,
       {MonthEntry(1, 4, 1), MonthEntry(12, 6, 2), MonthEntry(18, 1, 0)}},
  };
  for (const Row& row : rows) {
    // A sentinel shows which entries were written: every written entry is
    // zero-filled first, the others stay as the caller left them.
    StFINDINFO findInfo[SUM_FIND_ENTRIES];
    std::memset(findInfo, 0xCD, sizeof findInfo);
    BuildFindInfo(findInfo, Company(row.periodStart, row.periodEnd, row.halfYear), row.startMonth,
                  row.endMonth);
    for (std::size_t i = 0; i < SUM_FIND_ENTRIES; ++i) {
      EntryBytes expected;
      expected.fill(0xCD);
      if (i < row.entries.size()) expected = row.entries[i];
      EXPECT_EQ(std::memcmp(&findInfo[i], expected.data(), expected.size()), 0)
          << row.periodStart << " months " << row.startMonth << "-" << row.endMonth << " half-year "
          << row.halfYear << ", entry " << i;
    }
  }
}

TEST_F(FindConditionTest, PeriodMonths) {
  static const struct {
    std::int32_t start, end;
    short first, last;
  } cases[] = {
      {20170101, 20171231, 1, 12},
      {20170401, 20180331, 4, 103},
      {20170401, 20170930, 4, 9},
      {20171001, 20180930, 10, 109},
      // Closing on the 20th: the first day falls in the accounting month that
      // ends on 20 April.
      {20170321, 20180320, 4, 103},
  };
  for (const auto& c : cases) {
    short first = -7;
    short last = -7;
    GetPeriodMonths(c.start, c.end, &first, &last);
    EXPECT_EQ(first, c.first) << c.start << "-" << c.end;
    EXPECT_EQ(last, c.last) << c.start << "-" << c.end;

    short only = -7;
    GetPeriodMonths(c.start, c.end, &only, nullptr);
    EXPECT_EQ(only, c.first) << c.start;
    only = -7;
    GetPeriodMonths(c.start, c.end, nullptr, &only);
    EXPECT_EQ(only, c.last) << c.start;
    GetPeriodMonths(c.start, c.end, nullptr, nullptr);
  }
}

TEST_F(FindConditionTest, WithoutAPeriodCalculatorNothingIsWrittenAndMonthsCountFromZero) {
  talhost::ScopedFaultSwitches faults({.periodNewFails = true});
  short first = -7;
  short last = -7;
  GetPeriodMonths(20170401, 20180331, &first, &last);
  EXPECT_EQ(first, -7);
  EXPECT_EQ(last, -7);

  // First and last month 0: April is ordinal 5, March ordinal 4, no closing.
  StFINDINFO findInfo[SUM_FIND_ENTRIES];
  std::memset(findInfo, 0, sizeof findInfo);
  BuildFindInfo(findInfo, Company(20170401, 20180331, 0), 4, 3);
  const EntryBytes expected[] = {MonthEntry(5, 4, 1), MonthEntry(4, 6, 0), EntryBytes{},
                                 EntryBytes{}};
  for (std::size_t i = 0; i < SUM_FIND_ENTRIES; ++i) {
    EXPECT_EQ(std::memcmp(&findInfo[i], expected[i].data(), expected[i].size()), 0) << i;
  }
}

}  // namespace
