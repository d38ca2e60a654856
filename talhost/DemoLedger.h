// The demo ledger of `talhost init --demo`: a small company that looks like
// a real one, fixed data so that a reviewed report stays valid.
//
//   1  D2017A  株式会社タルベ商事     2017/04/01-2018/03/31, half-year
//              closing on, amounts without tax; 46 accounts, 7 of them with
//              sub-accounts (20 in all); movements in every month, opening
//              balances, half-year and year-end closing amounts.
//   2  D2017B  合同会社みなと企画     2017/01/01-2017/12/31, amounts kept
//              including tax; a smaller chart.
//   3  D2016A  株式会社タルベ商事     2016/04/01-2017/03/31, past results
//              data (kind 99), which the program refuses to link.
//
// Users: "demo" (the current user) selects 1, "sato" selects 2.
//
// Rows the program must leave out are there on purpose: 仮払消費税 (omitA),
// 仮受消費税 (omitB), 保険積立金 and 役員借入金 (attribute bits 0x10000000
// and 0x08000000), the income-statement accounts (master kinds 2 and 3), a
// total row (kind 9), and 旧当座預金 and one sub-account of 売掛金 that the
// master no longer lists. Several names are longer than 16 bytes in CP932.
#pragma once

namespace talhost {

class LedgerBuilder;

// The current user of the demo.
constexpr const char* kDemoUserId = "demo";

// Adds the demo's companies, users, accounts and amounts to `ledger` (an
// empty ledger) and makes kDemoUserId the current user in host.ini.
void BuildDemoLedger(LedgerBuilder& ledger);

}  // namespace talhost
