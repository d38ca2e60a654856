// talhost: the stand-in host. Sets up a prefix, lists and selects company
// data, changes host settings, and runs a deliverable the way the host
// starts it. `talhost --help` explains every subcommand.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>

#include "talhost/Commands.h"

namespace {

constexpr const char* kHelp = R"(usage: talhost <command> [options]

Stand-in for the host accounting application. It keeps its ledger and
settings in a prefix folder: $UCHIWAKE_PREFIX, by default
$XDG_DATA_HOME/uchiwake (~/.local/share/uchiwake).

commands:
  init [--demo]
      Creates what is missing of the prefix: platform.ini (the default drive
      map C: = drive_c, Z: = /), host.ini, drive_c/, windows/, an empty
      ledger.db and the host folders C:\Tal\Out\ (type 0) and C:\Tal\Env\
      (type 1). Existing files are kept. With --demo, host.ini and ledger.db
      are replaced by the demo: two companies, the user "demo" selecting
      the first (an April-March company).

  list
      Lists the company data entries of the ledger; '*' marks the current
      user's selection.

  select DATANO [--user ID]
      Makes DATANO the selected company data of the user ID (default: the
      current user, [host] user of host.ini).

  set SECTION.KEY VALUE
      Sets a key of host.ini, e.g. "talhost set host.expsyslink 1" or
      "talhost set faults.move_next_error 9". An empty VALUE switches a
      fault off. Keys: see docs/talhost.md.

  run DELIVERABLE [--func N] [--path WINPATH] [--msg M] [--no-handshake]
                  [--tail TEXT] [--script FILE] [--timeout SECONDS]
      Opens the host window (an endpoint at <prefix>/windows/<handle>) and
      starts DELIVERABLE (a program beside talhost, or a path) with one
      argument, the handshake "<handle>,<M>,<N>,<WINPATH>" (M defaults to
      1025, N to 1, WINPATH to empty); --no-handshake passes no argument;
      --tail passes TEXT instead, as it is, with every "{window}" in it
      replaced by the handle (to try handshakes of other shapes).
      --script runs the deliverable headless (UCHIWAKE_UI=headless) with
      the user's actions from FILE (UCHIWAKE_UI_SCRIPT). The deliverable's
      output passes through. Prints one line for each thing it sends to the
      host window, in order:
        enabled 0 | enabled 1
        posted msg=<m> wparam=<w> lparam=<l>
      then, once it has ended:
        exit <status>          or    exit signal <n>
      With --timeout, a deliverable still running after SECONDS is killed
      (the line "timeout" comes before the exit line).

exit status:
  run: the lParam of the last message posted (values outside 0-255 give
  255), 3 when nothing was posted, 4 when the deliverable could not run.
  Other commands: 0 done, 1 failed. Wrong usage: 64.
)";

}  // namespace

namespace talhost {

int Complain(int status, const std::string& text) {
  std::fflush(stdout);
  std::fprintf(stderr, "talhost: %s\n", text.c_str());
  return status;
}

bool ParseLong(const std::string& text, long long* value) {
  if (text.empty()) return false;
  errno = 0;
  char* end = nullptr;
  const long long parsed = std::strtoll(text.c_str(), &end, 10);
  if (errno != 0 || end == text.c_str() || *end != '\0') return false;
  *value = parsed;
  return true;
}

void PrintLine(const std::string& line) {
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

}  // namespace talhost

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fputs(kHelp, stderr);
    return talhost::kExitUsage;
  }
  const std::string command = argv[1];
  const talhost::Arguments args(argv + 2, argv + argc);
  if (command == "--help" || command == "-h" || command == "help") {
    std::fputs(kHelp, stdout);
    return 0;
  }
  if (command == "init") return talhost::CommandInit(args);
  if (command == "list") return talhost::CommandList(args);
  if (command == "select") return talhost::CommandSelect(args);
  if (command == "set") return talhost::CommandSet(args);
  if (command == "run") return talhost::CommandRun(args);
  return talhost::Complain(talhost::kExitUsage,
                           "unknown command \"" + command + "\" (see talhost --help)");
}
