#include "aggregate/RowBalance.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <initializer_list>

namespace {

constexpr std::int64_t kUnit = 10000;  // raw ten-thousandths per whole unit

// A summing condition as the host receives it: entry 0 (>= start), entry 1
// (<= end), then the closing-period month codes, OR-linked.
struct Condition {
  StFINDINFO entries[4];
  Condition(short start, short end, std::initializer_list<short> closings) {
    std::memset(entries, 0, sizeof entries);
    Set(0, 4, start, 1);
    Set(1, 6, end, 0);
    int last = 1;
    for (short code : closings) {
      entries[last].nextLink = 2;
      Set(++last, 1, code, 0);
    }
  }
  void Set(int i, short op, short value, short link) {
    entries[i].fieldId = 17;
    entries[i].compareOp = op;
    entries[i].valueType = 2;
    entries[i].value.value16 = value;
    entries[i].nextLink = link;
  }
};

StDATAINFO DataInfo(std::int32_t halfYearClosing) {
  StDATAINFO info;
  std::memset(&info, 0, sizeof info);
  info.halfYearClosing = halfYearClosing;
  return info;
}

StKAMOKUSUMINFO EmptyRow(std::uint8_t balanceSide) {
  StKAMOKUSUMINFO row;
  std::memset(&row, 0, sizeof row);
  row.balanceSide = balanceSide;
  return row;
}

// Slot k of side one holds 2^k units (3 * 2^k including tax), so a balance
// names the set of slots that were summed as a bit mask.
StKAMOKUSUMINFO MaskRow() {
  StKAMOKUSUMINFO row = EmptyRow(1);
  for (int k = 0; k < KAMOKU_SLOT_COUNT; ++k) {
    row.side1Excl[k] = (std::int64_t{1} << k) * kUnit;
    row.side1Incl[k] = 3 * (std::int64_t{1} << k) * kUnit;
  }
  return row;
}

TEST(RowBalanceTest, WorkedExampleOnBothBalanceSides) {
  StKAMOKUSUMINFO row = EmptyRow(1);
  row.side1Excl[0] = 100 * kUnit;
  row.side1Excl[1] = 30 * kUnit;
  row.side2Excl[1] = 10 * kUnit;
  row.side1Excl[13] = 5 * kUnit;
  const Condition condition(1, 12, {18});
  const SumSelection selection = ReadSumSelection(condition.entries, DataInfo(0), 0);

  EXPECT_EQ(RowBalance(row, selection).GetRaw(), 125 * kUnit);
  for (std::uint8_t side : {0, 2, 255}) {
    row.balanceSide = side;
    EXPECT_EQ(RowBalance(row, selection).GetRaw(), -125 * kUnit) << int{side};
  }
}

TEST(RowBalanceTest, SlotsSummedForEachSelection) {
  constexpr std::int64_t kMonths = 0x1FFF;  // slots 0-12
  constexpr std::int64_t kYearEnd = 1 << 13;
  constexpr std::int64_t kHalfYear = 1 << 14;
  static const struct {
    short start, end;
    std::initializer_list<short> closings;
    std::int32_t halfYearSwitch;
    std::int64_t mask;
  } cases[] = {
      {1, 12, {}, 0, kMonths},
      {1, 12, {18}, 0, kMonths | kYearEnd},
      {1, 1, {}, 0, 0x3},                                // start 1 brings forward slot 0 alone
      {4, 6, {}, 0, 0x7F},                               // slots 0-3 forward, 4-6 range
      {4, 6, {15}, 1, 0x7F | kHalfYear},                 // half-year: switch 1 and end 6
      {4, 6, {15}, 2, 0x7F},                             // switch not exactly 1
      {4, 5, {}, 1, 0x3F},                               // end ordinal not 6
      {1, 6, {15, 18}, 1, 0x7F | kHalfYear | kYearEnd},  // four entries: both closings
      {1, 6, {18}, 1, 0x7F | kHalfYear | kYearEnd},
      {7, 3, {}, 0, 0x7F},  // start past end: forward only
      {7, 3, {18}, 0, 0x7F | kYearEnd},
      {0, 12, {}, 0, kMonths},
      {-3, 2, {}, 0, 0x7},
      // Ordinals past the months never read a closing slot or past a table.
      {13, 13, {18}, 0, kMonths | kYearEnd},
      {20, 30, {}, 0, kMonths},
      {1, 40, {}, 0, kMonths},
  };
  const StKAMOKUSUMINFO row = MaskRow();
  for (const auto& c : cases) {
    const Condition condition(c.start, c.end, c.closings);
    const StDATAINFO data = DataInfo(c.halfYearSwitch);
    const SumSelection excl = ReadSumSelection(condition.entries, data, 0);
    const SumSelection incl = ReadSumSelection(condition.entries, data, 1);
    EXPECT_EQ(RowBalance(row, excl).GetRaw(), c.mask * kUnit) << c.start << ".." << c.end;
    EXPECT_EQ(RowBalance(row, incl).GetRaw(), 3 * c.mask * kUnit) << c.start << ".." << c.end;
  }
}

TEST(RowBalanceTest, SelectionReadsTheChainOnly) {
  // A year-end code behind the end of the chain is not part of the condition.
  Condition ended(1, 12, {});
  ended.Set(2, 1, 18, 0);
  EXPECT_FALSE(ReadSumSelection(ended.entries, DataInfo(0), 0).yearEnd);
  EXPECT_FALSE(ReadSumSelection(Condition(1, 6, {15}).entries, DataInfo(1), 0).yearEnd);
  EXPECT_TRUE(ReadSumSelection(Condition(1, 6, {15, 18}).entries, DataInfo(1), 0).yearEnd);

  for (int tax : {0, 2, -1}) {
    EXPECT_FALSE(ReadSumSelection(ended.entries, DataInfo(0), tax).taxIncluded) << tax;
  }
  EXPECT_TRUE(ReadSumSelection(ended.entries, DataInfo(0), 1).taxIncluded);
}

TEST(RowBalanceTest, BalanceAtTheLimitRaisesTheOverflowError) {
  StKAMOKUSUMINFO row = EmptyRow(1);
  row.side1Excl[0] = 1000000000000000000LL - 1;
  const SumSelection selection = ReadSumSelection(Condition(1, 12, {}).entries, DataInfo(0), 0);
  EXPECT_EQ(RowBalance(row, selection).GetRaw(), 1000000000000000000LL - 1);

  row.side1Excl[1] = 1;
  try {
    (void)RowBalance(row, selection);
    ADD_FAILURE() << "no overflow error";
  } catch (int e) {
    EXPECT_EQ(e, -1);
  }
}

}  // namespace
