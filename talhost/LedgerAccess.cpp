#include "talhost/LedgerAccess.h"

#include <filesystem>

#include "talhost/HostPaths.h"
#include "talhost/LedgerSchema.h"

namespace talhost {

bool OpenLedgerForCommand(Database& db, bool writable, std::string* error) {
  const std::string path = LedgerPath(ReadHostSetting("ledger"));
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) {
    *error = "no ledger at " + path + " (talhost init makes one)";
    return false;
  }
  if (db.Open(path, writable ? SQLITE_OPEN_READWRITE : SQLITE_OPEN_READONLY) != SQLITE_OK) {
    *error = "cannot open " + path + ": " + db.ErrorText();
    return false;
  }
  Statement version(db, "PRAGMA user_version");
  if (!version.Ok() || version.Step() != SQLITE_ROW) {
    *error = path + " is no ledger: " + db.ErrorText();
    return false;
  }
  if (version.Int(0) != kLedgerSchemaVersion) {
    *error = path + " is a ledger of version " + std::to_string(version.Int(0)) + ", not " +
             std::to_string(kLedgerSchemaVersion);
    return false;
  }
  if (writable) db.Exec("PRAGMA foreign_keys = ON");
  return true;
}

}  // namespace talhost
