#include "talhost/HostPaths.h"

#include "platform/win/prefix.h"
#include "platform/win/profile.h"

namespace talhost {

std::string HostIniPath() { return uw::GetPrefixPath("host.ini"); }

std::string LedgerPath(const std::string& setting) {
  if (setting.empty()) return uw::GetPrefixPath(kDefaultLedgerFile);
  if (setting.front() == '/') return setting;
  return uw::GetPrefixPath(setting);
}

std::string DefaultHostIni() {
  return std::string("[host]\nledger=") + kDefaultLedgerFile + "\nuser=" + kDefaultUserId + "\n";
}

std::string ReadHostSetting(const std::string& key) {
  std::string value;
  uw::ReadProfileString(HostIniPath(), "host", key, &value);
  return value;
}

}  // namespace talhost
