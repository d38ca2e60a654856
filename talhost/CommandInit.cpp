// talhost init [--demo]: makes a prefix that the host and the platform can
// use, keeping what exists; --demo replaces host.ini and the ledger with the
// demo.
#include <filesystem>
#include <stdexcept>

#include "platform/win/drive_map.h"
#include "platform/win/prefix.h"
#include "talhost/Commands.h"
#include "talhost/DemoLedger.h"
#include "talhost/HostPaths.h"
#include "talhost/IniWriter.h"
#include "talhost/LedgerBuilder.h"

namespace talhost {
namespace {

namespace fs = std::filesystem;

constexpr const char* kPlatformIni =
    "[drives]\n"
    "C=drive_c,fixed\n"
    "Z=/,fixed\n"
    "\n"
    "[ui]\n"
    "backend=auto\n";

// The host folders of a new prefix, on drive C:.
constexpr const char* kOutputFolder = "C:\\Tal\\Out\\";
constexpr const char* kEnvFolder = "C:\\Tal\\Env\\";
constexpr const char* kPackageName = "税務申告プログラム";

std::string HostIniText(const std::string& user) {
  return std::string("[host]\n") + "ledger=" + kDefaultLedgerFile + "\n" + "user=" + user + "\n" +
         "folder0=" + kOutputFolder + "\n" + "folder1=" + kEnvFolder + "\n" +
         "package=" + kPackageName + "\n" + "expsyslink=0\n" + "\n[faults]\n";
}

bool WriteIfMissing(const std::string& path, const std::string& content, bool replace) {
  std::error_code ec;
  if (!replace && fs::exists(path, ec)) return false;
  std::string error;
  if (!WriteFileAtomically(path, content, &error)) throw std::runtime_error(error);
  return true;
}

void MakeFolder(const std::string& path) {
  std::error_code ec;
  fs::create_directories(path, ec);
  if (!fs::is_directory(path, ec)) throw std::runtime_error("cannot create the folder " + path);
}

// The POSIX folder of a host folder setting, made when missing.
void MakeHostFolder(const char* winFolder) {
  std::string posix;
  if (!uw::WinPathToPosix(winFolder, &posix)) {
    throw std::runtime_error(std::string("the drive map has no place for ") + winFolder);
  }
  MakeFolder(posix);
}

}  // namespace

int CommandInit(const Arguments& args) {
  bool demo = false;
  for (const std::string& arg : args) {
    if (arg == "--demo") {
      demo = true;
    } else {
      return Complain(kExitUsage, "init takes only --demo, not \"" + arg + "\"");
    }
  }
  const std::string prefix = uw::GetPrefixFolder();
  try {
    MakeFolder(prefix);
    MakeFolder(prefix + "/drive_c");
    MakeFolder(prefix + "/windows");
    if (WriteIfMissing(prefix + "/platform.ini", kPlatformIni, false)) {
      PrintLine("created " + prefix + "/platform.ini");
    }
    if (WriteIfMissing(HostIniPath(), HostIniText(kDefaultUserId), demo)) {
      PrintLine("created " + HostIniPath());
    }
    MakeHostFolder(kOutputFolder);
    MakeHostFolder(kEnvFolder);
    std::error_code ec;
    const std::string ledger = LedgerPath(kDefaultLedgerFile);
    if (demo) {
      LedgerBuilder builder;
      BuildDemoLedger(builder);
      PrintLine("created " + ledger + " with the demo (user \"" + kDemoUserId +
                "\" selects company data 1)");
    } else if (!fs::exists(ledger, ec)) {
      LedgerBuilder builder;
      PrintLine("created " + ledger + " (empty)");
    }
  } catch (const std::exception& e) {
    return Complain(kExitFailed, e.what());
  }
  PrintLine("prefix " + prefix);
  return 0;
}

}  // namespace talhost
