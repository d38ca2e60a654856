// Building a host prefix for tests, benchmarks and `talhost init`: host.ini
// and a fresh ledger.db in the prefix that UCHIWAKE_PREFIX names now.
//
// Part of the TalHost library. Typical use in a test (with a TempPrefix):
//
//   talhost::LedgerBuilder ledger;                  // host.ini + empty ledger
//   ledger.AddCompany({.dataNo = 1, .dataId = "D0001", .name = "株式会社見本"});
//   ledger.SelectCompany(talhost::kDefaultUserId, 1);  // the current user's choice
//   ledger.AddAccount(1, {.code = 1110000, .name = "現金"});
//   ledger.AddAmount(1, 1110000, /*monthCode=*/0, /*side=*/1, 1000000, 1000000);
//   ledger.SetHost("folder0", "C:\\Tal\\Out\\");
//   ledger.SetFault("move_next_error", "9");
//   ClTalConnect::Inst()->Initiate();                 // the host reads it all
//
// Every call writes through at once (the ledger is complete after each
// call), unless a batch is open: BeginBatch() ... CommitBatch() writes many
// lines in one transaction, which is what a benchmark wants.
//
// Errors throw std::runtime_error saying what was refused: a duplicate code,
// a sub-account before its account, an amount for a code the company does
// not have, a name too long for the host's record in CP932 (company names
// 259 bytes, account names 56 bytes), a month code other than 0-12, 15, 18.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "host/HostTypes.h"
#include "talhost/HostPaths.h"
#include "talhost/Sqlite.h"

namespace talhost {

// One company data entry (the fields of StDATAINFO the host fills, and the
// consumption-tax setting).
struct CompanySpec {
  TLONG dataNo = 1;
  std::string dataId{};          // 1-15 bytes; "" gives "D" + dataNo (e.g. "D0001")
  std::string name{};            // UTF-8
  TLONG periodStart = 20170401;  // yyyymmdd
  TLONG periodEnd = 20180331;    // yyyymmdd
  TLONG halfYearClosing = 0;     // 1 = half-year closing
  std::int16_t dataKind = 0;     // 99 = past results data
  bool taxInclusive = false;     // StSHOHIZEIINFO::inclusiveFlag
};

// One account or sub-account entry.
struct AccountSpec {
  TULONG code = 0;               // account * 10000 + sub-account
  std::string name{};            // UTF-8
  std::int8_t kind = 0;          // master kind (StKAMOKUINFO::kind)
  std::uint8_t balanceSide = 1;  // 1: side one minus side two
  std::uint8_t omitA = 0;
  std::uint8_t omitB = 0;
  TULONG attrFlags = 0;
  bool inMaster = true;  // false: rows delivered, master lookup finds nothing
};

class LedgerBuilder {
 public:
  // Makes the prefix folder when missing, writes host.ini when missing
  // (ledger=ledger.db, user=user1) and creates an empty <prefix>/ledger.db,
  // replacing any ledger already there.
  LedgerBuilder();
  // Commits an open batch.
  ~LedgerBuilder();
  LedgerBuilder(const LedgerBuilder&) = delete;
  LedgerBuilder& operator=(const LedgerBuilder&) = delete;

  void AddCompany(const CompanySpec& company);
  // Adds the user when new and makes `dataNo` its selection (second
  // selection number; the first is `firstNo`).
  void SelectCompany(const std::string& userId, TLONG dataNo, TLONG firstNo = 0);
  void AddUser(const std::string& userId);
  // Adds an account (code divisible by 10000) or a sub-account (its
  // account must be added first) to company `dataNo`.
  void AddAccount(TLONG dataNo, const AccountSpec& account);
  // Adds one amount line. monthCode: 0 opening balance, 1-12 month ordinal,
  // 15 half-year closing, 18 year-end closing. side: 1 or 2. Amounts are
  // raw ten-thousandths of a unit.
  void AddAmount(TLONG dataNo, TULONG code, int monthCode, int side, std::int64_t excl,
                 std::int64_t incl);

  // Sets [host] `key` (ledger, user, folder0, folder1, package, expsyslink)
  // or [faults] `key` (see docs/talhost.md) in host.ini.
  void SetHost(const std::string& key, const std::string& value);
  void SetFault(const std::string& key, const std::string& value);

  void BeginBatch();
  void CommitBatch();

  // Runs raw SQL on the ledger, for fixtures the calls above refuse to make.
  void Exec(const std::string& sql);

  // POSIX path of the ledger file.
  const std::string& LedgerFile() const { return m_strLedger; }

 private:
  void Fail(const std::string& what) const;
  void Run(Statement& statement, const std::string& what);

  std::string m_strLedger;
  Database m_db;
  std::unique_ptr<Statement> m_pInsertAmount;  // declared after m_db: finalized first
  bool m_bBatch = false;
};

}  // namespace talhost
