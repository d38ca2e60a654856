#include "talhost/DemoLedger.h"

#include <cstdint>

#include "talhost/LedgerBuilder.h"

namespace talhost {
namespace {

constexpr std::int64_t kRawPerYen = 10000;

// One entry of a demo chart. Amounts are whole yen on the balance side:
// an opening balance, a typical monthly movement (the formula below spreads
// it over the twelve months and puts a smaller movement on the other side),
// and the half-year and year-end closing entries.
struct DemoAccount {
  std::uint32_t code;
  const char* name;
  std::int8_t kind;  // 0, 1 balance sheet; 2 revenue; 3 expense; 9 total row
  std::uint8_t side;
  std::int64_t opening;
  std::int64_t monthly;
  bool taxable;  // dealings with consumption tax: the amounts with tax are 10% higher
  std::int64_t halfYear = 0;
  std::int64_t yearEnd = 0;
  std::uint8_t omitA = 0;
  std::uint8_t omitB = 0;
  std::uint32_t attr = 0;
  bool inMaster = true;
};

constexpr std::uint8_t D = 1;  // balance grows on side one
constexpr std::uint8_t C = 2;  // balance grows on side two

// Company 1: an April-March trading company.
const DemoAccount kTalbeChart[] = {
    {1110000, "現金", 0, D, 352000, 180000, false},
    {1120000, "小口現金", 0, D, 50000, 30000, false},
    {1130000, "当座預金", 0, D, 0, 0, false},
    {1130001, "みなと銀行 本店", 0, D, 4200000, 2500000, false},
    {1130002, "さくら信用金庫 駅前支店", 0, D, 1800000, 900000, false},
    {1140000, "普通預金", 0, D, 0, 0, false},
    {1140001, "みなと銀行 本店", 0, D, 2600000, 1200000, false},
    {1140002, "ゆうちょ銀行", 0, D, 480000, 150000, false},
    {1140003, "さくら信用金庫 駅前支店", 0, D, 920000, 400000, false},
    {1150000, "定期預金", 0, D, 5000000, 0, false},
    {1190000, "旧当座預金（解約済）", 0, D, 120000, 0, false, 0, 0, 0, 0, 0, false},
    {1210000, "受取手形", 0, D, 650000, 300000, true},
    {1220000, "売掛金", 0, D, 0, 0, true},
    {1220001, "株式会社青葉商店", 0, D, 1320000, 880000, true},
    {1220002, "有限会社北斗電機", 0, D, 760000, 540000, true},
    {1220003, "合同会社みどり食品サービス", 0, D, 410000, 260000, true},
    {1220004, "旧得意先 丸一商会", 0, D, 55000, 0, true, 0, 0, 0, 0, 0, false},
    {1220009, "その他", 0, D, 120000, 90000, true},
    {1310000, "商品", 0, D, 1850000, 600000, false},
    {1320000, "貯蔵品", 0, D, 42000, 15000, false},
    {1410000, "前払費用", 0, D, 180000, 0, false, 30000, 60000},
    {1420000, "仮払金", 0, D, 0, 50000, false},
    {1430000, "仮払消費税", 0, D, 0, 210000, false, 0, 0, 1, 0, 0},
    {1510000, "建物", 0, D, 8600000, 0, false},
    {1520000, "車両運搬具", 0, D, 2400000, 0, false},
    {1530000, "工具器具備品", 0, D, 730000, 40000, true},
    {1540000, "減価償却累計額", 1, C, 3900000, 0, false, 420000, 420000},
    {1610000, "敷金", 0, D, 600000, 0, false},
    {1620000, "保険積立金", 0, D, 960000, 20000, false, 0, 0, 0, 0, 0x10000000},
    {2110000, "支払手形", 0, C, 540000, 250000, true},
    {2120000, "買掛金", 0, C, 0, 0, true},
    {2120001, "株式会社山田製作所", 0, C, 980000, 620000, true},
    {2120002, "東洋紙業株式会社", 0, C, 430000, 280000, true},
    {2120009, "その他", 0, C, 85000, 60000, true},
    {2130000, "短期借入金", 0, C, 0, 0, false},
    {2130001, "みなと銀行 本店", 0, C, 3000000, 250000, false},
    {2130002, "代表者 田中一郎", 0, C, 800000, 0, false},
    {2140000, "未払金", 0, C, 310000, 220000, true},
    {2150000, "未払費用", 0, C, 260000, 0, false, 45000, 45000},
    {2160000, "未払法人税等", 0, C, 420000, 0, false, 0, 380000},
    {2170000, "未払消費税等", 0, C, 350000, 0, false, 160000, 190000},
    {2180000, "前受金", 0, C, 120000, 80000, true},
    {2190000, "預り金", 0, C, 0, 0, false},
    {2190001, "源泉所得税", 0, C, 48000, 52000, false},
    {2190002, "住民税", 0, C, 36000, 36000, false},
    {2190003, "社会保険料", 0, C, 95000, 98000, false},
    {2200000, "仮受消費税", 0, C, 0, 380000, false, 0, 0, 0, 1, 0},
    {2210000, "役員借入金", 0, C, 1500000, 0, false, 0, 0, 0, 0, 0x08000000},
    {2310000, "長期借入金", 0, C, 0, 0, false},
    {2310001, "日本政策金融公庫 国民生活事業", 0, C, 6000000, 100000, false},
    {2310002, "みなと銀行 本店", 0, C, 4500000, 125000, false},
    {3110000, "資本金", 0, C, 10000000, 0, false},
    {3210000, "繰越利益剰余金", 0, C, 4380000, 0, false},
    {4110000, "売上高", 2, C, 0, 3800000, true},
    {5110000, "仕入高", 3, D, 0, 2100000, true},
    {6110000, "給料手当", 3, D, 0, 850000, false},
    {6120000, "法定福利費", 3, D, 0, 120000, false},
    {6130000, "地代家賃", 3, D, 0, 180000, true},
    {6140000, "水道光熱費", 3, D, 0, 45000, true},
    {6150000, "旅費交通費", 3, D, 0, 62000, true},
    {6160000, "通信費", 3, D, 0, 38000, true},
    {6170000, "減価償却費", 3, D, 0, 0, false, 420000, 420000},
    {6180000, "支払手数料", 3, D, 0, 12000, true},
    {7110000, "受取利息", 2, C, 0, 300, false},
    {7210000, "支払利息", 3, D, 0, 28000, false},
    {9990000, "資産合計", 9, D, 0, 0, false},
};

// Company 2: a calendar-year planning office that keeps amounts with tax.
const DemoAccount kMinatoChart[] = {
    {1110000, "現金", 0, D, 120000, 90000, false},
    {1140000, "普通預金", 0, D, 0, 0, false},
    {1140001, "みなと銀行 港北支店", 0, D, 1500000, 700000, false},
    {1140002, "ゆうちょ銀行", 0, D, 300000, 80000, false},
    {1220000, "売掛金", 0, D, 540000, 420000, true},
    {1530000, "工具器具備品", 0, D, 380000, 0, true},
    {2120000, "買掛金", 0, C, 260000, 190000, true},
    {2140000, "未払金", 0, C, 88000, 70000, true},
    {2160000, "未払法人税等", 0, C, 0, 0, false, 0, 150000},
    {2190000, "預り金", 0, C, 22000, 24000, false},
    {3110000, "資本金", 0, C, 3000000, 0, false},
    {3210000, "繰越利益剰余金", 0, C, 820000, 0, false},
    {4110000, "売上高", 2, C, 0, 1100000, true},
    {6110000, "給料手当", 3, D, 0, 400000, false},
    {6130000, "地代家賃", 3, D, 0, 110000, true},
};

// Company 3: the previous year of company 1, kept as past results.
const DemoAccount kTalbePastChart[] = {
    {1110000, "現金", 0, D, 300000, 100000, false},
    {3110000, "資本金", 0, C, 10000000, 0, false},
};

std::int64_t RoundToHundred(std::int64_t yen) { return (yen + 50) / 100 * 100; }

// Adds one line of `yen` on `side` (nothing for 0).
void AddLine(LedgerBuilder& ledger, TLONG dataNo, const DemoAccount& account, int monthCode,
             int side, std::int64_t yen) {
  if (yen == 0) return;
  const std::int64_t excl = yen * kRawPerYen;
  const std::int64_t incl = account.taxable ? excl / 10 * 11 : excl;
  ledger.AddAmount(dataNo, account.code, monthCode, side, excl, incl);
}

template <std::size_t N>
void AddChart(LedgerBuilder& ledger, TLONG dataNo, const DemoAccount (&chart)[N]) {
  int leaf = 0;
  for (const DemoAccount& a : chart) {
    AccountSpec entry;
    entry.code = a.code;
    entry.name = a.name;
    entry.kind = a.kind;
    entry.balanceSide = a.side;
    entry.omitA = a.omitA;
    entry.omitB = a.omitB;
    entry.attrFlags = a.attr;
    entry.inMaster = a.inMaster;
    ledger.AddAccount(dataNo, entry);

    const int other = a.side == D ? C : D;
    AddLine(ledger, dataNo, a, 0, a.side, a.opening);
    if (a.monthly != 0) {
      const bool incomeStatement = a.kind == 2 || a.kind == 3;
      for (int month = 1; month <= 12; ++month) {
        // Fixed patterns, different per account and month, no randomness.
        const std::int64_t up = RoundToHundred(a.monthly * (7 + (leaf * 5 + month * 3) % 7) / 10);
        const std::int64_t down =
            incomeStatement ? (month % 4 == 0 ? RoundToHundred(a.monthly / 20) : 0)
                            : RoundToHundred(a.monthly * (6 + (leaf * 3 + month * 5) % 6) / 10);
        AddLine(ledger, dataNo, a, month, a.side, up);
        AddLine(ledger, dataNo, a, month, other, down);
      }
    }
    AddLine(ledger, dataNo, a, 15, a.side, a.halfYear);
    AddLine(ledger, dataNo, a, 18, a.side, a.yearEnd);
    ++leaf;
  }
}

}  // namespace

void BuildDemoLedger(LedgerBuilder& ledger) {
  ledger.BeginBatch();
  ledger.AddCompany({.dataNo = 1,
                     .dataId = "D2017A",
                     .name = "株式会社タルベ商事",
                     .periodStart = 20170401,
                     .periodEnd = 20180331,
                     .halfYearClosing = 1,
                     .taxInclusive = false});
  ledger.AddCompany({.dataNo = 2,
                     .dataId = "D2017B",
                     .name = "合同会社みなと企画",
                     .periodStart = 20170101,
                     .periodEnd = 20171231,
                     .halfYearClosing = 0,
                     .taxInclusive = true});
  ledger.AddCompany({.dataNo = 3,
                     .dataId = "D2016A",
                     .name = "株式会社タルベ商事",
                     .periodStart = 20160401,
                     .periodEnd = 20170331,
                     .halfYearClosing = 1,
                     .dataKind = 99});
  AddChart(ledger, 1, kTalbeChart);
  AddChart(ledger, 2, kMinatoChart);
  AddChart(ledger, 3, kTalbePastChart);

  // Lines of an account that has sub-accounts, posted to the account
  // itself; its row's amounts include them.
  ledger.AddAmount(1, 2190000, 4, 2, 10000 * kRawPerYen, 10000 * kRawPerYen);
  // Interest of 12.3456 yen: amounts are kept in ten-thousandths.
  ledger.AddAmount(1, 1140002, 9, 1, 123456, 123456);

  ledger.SelectCompany(kDemoUserId, 1, 1);
  ledger.SelectCompany("sato", 2, 1);
  ledger.CommitBatch();
  ledger.SetHost("user", kDemoUserId);
}

}  // namespace talhost
