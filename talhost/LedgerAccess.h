// Opening the ledger of the prefix from the talhost command, for reading or
// for changing selections.
#pragma once

#include <string>

#include "talhost/Sqlite.h"

namespace talhost {

// Opens the ledger that host.ini names. False with `error` set when there
// is none or it is no ledger of this version.
bool OpenLedgerForCommand(Database& db, bool writable, std::string* error);

}  // namespace talhost
