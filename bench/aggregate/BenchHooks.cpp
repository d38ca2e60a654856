#include "bench/aggregate/BenchHooks.h"

#include <time.h>

#include <cstdlib>
#include <new>

#include "host/TalBCore.h"
#include "host/TalCmn.h"
#include "progress/SumProgressDlg.h"

namespace bench {
namespace {

Counters g_counters{};
bool g_timing = false;
Account g_current = kProgram;

// Charges the time of one wrapped call to `account`; allocations made in
// the call are tagged with it.
class CallScope {
 public:
  explicit CallScope(Account account) : m_previous(g_current), m_account(account) {
    g_current = account;
    if (g_timing) m_start = NowNanos();
  }
  ~CallScope() {
    if (g_timing) {
      g_counters.nanos[m_account] += NowNanos() - m_start;
      ++g_counters.calls[m_account];
    }
    g_current = m_previous;
  }

 private:
  Account m_previous;
  Account m_account;
  std::int64_t m_start = 0;
};

// Every block starts with this header (16 bytes keeps the alignment that
// operator new promises).
struct alignas(16) BlockHeader {
  std::size_t size;
  Account account;
};

void* Allocate(std::size_t size) noexcept {
  auto* header = static_cast<BlockHeader*>(std::malloc(sizeof(BlockHeader) + size));
  if (header == nullptr) return nullptr;
  header->size = size;
  header->account = g_current;
  std::int64_t& live = g_counters.liveBytes[g_current];
  live += static_cast<std::int64_t>(size);
  if (live > g_counters.peakBytes[g_current]) g_counters.peakBytes[g_current] = live;
  ++g_counters.allocations[g_current];
  return header + 1;
}

void Release(void* block) noexcept {
  if (block == nullptr) return;
  BlockHeader* header = static_cast<BlockHeader*>(block) - 1;
  g_counters.liveBytes[header->account] -= static_cast<std::int64_t>(header->size);
  std::free(header);
}

}  // namespace

void SetTiming(bool on) { g_timing = on; }

void ResetCounters() {
  for (int a = 0; a < kAccounts; ++a) {
    g_counters.nanos[a] = 0;
    g_counters.calls[a] = 0;
    g_counters.allocations[a] = 0;
    g_counters.peakBytes[a] = g_counters.liveBytes[a];
  }
}

const Counters& CurrentCounters() { return g_counters; }

std::int64_t NowNanos() {
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<std::int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

}  // namespace bench

// --- Counting operator new and delete ----------------------------------------

void* operator new(std::size_t size) {
  void* block = bench::Allocate(size);
  if (block == nullptr) throw std::bad_alloc();
  return block;
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return bench::Allocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return bench::Allocate(size);
}
void operator delete(void* block) noexcept { bench::Release(block); }
void operator delete[](void* block) noexcept { bench::Release(block); }
void operator delete(void* block, std::size_t) noexcept { bench::Release(block); }
void operator delete[](void* block, std::size_t) noexcept { bench::Release(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { bench::Release(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { bench::Release(block); }

// --- Wrapped calls ----------------------------------------------------------------
// Each wrapper has the mangled name of the call with __wrap_ in front and
// takes the object as its first parameter, as the member call passes it.

#define BENCH_WRAP(account, mangled, ret, params, args) \
  extern "C" ret __real_##mangled params;               \
  extern "C" ret __wrap_##mangled params {              \
    bench::CallScope scope(account);                    \
    return __real_##mangled args;                       \
  }

BENCH_WRAP(bench::kHostOther, _ZN9ClDataMgr4InstEv, ClDataMgr*, (), ())
BENCH_WRAP(bench::kHostOther, _ZN9ClDataMgr9GetSetMgrEv, ClSetMgr*, (ClDataMgr * self), (self))
BENCH_WRAP(bench::kHostOther, _ZN9ClDataMgr12GetSetObjectEii, ClSetBase*,
           (ClDataMgr * self, TLONG kind, int shared), (self, kind, shared))
BENCH_WRAP(bench::kHostOther, _ZN9ClSetData15GetSelectedInfoEv, StDATAINFO*, (ClSetData * self),
           (self))
BENCH_WRAP(bench::kHostOther, _ZN9ClLinkMgr4InstEv, ClLinkMgr*, (), ())
BENCH_WRAP(bench::kHostOther, _ZN9ClLinkMgr10GetOptLinkEv, ClOptLink*, (ClLinkMgr * self), (self))
BENCH_WRAP(bench::kHostOther, _ZN12ClRuleKamokunwEmRKSt9nothrow_t, void*,
           (std::size_t size, const std::nothrow_t& tag), (size, tag))
BENCH_WRAP(bench::kHostOther, _ZN12ClRuleKamokuC1Ev, void, (ClRuleKamoku * self), (self))
BENCH_WRAP(bench::kHostOther, _ZN10ClRuleBase12AttachSetMgrEP8ClSetMgr, TLONG,
           (ClRuleBase * self, ClSetMgr* setMgr), (self, setMgr))
BENCH_WRAP(bench::kHostOther, _ZN10ClRuleBase12SetCurDataIDEPKc, TLONG,
           (ClRuleBase * self, const char* dataId), (self, dataId))
BENCH_WRAP(bench::kHostOther, _ZN10ClRuleBase13AttachOptLinkEP9ClOptLink, TLONG,
           (ClRuleBase * self, ClOptLink* optLink), (self, optLink))
BENCH_WRAP(bench::kHostOther, _ZN12ClRuleKamoku9MoveReadyEiiiP10StFINDINFOP11StBUMONINFOi, TLONG,
           (ClRuleKamoku * self, int base, int bmn, int disptype, StFINDINFO* find,
            StBUMONINFO* bumon, int past),
           (self, base, bmn, disptype, find, bumon, past))
BENCH_WRAP(bench::kHostOther, _ZN12ClRuleKamoku11GetSumCountEPj, TLONG,
           (ClRuleKamoku * self, TULONG* count), (self, count))
BENCH_WRAP(bench::kHostOther, _ZN12ClRuleKamoku10SetMovePosEi, TLONG,
           (ClRuleKamoku * self, TLONG pos), (self, pos))
BENCH_WRAP(bench::kHostRows, _ZN12ClRuleKamoku8MoveNextEP15StKAMOKUSUMINFO, TLONG,
           (ClRuleKamoku * self, StKAMOKUSUMINFO* row), (self, row))
BENCH_WRAP(bench::kHostOther, _ZN12ClRuleKamoku10MoveFinishEv, TLONG, (ClRuleKamoku * self), (self))
BENCH_WRAP(bench::kHostMaster, _ZN11ClSetKamoku9GetCursorEPj, TLONG,
           (ClSetKamoku * self, TULONG* cursor), (self, cursor))
BENCH_WRAP(bench::kHostMaster, _ZN11ClSetKamoku11ReadyCursorEj, TLONG,
           (ClSetKamoku * self, TULONG cursor), (self, cursor))
BENCH_WRAP(bench::kHostMaster, _ZN11ClSetKamoku8WalkFindEP10StFINDINFOP12StKAMOKUINFOj, TLONG,
           (ClSetKamoku * self, StFINDINFO* find, StKAMOKUINFO* info, TULONG cursor),
           (self, find, info, cursor))
BENCH_WRAP(bench::kHostMaster, _ZN11ClSetKamoku13ReleaseCursorEj, TLONG,
           (ClSetKamoku * self, TULONG cursor), (self, cursor))
BENCH_WRAP(bench::kUi, _ZN15CSumProgressDlg5PulseEv, void, (CSumProgressDlg * self), (self))
BENCH_WRAP(bench::kUi, _ZN15CSumProgressDlg7AdvanceEss, void,
           (CSumProgressDlg * self, short from, short to), (self, from, to))
