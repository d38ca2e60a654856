// The host's session: the open ledger of the current prefix, shared by every
// host object of the process.
//
// ClTalConnect::Initiate opens it and Release closes it; every ledger
// operation of the sets and the rule fails (returns non-zero) while it is
// closed. Opening checks, in this order, that the prefix folder exists, that
// host.ini exists, that the ledger file it names exists, and that the file
// is a ledger of this schema version; the first thing missing is reported.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "host/HostTypes.h"
#include "talhost/Sqlite.h"

namespace talhost {

// Results of HostSession::Open (also the results of a failed Initiate).
enum OpenStatus : TLONG {
  kOpened = 0,
  kNoPrefix = 1,
  kNoHostIni = 2,
  kNoLedger = 3,
  kBadLedger = 4,
};

// Statuses of host operations, beside 0 for success.
enum HostStatus : TLONG {
  kStatusNoRecord = 5000,      // nothing (more) to deliver
  kStatusNotConnected = 5001,  // the session is closed
  kStatusBadArgument = 5002,   // a null pointer, an unknown cursor, an unsupported value
  kStatusNoData = 5003,        // no current company data, or an unknown data id
  kStatusNotReady = 5004,      // an operation out of order
  kStatusLedgerError = 5005,   // SQLite failed (an overflowing sum included)
};

class HostSession {
 public:
  static HostSession& Get();

  // Opens the ledger of the current prefix read-only. Returns kOpened, or
  // another OpenStatus with `problem` (UTF-8, may be null) saying what is
  // missing or wrong and where. Opening an open session reopens it.
  TLONG Open(std::string* problem);
  // Closes the ledger; harmless when closed.
  void Close();
  bool IsOpen() const { return m_db.IsOpen(); }
  Database& Ledger() { return m_db; }
  // The current user ([host] user of host.ini when the session opened; the
  // user logs in with the connection). "" while closed.
  const std::string& UserId() const { return m_strUser; }

  // A fresh cursor handle, never 0, unique for the process.
  TULONG NewCursor() { return ++m_lastCursor; }

  // The statement for `sql` on the open ledger, prepared on first use and
  // kept until the session closes, reset with its bindings cleared. Check
  // Ok() before use. REQUIRES: nobody else is stepping it.
  Statement& Prepared(const std::string& sql);

  // Changes whenever the ledger is opened or closed, so that an object that
  // prepared statements of its own can tell they belong to a closed ledger.
  unsigned long Generation() const { return m_generation; }

 private:
  HostSession() = default;
  Database m_db;
  std::string m_strUser;
  // Declared after m_db; cleared before it closes.
  std::map<std::string, std::unique_ptr<Statement>> m_statements;
  TULONG m_lastCursor = 0;
  unsigned long m_generation = 0;
};

}  // namespace talhost
