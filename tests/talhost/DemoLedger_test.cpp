// The demo ledger keeps the promises the demo and its reviewed report rely
// on: the companies and selection, amounts in every month and both closing
// periods, both tax variants, and each kind of row the program must drop.
#include "talhost/DemoLedger.h"

#include <gtest/gtest.h>

#include "talhost/LedgerBuilder.h"
#include "talhost/Sqlite.h"
#include "tests/support/TempPrefix.h"

namespace {

// The one integer a query gives.
long long Query(talhost::Database& db, const std::string& sql) {
  talhost::Statement statement(db, sql.c_str());
  EXPECT_TRUE(statement.Ok()) << sql << ": " << db.ErrorText();
  if (!statement.Ok() || statement.Step() != SQLITE_ROW) return -1;
  return statement.Int(0);
}

TEST(DemoLedgerTest, HoldsWhatTheDemoPromises) {
  uwtest::TempPrefix prefix;
  std::string ledgerFile;
  {
    talhost::LedgerBuilder ledger;
    talhost::BuildDemoLedger(ledger);
    ledgerFile = ledger.LedgerFile();
  }
  EXPECT_NE(std::string::npos, prefix.ReadFile("host.ini").find("user=demo"));
  talhost::Database db;
  ASSERT_EQ(SQLITE_OK, db.Open(ledgerFile, SQLITE_OPEN_READONLY));

  struct Check {
    const char* what;
    const char* sql;
    long long expected;
  } checks[] = {
      {"demo selects the April-March company",
       "SELECT period_start * 100000000 + period_end FROM company c JOIN selection s "
       "USING (data_no) WHERE s.user_id = 'demo'",
       2017040120180331},
      {"a calendar-year company kept with tax",
       "SELECT COUNT(*) FROM company WHERE period_start = 20170101 AND period_end = 20171231 "
       "AND tax_inclusive = 1",
       1},
      {"past results data", "SELECT COUNT(*) FROM company WHERE data_kind = 99", 1},
      {"some forty accounts", "SELECT COUNT(*) FROM account WHERE data_no = 1 AND code % 10000 = 0",
       46},
      {"accounts with sub-accounts",
       "SELECT COUNT(DISTINCT code / 10000) FROM account WHERE data_no = 1 AND code % 10000 <> 0",
       7},
      {"movements in every month",
       "SELECT COUNT(DISTINCT month_code) FROM amount WHERE data_no = 1 AND month_code BETWEEN 1 "
       "AND 12",
       12},
      {"half-year closing amounts", "SELECT COUNT(*) > 0 FROM amount WHERE month_code = 15", 1},
      {"year-end closing amounts", "SELECT COUNT(*) > 0 FROM amount WHERE month_code = 18", 1},
      {"tax variants differ", "SELECT COUNT(*) > 0 FROM amount WHERE data_no = 1 AND excl <> incl",
       1},
      {"omitA", "SELECT COUNT(*) FROM account WHERE data_no = 1 AND omit_a <> 0", 1},
      {"omitB", "SELECT COUNT(*) FROM account WHERE data_no = 1 AND omit_b <> 0", 1},
      {"attribute bits",
       "SELECT COUNT(*) FROM account WHERE data_no = 1 AND (attr_flags & 402653184) <> 0", 2},
      {"kinds other than 0 and 1",
       "SELECT COUNT(*) > 3 FROM account WHERE data_no = 1 AND kind NOT IN (0, 1)", 1},
      {"codes missing from the master",
       "SELECT COUNT(*) FROM account WHERE data_no = 1 AND in_master = 0", 2},
      {"names longer than 16 bytes",
       "SELECT COUNT(*) > 2 FROM account WHERE data_no = 1 AND length(CAST(name AS BLOB)) > 24", 1},
      {"a fraction of a unit", "SELECT COUNT(*) FROM amount WHERE excl % 10000 <> 0", 1},
  };
  for (const Check& c : checks) EXPECT_EQ(c.expected, Query(db, c.sql)) << c.what;
}

}  // namespace
