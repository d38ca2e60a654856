// Small RAII wrappers over the SQLite C API, shared by the host library, the
// ledger builder and the talhost command.
//
// Nothing here throws: every call returns the SQLite result code, and
// ErrorText() tells why the last call on a database failed. Statements are
// prepared once and reset between uses; columns are read by index.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <string>

namespace talhost {

class Database {
 public:
  Database() = default;
  ~Database() { Close(); }
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;

  // Opens `path` with the SQLITE_OPEN_* `flags`. Returns SQLITE_OK, or the
  // error code with the handle closed again (ErrorText() keeps the reason).
  int Open(const std::string& path, int flags);
  // Closes the handle; harmless when none is open.
  void Close();
  bool IsOpen() const { return m_pDb != nullptr; }
  sqlite3* Handle() const { return m_pDb; }

  // Runs one or more statements without results. Returns the SQLite code.
  int Exec(const std::string& sql);
  // Text of the last failure on this database ("" when none).
  const std::string& ErrorText() const { return m_strError; }
  // Records the reason of a failure found outside SQLite.
  void SetErrorText(std::string text) { m_strError = std::move(text); }

 private:
  sqlite3* m_pDb = nullptr;
  std::string m_strError;
};

class Statement {
 public:
  // Prepares `sql` on `db`. Ok() tells whether it worked; on failure the
  // database's ErrorText() says why.
  Statement(Database& db, const char* sql);
  ~Statement();
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  bool Ok() const { return m_pStmt != nullptr; }

  // Binds parameter `index` (1-based). Return the SQLite code.
  int Bind(int index, std::int64_t value);
  int Bind(int index, const std::string& text);

  // SQLITE_ROW while a row is available, SQLITE_DONE at the end, else an
  // error code (also recorded in the database's ErrorText()).
  int Step();
  // Makes the statement ready to run again; bindings stay.
  void Reset();
  // Sets every parameter back to NULL.
  void ClearBindings();

  std::int64_t Int(int column) const;
  std::string Text(int column) const;
  bool IsNull(int column) const;
  // The SQLite statement, for column types the wrappers do not cover.
  sqlite3_stmt* Raw() const { return m_pStmt; }

 private:
  Database& m_db;
  sqlite3_stmt* m_pStmt = nullptr;
};

// Resets a statement when the scope ends, so that no read stays open on the
// ledger between calls (an open read would block a writer).
class ScopedReset {
 public:
  explicit ScopedReset(Statement& statement) : m_statement(statement) {}
  ~ScopedReset() { m_statement.Reset(); }
  ScopedReset(const ScopedReset&) = delete;
  ScopedReset& operator=(const ScopedReset&) = delete;

 private:
  Statement& m_statement;
};

}  // namespace talhost
