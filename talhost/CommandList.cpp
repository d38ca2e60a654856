// talhost list: the company data entries of the ledger.
#include <cstdio>

#include "talhost/Commands.h"
#include "talhost/HostPaths.h"
#include "talhost/LedgerAccess.h"

namespace talhost {
namespace {

std::string FormatDate(long long date) {
  char text[64];
  std::snprintf(text, sizeof(text), "%04lld/%02lld/%02lld", date / 10000, date / 100 % 100,
                date % 100);
  return text;
}

}  // namespace

int CommandList(const Arguments& args) {
  if (!args.empty()) return Complain(kExitUsage, "list takes no arguments");
  Database db;
  std::string error;
  if (!OpenLedgerForCommand(db, false, &error)) return Complain(kExitFailed, error);

  const std::string user = ReadHostSetting("user");
  Statement companies(db,
                      "SELECT c.data_no, c.data_id, c.period_start, c.period_end, "
                      "c.half_year_closing, c.data_kind, c.tax_inclusive, c.name, "
                      "EXISTS (SELECT 1 FROM selection s WHERE s.user_id = ?1 "
                      "AND s.data_no = c.data_no) FROM company c ORDER BY c.data_no");
  if (!companies.Ok()) return Complain(kExitFailed, db.ErrorText());
  companies.Bind(1, user);
  PrintLine("  dataNo  dataId           period                 half  kind  tax   name");
  int rc;
  while ((rc = companies.Step()) == SQLITE_ROW) {
    char line[256];
    std::snprintf(line, sizeof(line), "%c %-7lld %-16s %s-%s  %-4lld  %-4lld  %-4s  ",
                  companies.Int(8) != 0 ? '*' : ' ', static_cast<long long>(companies.Int(0)),
                  companies.Text(1).c_str(), FormatDate(companies.Int(2)).c_str(),
                  FormatDate(companies.Int(3)).c_str(), static_cast<long long>(companies.Int(4)),
                  static_cast<long long>(companies.Int(5)),
                  companies.Int(6) != 0 ? "incl" : "excl");
    PrintLine(line + companies.Text(7));
  }
  if (rc != SQLITE_DONE) return Complain(kExitFailed, db.ErrorText());
  PrintLine("current user: " + (user.empty() ? std::string("(none)") : user));
  return 0;
}

}  // namespace talhost
