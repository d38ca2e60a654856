#include "talhost/HostSession.h"

#include <filesystem>

#include "platform/win/prefix.h"
#include "talhost/HostPaths.h"
#include "talhost/LedgerSchema.h"

namespace talhost {
namespace {

void Say(std::string* problem, const std::string& text) {
  if (problem != nullptr) *problem = text;
}

// Whether every table the host reads is there and readable.
bool TablesReadable(Database& db) {
  static const char* const kProbes[] = {
      "SELECT data_no, data_id, name, period_start, period_end, half_year_closing, data_kind, "
      "tax_inclusive FROM company LIMIT 1",
      "SELECT user_id, first_no, data_no FROM selection LIMIT 1",
      "SELECT data_no, code, name, kind, balance_side, omit_a, omit_b, attr_flags, in_master "
      "FROM account LIMIT 1",
      "SELECT data_no, code, month_code, side, excl, incl FROM amount LIMIT 1",
  };
  for (const char* sql : kProbes) {
    Statement probe(db, sql);
    if (!probe.Ok()) return false;
    const int rc = probe.Step();
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) return false;
  }
  return true;
}

}  // namespace

HostSession& HostSession::Get() {
  // Never destroyed: host objects may be used from static destructors.
  static HostSession* session = new HostSession;
  return *session;
}

TLONG HostSession::Open(std::string* problem) {
  namespace fs = std::filesystem;
  Close();
  std::error_code ec;
  const std::string prefix = uw::GetPrefixFolder();
  if (!fs::is_directory(prefix, ec)) {
    Say(problem,
        "ホストの設定フォルダがありません。\n" + prefix + "\n\ntalhost init で作成してください。");
    return kNoPrefix;
  }
  const std::string hostIni = HostIniPath();
  if (!fs::is_regular_file(hostIni, ec)) {
    Say(problem,
        "ホストの設定ファイルがありません。\n" + hostIni + "\n\ntalhost init で作成してください。");
    return kNoHostIni;
  }
  const std::string ledger = LedgerPath(ReadHostSetting("ledger"));
  if (!fs::is_regular_file(ledger, ec)) {
    Say(problem,
        "台帳データベースがありません。\n" + ledger + "\n\ntalhost init で作成してください。");
    return kNoLedger;
  }
  ++m_generation;
  if (m_db.Open(ledger, SQLITE_OPEN_READONLY) != SQLITE_OK) {
    Say(problem, "台帳データベースを開けません。\n" + ledger + "\n(" + m_db.ErrorText() + ")");
    return kBadLedger;
  }
  Statement version(m_db, "PRAGMA user_version");
  const int rc = version.Ok() ? version.Step() : SQLITE_ERROR;
  if (rc != SQLITE_ROW) {
    const std::string reason = m_db.ErrorText();
    Close();
    Say(problem, "台帳データベースが壊れています。\n" + ledger + "\n(" + reason + ")");
    return kBadLedger;
  }
  if (version.Int(0) != kLedgerSchemaVersion) {
    const std::string found = std::to_string(version.Int(0));
    Close();
    Say(problem, "台帳データベースの形式が違います。\n" + ledger + "\n(version " + found +
                     ", expected " + std::to_string(kLedgerSchemaVersion) + ")");
    return kBadLedger;
  }
  if (!TablesReadable(m_db)) {
    const std::string reason = m_db.ErrorText();
    Close();
    Say(problem, "台帳データベースが壊れています。\n" + ledger + "\n(" + reason + ")");
    return kBadLedger;
  }
  m_strUser = ReadHostSetting("user");
  return kOpened;
}

void HostSession::Close() {
  m_statements.clear();
  m_strUser.clear();
  if (m_db.IsOpen()) ++m_generation;
  m_db.Close();
}

Statement& HostSession::Prepared(const std::string& sql) {
  std::unique_ptr<Statement>& statement = m_statements[sql];
  if (statement == nullptr) {
    statement = std::make_unique<Statement>(m_db, sql.c_str());
  } else {
    statement->Reset();
    statement->ClearBindings();
  }
  return *statement;
}

}  // namespace talhost
