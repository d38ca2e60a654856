// The period calculator: closing days implied by end dates and the
// accounting month (by the calendar month it closes in) of a date.
#include <gtest/gtest.h>

#include <memory>

#include "host/TalBCore.h"
#include "tests/support/TempPrefix.h"

namespace {

TEST(TalPeriodTest, AccountingMonthOfADate) {
  struct Case {
    TLONG start, end;
    TLONG closingDay;  // what the end date implies
    TLONG date;
    TLONG month;
  } cases[] = {
      // April to March, month-end closing.
      {20170401, 20180331, 99, 20170401, 4},
      {20170401, 20180331, 99, 20170430, 4},
      {20170401, 20180331, 99, 20180331, 3},
      {20170401, 20180331, 99, 20180228, 2},
      // Calendar year.
      {20170101, 20171231, 99, 20170101, 1},
      {20170101, 20171231, 99, 20171231, 12},
      // Closing on the 20th: a month runs from the 21st to the 20th and is
      // named by the month it closes in, across the turn of the year too.
      {20170321, 20180320, 20, 20170321, 4},
      {20170321, 20180320, 20, 20170320, 3},
      {20170321, 20180320, 20, 20171221, 1},
      {20170321, 20180320, 20, 20180320, 3},
      // Closing on the 30th: February closes on its last day.
      {20170131, 20180130, 30, 20180228, 2},
      {20170131, 20180130, 30, 20170131, 2},
      {20170131, 20180130, 30, 20170330, 3},
      // 28 February is the month's end only outside leap years.
      {20180301, 20190228, 99, 20190228, 2},
      {20190301, 20200228, 28, 20200229, 3},
  };
  uwtest::TempPrefix prefix;  // no faults set there
  for (const Case& c : cases) {
    std::unique_ptr<ClTalPeriod> period(new (std::nothrow) ClTalPeriod);
    ASSERT_NE(nullptr, period);
    ASSERT_EQ(0, period->SetPeriod(c.start, c.end)) << c.start;
    TLONG closingDay = -1;
    ASSERT_EQ(0, period->GetClosingDayByEndDate(c.end, 0, &closingDay)) << c.end;
    EXPECT_EQ(c.closingDay, closingDay) << c.end;
    ASSERT_EQ(0, period->SetClosingDay(closingDay));
    TLONG month = -1;
    ASSERT_EQ(0, period->GetAMonthByDate(c.date, &month, 0)) << c.date;
    EXPECT_EQ(c.month, month) << c.start << "-" << c.end << " " << c.date;
  }
}

TEST(TalPeriodTest, NothingIsWrittenForWhatIsNoDateOrBeforeTheSetUp) {
  uwtest::TempPrefix prefix;
  ClTalPeriod period;
  TLONG out = -1;
  // Before the period and the closing day are set.
  EXPECT_NE(0, period.GetAMonthByDate(20170401, &out, 0));
  EXPECT_EQ(-1, out);
  for (TLONG bad : {0, 20170231, 20171301, 20170400, -20170401}) {
    EXPECT_NE(0, period.GetClosingDayByEndDate(bad, 0, &out)) << bad;
    EXPECT_NE(0, period.SetPeriod(bad, 20180331)) << bad;
  }
  EXPECT_EQ(-1, out);
  EXPECT_NE(0, period.SetPeriod(20180401, 20170331));  // ends before it starts
  for (TLONG bad : {0, 32, 98, 100, -1}) EXPECT_NE(0, period.SetClosingDay(bad)) << bad;
  ASSERT_EQ(0, period.SetPeriod(20170401, 20180331));
  ASSERT_EQ(0, period.SetClosingDay(99));
  EXPECT_NE(0, period.GetAMonthByDate(20170230, &out, 0));
  EXPECT_EQ(-1, out);
}

}  // namespace
