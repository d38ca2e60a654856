#include "aggregate/UchiwakeSum.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <iterator>
#include <map>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "aggregate/FindCondition.h"
#include "host/TalBCore.h"
#include "host/TalCmn.h"
#include "host/TalLink.h"
#include "platform/ui/headless/HeadlessTesting.h"
#include "progress/SumProgressDlg.h"
#include "talhost/Faults.h"
#include "talhost/LedgerBuilder.h"
#include "tests/support/TempPrefix.h"

// --- Seams of this test binary ---------------------------------------------

// Item allocations that fail: `new (std::nothrow)` of an item-sized block
// yields null once this many have succeeded (-1: never).
static long g_itemAllocationsLeft = -1;

void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  if (size == sizeof(StZandakaItem) && g_itemAllocationsLeft >= 0) {
    if (g_itemAllocationsLeft == 0) return nullptr;
    --g_itemAllocationsLeft;
  }
  try {
    return ::operator new(size);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

// The account-master lookups the program makes, by code searched for. The
// link wraps ClSetKamoku::WalkFind (see CMakeLists.txt); the real host
// answers every call.
static std::map<std::uint32_t, int> g_masterLookups;

extern "C" TLONG __real__ZN11ClSetKamoku8WalkFindEP10StFINDINFOP12StKAMOKUINFOj(ClSetKamoku* self,
                                                                                StFINDINFO* find,
                                                                                StKAMOKUINFO* info,
                                                                                TULONG cursor);
extern "C" TLONG __wrap__ZN11ClSetKamoku8WalkFindEP10StFINDINFOP12StKAMOKUINFOj(ClSetKamoku* self,
                                                                                StFINDINFO* find,
                                                                                StKAMOKUINFO* info,
                                                                                TULONG cursor) {
  ++g_masterLookups[static_cast<std::uint32_t>(find->value.value32)];
  return __real__ZN11ClSetKamoku8WalkFindEP10StFINDINFOP12StKAMOKUINFOj(self, find, info, cursor);
}

namespace {

constexpr std::int64_t kUnit = 10000;

// The ledger takes UTF-8 names, while this file's plain literals are CP932
// like the program's; ledger texts are written as u8 literals.
std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

constexpr int kOverallBar = 1016;
constexpr int kActivityBar = 1017;
constexpr UINT kStepIt = 1027;
constexpr UINT kSetRange = 1025;

// What the progress dialog received during one Aggregate.
struct ProgressSeen {
  int overallSteps = 0;  // PBM_STEPIT on the overall bar
  int pulses = 0;        // activity bar restarts (one per Pulse)
};

class UchiwakeSumTest : public ::testing::Test {
 protected:
  void SetUp() override {
    uw::headless::Start();
    g_itemAllocationsLeft = -1;
    g_masterLookups.clear();
    m_pLedger = std::make_unique<talhost::LedgerBuilder>();
  }

  void TearDown() override {
    g_itemAllocationsLeft = -1;
    m_sum.ReleaseRule();
    for (StZandakaItem* item : m_list) delete item;
    ClTalConnect::Inst()->LogOut();
    ClTalConnect::Inst()->Terminate();
    ClTalConnect::Inst()->Release();
  }

  talhost::LedgerBuilder& Ledger() { return *m_pLedger; }

  // Company 1, selected by the current user.
  void AddCompany(talhost::CompanySpec company = {}) {
    company.dataNo = 1;
    if (company.name.empty()) company.name = Utf8(u8"株式会社見本");
    Ledger().AddCompany(company);
    Ledger().SelectCompany(talhost::kDefaultUserId, 1);
  }

  void AddAccount(std::uint32_t code, const char8_t* name, std::int8_t kind = 0,
                  std::uint8_t balanceSide = 1) {
    Ledger().AddAccount(
        1, {.code = code, .name = Utf8(name), .kind = kind, .balanceSide = balanceSide});
  }

  // Connects to the host, builds the condition for the calendar months
  // `startMonth`..`endMonth` of the selected company and aggregates with a
  // headless progress dialog. Rethrows what Aggregate throws.
  int Run(int taxIncluded, TLONG startMonth, TLONG endMonth, bool recordProgress = true) {
    ClTalConnect* connect = ClTalConnect::Inst();
    connect->SetUseDataType(1);
    EXPECT_EQ(connect->Initiate(), 0);
    ClSetData* dataSet =
        static_cast<ClSetData*>(ClDataMgr::Inst()->GetSetObject(ClDataMgr::SET_DATA, 1));
    const StDATAINFO dataInfo = *dataSet->GetSelectedInfo();
    EXPECT_EQ(dataInfo.dataNo, 1);

    StFINDINFO findInfo[SUM_FIND_ENTRIES];
    std::memset(findInfo, 0, sizeof findInfo);
    BuildFindInfo(findInfo, dataInfo, startMonth, endMonth);

    CSumProgressDlg dlg;
    dlg.Create(131, nullptr);
    dlg.ShowWindow(SW_SHOW);
    dlg.InitBar();
    m_sum.progress = &dlg;
    m_sum.zandakaList = &m_list;
    m_progress = {};
    uw::headless::RecordCalls(recordProgress);
    struct StopRecording {
      UchiwakeSumTest* test;
      ~StopRecording() {
        uw::headless::RecordCalls(false);
        for (const uw::ui::RecordedCall& call : uw::headless::TakeCalls()) {
          if (call.control == kOverallBar && call.message == kStepIt)
            ++test->m_progress.overallSteps;
          if (call.control == kActivityBar && call.message == kSetRange) ++test->m_progress.pulses;
        }
        test->m_sum.progress = nullptr;
      }
    } stop{this};
    return m_sum.Aggregate(taxIncluded, findInfo, dataInfo);
  }

  std::vector<std::uint32_t> Codes() const {
    std::vector<std::uint32_t> codes;
    for (const StZandakaItem* item : m_list) codes.push_back(item->code);
    return codes;
  }

  const StZandakaItem* Item(std::uint32_t code) const {
    for (const StZandakaItem* item : m_list) {
      if (item->code == code) return item;
    }
    return nullptr;
  }

  uwtest::TempPrefix m_prefix;
  std::unique_ptr<talhost::LedgerBuilder> m_pLedger;
  ClUchiwakeSum m_sum;
  ZandakaList m_list;
  ProgressSeen m_progress;
};

// Overall steps of the Advance ranges 0-100, 100-300, 300-400 and 400-500.
constexpr int kStepsTo100 = 101;
constexpr int kStepsTo300 = kStepsTo100 + 201;
constexpr int kStepsTo400 = kStepsTo300 + 101;
constexpr int kStepsTo500 = kStepsTo400 + 101;

TEST_F(UchiwakeSumTest, WorkedExampleOnBothBalanceSidesThroughTheHost) {
  AddCompany();
  AddAccount(1110000, u8"現金", 0, 1);
  AddAccount(2110000, u8"買掛金", 0, 2);
  for (std::uint32_t code : {1110000u, 2110000u}) {
    Ledger().AddAmount(1, code, 0, 1, 100 * kUnit, 100 * kUnit);
    Ledger().AddAmount(1, code, 1, 1, 30 * kUnit, 30 * kUnit);
    Ledger().AddAmount(1, code, 1, 2, 10 * kUnit, 10 * kUnit);
    Ledger().AddAmount(1, code, 18, 1, 5 * kUnit, 5 * kUnit);
  }

  EXPECT_EQ(Run(0, 4, 3), 1);  // April to March: ordinals 1-12 and the year end
  ASSERT_EQ(m_list.size(), 2u);
  EXPECT_EQ(m_list[0]->code, 1110000u);
  EXPECT_EQ(m_list[0]->amount, 125 * kUnit);
  EXPECT_STREQ(m_list[0]->name, "現金");
  EXPECT_EQ(m_list[1]->amount, -125 * kUnit);
  EXPECT_EQ(m_sum.rule, nullptr) << "a successful run releases the rule";
  EXPECT_EQ(m_progress.overallSteps, kStepsTo500);
  EXPECT_EQ(m_progress.pulses, kStepsTo500 + 2) << "one Pulse per row besides the steps";
}

TEST_F(UchiwakeSumTest, TaxVariantChoosesTheTables) {
  AddCompany();
  AddAccount(1110000, u8"売上高");
  Ledger().AddAmount(1, 1110000, 1, 1, 1000 * kUnit, 1100 * kUnit);
  Ledger().AddAmount(1, 1110000, 2, 2, 300 * kUnit, 330 * kUnit);

  static const struct {
    int tax;
    std::int64_t amount;
  } cases[] = {{1, 770 * kUnit}, {0, 700 * kUnit}, {2, 700 * kUnit}};
  for (const auto& c : cases) {
    ASSERT_EQ(Run(c.tax, 4, 3), 1) << c.tax;
    ASSERT_EQ(m_list.size(), 1u) << c.tax;
    EXPECT_EQ(m_list[0]->amount, c.amount) << c.tax;
    delete m_list[0];
    m_list.clear();
  }
}

TEST_F(UchiwakeSumTest, RangeBroughtForwardAndClosingPeriods) {
  AddCompany({.halfYearClosing = 1});
  AddAccount(1110000, u8"現金");
  // Opening 1, then 2^k units in month ordinal k, 2^13 at the year end and
  // 2^14 at the half year: the balance names the slots summed.
  Ledger().AddAmount(1, 1110000, 0, 1, 1 * kUnit, 1 * kUnit);
  for (int month = 1; month <= 12; ++month) {
    Ledger().AddAmount(1, 1110000, month, 1, (std::int64_t{1} << month) * kUnit, 0);
  }
  Ledger().AddAmount(1, 1110000, 18, 1, (std::int64_t{1} << 13) * kUnit, 0);
  Ledger().AddAmount(1, 1110000, 15, 1, (std::int64_t{1} << 14) * kUnit, 0);

  static const struct {
    TLONG start, end;
    std::int64_t mask;
  } cases[] = {
      {4, 3, 0x1FFF | 1 << 13},  // whole year with the year end
      {4, 9, 0x7F | 1 << 14},    // half year: ordinal 6 with the half-year closing
      {4, 2, 0xFFF},             // ends before the last month: no closing period
      {7, 8, 0x3F},              // ordinals 1-3 brought forward, 4-5 in range
      {12, 10, 0x1FF},           // start past the end: brought forward only
  };
  for (const auto& c : cases) {
    ASSERT_EQ(Run(0, c.start, c.end), 1);
    ASSERT_EQ(m_list.size(), 1u);
    EXPECT_EQ(m_list[0]->amount, c.mask * kUnit) << c.start << "-" << c.end;
    delete m_list[0];
    m_list.clear();
  }
}

TEST_F(UchiwakeSumTest, FourEntryConditionAddsHalfYearAndYearEnd) {
  // A six-month period closing at the half year, summed to its last month:
  // the condition selects both closing periods, and the balance has both.
  AddCompany({.periodStart = 20170401, .periodEnd = 20170930, .halfYearClosing = 1});
  AddAccount(1110000, u8"現金");
  Ledger().AddAmount(1, 1110000, 0, 1, 1000 * kUnit, 0);
  Ledger().AddAmount(1, 1110000, 6, 1, 100 * kUnit, 0);
  Ledger().AddAmount(1, 1110000, 15, 1, 20 * kUnit, 0);
  Ledger().AddAmount(1, 1110000, 18, 1, 3 * kUnit, 0);

  ASSERT_EQ(Run(0, 4, 9), 1);
  ASSERT_EQ(m_list.size(), 1u);
  EXPECT_EQ(m_list[0]->amount, 1123 * kUnit);
}

TEST_F(UchiwakeSumTest, FiltersJudgeEachRowOnItsOwn) {
  AddCompany();
  AddAccount(1110000, u8"現金", 0);
  AddAccount(1120000, u8"普通預金", 1);
  AddAccount(1120001, u8"見本銀行", 0);
  Ledger().AddAccount(1, {.code = 1120002, .name = Utf8(u8"除外口座"), .omitA = 1});
  AddAccount(1130000, u8"種別外", 2);  // dropped; its sub-account stays
  AddAccount(1130001, u8"残る補助", 0);
  AddAccount(1140000, u8"仮払金", 0);  // keeps hasSub although its only sub is dropped
  Ledger().AddAccount(1, {.code = 1140001, .name = Utf8(u8"除外補助"), .omitB = 1});
  Ledger().AddAccount(1, {.code = 1150000, .name = Utf8(u8"属性一"), .attrFlags = 0x08000000});
  Ledger().AddAccount(1, {.code = 1160000, .name = Utf8(u8"属性二"), .attrFlags = 0x10000000});
  Ledger().AddAccount(1, {.code = 1170000, .name = Utf8(u8"他の属性"), .attrFlags = 0x04000000});
  Ledger().AddAccount(1, {.code = 1180000, .name = Utf8(u8"台帳外"), .inMaster = false});
  AddAccount(1190000, u8"種別負", -1);
  AddAccount(1200000, u8"種別五", 5);

  ASSERT_EQ(Run(0, 4, 3), 1);
  const std::vector<std::uint32_t> expected = {1110000, 1120000, 1120001, 1120000,
                                               1130001, 1140000, 1140000, 1170000};
  EXPECT_EQ(Codes(), expected);
  ASSERT_EQ(m_list.size(), expected.size());
  EXPECT_EQ(m_list[1]->hasSub, 1);  // account row, then its closing row
  EXPECT_EQ(m_list[3]->hasSub, 0);
  EXPECT_EQ(m_list[5]->hasSub, 1);
  EXPECT_EQ(m_list[6]->hasSub, 0);

  // Rows the summary row itself excludes are dropped without asking the master.
  for (std::uint32_t code : {1120002u, 1140001u, 1150000u, 1160000u}) {
    EXPECT_EQ(g_masterLookups.count(code), 0u) << code;
  }
  for (std::uint32_t code : {1110000u, 1120001u, 1170000u, 1180000u, 1190000u}) {
    EXPECT_EQ(g_masterLookups[code], 1) << code;
  }
  for (std::uint32_t code : {1120000u, 1130000u}) {
    EXPECT_EQ(g_masterLookups[code], 2) << code << ": account row and closing row, one each";
  }
}

TEST_F(UchiwakeSumTest, LookupKamokuKind) {
  AddCompany();
  AddAccount(1110000, u8"現金", 1);
  AddAccount(1190000, u8"種別負", -1);
  Ledger().AddAccount(1, {.code = 1180000, .name = Utf8(u8"台帳外"), .inMaster = false});
  AddAccount(0, u8"コード零", 7);
  ClTalConnect::Inst()->SetUseDataType(1);
  ASSERT_EQ(ClTalConnect::Inst()->Initiate(), 0);

  EXPECT_EQ(m_sum.LookupKamokuKind(1110000), 1);
  EXPECT_EQ(m_sum.LookupKamokuKind(1190000), -1);
  EXPECT_EQ(m_sum.LookupKamokuKind(1180000), -1);
  EXPECT_EQ(m_sum.LookupKamokuKind(9990000), -1);
  EXPECT_EQ(m_sum.LookupKamokuKind(0), 7);
}

TEST_F(UchiwakeSumTest, NamesAreCutToSixteenBytesOnCharacterBoundaries) {
  static const struct {
    const char8_t* name;  // UTF-8, for the ledger
    const char* kept;     // CP932, as the item holds it
  } cases[] = {
      {u8"ABCDEFGHIJKLMNOPQRS", "ABCDEFGHIJKLMNOP"},
      {u8"あいうえおかきく", "あいうえおかきく"},   // exactly 16 bytes
      {u8"Aあいうえおかきく", "Aあいうえおかき"},   // 16th byte would be a lead byte
      {u8"ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁ", "ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀ"},  // half-width kana: single bytes
      {u8"メメメメメメメメX", "メメメメメメメメ"},  // trail byte 0x81 is no lead byte
      {u8"Aメメメメメメメメ", "Aメメメメメメメ"},   // the lead byte found by the scan
      {u8"短い名前", "短い名前"},
  };
  AddCompany();
  std::uint32_t code = 1010000;
  for (const auto& c : cases) {
    AddAccount(code, c.name);
    code += 10000;
  }
  ASSERT_EQ(Run(0, 4, 3), 1);
  ASSERT_EQ(m_list.size(), std::size(cases));
  for (std::size_t i = 0; i < m_list.size(); ++i) {
    EXPECT_STREQ(m_list[i]->name, cases[i].kept) << i;
    const std::size_t length = std::strlen(m_list[i]->name);
    for (std::size_t k = length; k < sizeof m_list[i]->name; ++k) {
      EXPECT_EQ(m_list[i]->name[k], '\0') << i << " byte " << k;
    }
  }
}

TEST_F(UchiwakeSumTest, MoreRowsThanA16BitIndexHolds) {
  constexpr std::uint32_t kRows = 40000;
  AddCompany();
  Ledger().BeginBatch();
  for (std::uint32_t i = 1; i <= kRows; ++i) {
    Ledger().AddAccount(1, {.code = i * 10000, .name = Utf8(u8"科目")});
  }
  Ledger().AddAmount(1, kRows * 10000, 0, 1, 7 * kUnit, 7 * kUnit);
  Ledger().CommitBatch();

  ASSERT_EQ(Run(0, 4, 3, /*recordProgress=*/false), 1);
  ASSERT_EQ(m_list.size(), kRows);
  EXPECT_EQ(m_list.back()->code, kRows * 10000);
  EXPECT_EQ(m_list.back()->amount, 7 * kUnit);
}

// --- Failures ----------------------------------------------------------------

class UchiwakeSumFailureTest : public UchiwakeSumTest {
 protected:
  // Five reported rows: 1110000 .. 1150000.
  void AddFiveAccounts() {
    AddCompany();
    for (std::uint32_t code = 1110000; code <= 1150000; code += 10000) AddAccount(code, u8"科目");
  }
};

TEST_F(UchiwakeSumFailureTest, HostFailuresRowByRow) {
  static const struct {
    const char* what;
    talhost::FaultSwitches faults;
    int result;
    std::size_t items;
    bool ruleKept;
    int overallSteps;
  } cases[] = {
      {"rule cannot be created", {.ruleNewFails = true}, 0, 0, false, kStepsTo100},
      {"GetSumCount fails", {.sumCountStatus = 9}, 0, 0, true, kStepsTo300},
      {"SetMovePos fails", {.setMovePosStatus = 9}, 0, 0, true, kStepsTo400},
      {"MoveNext ends early", {.moveEndAfter = 2}, 1, 2, false, kStepsTo500},
      {"MoveNext fails", {.moveNextStatus = 77, .moveNextAfter = 3}, 0, 3, true, kStepsTo400},
      {"MoveNext fails at once", {.moveNextStatus = -5}, 0, 0, true, kStepsTo400},
  };
  AddFiveAccounts();
  for (const auto& c : cases) {
    {
      talhost::ScopedFaultSwitches faults(c.faults);
      EXPECT_EQ(Run(0, 4, 3), c.result) << c.what;
    }
    EXPECT_EQ(m_list.size(), c.items) << c.what;
    EXPECT_EQ(m_sum.rule != nullptr, c.ruleKept) << c.what;
    EXPECT_EQ(m_progress.overallSteps, c.overallSteps) << c.what;
    if (c.ruleKept && c.result == 0 && c.items > 0) {
      // MoveFinish was not called: the rule still holds its prepared rows.
      TULONG count = 0;
      EXPECT_EQ(m_sum.rule->GetSumCount(&count), 0) << c.what;
      EXPECT_EQ(count, 5u) << c.what;
    }
    m_sum.ReleaseRule();
    for (StZandakaItem* item : m_list) delete item;
    m_list.clear();
  }
}

TEST_F(UchiwakeSumFailureTest, FaultFromTheHostSettingsFile) {
  AddFiveAccounts();
  Ledger().SetFault("move_next_error", "9");
  Ledger().SetFault("move_next_after", "4");
  EXPECT_EQ(Run(0, 4, 3), 0);
  EXPECT_EQ(m_list.size(), 4u);
  EXPECT_NE(m_sum.rule, nullptr);
}

TEST_F(UchiwakeSumFailureTest, KeptRuleIsReusedByTheNextRun) {
  AddFiveAccounts();
  {
    talhost::ScopedFaultSwitches faults({.sumCountStatus = 9});
    ASSERT_EQ(Run(0, 4, 3), 0);
  }
  ClRuleKamoku* kept = m_sum.rule;
  ASSERT_NE(kept, nullptr);
  // Still connected: the same rule serves the next run.
  StFINDINFO findInfo[SUM_FIND_ENTRIES];
  std::memset(findInfo, 0, sizeof findInfo);
  const StDATAINFO dataInfo =
      *static_cast<ClSetData*>(ClDataMgr::Inst()->GetSetObject(ClDataMgr::SET_DATA, 1))
           ->GetSelectedInfo();
  BuildFindInfo(findInfo, dataInfo, 4, 3);
  CSumProgressDlg dlg;
  dlg.Create(131, nullptr);
  dlg.InitBar();
  m_sum.progress = &dlg;
  EXPECT_EQ(m_sum.Aggregate(0, findInfo, dataInfo), 1);
  EXPECT_EQ(m_list.size(), 5u);
  EXPECT_EQ(m_sum.rule, nullptr);
  m_sum.progress = nullptr;
}

TEST_F(UchiwakeSumFailureTest, ItemAllocationFailureKeepsWhatWasAppended) {
  AddFiveAccounts();
  g_itemAllocationsLeft = 2;
  EXPECT_EQ(Run(0, 4, 3), 0);
  g_itemAllocationsLeft = -1;
  EXPECT_EQ(m_list.size(), 2u);
  EXPECT_NE(m_sum.rule, nullptr);
  EXPECT_EQ(m_progress.overallSteps, kStepsTo400);
}

TEST_F(UchiwakeSumFailureTest, AmountOverflowLeavesAggregate) {
  AddCompany();
  AddAccount(1110000, u8"現金");
  AddAccount(1120000, u8"巨額");
  AddAccount(1130000, u8"後続");
  Ledger().AddAmount(1, 1120000, 0, 1, 1000000000000000000LL - 1, 0);
  Ledger().AddAmount(1, 1120000, 1, 1, 1, 0);

  try {
    Run(0, 4, 3);
    ADD_FAILURE() << "no overflow error";
  } catch (int e) {
    EXPECT_EQ(e, -1);
  }
  EXPECT_EQ(Codes(), std::vector<std::uint32_t>{1110000});
  EXPECT_NE(m_sum.rule, nullptr);
  EXPECT_EQ(m_progress.overallSteps, kStepsTo400);
}

TEST_F(UchiwakeSumFailureTest, OverflowInARowThatIsNotReportedIsIgnored) {
  AddCompany();
  Ledger().AddAccount(1, {.code = 1110000, .name = Utf8(u8"除外"), .omitA = 1});
  AddAccount(1120000, u8"現金");
  Ledger().AddAmount(1, 1110000, 0, 1, 1000000000000000000LL - 1, 0);
  Ledger().AddAmount(1, 1110000, 1, 1, 1, 0);
  EXPECT_EQ(Run(0, 4, 3), 1);
  EXPECT_EQ(Codes(), std::vector<std::uint32_t>{1120000});
}

TEST_F(UchiwakeSumFailureTest, NoRowsIsASuccess) {
  AddCompany();
  EXPECT_EQ(Run(0, 4, 3), 1);
  EXPECT_TRUE(m_list.empty());
  EXPECT_EQ(m_progress.overallSteps, kStepsTo500);
}

}  // namespace
