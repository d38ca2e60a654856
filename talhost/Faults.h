// Fault switches: host operations that fail on demand, so that every
// failure path of the program can be run, from unit tests and end to end.
//
// Two sources. A test may set switches directly (SetFaultSwitches); until it
// clears them they replace the whole [faults] section. Otherwise the switches
// come from <prefix>/host.ini, section [faults], read each time a switch is
// consulted (keys below). The ExpSysLink answer is a host setting, [host]
// expsyslink, which a test's expSysLink overrides when it sets one.
//
//   [faults] key        effect
//   rule_new=1          `new (std::nothrow) ClRuleKamoku` yields null
//   period_new=1        `new (std::nothrow) ClTalPeriod` yields null
//   sum_count=S         ClRuleKamoku::GetSumCount returns S (non-zero)
//   set_move_pos=S      ClRuleKamoku::SetMovePos returns S (non-zero)
//   move_next_error=S   ClRuleKamoku::MoveNext returns S (non-zero) ...
//   move_next_after=K   ... once K rows were delivered (default 0)
//   move_end_after=K    MoveNext returns 5000 (no row left) once K rows
//                       were delivered, however many the count promised
//   [host] expsyslink=V ClTalConnect::ExpSysLink returns V (default 0)
//
// Values are decimal integers; 0 or an absent key switches a fault off (a
// negative move_end_after too). A value that is not a number is ignored, as
// if absent. The rule reads its switches when it is created (rule_new) and
// when MoveReady prepares its rows (the others); a change later in the run
// takes effect with the next MoveReady.
#pragma once

#include <optional>
#include <string>

#include "host/HostTypes.h"

namespace talhost {

struct FaultSwitches {
  bool ruleNewFails = false;
  bool periodNewFails = false;
  TLONG sumCountStatus = 0;    // non-zero: GetSumCount returns it
  TLONG setMovePosStatus = 0;  // non-zero: SetMovePos returns it
  TLONG moveNextStatus = 0;    // non-zero: MoveNext returns it after moveNextAfter rows
  TULONG moveNextAfter = 0;
  std::optional<TULONG> moveEndAfter{};  // set: MoveNext ends (5000) after that many rows
  std::optional<TLONG> expSysLink{};     // set: ExpSysLink returns it
};

// The switches in effect now (see above).
FaultSwitches CurrentFaultSwitches();

// Makes `switches` the switches in effect until ClearFaultSwitches;
// host.ini's [faults] is ignored meanwhile, and [host] expsyslink too when
// switches.expSysLink is set.
void SetFaultSwitches(const FaultSwitches& switches);
void ClearFaultSwitches();

// The switches that the host settings file at `hostIniPath` sets.
FaultSwitches ReadFaultSwitches(const std::string& hostIniPath);

// Sets the fault switches of a test for the lifetime of the object and
// clears them afterwards.
class ScopedFaultSwitches {
 public:
  explicit ScopedFaultSwitches(const FaultSwitches& switches) { SetFaultSwitches(switches); }
  ~ScopedFaultSwitches() { ClearFaultSwitches(); }
  ScopedFaultSwitches(const ScopedFaultSwitches&) = delete;
  ScopedFaultSwitches& operator=(const ScopedFaultSwitches&) = delete;
};

}  // namespace talhost
