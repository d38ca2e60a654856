// The current user and the data sets: company data entries, the
// consumption-tax settings and the account master, read from the ledger.
#include <algorithm>
#include <cstring>
#include <mutex>
#include <set>

#include "host/TalBCore.h"
#include "host/TalCmn.h"
#include "talhost/CompanyData.h"
#include "talhost/HostObjects.h"
#include "talhost/HostSession.h"
#include "talhost/HostText.h"
#include "talhost/Sqlite.h"

namespace {

std::mutex g_setsMutex;
std::set<ClSetImpl*>& LiveSets() {
  static std::set<ClSetImpl*>* sets = new std::set<ClSetImpl*>;
  return *sets;
}

bool Connected() { return talhost::HostSession::Get().IsOpen(); }

}  // namespace

namespace talhost {

void ResetHostSets() {
  std::lock_guard<std::mutex> lock(g_setsMutex);
  for (ClSetImpl* set : LiveSets()) set->Reset();
}

}  // namespace talhost

using talhost::kStatusBadArgument;
using talhost::kStatusLedgerError;
using talhost::kStatusNoData;
using talhost::kStatusNoRecord;
using talhost::kStatusNotConnected;
using talhost::kStatusNotReady;

TLONG ClSetImpl::CurrentDataNo(TLONG* dataNo) const {
  if (!Connected()) return kStatusNotConnected;
  if (m_bCurChosen) {
    if (!m_bCurKnown) return kStatusNoData;
    *dataNo = m_lCurDataNo;
    return 0;
  }
  return talhost::CurrentSelectedDataNo(dataNo);
}

// ---------------------------------------------------------------------------
// ClSysUser

TLONG ClSysUser::GetCurUserID(char* userId) {
  if (userId == nullptr) return kStatusBadArgument;
  talhost::CopyToField(talhost::HostSession::Get().UserId(), userId, 65);
  return Connected() ? 0 : kStatusNotConnected;
}

TLONG ClSysUser::GetSelectedNo(const char* userId, TLONG* first, TLONG* second) {
  if (userId == nullptr || first == nullptr || second == nullptr) return kStatusBadArgument;
  if (!Connected()) return kStatusNotConnected;
  const std::string id = talhost::ToUtf8(std::string(userId, strnlen(userId, 65)));
  return talhost::ReadSelection(id, first, second);
}

// ---------------------------------------------------------------------------
// ClSetBase

ClSetBase::ClSetBase() : m_pImpl(new ClSetImpl) {
  std::lock_guard<std::mutex> lock(g_setsMutex);
  LiveSets().insert(m_pImpl);
}

ClSetBase::~ClSetBase() {
  {
    std::lock_guard<std::mutex> lock(g_setsMutex);
    LiveSets().erase(m_pImpl);
  }
  delete m_pImpl;
}

TLONG ClSetBase::AttachSetMgr(ClSetMgr* setMgr) {
  if (setMgr == nullptr) return kStatusBadArgument;
  m_pImpl->m_pSetMgr = setMgr;
  return 0;
}

TLONG ClSetBase::SetCurDataID(const char* dataId) {
  if (dataId == nullptr) return kStatusBadArgument;
  if (!Connected()) return kStatusNotConnected;
  // The id is text within 16 bytes; one that fills them has no terminator
  // and names no entry of this ledger (ids hold at most 15 bytes).
  const std::size_t length = strnlen(dataId, 16);
  m_pImpl->m_bCurChosen = true;
  m_pImpl->m_bCurKnown = false;
  if (length == 16) return kStatusNoData;
  TLONG dataNo = 0;
  const TLONG rc = talhost::FindDataNo(talhost::ToUtf8(std::string(dataId, length)), &dataNo);
  if (rc != 0) return rc;
  m_pImpl->m_bCurKnown = true;
  m_pImpl->m_lCurDataNo = dataNo;
  return 0;
}

// ---------------------------------------------------------------------------
// ClSetData: cursors walk every company data entry in dataNo order.

TLONG ClSetData::GetDatCursor(TULONG* cursor) {
  if (cursor == nullptr) return kStatusBadArgument;
  *cursor = talhost::HostSession::Get().NewCursor();
  m_pImpl->m_cursors[*cursor] = ClSetImpl::Cursor();
  return 0;
}

TLONG ClSetData::ReadyDat(TULONG cursor, TLONG /*flags*/) {
  auto found = m_pImpl->m_cursors.find(cursor);
  if (found == m_pImpl->m_cursors.end()) return kStatusBadArgument;
  found->second = ClSetImpl::Cursor();
  found->second.ready = true;
  return 0;
}

TLONG ClSetData::WalkDat(StDATAINFO* info, TULONG cursor) {
  if (info == nullptr) return kStatusBadArgument;
  auto found = m_pImpl->m_cursors.find(cursor);
  if (found == m_pImpl->m_cursors.end()) return kStatusBadArgument;
  ClSetImpl::Cursor& state = found->second;
  if (!state.ready) return kStatusNotReady;
  if (!Connected()) return kStatusNotConnected;
  StDATAINFO next;
  const TLONG rc =
      talhost::ReadNextDataInfo(!state.started, static_cast<TLONG>(state.lastKey), &next);
  if (rc != 0) return rc;
  std::memcpy(info, &next, sizeof(next));
  state.started = true;
  state.lastKey = next.dataNo;
  return 0;
}

TLONG ClSetData::ReleaseDatCursor(TULONG cursor) {
  return m_pImpl->m_cursors.erase(cursor) == 1 ? 0 : kStatusBadArgument;
}

StDATAINFO* ClSetData::GetSelectedInfo() {
  // The host's own copy, refreshed on each call; all zero when nothing is
  // selected or the session is closed.
  static StDATAINFO* selected = new StDATAINFO;
  std::memset(selected, 0, sizeof(*selected));
  TLONG dataNo = 0;
  if (Connected() && talhost::CurrentSelectedDataNo(&dataNo) == 0) {
    talhost::ReadDataInfo(dataNo, selected);
  }
  return selected;
}

// ---------------------------------------------------------------------------
// ClSetShohizei

TLONG ClSetShohizei::Get(StSHOHIZEIINFO* info) {
  if (info == nullptr) return kStatusBadArgument;
  TLONG dataNo = 0;
  if (const TLONG rc = m_pImpl->CurrentDataNo(&dataNo); rc != 0) return rc;
  bool inclusive = false;
  if (const TLONG rc = talhost::ReadTaxInclusive(dataNo, &inclusive); rc != 0) {
    return rc;
  }
  std::memset(info, 0, sizeof(*info));
  info->inclusiveFlag = inclusive ? 1 : 0;
  return 0;
}

// ---------------------------------------------------------------------------
// ClSetKamoku: the account master (entries with in_master = 1).

TLONG ClSetKamoku::GetCursor(TULONG* cursor) {
  if (cursor == nullptr) return kStatusBadArgument;
  *cursor = talhost::HostSession::Get().NewCursor();
  m_pImpl->m_cursors[*cursor] = ClSetImpl::Cursor();
  return 0;
}

TLONG ClSetKamoku::ReadyCursor(TULONG cursor) {
  auto found = m_pImpl->m_cursors.find(cursor);
  if (found == m_pImpl->m_cursors.end()) return kStatusBadArgument;
  found->second = ClSetImpl::Cursor();
  found->second.ready = true;
  return 0;
}

TLONG ClSetKamoku::WalkFind(StFINDINFO* find, StKAMOKUINFO* info, TULONG cursor) {
  if (find == nullptr || info == nullptr) return kStatusBadArgument;
  auto found = m_pImpl->m_cursors.find(cursor);
  if (found == m_pImpl->m_cursors.end()) return kStatusBadArgument;
  ClSetImpl::Cursor& state = found->second;
  if (!state.ready) return kStatusNotReady;

  // One entry on the combined code: equal, not less or not greater; each
  // further call on the cursor delivers the next entry that matches.
  if (find->fieldId != FIND_FIELD_KAMOKU_CODE || find->nextLink != FIND_LINK_END) {
    return kStatusBadArgument;
  }
  long long value = 0;
  if (find->valueType == FIND_VALUE_INT32) {
    value = static_cast<std::uint32_t>(find->value.value32);
  } else if (find->valueType == FIND_VALUE_INT16) {
    value = static_cast<std::uint16_t>(find->value.value16);
  } else {
    return kStatusBadArgument;
  }
  long long low = 0;
  long long high = 0xFFFFFFFFLL;
  switch (find->compareOp) {
    case FIND_OP_EQUAL:
      low = high = value;
      break;
    case FIND_OP_NOT_LESS:
      low = value;
      break;
    case FIND_OP_NOT_GREATER:
      high = value;
      break;
    default:
      return kStatusBadArgument;
  }
  if (state.started) low = std::max(low, state.lastKey + 1);
  if (low > high) return kStatusNoRecord;

  TLONG dataNo = 0;
  if (const TLONG rc = m_pImpl->CurrentDataNo(&dataNo); rc != 0) return rc;
  talhost::Statement& query = talhost::HostSession::Get().Prepared(
      "SELECT code, name, kind FROM account WHERE data_no = ?1 AND code BETWEEN ?2 AND ?3 "
      "AND in_master = 1 ORDER BY code LIMIT 1");
  talhost::ScopedReset reset(query);
  if (!query.Ok()) return kStatusLedgerError;
  query.Bind(1, dataNo);
  query.Bind(2, low);
  query.Bind(3, high);
  const int rc = query.Step();
  if (rc == SQLITE_DONE) return kStatusNoRecord;
  if (rc != SQLITE_ROW) return kStatusLedgerError;
  std::memset(info, 0, sizeof(*info));
  info->code = static_cast<std::uint32_t>(query.Int(0));
  talhost::CopyToField(query.Text(1), info->name, sizeof(info->name));
  info->kind = static_cast<std::int8_t>(query.Int(2));
  state.started = true;
  state.lastKey = query.Int(0);
  return 0;
}

TLONG ClSetKamoku::ReleaseCursor(TULONG cursor) {
  return m_pImpl->m_cursors.erase(cursor) == 1 ? 0 : kStatusBadArgument;
}
