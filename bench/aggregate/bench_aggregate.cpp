// Benchmark of the balance aggregation, host included.
//
//   bench_aggregate [--rows N] [--subs S] [--runs R] [--keep]
//   bench_aggregate --series 10000,100000,1000000
//
// Builds a ledger of about N summary rows in a fresh temporary prefix
// (accounts with S sub-accounts each, amounts on both sides in every month,
// an opening balance and both closing periods), then runs
// ClUchiwakeSum::Aggregate over it R times with a headless progress dialog,
// exactly as the run does, and reports for each run:
//   - the wall time of Aggregate, split into the time inside the host calls,
//     inside the progress dialog, and the program's own remainder;
//   - the program's heap: bytes it allocated (list and items) per reported
//     row, as requested and as the C library's allocator lays them out;
//   - the peak resident size of the process during the aggregation.
// --series runs one child process per size and prints one table.
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "aggregate/FindCondition.h"
#include "aggregate/UchiwakeSum.h"
#include "bench/aggregate/BenchHooks.h"
#include "host/TalBCore.h"
#include "host/TalCmn.h"
#include "host/TalLink.h"
#include "platform/ui/headless/HeadlessTesting.h"
#include "progress/SumProgressDlg.h"
#include "talhost/LedgerBuilder.h"

extern char** environ;

namespace {

struct Options {
  long rows = 100000;
  int subs = 9;
  int runs = 1;
  bool keep = false;
  std::string series;
};

// A value of /proc/self/status in kB ("VmHWM", "VmRSS"); -1 when unknown.
long StatusKb(const char* key) {
  std::ifstream status("/proc/self/status");
  std::string line;
  const std::string prefix = std::string(key) + ":";
  while (std::getline(status, line)) {
    if (line.compare(0, prefix.size(), prefix) == 0) return std::atol(line.c_str() + prefix.size());
  }
  return -1;
}

// Restarts the peak resident size (VmHWM) from the current size.
bool ResetPeakRss() {
  std::ofstream clear("/proc/self/clear_refs");
  clear << "5";
  clear.flush();
  return clear.good();
}

// Bytes the C library's allocator takes for a request of `size` bytes on
// 64-bit glibc: the request plus an 8-byte size word, in 16-byte steps, at
// least 32.
std::int64_t HeapFootprint(std::int64_t size) {
  const std::int64_t chunk = (size + 8 + 15) & ~std::int64_t{15};
  return chunk < 32 ? 32 : chunk;
}

struct LedgerShape {
  long groups = 0;   // accounts with sub-accounts
  long singles = 0;  // accounts without
  long amountLines = 0;
};

// Deterministic amounts: a small linear congruential generator.
std::uint64_t g_seed = 12345;
std::int64_t NextAmount() {
  g_seed = g_seed * 6364136223846793005ULL + 1442695040888963407ULL;
  return static_cast<std::int64_t>((g_seed >> 33) % 50000000) * 100;  // up to 500,000 units
}

void AddLeafAmounts(talhost::LedgerBuilder& ledger, TULONG code, LedgerShape& shape) {
  auto add = [&](int month, int side) {
    const std::int64_t excl = NextAmount();
    ledger.AddAmount(1, code, month, side, excl, excl + excl / 10);
    ++shape.amountLines;
  };
  add(0, 1);
  for (int month = 1; month <= 12; ++month) {
    add(month, 1);
    add(month, 2);
  }
  add(15, 1);
  add(18, 2);
}

// Company 1, April to March, selected by the current user; about `rows`
// summary rows: groups of an account, `subs` sub-accounts and the closing
// row, then single accounts for the remainder.
LedgerShape BuildLedger(long rows, int subs) {
  talhost::LedgerBuilder ledger;
  ledger.AddCompany({.dataNo = 1, .name = "株式会社ベンチマーク"});
  ledger.SelectCompany(talhost::kDefaultUserId, 1);
  LedgerShape shape;
  const long groupRows = subs + 2;
  shape.groups = subs > 0 ? rows / groupRows : 0;
  shape.singles = rows - shape.groups * groupRows;
  ledger.BeginBatch();
  TULONG account = 100000;
  char name[64];
  for (long g = 0; g < shape.groups; ++g, ++account) {
    std::snprintf(name, sizeof name, "売上債権勘定科目%06ld", g);
    ledger.AddAccount(1, {.code = account * 10000, .name = name, .kind = 0, .balanceSide = 1});
    for (int s = 1; s <= subs; ++s) {
      std::snprintf(name, sizeof name, "取引先%06ld-%d", g, s);
      const TULONG code = account * 10000 + static_cast<TULONG>(s);
      ledger.AddAccount(1, {.code = code, .name = name, .kind = 1, .balanceSide = 1});
      AddLeafAmounts(ledger, code, shape);
    }
  }
  for (long i = 0; i < shape.singles; ++i, ++account) {
    std::snprintf(name, sizeof name, "費用%06ld", i);
    ledger.AddAccount(1, {.code = account * 10000, .name = name, .kind = 0, .balanceSide = 2});
    AddLeafAmounts(ledger, account * 10000, shape);
  }
  ledger.CommitBatch();
  return shape;
}

// Nanoseconds that one timed call adds (two clock readings), measured.
double TimerOverheadNanos() {
  constexpr int kReadings = 1000000;
  const std::int64_t start = bench::NowNanos();
  std::int64_t sink = 0;
  for (int i = 0; i < kReadings; ++i) sink += bench::NowNanos() & 1;
  const std::int64_t end = bench::NowNanos();
  return 2.0 * static_cast<double>(end - start + (sink & 0)) / kReadings;
}

struct RunResult {
  int result = 0;
  std::size_t items = 0;
  double totalMs = 0, hostMs = 0, uiMs = 0, programMs = 0;
  double rowsMs = 0, masterMs = 0;
  std::int64_t hostCalls = 0;
  std::int64_t timedCalls = 0;
  std::int64_t programBytes = 0;      // requested, alive after the run
  std::int64_t programFootprint = 0;  // as the allocator lays them out
  long peakRssKb = 0, rssBeforeKb = 0;
};

RunResult AggregateOnce(const StDATAINFO& dataInfo) {
  StFINDINFO findInfo[SUM_FIND_ENTRIES];
  std::memset(findInfo, 0, sizeof findInfo);
  BuildFindInfo(findInfo, dataInfo, 4, 3);  // the whole year with the year end

  CSumProgressDlg dlg;
  dlg.Create(CSumProgressDlg::IDD, nullptr);
  dlg.ShowWindow(SW_SHOW);
  dlg.InitBar();
  ZandakaList list;
  ClUchiwakeSum sum;
  sum.progress = &dlg;
  sum.zandakaList = &list;

  RunResult r;
  r.rssBeforeKb = StatusKb("VmRSS");
  ResetPeakRss();
  bench::ResetCounters();
  const std::int64_t programLiveBefore = bench::CurrentCounters().liveBytes[bench::kProgram];
  bench::SetTiming(true);
  const std::int64_t start = bench::NowNanos();
  r.result = sum.Aggregate(0, findInfo, dataInfo);
  const std::int64_t end = bench::NowNanos();
  bench::SetTiming(false);
  const bench::Counters& c = bench::CurrentCounters();
  r.peakRssKb = StatusKb("VmHWM");
  r.items = list.size();
  r.totalMs = (end - start) / 1e6;
  r.rowsMs = c.nanos[bench::kHostRows] / 1e6;
  r.masterMs = c.nanos[bench::kHostMaster] / 1e6;
  r.hostMs = r.rowsMs + r.masterMs + c.nanos[bench::kHostOther] / 1e6;
  r.uiMs = c.nanos[bench::kUi] / 1e6;
  r.programMs = r.totalMs - r.hostMs - r.uiMs;
  for (int a = 0; a < bench::kAccounts; ++a) r.timedCalls += c.calls[a];
  r.hostCalls =
      c.calls[bench::kHostRows] + c.calls[bench::kHostMaster] + c.calls[bench::kHostOther];
  r.programBytes = c.liveBytes[bench::kProgram] - programLiveBefore;
  r.programFootprint = HeapFootprint(static_cast<std::int64_t>(list.capacity() * sizeof(void*)));
  for (StZandakaItem* item : list) r.programFootprint += HeapFootprint(sizeof *item);

  for (StZandakaItem* item : list) delete item;
  sum.progress = nullptr;
  dlg.Finish();
  return r;
}

// The temporary prefix of one run; removed at the end unless kept.
class TemporaryPrefix {
 public:
  explicit TemporaryPrefix(bool keep) : m_bKeep(keep) {
    char folder[] = "/tmp/uchiwake-bench-XXXXXX";
    if (mkdtemp(folder) != nullptr) m_strPath = folder;
  }
  ~TemporaryPrefix() {
    if (m_strPath.empty()) return;
    if (m_bKeep) {
      std::printf("prefix kept: %s\n", m_strPath.c_str());
      return;
    }
    std::error_code ignored;
    std::filesystem::remove_all(m_strPath, ignored);
  }
  const std::string& Path() const { return m_strPath; }

 private:
  bool m_bKeep;
  std::string m_strPath;
};

int RunOne(const Options& options) {
  const TemporaryPrefix prefix(options.keep);
  if (prefix.Path().empty()) {
    std::perror("mkdtemp");
    return 1;
  }
  setenv("UCHIWAKE_PREFIX", prefix.Path().c_str(), 1);
  uw::headless::Start();

  const std::int64_t buildStart = bench::NowNanos();
  const LedgerShape shape = BuildLedger(options.rows, options.subs);
  const double buildS = (bench::NowNanos() - buildStart) / 1e9;

  ClTalConnect* connect = ClTalConnect::Inst();
  connect->SetUseDataType(1);
  if (connect->Initiate() != 0) {
    std::fprintf(stderr, "cannot connect to the host in %s\n", prefix.Path().c_str());
    return 1;
  }
  const StDATAINFO dataInfo =
      *static_cast<ClSetData*>(ClDataMgr::Inst()->GetSetObject(ClDataMgr::SET_DATA, 1))
           ->GetSelectedInfo();

  std::printf(
      "ledger: %ld accounts with %d sub-accounts, %ld without; %ld amount lines; "
      "built in %.1f s\n",
      shape.groups, options.subs, shape.singles, shape.amountLines, buildS);
  const double timerNanos = TimerOverheadNanos();
  for (int i = 0; i < options.runs; ++i) {
    const RunResult r = AggregateOnce(dataInfo);
    // The clock readings around each timed call fall partly outside the
    // call: at most this much of the program's share is the measuring.
    const double timerMs = r.timedCalls * timerNanos / 1e6;
    const double rows = r.items > 0 ? static_cast<double>(r.items) : 1.0;
    std::printf(
        "RESULT rows=%zu result=%d total_ms=%.1f host_ms=%.1f (rows %.1f, master %.1f) "
        "progress_ms=%.1f program_ms=%.1f (of it timing <= %.1f) "
        "host_calls=%lld program_bytes_per_row=%.1f program_heap_per_row=%.1f "
        "rss_before_mb=%.1f peak_rss_mb=%.1f per_row_us: total=%.2f host=%.2f program=%.2f\n",
        r.items, r.result, r.totalMs, r.hostMs, r.rowsMs, r.masterMs, r.uiMs, r.programMs, timerMs,
        static_cast<long long>(r.hostCalls), r.programBytes / rows, r.programFootprint / rows,
        r.rssBeforeKb / 1024.0, r.peakRssKb / 1024.0, r.totalMs * 1000 / rows,
        r.hostMs * 1000 / rows, r.programMs * 1000 / rows);
    std::fflush(stdout);
  }

  connect->LogOut();
  connect->Terminate();
  connect->Release();
  return 0;
}

// Runs this program once per size in `series` and prints their results.
int RunSeries(const Options& options) {
  std::stringstream sizes(options.series);
  std::string size;
  while (std::getline(sizes, size, ',')) {
    const std::string subs = std::to_string(options.subs);
    const std::string runs = std::to_string(options.runs);
    std::vector<std::string> args = {"bench_aggregate", "--rows", size, "--subs", subs,
                                     "--runs",          runs};
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    int pipeFds[2];
    if (pipe(pipeFds) != 0) return 1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 1);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    pid_t child = 0;
    const int rc = posix_spawn(&child, "/proc/self/exe", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    if (rc != 0) return 1;
    std::string output;
    char buffer[4096];
    ssize_t n;
    while ((n = read(pipeFds[0], buffer, sizeof buffer)) > 0) output.append(buffer, n);
    close(pipeFds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    std::fputs(output.c_str(), stdout);
    std::fflush(stdout);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--rows" && hasValue) {
      options.rows = std::atol(argv[++i]);
    } else if (arg == "--subs" && hasValue) {
      options.subs = std::atoi(argv[++i]);
    } else if (arg == "--runs" && hasValue) {
      options.runs = std::atoi(argv[++i]);
    } else if (arg == "--series" && hasValue) {
      options.series = argv[++i];
    } else if (arg == "--keep") {
      options.keep = true;
    } else {
      std::fprintf(stderr,
                   "usage: bench_aggregate [--rows N] [--subs S] [--runs R] [--keep]\n"
                   "       bench_aggregate --series N1,N2,... [--subs S] [--runs R]\n");
      return 2;
    }
  }
  if (options.rows <= 0 || options.subs < 0 || options.runs <= 0) {
    std::fprintf(stderr, "rows and runs must be positive, subs not negative\n");
    return 2;
  }
  return options.series.empty() ? RunOne(options) : RunSeries(options);
}
