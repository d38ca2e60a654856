#include "talhost/LedgerBuilder.h"

#include <cstdio>
#include <filesystem>
#include <stdexcept>

#include "platform/win/prefix.h"
#include "platform/win/text_convert.h"
#include "talhost/IniWriter.h"
#include "talhost/LedgerSchema.h"

namespace talhost {
namespace {

constexpr std::size_t kCompanyNameBytes = 259;  // StDATAINFO::companyName less the NUL
constexpr std::size_t kAccountNameBytes = 56;   // StKAMOKUSUMINFO::name less the NUL

void CheckFits(const std::string& utf8, std::size_t maxBytes, const std::string& what) {
  const std::size_t bytes = uw::Utf8ToCp932(utf8).size();
  if (bytes > maxBytes) {
    throw std::runtime_error(what + " \"" + utf8 + "\" takes " + std::to_string(bytes) +
                             " bytes in CP932; the host's record holds " +
                             std::to_string(maxBytes));
  }
}

}  // namespace

LedgerBuilder::LedgerBuilder() {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::create_directories(uw::GetPrefixFolder(), ec);
  if (!fs::exists(HostIniPath())) {
    std::string error;
    if (!WriteFileAtomically(HostIniPath(), DefaultHostIni(), &error)) {
      throw std::runtime_error("ledger builder: " + error);
    }
  }
  m_strLedger = LedgerPath(kDefaultLedgerFile);
  fs::remove(m_strLedger, ec);
  fs::remove(m_strLedger + "-journal", ec);
  if (m_db.Open(m_strLedger, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE) != SQLITE_OK) {
    Fail("cannot create " + m_strLedger);
  }
  if (CreateLedgerSchema(m_db) != SQLITE_OK) Fail("cannot create the ledger's tables");
  if (m_db.Exec("PRAGMA foreign_keys = ON;") != SQLITE_OK) Fail("cannot enable foreign keys");
}

LedgerBuilder::~LedgerBuilder() {
  m_pInsertAmount.reset();
  if (m_bBatch) m_db.Exec("COMMIT;");
}

void LedgerBuilder::Fail(const std::string& what) const {
  throw std::runtime_error("ledger builder: " + what + ": " + m_db.ErrorText());
}

void LedgerBuilder::Run(Statement& statement, const std::string& what) {
  if (!statement.Ok()) Fail(what);
  if (statement.Step() != SQLITE_DONE) Fail(what);
}

void LedgerBuilder::AddCompany(const CompanySpec& company) {
  CheckFits(company.name, kCompanyNameBytes, "company name");
  std::string dataId = company.dataId;
  if (dataId.empty()) {
    char text[16];
    std::snprintf(text, sizeof(text), "D%04d", static_cast<int>(company.dataNo));
    dataId = text;
  }
  Statement insert(m_db,
                   "INSERT INTO company (data_no, data_id, name, period_start, period_end, "
                   "half_year_closing, data_kind, tax_inclusive) VALUES (?,?,?,?,?,?,?,?)");
  insert.Bind(1, company.dataNo);
  insert.Bind(2, dataId);
  insert.Bind(3, company.name);
  insert.Bind(4, company.periodStart);
  insert.Bind(5, company.periodEnd);
  insert.Bind(6, company.halfYearClosing);
  insert.Bind(7, company.dataKind);
  insert.Bind(8, company.taxInclusive ? 1 : 0);
  Run(insert, "cannot add company " + std::to_string(company.dataNo));
}

void LedgerBuilder::AddUser(const std::string& userId) {
  Statement insert(m_db, "INSERT OR IGNORE INTO app_user (user_id) VALUES (?)");
  insert.Bind(1, userId);
  Run(insert, "cannot add user " + userId);
}

void LedgerBuilder::SelectCompany(const std::string& userId, TLONG dataNo, TLONG firstNo) {
  AddUser(userId);
  Statement upsert(m_db,
                   "INSERT INTO selection (user_id, first_no, data_no) VALUES (?,?,?) "
                   "ON CONFLICT (user_id) DO UPDATE SET first_no = excluded.first_no, "
                   "data_no = excluded.data_no");
  upsert.Bind(1, userId);
  upsert.Bind(2, firstNo);
  upsert.Bind(3, dataNo);
  Run(upsert, "cannot select company " + std::to_string(dataNo) + " for " + userId);
}

void LedgerBuilder::AddAccount(TLONG dataNo, const AccountSpec& account) {
  CheckFits(account.name, kAccountNameBytes, "account name");
  Statement insert(m_db,
                   "INSERT INTO account (data_no, code, name, kind, balance_side, omit_a, "
                   "omit_b, attr_flags, in_master) VALUES (?,?,?,?,?,?,?,?,?)");
  insert.Bind(1, dataNo);
  insert.Bind(2, static_cast<std::int64_t>(account.code));
  insert.Bind(3, account.name);
  insert.Bind(4, account.kind);
  insert.Bind(5, account.balanceSide);
  insert.Bind(6, account.omitA);
  insert.Bind(7, account.omitB);
  insert.Bind(8, static_cast<std::int64_t>(account.attrFlags));
  insert.Bind(9, account.inMaster ? 1 : 0);
  Run(insert, "cannot add account " + std::to_string(account.code) + " to company " +
                  std::to_string(dataNo));
}

void LedgerBuilder::AddAmount(TLONG dataNo, TULONG code, int monthCode, int side, std::int64_t excl,
                              std::int64_t incl) {
  // Prepared once: a benchmark adds millions of lines.
  if (m_pInsertAmount == nullptr) {
    m_pInsertAmount = std::make_unique<Statement>(
        m_db,
        "INSERT INTO amount (data_no, code, month_code, side, excl, incl) VALUES (?,?,?,?,?,?)");
  }
  Statement& insert = *m_pInsertAmount;
  insert.Reset();
  insert.Bind(1, dataNo);
  insert.Bind(2, static_cast<std::int64_t>(code));
  insert.Bind(3, monthCode);
  insert.Bind(4, side);
  insert.Bind(5, excl);
  insert.Bind(6, incl);
  Run(insert, "cannot add an amount line for code " + std::to_string(code) + " month " +
                  std::to_string(monthCode) + " side " + std::to_string(side));
}

void LedgerBuilder::SetHost(const std::string& key, const std::string& value) {
  std::string error;
  if (!SetIniValue(HostIniPath(), "host", key, value, &error)) {
    throw std::runtime_error("ledger builder: " + error);
  }
}

void LedgerBuilder::SetFault(const std::string& key, const std::string& value) {
  std::string error;
  if (!SetIniValue(HostIniPath(), "faults", key, value, &error)) {
    throw std::runtime_error("ledger builder: " + error);
  }
}

void LedgerBuilder::BeginBatch() {
  if (m_bBatch) return;
  if (m_db.Exec("BEGIN;") != SQLITE_OK) Fail("cannot begin a batch");
  m_bBatch = true;
}

void LedgerBuilder::CommitBatch() {
  if (!m_bBatch) return;
  m_bBatch = false;
  if (m_db.Exec("COMMIT;") != SQLITE_OK) Fail("cannot commit the batch");
}

void LedgerBuilder::Exec(const std::string& sql) {
  if (m_db.Exec(sql) != SQLITE_OK) Fail("cannot run SQL");
}

}  // namespace talhost
