#include "talhost/LedgerSchema.h"

#include <string>

#include "talhost/Sqlite.h"

namespace talhost {
namespace {

constexpr const char* kSchemaSql = R"sql(
CREATE TABLE company (
  data_no INTEGER PRIMARY KEY CHECK (data_no BETWEEN -2147483648 AND 2147483647),
  data_id TEXT NOT NULL UNIQUE CHECK (length(CAST(data_id AS BLOB)) BETWEEN 1 AND 15),
  name TEXT NOT NULL,
  period_start INTEGER NOT NULL,
  period_end INTEGER NOT NULL,
  half_year_closing INTEGER NOT NULL DEFAULT 0
    CHECK (half_year_closing BETWEEN -2147483648 AND 2147483647),
  data_kind INTEGER NOT NULL DEFAULT 0 CHECK (data_kind BETWEEN -32768 AND 32767),
  tax_inclusive INTEGER NOT NULL DEFAULT 0 CHECK (tax_inclusive IN (0, 1)),
  CHECK (period_start <= period_end)
);
CREATE TABLE app_user (
  user_id TEXT PRIMARY KEY CHECK (length(CAST(user_id AS BLOB)) BETWEEN 1 AND 64)
) WITHOUT ROWID;
CREATE TABLE selection (
  user_id TEXT PRIMARY KEY REFERENCES app_user (user_id),
  first_no INTEGER NOT NULL DEFAULT 0,
  data_no INTEGER NOT NULL REFERENCES company (data_no)
) WITHOUT ROWID;
CREATE TABLE account (
  data_no INTEGER NOT NULL REFERENCES company (data_no),
  code INTEGER NOT NULL CHECK (code BETWEEN 0 AND 4294967295),
  name TEXT NOT NULL,
  kind INTEGER NOT NULL DEFAULT 0 CHECK (kind BETWEEN -128 AND 127),
  balance_side INTEGER NOT NULL DEFAULT 1 CHECK (balance_side BETWEEN 0 AND 255),
  omit_a INTEGER NOT NULL DEFAULT 0 CHECK (omit_a BETWEEN 0 AND 255),
  omit_b INTEGER NOT NULL DEFAULT 0 CHECK (omit_b BETWEEN 0 AND 255),
  attr_flags INTEGER NOT NULL DEFAULT 0 CHECK (attr_flags BETWEEN 0 AND 4294967295),
  in_master INTEGER NOT NULL DEFAULT 1 CHECK (in_master IN (0, 1)),
  PRIMARY KEY (data_no, code)
) WITHOUT ROWID;
CREATE TRIGGER account_sub_needs_account BEFORE INSERT ON account
WHEN NEW.code % 10000 <> 0 AND NOT EXISTS (
  SELECT 1 FROM account WHERE data_no = NEW.data_no AND code = NEW.code - NEW.code % 10000)
BEGIN
  SELECT RAISE(ABORT, 'a sub-account needs its account entry first');
END;
CREATE TABLE amount (
  line_id INTEGER PRIMARY KEY,
  data_no INTEGER NOT NULL,
  code INTEGER NOT NULL,
  month_code INTEGER NOT NULL CHECK (month_code BETWEEN 0 AND 12 OR month_code IN (15, 18)),
  side INTEGER NOT NULL CHECK (side IN (1, 2)),
  excl INTEGER NOT NULL,
  incl INTEGER NOT NULL,
  account INTEGER GENERATED ALWAYS AS (code / 10000) VIRTUAL,
  FOREIGN KEY (data_no, code) REFERENCES account (data_no, code)
);
-- Cover the summing rule's two queries, which read the lines of a company
-- in code order and in account order without sorting.
CREATE INDEX amount_by_code ON amount (data_no, code, month_code, side, excl, incl);
CREATE INDEX amount_by_account ON amount (data_no, account, code, month_code, side, excl, incl);
)sql";

}  // namespace

int CreateLedgerSchema(Database& db) {
  // The encoding is fixed before the first table makes the file.
  const std::string sql = std::string("PRAGMA encoding = 'UTF-8';BEGIN;") + kSchemaSql +
                          "PRAGMA user_version = " + std::to_string(kLedgerSchemaVersion) +
                          ";COMMIT;";
  const int rc = db.Exec(sql);
  if (rc != SQLITE_OK) {
    const std::string reason = db.ErrorText();
    db.Exec("ROLLBACK;");
    db.SetErrorText(reason);
  }
  return rc;
}

}  // namespace talhost
