// talhost select DATANO [--user ID]: the company data a user works on.
#include "talhost/Commands.h"
#include "talhost/HostPaths.h"
#include "talhost/LedgerAccess.h"

namespace talhost {

int CommandSelect(const Arguments& args) {
  long long dataNo = 0;
  bool haveDataNo = false;
  std::string user = ReadHostSetting("user");
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--user") {
      if (i + 1 >= args.size()) return Complain(kExitUsage, "--user needs a user id");
      user = args[++i];
    } else if (!haveDataNo && ParseLong(args[i], &dataNo)) {
      haveDataNo = true;
    } else {
      return Complain(kExitUsage, "select DATANO [--user ID], not \"" + args[i] + "\"");
    }
  }
  if (!haveDataNo) return Complain(kExitUsage, "select needs a DATANO");
  if (user.empty()) return Complain(kExitUsage, "no current user in host.ini: give --user");

  Database db;
  std::string error;
  if (!OpenLedgerForCommand(db, true, &error)) return Complain(kExitFailed, error);
  Statement company(db, "SELECT name FROM company WHERE data_no = ?");
  company.Bind(1, dataNo);
  if (!company.Ok() || company.Step() != SQLITE_ROW) {
    return Complain(kExitFailed, "no company data " + std::to_string(dataNo) + " in the ledger");
  }
  const std::string name = company.Text(0);
  company.Reset();

  if (db.Exec("BEGIN") != SQLITE_OK) return Complain(kExitFailed, db.ErrorText());
  Statement addUser(db, "INSERT OR IGNORE INTO app_user (user_id) VALUES (?)");
  addUser.Bind(1, user);
  Statement select(db,
                   "INSERT INTO selection (user_id, first_no, data_no) VALUES (?1, 0, ?2) "
                   "ON CONFLICT (user_id) DO UPDATE SET data_no = excluded.data_no");
  select.Bind(1, user);
  select.Bind(2, dataNo);
  if (addUser.Step() != SQLITE_DONE || select.Step() != SQLITE_DONE) {
    const std::string reason = db.ErrorText();
    db.Exec("ROLLBACK");
    return Complain(kExitFailed, "cannot select: " + reason);
  }
  if (db.Exec("COMMIT") != SQLITE_OK) return Complain(kExitFailed, db.ErrorText());
  PrintLine(user + " selects " + std::to_string(dataNo) + " " + name);
  return 0;
}

}  // namespace talhost
