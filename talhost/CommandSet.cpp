// talhost set SECTION.KEY VALUE: one key of host.ini.
#include <filesystem>

#include "platform/win/prefix.h"
#include "talhost/Commands.h"
#include "talhost/HostPaths.h"
#include "talhost/IniWriter.h"

namespace talhost {

int CommandSet(const Arguments& args) {
  if (args.size() != 2) return Complain(kExitUsage, "set SECTION.KEY VALUE");
  const std::size_t dot = args[0].find('.');
  if (dot == std::string::npos || dot == 0 || dot + 1 == args[0].size()) {
    return Complain(kExitUsage,
                    "set needs SECTION.KEY, e.g. faults.rule_new, not \"" + args[0] + "\"");
  }
  std::error_code ec;
  if (!std::filesystem::is_directory(uw::GetPrefixFolder(), ec)) {
    return Complain(kExitFailed, "no prefix at " + uw::GetPrefixFolder() + " (talhost init)");
  }
  std::string error;
  if (!SetIniValue(HostIniPath(), args[0].substr(0, dot), args[0].substr(dot + 1), args[1],
                   &error)) {
    return Complain(kExitFailed, error);
  }
  return 0;
}

}  // namespace talhost
