#include "talhost/Faults.h"

#include <cerrno>
#include <cstdlib>
#include <mutex>

#include "platform/win/profile.h"
#include "talhost/HostPaths.h"

namespace talhost {
namespace {

std::mutex g_mutex;
std::optional<FaultSwitches> g_testSwitches;

// The decimal integer `text` (blanks around allowed), or nothing.
std::optional<long long> ParseInteger(const std::string& text) {
  if (text.empty()) return std::nullopt;
  errno = 0;
  char* end = nullptr;
  const long long value = std::strtoll(text.c_str(), &end, 10);
  if (end == text.c_str() || errno == ERANGE) return std::nullopt;
  while (*end == ' ' || *end == '\t') ++end;
  if (*end != '\0') return std::nullopt;
  return value;
}

std::optional<long long> ReadInteger(const std::string& path, const char* section,
                                     const char* key) {
  std::string text;
  if (!uw::ReadProfileString(path, section, key, &text)) return std::nullopt;
  return ParseInteger(text);
}

TLONG ReadStatus(const std::string& path, const char* key) {
  const std::optional<long long> value = ReadInteger(path, "faults", key);
  return value ? static_cast<TLONG>(*value) : 0;
}

}  // namespace

FaultSwitches ReadFaultSwitches(const std::string& hostIniPath) {
  FaultSwitches switches;
  switches.ruleNewFails = ReadStatus(hostIniPath, "rule_new") != 0;
  switches.periodNewFails = ReadStatus(hostIniPath, "period_new") != 0;
  switches.sumCountStatus = ReadStatus(hostIniPath, "sum_count");
  switches.setMovePosStatus = ReadStatus(hostIniPath, "set_move_pos");
  switches.moveNextStatus = ReadStatus(hostIniPath, "move_next_error");
  if (const auto after = ReadInteger(hostIniPath, "faults", "move_next_after");
      after && *after > 0) {
    switches.moveNextAfter = static_cast<TULONG>(*after);
  }
  if (const auto after = ReadInteger(hostIniPath, "faults", "move_end_after");
      after && *after >= 0) {
    switches.moveEndAfter = static_cast<TULONG>(*after);
  }
  if (const auto value = ReadInteger(hostIniPath, "host", "expsyslink")) {
    switches.expSysLink = static_cast<TLONG>(*value);
  }
  return switches;
}

FaultSwitches CurrentFaultSwitches() {
  std::optional<FaultSwitches> test;
  {
    std::lock_guard<std::mutex> lock(g_mutex);
    test = g_testSwitches;
  }
  if (!test) return ReadFaultSwitches(HostIniPath());
  if (!test->expSysLink) test->expSysLink = ReadFaultSwitches(HostIniPath()).expSysLink;
  return *test;
}

void SetFaultSwitches(const FaultSwitches& switches) {
  std::lock_guard<std::mutex> lock(g_mutex);
  g_testSwitches = switches;
}

void ClearFaultSwitches() {
  std::lock_guard<std::mutex> lock(g_mutex);
  g_testSwitches.reset();
}

}  // namespace talhost
