// Where the host stand-in keeps its files inside the prefix.
//
//   <prefix>/host.ini    the host settings ([host], [faults]), UTF-8
//   <prefix>/ledger.db   the ledger (the [host] ledger key may name another
//                        file, relative to the prefix or absolute)
//
// host.ini is read when a value is needed, not once: a test or the talhost
// command may change it at any time. Only [host] user is kept, by the
// session, from Initiate to Release.
#pragma once

#include <string>

namespace talhost {

// The user that a fresh host.ini names as the current user.
constexpr const char* kDefaultUserId = "user1";
// The ledger file a fresh host.ini names.
constexpr const char* kDefaultLedgerFile = "ledger.db";

// POSIX path of <prefix>/host.ini for the prefix chosen now.
std::string HostIniPath();

// POSIX path of the ledger named by the [host] ledger value `setting`:
// empty gives <prefix>/ledger.db, a relative name is taken inside the
// prefix, an absolute path stays as it is.
std::string LedgerPath(const std::string& setting);

// The text of a fresh host.ini: the ledger file and the default user.
std::string DefaultHostIni();

// The value of [host] `key` in host.ini as the file holds it now (UTF-8),
// "" when the file or the key is missing.
std::string ReadHostSetting(const std::string& key);

}  // namespace talhost
