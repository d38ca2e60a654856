// The rows of the account-summing rule, read from the ledger one at a time.
//
// Rows come in account code order, grouped:
//   - an account without sub-accounts: one row (hasSub 0);
//   - an account with sub-accounts: the account row (hasSub 1), one row per
//     sub-account in code order, then a closing row that repeats the
//     account row (same code, name, flags and amounts) with hasSub 0.
// Every entry of the company's accounts is delivered, whatever its flags,
// kind or master listing: choosing rows is the caller's business.
//
// Amounts: each row carries all fifteen slots of the four tables (side one
// and two, without and with tax): slot 0 the opening balance (month code 0),
// 1-12 the month ordinals, 13 the year-end closing (month code 18), 14 the
// half-year closing (month code 15). They are SQL aggregates of the amount
// lines (kamoku_slots, SlotAggregate.h): a sub-account row sums its own
// lines, an account row the lines of the account and of all its
// sub-accounts (the account's total). A sum that overflows 64 bits fails
// the row.
//
// Three statements run side by side in code order, each a single pass over
// an index without sorting: the account entries, the sums per sub-account
// code, and the sums per account. The reader merges them as rows are asked
// for and keeps only the current group's account row, so time grows with
// the ledger and memory does not.
#pragma once

#include <cstdint>
#include <memory>

#include "host/HostRecords.h"
#include "host/HostTypes.h"

namespace talhost {

class Database;
class Statement;

class SummaryRowReader {
 public:
  SummaryRowReader();
  ~SummaryRowReader();
  SummaryRowReader(const SummaryRowReader&) = delete;
  SummaryRowReader& operator=(const SummaryRowReader&) = delete;

  // Prepares the rows of company `dataNo` of `db` and counts them. Returns
  // 0 or kStatusLedgerError.
  TLONG Open(Database& db, TLONG dataNo);
  // Number of rows, closing rows included.
  TULONG Count() const { return m_count; }
  // Goes back to the first row.
  TLONG Rewind();
  // Fills `row` (zeroed first) with the next row: 0, kStatusNoRecord when no
  // row is left (row untouched), or kStatusLedgerError (and so on every
  // later call until Rewind).
  TLONG Next(StKAMOKUSUMINFO* row);
  // Drops the statements (they hold a read on the ledger).
  void Close();

 private:
  struct Entry;
  struct SumCursor;
  TLONG Fetch(Entry* entry);
  TLONG Build(const Entry& entry, bool nextInSameAccount, StKAMOKUSUMINFO* row);

  TULONG m_count = 0;
  std::unique_ptr<Statement> m_pEntries;
  std::unique_ptr<SumCursor> m_pAccountSums;  // per account, for account rows
  std::unique_ptr<SumCursor> m_pCodeSums;     // per sub-account code
  std::unique_ptr<Entry> m_pCurrent;
  std::unique_ptr<Entry> m_pPeek;  // the entry after the current one, once fetched
  bool m_bPeeked = false;
  bool m_bPeekIsEnd = false;
  bool m_bAtEnd = false;  // the last row was read (SQLite would start over)
  bool m_bFailed = false;
  bool m_bInGroup = false;       // an account row with hasSub 1 was delivered
  bool m_bClosePending = false;  // its closing row is next
  std::unique_ptr<StKAMOKUSUMINFO> m_pGroupRow;
};

}  // namespace talhost
