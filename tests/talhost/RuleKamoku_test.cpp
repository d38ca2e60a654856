// The account-summing rule: the rows, their grouping and their slots against
// sums worked out by hand, the order of calls it demands, and every fault
// switch from both of its sources.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <memory>
#include <vector>

#include "host/TalBCore.h"
#include "host/TalCmn.h"
#include "tests/talhost/HostFixture.h"

namespace talhost_test {
namespace {

constexpr TLONG kEnd = ClRuleKamoku::MOVE_END;

// A summing condition: month ordinals first..last, optionally OR month code
// `extra` (15 or 18).
struct Condition {
  StFINDINFO entries[4];
  Condition(short first, short last, short extra = 0) {
    std::memset(entries, 0, sizeof(entries));
    Set(0, FIND_OP_NOT_LESS, first, FIND_LINK_AND);
    Set(1, FIND_OP_NOT_GREATER, last, extra != 0 ? FIND_LINK_OR : FIND_LINK_END);
    if (extra != 0) Set(2, FIND_OP_EQUAL, extra, FIND_LINK_END);
  }
  void Set(int i, short op, short value, short link) {
    entries[i].fieldId = FIND_FIELD_MONTH;
    entries[i].compareOp = op;
    entries[i].valueType = FIND_VALUE_INT16;
    entries[i].value.value16 = value;
    entries[i].nextLink = link;
  }
};

// A rule set up as the program sets it up, for data `dataId`.
std::unique_ptr<ClRuleKamoku> MakeRule(const char* dataId) {
  std::unique_ptr<ClRuleKamoku> rule(new (std::nothrow) ClRuleKamoku);
  if (rule == nullptr) return rule;
  rule->AttachSetMgr(ClDataMgr::Inst()->GetSetMgr());
  rule->SetCurDataID(dataId);
  rule->AttachOptLink(ClLinkMgr::Inst()->GetOptLink());
  return rule;
}

TLONG Ready(ClRuleKamoku& rule, Condition& condition) {
  return rule.MoveReady(ClRuleKamoku::_RuleKamokuSumType_Base, ClRuleKamoku::_RuleKamokuSumType_Bmn,
                        ClRuleKamoku::_RuleKamokuSumType_Disptype, condition.entries, nullptr,
                        ClRuleKamoku::_RuleKamokuSumType_Past);
}

// Rows up to the end (5000), which must come after exactly `count` rows.
std::vector<StKAMOKUSUMINFO> ReadAll(ClRuleKamoku& rule) {
  std::vector<StKAMOKUSUMINFO> rows;
  TULONG count = 0;
  EXPECT_EQ(0, rule.GetSumCount(&count));
  EXPECT_EQ(0, rule.SetMovePos(0));
  StKAMOKUSUMINFO row;
  TLONG rc;
  while ((rc = rule.MoveNext(&row)) == 0) rows.push_back(row);
  EXPECT_EQ(kEnd, rc);
  EXPECT_EQ(kEnd, rule.MoveNext(&row));  // and stays at the end
  EXPECT_EQ(count, rows.size());
  EXPECT_EQ(0, rule.MoveFinish());
  return rows;
}

struct Slot {
  int slot;
  std::int64_t s1Excl, s1Incl, s2Excl, s2Incl;
};

StKAMOKUSUMINFO Row(std::uint32_t code, const char* nameCp932, std::uint8_t hasSub,
                    std::uint8_t side, std::vector<Slot> slots, std::uint8_t omitA = 0,
                    std::uint32_t attr = 0) {
  StKAMOKUSUMINFO row;
  std::memset(&row, 0, sizeof(row));
  row.code = code;
  std::memcpy(row.name, nameCp932, std::strlen(nameCp932));
  row.hasSub = hasSub;
  row.balanceSide = side;
  row.omitA = omitA;
  row.attrFlags = attr;
  for (const Slot& s : slots) {
    row.side1Excl[s.slot] = s.s1Excl;
    row.side1Incl[s.slot] = s.s1Incl;
    row.side2Excl[s.slot] = s.s2Excl;
    row.side2Incl[s.slot] = s.s2Incl;
  }
  return row;
}

void ExpectSameRow(const StKAMOKUSUMINFO& expected, const StKAMOKUSUMINFO& actual, int index) {
  EXPECT_EQ(expected.code, actual.code) << "row " << index;
  EXPECT_EQ(expected.hasSub, actual.hasSub) << "row " << index;
  // The record is packed: its amounts are copied out before comparing.
  auto value = [](std::int64_t amount) { return amount; };
  for (int k = 0; k < KAMOKU_SLOT_COUNT; ++k) {
    EXPECT_EQ(value(expected.side1Excl[k]), value(actual.side1Excl[k])) << index << " slot " << k;
    EXPECT_EQ(value(expected.side1Incl[k]), value(actual.side1Incl[k])) << index << " slot " << k;
    EXPECT_EQ(value(expected.side2Excl[k]), value(actual.side2Excl[k])) << index << " slot " << k;
    EXPECT_EQ(value(expected.side2Incl[k]), value(actual.side2Incl[k])) << index << " slot " << k;
  }
  // Everything else, the bytes the host leaves zero included.
  EXPECT_EQ(0, std::memcmp(&expected, &actual, sizeof(expected))) << "row " << index;
}

class RuleTest : public HostTest {
 protected:
  // Company 1 (D0001), selected:
  //   1110000 現金      lines in months 0, 1 (twice on side 1), 18, 15
  //   1120000 預金      one line of its own; subs 1120001 普通, 1120002 当座
  //   2110000 買掛金    side 2, omitA, attribute 0x08000000, no lines
  //   3000000 雑        with one sub 3000005 that the master no longer lists
  // Company 2 has one line on the same code, which must never leak in.
  void BuildLedger() {
    auto& l = Ledger();
    l.AddCompany({.dataNo = 1, .name = "見本"});
    l.AddCompany({.dataNo = 2, .name = "他社"});
    l.SelectCompany(talhost::kDefaultUserId, 1);
    l.AddAccount(1, {.code = 1110000, .name = "現金"});
    l.AddAmount(1, 1110000, 0, 1, 1000000, 1000000);
    l.AddAmount(1, 1110000, 1, 1, 300000, 330000);
    l.AddAmount(1, 1110000, 1, 1, 50000, 55000);
    l.AddAmount(1, 1110000, 1, 2, 100000, 110000);
    l.AddAmount(1, 1110000, 18, 1, 50000, 50000);
    l.AddAmount(1, 1110000, 15, 2, 20000, 22000);
    l.AddAccount(1, {.code = 1120000, .name = "預金"});
    l.AddAccount(1, {.code = 1120001, .name = "普通"});
    l.AddAccount(1, {.code = 1120002, .name = "当座"});
    l.AddAmount(1, 1120000, 2, 1, 7, 8);
    l.AddAmount(1, 1120001, 0, 1, 100, 110);
    l.AddAmount(1, 1120001, 12, 2, 40, 44);
    l.AddAmount(1, 1120002, 3, 1, 9, 10);
    l.AddAccount(
        1,
        {.code = 2110000, .name = "買掛金", .balanceSide = 2, .omitA = 1, .attrFlags = 0x08000000});
    l.AddAccount(1, {.code = 3000000, .name = "雑"});
    l.AddAccount(1, {.code = 3000005, .name = "旧科目", .inMaster = false});
    l.AddAmount(1, 3000005, 4, 2, 5, 6);
    l.AddAccount(2, {.code = 1110000, .name = "現金"});
    l.AddAmount(2, 1110000, 0, 1, 999, 999);
  }

  std::vector<StKAMOKUSUMINFO> ExpectedRows() {
    const StKAMOKUSUMINFO yokin =
        Row(1120000, "\x97\x61\x8b\xe0", 1, 1,
            {{0, 100, 110, 0, 0}, {2, 7, 8, 0, 0}, {3, 9, 10, 0, 0}, {12, 0, 0, 40, 44}});
    StKAMOKUSUMINFO yokinClose = yokin;
    yokinClose.hasSub = 0;
    const StKAMOKUSUMINFO zatsu = Row(3000000, "\x8e\x47", 1, 1, {{4, 0, 0, 5, 6}});
    StKAMOKUSUMINFO zatsuClose = zatsu;
    zatsuClose.hasSub = 0;
    return {
        Row(1110000, "\x8c\xbb\x8b\xe0", 0, 1,
            {{0, 1000000, 1000000, 0, 0},
             {1, 350000, 385000, 100000, 110000},
             {13, 50000, 50000, 0, 0},
             {14, 0, 0, 20000, 22000}}),
        yokin,
        Row(1120001, "\x95\x81\x92\xca", 0, 1, {{0, 100, 110, 0, 0}, {12, 0, 0, 40, 44}}),
        Row(1120002, "\x93\x96\x8d\xc0", 0, 1, {{3, 9, 10, 0, 0}}),
        yokinClose,
        Row(2110000, "\x94\x83\x8a\x7c\x8b\xe0", 0, 2, {}, 1, 0x08000000),
        zatsu,
        Row(3000005, "\x8b\x8c\x89\xc8\x96\xda", 0, 1, {{4, 0, 0, 5, 6}}),
        zatsuClose,
    };
  }
};

TEST_F(RuleTest, RowsComeGroupedWithEverySlotWhateverTheCondition) {
  BuildLedger();
  Connect();
  const std::vector<StKAMOKUSUMINFO> expected = ExpectedRows();
  // A whole year with the closing, and a quarter: the rows are the same.
  Condition conditions[] = {Condition(1, 12, 18), Condition(4, 6)};
  for (Condition& condition : conditions) {
    auto rule = MakeRule("D0001");
    ASSERT_NE(nullptr, rule);
    ASSERT_EQ(0, Ready(*rule, condition));
    const std::vector<StKAMOKUSUMINFO> rows = ReadAll(*rule);
    ASSERT_EQ(expected.size(), rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
      ExpectSameRow(expected[i], rows[i], static_cast<int>(i));
    }
  }
}

TEST_F(RuleTest, AnEmptyCompanyHasNoRows) {
  Ledger().AddCompany({.dataNo = 1, .name = "空"});
  Connect();
  auto rule = MakeRule("D0001");
  Condition condition(1, 12, 18);
  ASSERT_EQ(0, Ready(*rule, condition));
  EXPECT_TRUE(ReadAll(*rule).empty());
}

TEST_F(RuleTest, TheRuleRunsOnlyWhenSetUpAsTheHostRequires) {
  BuildLedger();
  Connect();
  Condition good(1, 12, 18);
  StKAMOKUSUMINFO row;
  TULONG count = 0;

  {  // no set manager attached
    ClRuleKamoku rule;
    rule.SetCurDataID("D0001");
    EXPECT_NE(0, Ready(rule, good));
    EXPECT_NE(0, rule.GetSumCount(&count));
    EXPECT_NE(0, rule.SetMovePos(0));
    EXPECT_NE(0, rule.MoveNext(&row));
  }
  {  // unknown data, and a data id that fills all 16 bytes
    EXPECT_NE(0, Ready(*MakeRule("NOSUCH"), good));
    const char full[16] = {'D', '0', '0', '0', '1', 'X', 'X', 'X',
                           'X', 'X', 'X', 'X', 'X', 'X', 'X', 'X'};
    auto rule = MakeRule("D0001");
    EXPECT_NE(0, rule->SetCurDataID(full));
    EXPECT_NE(0, Ready(*rule, good));
  }
  {  // conditions: none, a chain that never ends, a field it cannot sum by
    auto rule = MakeRule("D0001");
    EXPECT_NE(0, rule->MoveReady(1, 0, 0, nullptr, nullptr, 0));
    std::vector<StFINDINFO> endless(40);
    for (StFINDINFO& entry : endless) entry = good.entries[0];
    EXPECT_NE(0, rule->MoveReady(1, 0, 0, endless.data(), nullptr, 0));
    Condition wrongField(1, 12);
    wrongField.entries[1].fieldId = FIND_FIELD_KAMOKU_CODE;
    EXPECT_NE(0, Ready(*rule, wrongField));
    EXPECT_NE(0, rule->MoveReady(2, 0, 0, good.entries, nullptr, 0));
  }
  {  // MoveNext before SetMovePos, a position past the end
    auto rule = MakeRule("D0001");
    ASSERT_EQ(0, Ready(*rule, good));
    EXPECT_NE(0, rule->MoveNext(&row));
    EXPECT_NE(0, rule->SetMovePos(10));
    EXPECT_NE(0, rule->SetMovePos(-1));
    ASSERT_EQ(0, rule->SetMovePos(9));
    EXPECT_EQ(kEnd, rule->MoveNext(&row));
    ASSERT_EQ(0, rule->SetMovePos(5));  // the sixth row: 2110000
    ASSERT_EQ(0, rule->MoveNext(&row));
    EXPECT_EQ(2110000u, row.code);
  }
}

TEST_F(RuleTest, ARowWhoseSumOverflowsFailsInsteadOfWrapping) {
  Ledger().AddCompany({.dataNo = 1, .name = "a"});
  Ledger().AddAccount(1, {.code = 1110000, .name = "a"});
  Ledger().AddAmount(1, 1110000, 1, 1, std::numeric_limits<std::int64_t>::max(), 1);
  Ledger().AddAmount(1, 1110000, 1, 1, 1, 1);
  Connect();
  auto rule = MakeRule("D0001");
  Condition condition(1, 12);
  ASSERT_EQ(0, Ready(*rule, condition));
  ASSERT_EQ(0, rule->SetMovePos(0));
  StKAMOKUSUMINFO row;
  const TLONG rc = rule->MoveNext(&row);
  EXPECT_NE(0, rc);
  EXPECT_NE(kEnd, rc);
}

TEST_F(RuleTest, ReleasingTheConnectionStopsARunningRule) {
  BuildLedger();
  Connect();
  auto rule = MakeRule("D0001");
  Condition condition(1, 12);
  ASSERT_EQ(0, Ready(*rule, condition));
  ASSERT_EQ(0, rule->SetMovePos(0));
  StKAMOKUSUMINFO row;
  ASSERT_EQ(0, rule->MoveNext(&row));
  ClTalConnect::Inst()->Release();
  const TLONG rc = rule->MoveNext(&row);
  EXPECT_NE(0, rc);
  EXPECT_NE(kEnd, rc);
}

// Each fault switch, set through the C++ API and through host.ini.
struct FaultCase {
  const char* name;
  talhost::FaultSwitches switches;
  std::vector<std::pair<const char*, const char*>> iniKeys;
  TLONG sumCount;    // result of GetSumCount
  TLONG movePos;     // result of SetMovePos (when GetSumCount passed)
  int rows;          // rows delivered before `lastStatus`
  TLONG lastStatus;  // what MoveNext returns after them
};

TEST_F(RuleTest, FaultSwitchesFailEachStepOnDemand) {
  BuildLedger();
  Connect();
  const FaultCase cases[] = {
      {"none", {}, {}, 0, 0, 9, kEnd},
      {"sum_count", {.sumCountStatus = 7}, {{"sum_count", "7"}}, 7, 0, 0, 0},
      {"set_move_pos", {.setMovePosStatus = -8}, {{"set_move_pos", "-8"}}, 0, -8, 0, 0},
      {"move_next_error at once", {.moveNextStatus = 9}, {{"move_next_error", "9"}}, 0, 0, 0, 9},
      {"move_next_error after 2",
       {.moveNextStatus = 9, .moveNextAfter = 2},
       {{"move_next_error", "9"}, {"move_next_after", "2"}},
       0,
       0,
       2,
       9},
      {"move_end_after 3", {.moveEndAfter = 3}, {{"move_end_after", "3"}}, 0, 0, 3, kEnd},
      {"move_end_after 0", {.moveEndAfter = 0}, {{"move_end_after", "0"}}, 0, 0, 0, kEnd},
  };
  for (bool fromIni : {false, true}) {
    for (const FaultCase& c : cases) {
      const std::string label = std::string(c.name) + (fromIni ? " (host.ini)" : " (API)");
      std::unique_ptr<talhost::ScopedFaultSwitches> scoped;
      if (fromIni) {
        for (const auto& [key, value] : c.iniKeys) Ledger().SetFault(key, value);
      } else {
        scoped = std::make_unique<talhost::ScopedFaultSwitches>(c.switches);
      }
      auto rule = MakeRule("D0001");
      ASSERT_NE(nullptr, rule) << label;
      Condition condition(1, 12, 18);
      ASSERT_EQ(0, Ready(*rule, condition)) << label;
      TULONG count = 0;
      EXPECT_EQ(c.sumCount, rule->GetSumCount(&count)) << label;
      if (c.sumCount == 0) {
        EXPECT_EQ(9u, count) << label;
        EXPECT_EQ(c.movePos, rule->SetMovePos(0)) << label;
      }
      if (c.sumCount == 0 && c.movePos == 0) {
        StKAMOKUSUMINFO row;
        for (int i = 0; i < c.rows; ++i) ASSERT_EQ(0, rule->MoveNext(&row)) << label << " " << i;
        EXPECT_EQ(c.lastStatus, rule->MoveNext(&row)) << label;
        EXPECT_EQ(c.lastStatus, rule->MoveNext(&row)) << label << " (again)";
      }
      for (const auto& [key, value] : c.iniKeys) Ledger().SetFault(key, "0");
      Ledger().SetFault("move_end_after", "-1");
    }
  }
}

TEST_F(RuleTest, CreationFaultsYieldNull) {
  for (bool fromIni : {false, true}) {
    std::unique_ptr<talhost::ScopedFaultSwitches> scoped;
    if (fromIni) {
      Ledger().SetFault("rule_new", "1");
      Ledger().SetFault("period_new", "1");
    } else {
      scoped = std::make_unique<talhost::ScopedFaultSwitches>(
          talhost::FaultSwitches{.ruleNewFails = true, .periodNewFails = true});
    }
    EXPECT_EQ(nullptr, new (std::nothrow) ClRuleKamoku) << fromIni;
    EXPECT_EQ(nullptr, new (std::nothrow) ClTalPeriod) << fromIni;
  }
  // Off again: both can be made.
  Ledger().SetFault("rule_new", "0");
  Ledger().SetFault("period_new", "0");
  std::unique_ptr<ClRuleKamoku> rule(new (std::nothrow) ClRuleKamoku);
  std::unique_ptr<ClTalPeriod> period(new (std::nothrow) ClTalPeriod);
  EXPECT_NE(nullptr, rule);
  EXPECT_NE(nullptr, period);
}

}  // namespace
}  // namespace talhost_test
