// Benchmark of the whole program as a user starts it: `talhost run` of a
// real deliverable, headless, in a fresh temporary prefix.
//
//   bench_app [--runs R] [--rows N]
//
// Reports, as the median of R runs (default 10):
//   startup_ms  from starting `talhost run` until the deliverable's
//               transcript says the conditions dialog is shown;
//   demo_ms     a whole run on the demo ledger (conditions accepted, report
//               written, result posted, talhost ended);
//   rows_ms     a whole run on a generated ledger of about N summary rows
//               (default 100,000: accounts with sub-accounts, amounts in
//               every month), N/A with --rows 0.
// Programs are looked for beside this one (the build's bin folder).

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "talhost/LedgerBuilder.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

std::string g_binFolder;

double MsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Runs talhost with `args`; returns the milliseconds until `marker` first
// appeared in its output (or until it ended when `marker` is empty), and
// the total in `totalMs`. Exits on failure.
double RunTalhost(const std::vector<std::string>& args, const std::string& marker,
                  double* totalMs) {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) std::exit(2);
  const Clock::time_point start = Clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(fds[1], STDOUT_FILENO);
    dup2(fds[1], STDERR_FILENO);
    std::vector<char*> argv;
    std::string talhost = g_binFolder + "/talhost";
    argv.push_back(talhost.data());
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  close(fds[1]);
  std::string output;
  double markerMs = -1;
  char buffer[4096];
  for (;;) {
    const ssize_t got = read(fds[0], buffer, sizeof(buffer));
    if (got <= 0) break;
    output.append(buffer, static_cast<std::size_t>(got));
    if (markerMs < 0 && !marker.empty() && output.find(marker) != std::string::npos) {
      markerMs = MsSince(start);
    }
  }
  close(fds[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  *totalMs = MsSince(start);
  if (!marker.empty() && markerMs < 0) {
    std::fprintf(stderr, "bench_app: \"%s\" never appeared:\n%s\n", marker.c_str(),
                 output.c_str());
    std::exit(1);
  }
  return marker.empty() ? *totalMs : markerMs;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
}

// Company 1 (April to March) with about `rows` summary rows: groups of an
// account, four sub-accounts and the closing row, each with an opening
// balance and both sides of every month.
void BuildLargeLedger(long rows) {
  talhost::LedgerBuilder ledger;
  ledger.AddCompany({.dataNo = 1, .name = "大量データ株式会社"});
  ledger.SelectCompany("bench", 1, 1);
  ledger.SetHost("user", "bench");
  ledger.SetHost("folder0", "C:\\Out\\");
  ledger.SetHost("folder1", "C:\\Env\\");
  ledger.BeginBatch();
  const long groups = std::max(1L, rows / 6);
  for (long g = 0; g < groups; ++g) {
    const TULONG account = static_cast<TULONG>(100 + g) * 10000;
    ledger.AddAccount(1, {.code = account, .name = "勘定科目" + std::to_string(g)});
    for (TULONG sub = 1; sub <= 4; ++sub) {
      ledger.AddAccount(1, {.code = account + sub, .name = "補助" + std::to_string(sub)});
      ledger.AddAmount(1, account + sub, 0, 1, 1000000, 1100000);
      for (int month = 1; month <= 12; ++month) {
        ledger.AddAmount(1, account + sub, month, 1, 50000 * month, 55000 * month);
        ledger.AddAmount(1, account + sub, month, 2, 20000 * month, 22000 * month);
      }
    }
  }
  ledger.CommitBatch();
}

}  // namespace

int main(int argc, char** argv) {
  int runs = 10;
  long rows = 100000;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    if (option == "--runs") runs = std::max(1, std::atoi(argv[i + 1]));
    if (option == "--rows") rows = std::atol(argv[i + 1]);
  }
  g_binFolder = fs::canonical("/proc/self/exe").parent_path().string();

  char pattern[] = "/tmp/uchiwake-bench-app-XXXXXX";
  if (mkdtemp(pattern) == nullptr) return 2;
  const std::string prefix = pattern;
  setenv("UCHIWAKE_PREFIX", prefix.c_str(), 1);
  const std::string script = prefix + "/accept.script";

  double total = 0;
  RunTalhost({"init", "--demo"}, "", &total);
  std::vector<double> startup, demo;
  for (int run = 0; run < runs; ++run) {
    // The dry script closes the dialog right after it is shown.
    WriteFile(script, "");
    startup.push_back(
        RunTalhost({"run", "TalGrn19ToUG13_U", "--script", script}, "dialog 130 shown", &total));
    WriteFile(script, "type 1015 C:\\Tal\\Out\\bench" + std::to_string(run) +
                          ".xml\nkey F12\nanswer ok\n");
    demo.push_back(
        RunTalhost({"run", "TalGrn19ToUG13_U", "--script", script}, "posted msg=", &total));
    demo.back() = total;
  }
  std::printf("startup_ms %.1f\ndemo_ms %.1f\n", Median(startup), Median(demo));

  if (rows > 0) {
    fs::remove_all(prefix);
    fs::create_directories(prefix + "/drive_c/Out");
    BuildLargeLedger(rows);
    std::vector<double> large;
    for (int run = 0; run < std::min(runs, 3); ++run) {
      WriteFile(script, "type 1015 C:\\Out\\big" + std::to_string(run) +
                            ".xml\nkey F12\nanswer ok\n");
      RunTalhost({"run", "TalGrn19ToUG13_U", "--script", script}, "posted msg=", &total);
      large.push_back(total);
    }
    std::printf("rows %ld rows_ms %.1f\n", rows, Median(large));
  }
  fs::remove_all(prefix);
  return 0;
}
