// The account-summing rule ClRuleKamoku (with its base ClRuleBase): prepares
// the summary rows of the current company data and hands them out one at a
// time. The rows and their amounts are described in SummaryRows.h; the fault
// switches of Faults.h can make each step fail.
#include <cstring>
#include <new>

#include "host/TalBCore.h"
#include "host/TalCmn.h"
#include "talhost/CompanyData.h"
#include "talhost/Faults.h"
#include "talhost/HostSession.h"
#include "talhost/HostText.h"
#include "talhost/SummaryRows.h"

using talhost::kStatusBadArgument;
using talhost::kStatusLedgerError;
using talhost::kStatusNoData;
using talhost::kStatusNoRecord;
using talhost::kStatusNotConnected;
using talhost::kStatusNotReady;

namespace {

// Longest condition chain accepted; a chain must end (nextLink 0) within it.
constexpr int kMaxConditionEntries = 16;

// Whether `find` is a summing condition the rule understands: a chain of
// month-ordinal entries (field 17) with the operators equal, not less and
// not greater, on 16- or 32-bit values, ending with nextLink 0.
bool ValidCondition(const StFINDINFO* find) {
  if (find == nullptr) return false;
  for (int i = 0; i < kMaxConditionEntries; ++i) {
    const StFINDINFO& entry = find[i];
    if (entry.fieldId != FIND_FIELD_MONTH) return false;
    if (entry.compareOp != FIND_OP_EQUAL && entry.compareOp != FIND_OP_NOT_LESS &&
        entry.compareOp != FIND_OP_NOT_GREATER) {
      return false;
    }
    if (entry.valueType != FIND_VALUE_INT16 && entry.valueType != FIND_VALUE_INT32) return false;
    if (entry.nextLink == FIND_LINK_END) return true;
    if (entry.nextLink != FIND_LINK_AND && entry.nextLink != FIND_LINK_OR) return false;
  }
  return false;
}

}  // namespace

class ClRuleKamokuImpl {
 public:
  enum State { kIdle, kReady, kPositioned };
  State m_state = kIdle;
  talhost::SummaryRowReader m_reader;
  talhost::FaultSwitches m_faults;
  TULONG m_delivered = 0;  // rows MoveNext delivered since SetMovePos
  unsigned long m_generation = 0;

  bool SessionStillOpen() const {
    return talhost::HostSession::Get().IsOpen() &&
           talhost::HostSession::Get().Generation() == m_generation;
  }
  void Stop() {
    m_reader.Close();
    m_state = kIdle;
    m_delivered = 0;
  }
};

// ---------------------------------------------------------------------------
// ClRuleBase

ClRuleBase::ClRuleBase() : m_pSetMgr(nullptr), m_pOptLink(nullptr), m_szDataID{} {}

ClRuleBase::~ClRuleBase() = default;

TLONG ClRuleBase::AttachSetMgr(ClSetMgr* setMgr) {
  if (setMgr == nullptr) return kStatusBadArgument;
  m_pSetMgr = setMgr;
  return 0;
}

TLONG ClRuleBase::SetCurDataID(const char* dataId) {
  std::memset(m_szDataID, 0, sizeof(m_szDataID));
  if (dataId == nullptr) return kStatusBadArgument;
  // Text within 16 bytes; one that fills them all has no terminator and
  // names no entry (ids hold at most 15 bytes), so it is refused whole
  // rather than cut into another id.
  const std::size_t length = strnlen(dataId, sizeof(m_szDataID));
  if (length == sizeof(m_szDataID)) return kStatusNoData;
  std::memcpy(m_szDataID, dataId, length);
  if (!talhost::HostSession::Get().IsOpen()) return kStatusNotConnected;
  TLONG dataNo = 0;
  return talhost::FindDataNo(talhost::ToUtf8(m_szDataID), &dataNo);
}

TLONG ClRuleBase::AttachOptLink(ClOptLink* optLink) {
  m_pOptLink = optLink;
  return 0;
}

// ---------------------------------------------------------------------------
// ClRuleKamoku

void* ClRuleKamoku::operator new(std::size_t size, const std::nothrow_t&) noexcept {
  if (talhost::CurrentFaultSwitches().ruleNewFails) return nullptr;
  return ::operator new(size, std::nothrow);
}

void ClRuleKamoku::operator delete(void* p, const std::nothrow_t&) noexcept {
  ::operator delete(p);
}

void ClRuleKamoku::operator delete(void* p) noexcept { ::operator delete(p); }

ClRuleKamoku::ClRuleKamoku() : m_pRuleImpl(new (std::nothrow) ClRuleKamokuImpl) {}

ClRuleKamoku::~ClRuleKamoku() { delete m_pRuleImpl; }

TLONG ClRuleKamoku::MoveReady(int base, int bmn, int disptype, StFINDINFO* find, StBUMONINFO* bumon,
                              int past) {
  if (m_pRuleImpl == nullptr) return kStatusNotReady;
  ClRuleKamokuImpl& impl = *m_pRuleImpl;
  impl.Stop();
  talhost::HostSession& session = talhost::HostSession::Get();
  if (!session.IsOpen()) return kStatusNotConnected;
  // The rule sums over the host's set manager only; without it attached the
  // caller skipped a step of the set-up.
  if (m_pSetMgr == nullptr || m_pSetMgr != ClDataMgr::Inst()->GetSetMgr()) {
    return kStatusNotReady;
  }
  // What the stand-in sums: the base sum over all departments, current data.
  if (base != _RuleKamokuSumType_Base || bmn != _RuleKamokuSumType_Bmn ||
      disptype != _RuleKamokuSumType_Disptype || past != _RuleKamokuSumType_Past ||
      bumon != nullptr || !ValidCondition(find)) {
    return kStatusBadArgument;
  }
  if (m_szDataID[0] == '\0') return kStatusNoData;
  TLONG dataNo = 0;
  if (const TLONG rc = talhost::FindDataNo(talhost::ToUtf8(m_szDataID), &dataNo); rc != 0) {
    return rc;
  }
  // The condition selects months; the rows carry every slot whatever it
  // says, since the caller brings earlier months forward itself.
  if (const TLONG rc = impl.m_reader.Open(session.Ledger(), dataNo); rc != 0) return rc;
  impl.m_faults = talhost::CurrentFaultSwitches();
  impl.m_generation = session.Generation();
  impl.m_state = ClRuleKamokuImpl::kReady;
  return 0;
}

TLONG ClRuleKamoku::GetSumCount(TULONG* count) {
  if (count == nullptr) return kStatusBadArgument;
  if (m_pRuleImpl == nullptr || m_pRuleImpl->m_state == ClRuleKamokuImpl::kIdle) {
    return kStatusNotReady;
  }
  if (m_pRuleImpl->m_faults.sumCountStatus != 0) return m_pRuleImpl->m_faults.sumCountStatus;
  *count = m_pRuleImpl->m_reader.Count();
  return 0;
}

TLONG ClRuleKamoku::SetMovePos(TLONG pos) {
  if (m_pRuleImpl == nullptr || m_pRuleImpl->m_state == ClRuleKamokuImpl::kIdle) {
    return kStatusNotReady;
  }
  ClRuleKamokuImpl& impl = *m_pRuleImpl;
  if (impl.m_faults.setMovePosStatus != 0) return impl.m_faults.setMovePosStatus;
  if (pos < 0 || static_cast<TULONG>(pos) > impl.m_reader.Count()) return kStatusBadArgument;
  if (!impl.SessionStillOpen()) return kStatusNotConnected;
  if (const TLONG rc = impl.m_reader.Rewind(); rc != 0) return rc;
  StKAMOKUSUMINFO skipped;
  for (TLONG i = 0; i < pos; ++i) {
    const TLONG rc = impl.m_reader.Next(&skipped);
    if (rc == kStatusNoRecord) break;
    if (rc != 0) return rc;
  }
  impl.m_delivered = 0;
  impl.m_state = ClRuleKamokuImpl::kPositioned;
  return 0;
}

TLONG ClRuleKamoku::MoveNext(StKAMOKUSUMINFO* row) {
  if (row == nullptr) return kStatusBadArgument;
  if (m_pRuleImpl == nullptr || m_pRuleImpl->m_state != ClRuleKamokuImpl::kPositioned) {
    return kStatusNotReady;
  }
  ClRuleKamokuImpl& impl = *m_pRuleImpl;
  const talhost::FaultSwitches& faults = impl.m_faults;
  if (faults.moveNextStatus != 0 && impl.m_delivered >= faults.moveNextAfter) {
    return faults.moveNextStatus;
  }
  if (faults.moveEndAfter && impl.m_delivered >= *faults.moveEndAfter) return MOVE_END;
  if (!impl.SessionStillOpen()) return kStatusNotConnected;
  const TLONG rc = impl.m_reader.Next(row);
  if (rc == kStatusNoRecord) return MOVE_END;
  if (rc != 0) return rc == kStatusNotReady ? rc : kStatusLedgerError;
  ++impl.m_delivered;
  return 0;
}

TLONG ClRuleKamoku::MoveFinish() {
  if (m_pRuleImpl != nullptr) m_pRuleImpl->Stop();
  return 0;
}
