#include "talhost/SummaryRows.h"

#include <cstring>
#include <string>

#include "talhost/HostSession.h"
#include "talhost/HostText.h"
#include "talhost/SlotAggregate.h"
#include "talhost/Sqlite.h"

namespace talhost {

namespace {
constexpr std::uint32_t kSubRange = 10000;
std::uint32_t AccountOf(std::uint32_t code) { return code / kSubRange; }
}  // namespace

struct SummaryRowReader::Entry {
  std::uint32_t code = 0;
  std::string name;
  std::uint8_t balanceSide = 0;
  std::uint8_t omitA = 0;
  std::uint8_t omitB = 0;
  std::uint32_t attrFlags = 0;
};

// A statement of (key, kamoku_slots blob) in ascending key order, read
// forward as keys are asked for.
struct SummaryRowReader::SumCursor {
  SumCursor(Database& db, const char* sql, TLONG dataNo) : statement(db, sql) {
    statement.Bind(1, dataNo);
  }
  void Rewind() {
    statement.Reset();
    started = false;
    atEnd = false;
  }
  // Copies the sums of `key` into the four tables of `row` (they stay zero
  // when the key has no lines). 0 or kStatusLedgerError.
  TLONG SumsOf(long long key, StKAMOKUSUMINFO* row) {
    if (!started) {
      started = true;
      if (const TLONG rc = Advance(); rc != 0) return rc;
    }
    while (!atEnd && currentKey < key) {
      if (const TLONG rc = Advance(); rc != 0) return rc;
    }
    if (!atEnd && currentKey == key) {
      std::memcpy(reinterpret_cast<char*>(row) + offsetof(StKAMOKUSUMINFO, side1Excl), blob,
                  kSlotBlobBytes);
    }
    return 0;
  }
  TLONG Advance() {
    const int rc = statement.Step();
    if (rc == SQLITE_DONE) {
      atEnd = true;
      return 0;
    }
    if (rc != SQLITE_ROW) return kStatusLedgerError;
    currentKey = statement.Int(0);
    const void* data = sqlite3_column_blob(statement.Raw(), 1);
    if (data == nullptr ||
        sqlite3_column_bytes(statement.Raw(), 1) != static_cast<int>(kSlotBlobBytes)) {
      return kStatusLedgerError;
    }
    std::memcpy(blob, data, kSlotBlobBytes);
    return 0;
  }

  Statement statement;
  bool started = false;
  bool atEnd = false;
  long long currentKey = 0;
  unsigned char blob[kSlotBlobBytes] = {};
};

SummaryRowReader::SummaryRowReader() = default;
SummaryRowReader::~SummaryRowReader() = default;

TLONG SummaryRowReader::Open(Database& db, TLONG dataNo) {
  Close();
  if (RegisterSlotAggregate(db.Handle()) != SQLITE_OK) return kStatusLedgerError;
  {
    // Every entry, plus one closing row per account that has a sub-account.
    Statement count(db,
                    "SELECT (SELECT COUNT(*) FROM account WHERE data_no = ?1) + "
                    "(SELECT COUNT(*) FROM account a WHERE a.data_no = ?1 AND a.code % 10000 = 0 "
                    "AND EXISTS (SELECT 1 FROM account s WHERE s.data_no = ?1 "
                    "AND s.code > a.code AND s.code < a.code + 10000))");
    if (!count.Ok()) return kStatusLedgerError;
    count.Bind(1, dataNo);
    if (count.Step() != SQLITE_ROW) return kStatusLedgerError;
    m_count = static_cast<TULONG>(count.Int(0));
  }
  m_pEntries = std::make_unique<Statement>(
      db,
      "SELECT code, name, balance_side, omit_a, omit_b, attr_flags FROM account "
      "WHERE data_no = ? ORDER BY code");
  m_pAccountSums = std::make_unique<SumCursor>(
      db,
      "SELECT account, kamoku_slots(month_code, side, excl, incl) FROM amount "
      "WHERE data_no = ?1 GROUP BY account ORDER BY account",
      dataNo);
  m_pCodeSums = std::make_unique<SumCursor>(
      db,
      "SELECT code, kamoku_slots(month_code, side, excl, incl) FROM amount "
      "WHERE data_no = ?1 AND code % 10000 <> 0 GROUP BY code ORDER BY code",
      dataNo);
  if (!m_pEntries->Ok() || !m_pAccountSums->statement.Ok() || !m_pCodeSums->statement.Ok()) {
    Close();
    return kStatusLedgerError;
  }
  m_pEntries->Bind(1, dataNo);
  m_pCurrent = std::make_unique<Entry>();
  m_pPeek = std::make_unique<Entry>();
  m_pGroupRow = std::make_unique<StKAMOKUSUMINFO>();
  return Rewind();
}

TLONG SummaryRowReader::Rewind() {
  if (m_pEntries == nullptr) return kStatusNotReady;
  m_pEntries->Reset();
  m_pAccountSums->Rewind();
  m_pCodeSums->Rewind();
  m_bPeeked = false;
  m_bPeekIsEnd = false;
  m_bAtEnd = false;
  m_bFailed = false;
  m_bInGroup = false;
  m_bClosePending = false;
  return 0;
}

void SummaryRowReader::Close() {
  m_pEntries.reset();
  m_pAccountSums.reset();
  m_pCodeSums.reset();
  m_pCurrent.reset();
  m_pPeek.reset();
  m_pGroupRow.reset();
  m_count = 0;
}

// The next entry in code order: 0, kStatusNoRecord or kStatusLedgerError.
TLONG SummaryRowReader::Fetch(Entry* entry) {
  const int rc = m_pEntries->Step();
  if (rc == SQLITE_DONE) return kStatusNoRecord;
  if (rc != SQLITE_ROW) return kStatusLedgerError;
  entry->code = static_cast<std::uint32_t>(m_pEntries->Int(0));
  entry->name = m_pEntries->Text(1);
  entry->balanceSide = static_cast<std::uint8_t>(m_pEntries->Int(2));
  entry->omitA = static_cast<std::uint8_t>(m_pEntries->Int(3));
  entry->omitB = static_cast<std::uint8_t>(m_pEntries->Int(4));
  entry->attrFlags = static_cast<std::uint32_t>(m_pEntries->Int(5));
  return 0;
}

TLONG SummaryRowReader::Build(const Entry& entry, bool nextInSameAccount, StKAMOKUSUMINFO* row) {
  std::memset(row, 0, sizeof(*row));
  row->code = entry.code;
  CopyToField(entry.name, row->name, sizeof(row->name));
  row->omitA = entry.omitA;
  row->omitB = entry.omitB;
  row->balanceSide = entry.balanceSide;
  row->attrFlags = entry.attrFlags;
  if (entry.code % kSubRange == 0) {
    row->hasSub = nextInSameAccount ? 1 : 0;
    return m_pAccountSums->SumsOf(AccountOf(entry.code), row);
  }
  return m_pCodeSums->SumsOf(entry.code, row);
}

TLONG SummaryRowReader::Next(StKAMOKUSUMINFO* row) {
  if (m_pEntries == nullptr) return kStatusNotReady;
  if (m_bFailed) return kStatusLedgerError;
  if (m_bClosePending) {
    std::memcpy(row, m_pGroupRow.get(), sizeof(*row));
    row->hasSub = 0;
    m_bClosePending = false;
    m_bInGroup = false;
    return 0;
  }
  if (m_bAtEnd) return kStatusNoRecord;

  // The current entry: the one peeked at before, or a fresh one.
  if (m_bPeeked) {
    m_bPeeked = false;
    if (m_bPeekIsEnd) {
      m_bAtEnd = true;
      return kStatusNoRecord;
    }
    std::swap(m_pCurrent, m_pPeek);
  } else if (const TLONG rc = Fetch(m_pCurrent.get()); rc != 0) {
    m_bAtEnd = rc == kStatusNoRecord;
    m_bFailed = rc != kStatusNoRecord;
    return rc;
  }
  // One entry of lookahead tells whether a group starts or ends here.
  const TLONG peek = Fetch(m_pPeek.get());
  if (peek != 0 && peek != kStatusNoRecord) {
    m_bFailed = true;
    return peek;
  }
  m_bPeeked = true;
  m_bPeekIsEnd = peek == kStatusNoRecord;
  const Entry& entry = *m_pCurrent;
  const bool nextInSameAccount = !m_bPeekIsEnd && AccountOf(m_pPeek->code) == AccountOf(entry.code);

  StKAMOKUSUMINFO built;
  if (const TLONG rc = Build(entry, nextInSameAccount, &built); rc != 0) {
    m_bFailed = true;
    return rc;
  }
  if (entry.code % kSubRange == 0) {
    m_bInGroup = nextInSameAccount;
    if (m_bInGroup) std::memcpy(m_pGroupRow.get(), &built, sizeof(built));
  } else if (m_bInGroup && !nextInSameAccount) {
    m_bClosePending = true;
  }
  std::memcpy(row, &built, sizeof(built));
  return 0;
}

}  // namespace talhost
