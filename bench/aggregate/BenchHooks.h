// Measuring hooks of the aggregation benchmark.
//
// Time: the link wraps every host and progress-dialog call that the
// aggregation makes (--wrap, see CMakeLists.txt); each wrapper adds the time
// spent inside the call to its account while accounting is on. What is left
// of the wall time of Aggregate is the program's own share.
//
// Memory: the global operator new and delete of this program are replaced by
// counting ones that tag each block with the account that was current when
// it was allocated: the host's inside a host call, the program's otherwise.
// Blocks of malloc proper (SQLite's page cache) are not counted here; the
// peak resident size covers them.
#pragma once

#include <cstddef>
#include <cstdint>

namespace bench {

// Where time and memory are charged. The host's share is split by what the
// calls do: delivering summary rows (MoveNext), looking up the account
// master (the four cursor calls) and the rest (set-up, MoveReady, ...).
enum Account { kProgram, kHostRows, kHostMaster, kHostOther, kUi, kAccounts };

struct Counters {
  std::int64_t nanos[kAccounts];        // time inside the wrapped calls
  std::int64_t calls[kAccounts];        // wrapped calls made
  std::int64_t liveBytes[kAccounts];    // bytes of operator new blocks alive now
  std::int64_t peakBytes[kAccounts];    // highest liveBytes since the last reset
  std::int64_t allocations[kAccounts];  // operator new calls
};

// Turns time accounting on or off (off: the wrappers only forward).
void SetTiming(bool on);
// Zeroes the times, call counts and allocation counts; the peaks restart
// from the bytes alive now.
void ResetCounters();
const Counters& CurrentCounters();

// Nanoseconds on the monotonic clock.
std::int64_t NowNanos();

}  // namespace bench
