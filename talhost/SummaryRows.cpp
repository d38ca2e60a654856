#include "talhost/SummaryRows.h"

#include <cstring>
#include <string>

#include "talhost/HostSession.h"
#include "talhost/HostText.h"
#include "talhost/Sqlite.h"

namespace talhost {

struct SummaryRowReader::Entry {
  std::uint32_t code = 0;
  std::string name;
  std::uint8_t balanceSide = 0;
  std::uint8_t omitA = 0;
  std::uint8_t omitB = 0;
  std::uint32_t attrFlags = 0;
};

namespace {

constexpr std::uint32_t kSubRange = 10000;

std::uint32_t AccountOf(std::uint32_t code) { return code / kSubRange; }

// Slot of a month code: 0 and 1-12 as they are, 18 -> 13, 15 -> 14; -1 for
// anything else (the schema admits nothing else).
int SlotOf(std::int64_t monthCode) {
  if (monthCode >= 0 && monthCode <= 12) return static_cast<int>(monthCode);
  if (monthCode == 18) return KAMOKU_SLOT_YEAR_END;
  if (monthCode == 15) return KAMOKU_SLOT_HALF_YEAR;
  return -1;
}

}  // namespace

SummaryRowReader::SummaryRowReader() = default;
SummaryRowReader::~SummaryRowReader() = default;

TLONG SummaryRowReader::Open(Database& db, TLONG dataNo) {
  Close();
  m_lDataNo = dataNo;
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
  m_pSums = std::make_unique<Statement>(
      db,
      "SELECT month_code, side, SUM(excl), SUM(incl) FROM amount "
      "WHERE data_no = ?1 AND code BETWEEN ?2 AND ?3 GROUP BY month_code, side");
  if (!m_pEntries->Ok() || !m_pSums->Ok()) {
    Close();
    return kStatusLedgerError;
  }
  m_pEntries->Bind(1, dataNo);
  m_pSums->Bind(1, dataNo);
  return Rewind();
}

TLONG SummaryRowReader::Rewind() {
  if (m_pEntries == nullptr) return kStatusNotReady;
  m_pEntries->Reset();
  m_bPeeked = false;
  m_bAtEnd = false;
  m_bInGroup = false;
  m_bClosePending = false;
  return 0;
}

void SummaryRowReader::Close() {
  m_pEntries.reset();
  m_pSums.reset();
  m_pPeek.reset();
  m_pGroupRow.reset();
  m_bPeeked = false;
  m_bAtEnd = false;
  m_bInGroup = false;
  m_bClosePending = false;
  m_count = 0;
}

// The next entry in code order: 0, kStatusNoRecord or kStatusLedgerError.
TLONG SummaryRowReader::Fetch(Entry* entry) {
  if (m_bPeeked) {
    m_bPeeked = false;
    if (m_pPeek == nullptr) return kStatusNoRecord;
    *entry = *m_pPeek;
    return 0;
  }
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

TLONG SummaryRowReader::FillAmounts(std::uint32_t lowCode, std::uint32_t highCode,
                                    StKAMOKUSUMINFO* row) {
  Statement& sums = *m_pSums;
  ScopedReset reset(sums);
  sums.Bind(2, static_cast<std::int64_t>(lowCode));
  sums.Bind(3, static_cast<std::int64_t>(highCode));
  int rc;
  while ((rc = sums.Step()) == SQLITE_ROW) {
    const int slot = SlotOf(sums.Int(0));
    if (slot < 0) continue;
    if (sums.Int(1) == 1) {
      row->side1Excl[slot] = sums.Int(2);
      row->side1Incl[slot] = sums.Int(3);
    } else {
      row->side2Excl[slot] = sums.Int(2);
      row->side2Incl[slot] = sums.Int(3);
    }
  }
  return rc == SQLITE_DONE ? 0 : kStatusLedgerError;
}

TLONG SummaryRowReader::Next(StKAMOKUSUMINFO* row) {
  if (m_pEntries == nullptr) return kStatusNotReady;
  if (m_bClosePending) {
    std::memcpy(row, m_pGroupRow.get(), sizeof(*row));
    row->hasSub = 0;
    m_bClosePending = false;
    m_bInGroup = false;
    return 0;
  }

  if (m_bAtEnd) return kStatusNoRecord;
  Entry entry;
  if (const TLONG rc = Fetch(&entry); rc != 0) {
    m_bAtEnd = rc == kStatusNoRecord;
    return rc;
  }
  // One entry of lookahead tells whether a group starts or ends here.
  auto next = std::make_unique<Entry>();
  const TLONG peek = Fetch(next.get());
  if (peek != 0 && peek != kStatusNoRecord) return peek;
  m_pPeek = peek == 0 ? std::move(next) : nullptr;
  m_bPeeked = true;
  const bool nextInSameAccount =
      m_pPeek != nullptr && AccountOf(m_pPeek->code) == AccountOf(entry.code);

  StKAMOKUSUMINFO built;
  std::memset(&built, 0, sizeof(built));
  built.code = entry.code;
  CopyToField(entry.name, built.name, sizeof(built.name));
  built.omitA = entry.omitA;
  built.omitB = entry.omitB;
  built.balanceSide = entry.balanceSide;
  built.attrFlags = entry.attrFlags;

  const bool accountRow = entry.code % kSubRange == 0;
  const std::uint32_t highCode = accountRow ? entry.code + (kSubRange - 1) : entry.code;
  if (const TLONG rc = FillAmounts(entry.code, highCode, &built); rc != 0) return rc;

  if (accountRow) {
    m_bInGroup = nextInSameAccount;
    built.hasSub = nextInSameAccount ? 1 : 0;
    if (m_bInGroup) {
      if (m_pGroupRow == nullptr) m_pGroupRow = std::make_unique<StKAMOKUSUMINFO>();
      std::memcpy(m_pGroupRow.get(), &built, sizeof(built));
    }
  } else if (m_bInGroup && !nextInSameAccount) {
    m_bClosePending = true;
  }
  std::memcpy(row, &built, sizeof(built));
  return 0;
}

}  // namespace talhost
