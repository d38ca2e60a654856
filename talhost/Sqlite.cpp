#include "talhost/Sqlite.h"

namespace talhost {

int Database::Open(const std::string& path, int flags) {
  Close();
  m_strError.clear();
  const int rc = sqlite3_open_v2(path.c_str(), &m_pDb, flags, nullptr);
  if (rc != SQLITE_OK) {
    m_strError = m_pDb != nullptr ? sqlite3_errmsg(m_pDb) : sqlite3_errstr(rc);
    Close();
    return rc;
  }
  // A ledger opened by the host and one written by a builder or the command
  // may meet; waiting a little beats failing on a passing lock.
  sqlite3_busy_timeout(m_pDb, 5000);
  sqlite3_extended_result_codes(m_pDb, 0);
  return SQLITE_OK;
}

void Database::Close() {
  if (m_pDb != nullptr) {
    sqlite3_close_v2(m_pDb);
    m_pDb = nullptr;
  }
}

int Database::Exec(const std::string& sql) {
  if (m_pDb == nullptr) {
    m_strError = "no database is open";
    return SQLITE_MISUSE;
  }
  char* message = nullptr;
  const int rc = sqlite3_exec(m_pDb, sql.c_str(), nullptr, nullptr, &message);
  if (rc != SQLITE_OK) m_strError = message != nullptr ? message : sqlite3_errstr(rc);
  sqlite3_free(message);
  return rc;
}

Statement::Statement(Database& db, const char* sql) : m_db(db) {
  if (db.Handle() == nullptr) {
    db.SetErrorText("no database is open");
    return;
  }
  if (sqlite3_prepare_v2(db.Handle(), sql, -1, &m_pStmt, nullptr) != SQLITE_OK) {
    db.SetErrorText(sqlite3_errmsg(db.Handle()));
    sqlite3_finalize(m_pStmt);
    m_pStmt = nullptr;
  }
}

Statement::~Statement() { sqlite3_finalize(m_pStmt); }

int Statement::Bind(int index, std::int64_t value) {
  if (m_pStmt == nullptr) return SQLITE_MISUSE;
  return sqlite3_bind_int64(m_pStmt, index, value);
}

int Statement::Bind(int index, const std::string& text) {
  if (m_pStmt == nullptr) return SQLITE_MISUSE;
  return sqlite3_bind_text(m_pStmt, index, text.data(), static_cast<int>(text.size()),
                           SQLITE_TRANSIENT);
}

int Statement::Step() {
  if (m_pStmt == nullptr) return SQLITE_MISUSE;
  const int rc = sqlite3_step(m_pStmt);
  if (rc != SQLITE_ROW && rc != SQLITE_DONE) m_db.SetErrorText(sqlite3_errmsg(m_db.Handle()));
  return rc;
}

void Statement::Reset() {
  if (m_pStmt != nullptr) sqlite3_reset(m_pStmt);
}

void Statement::ClearBindings() {
  if (m_pStmt != nullptr) sqlite3_clear_bindings(m_pStmt);
}

std::int64_t Statement::Int(int column) const { return sqlite3_column_int64(m_pStmt, column); }

std::string Statement::Text(int column) const {
  const unsigned char* text = sqlite3_column_text(m_pStmt, column);
  if (text == nullptr) return std::string();
  return std::string(reinterpret_cast<const char*>(text),
                     static_cast<std::size_t>(sqlite3_column_bytes(m_pStmt, column)));
}

bool Statement::IsNull(int column) const {
  return sqlite3_column_type(m_pStmt, column) == SQLITE_NULL;
}

}  // namespace talhost
