// Benchmark of the host stand-in's side of an aggregation: the summing rule
// delivering every row, and one account-master lookup per row, as the
// program makes them.
//
//   bench_talhost [--rows N] [--subs S] [--runs R]
//
// Builds a ledger of about N summary rows in a fresh temporary prefix:
// accounts with S sub-accounts each (the rows count closing rows too), each
// sub-account with an opening balance, both sides in every month and both
// closing periods (27 lines). Then, R times: MoveReady, GetSumCount,
// SetMovePos(0) and MoveNext to the end, and after each row GetCursor,
// ReadyCursor, WalkFind and ReleaseCursor for its code, as the program
// does. Reports the process CPU time and the wall time of the rule and of
// the lookups, per row, and the resident size.
#include <time.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "host/TalBCore.h"
#include "host/TalCmn.h"
#include "host/TalLink.h"
#include "talhost/LedgerBuilder.h"

namespace {

double CpuSeconds() {
  timespec t;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

double WallSeconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

long StatusKb(const char* key) {
  std::ifstream status("/proc/self/status");
  const std::string prefix = std::string(key) + ":";
  for (std::string line; std::getline(status, line);) {
    if (line.compare(0, prefix.size(), prefix) == 0) return std::atol(line.c_str() + prefix.size());
  }
  return -1;
}

struct Phase {
  double cpu = 0, wall = 0;
  void Start() {
    cpu = CpuSeconds();
    wall = WallSeconds();
  }
  void Stop() {
    cpu = CpuSeconds() - cpu;
    wall = WallSeconds() - wall;
  }
};

void BuildLedger(long rows, int subs) {
  talhost::LedgerBuilder ledger;
  ledger.BeginBatch();
  ledger.AddCompany({.dataNo = 1, .dataId = "BENCH", .name = "ベンチ株式会社"});
  ledger.SelectCompany(talhost::kDefaultUserId, 1);
  const long accounts = rows / (subs + 2) + 1;
  for (long a = 0; a < accounts; ++a) {
    const std::uint32_t code = static_cast<std::uint32_t>(1000000 + a * 10000);
    ledger.AddAccount(1, {.code = code, .name = "勘定科目" + std::to_string(a)});
    for (int s = 1; s <= subs; ++s) {
      ledger.AddAccount(1, {.code = code + s, .name = "補助科目 " + std::to_string(s)});
      const std::int64_t base = (a % 97 + s) * 10000LL * 1000;
      ledger.AddAmount(1, code + s, 0, 1, base * 10, base * 11);
      for (int month = 1; month <= 12; ++month) {
        ledger.AddAmount(1, code + s, month, 1, base + month, base + month * 2);
        ledger.AddAmount(1, code + s, month, 2, base / 2, base / 2 + month);
      }
      ledger.AddAmount(1, code + s, 15, 2, base, base);
      ledger.AddAmount(1, code + s, 18, 1, base, base);
    }
  }
  ledger.CommitBatch();
}

}  // namespace

int main(int argc, char** argv) {
  long rows = 100000;
  int subs = 9;
  int runs = 1;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--rows") == 0)
      rows = std::atol(argv[i + 1]);
    else if (std::strcmp(argv[i], "--subs") == 0)
      subs = std::atoi(argv[i + 1]);
    else if (std::strcmp(argv[i], "--runs") == 0)
      runs = std::atoi(argv[i + 1]);
  }
  if (rows <= 0 || subs <= 0 || runs <= 0) {
    std::fprintf(stderr, "usage: bench_talhost [--rows N] [--subs S] [--runs R]\n");
    return 64;
  }
  char folder[] = "/tmp/uchiwake-bench-talhost-XXXXXX";
  if (mkdtemp(folder) == nullptr) return 1;
  setenv("UCHIWAKE_PREFIX", folder, 1);
  Phase build;
  build.Start();
  BuildLedger(rows, subs);
  build.Stop();
  std::printf("ledger built in %.1f s (%s)\n", build.wall, folder);

  if (ClTalConnect::Inst()->Initiate() != 0) return 1;
  auto* kamoku =
      static_cast<ClSetKamoku*>(ClDataMgr::Inst()->GetSetObject(ClDataMgr::SET_KAMOKU, 1));
  const long rssBefore = StatusKb("VmRSS");
  for (int run = 0; run < runs; ++run) {
    StFINDINFO condition[4] = {};
    condition[0].fieldId = condition[1].fieldId = FIND_FIELD_MONTH;
    condition[0].valueType = condition[1].valueType = FIND_VALUE_INT16;
    condition[0].compareOp = FIND_OP_NOT_LESS;
    condition[0].value.value16 = 1;
    condition[0].nextLink = FIND_LINK_AND;
    condition[1].compareOp = FIND_OP_NOT_GREATER;
    condition[1].value.value16 = 12;

    // The rows and, between them, one master lookup per row, as the
    // program interleaves them; the two are timed apart.
    Phase read, lookup;
    double lookupCpu = 0, lookupWall = 0;
    read.Start();
    std::unique_ptr<ClRuleKamoku> rule(new (std::nothrow) ClRuleKamoku);
    rule->AttachSetMgr(ClDataMgr::Inst()->GetSetMgr());
    rule->SetCurDataID("BENCH");
    rule->MoveReady(1, 0, 0, condition, nullptr, 0);
    TULONG count = 0;
    rule->GetSumCount(&count);
    rule->SetMovePos(0);
    StKAMOKUSUMINFO row;
    std::int64_t check = 0;
    long rowsRead = 0, found = 0;
    while (rule->MoveNext(&row) == 0) {
      ++rowsRead;
      check += row.side1Excl[1];
      lookup.Start();
      const std::uint32_t code = row.code;
      StFINDINFO find{};
      find.fieldId = FIND_FIELD_KAMOKU_CODE;
      find.compareOp = FIND_OP_EQUAL;
      find.valueType = FIND_VALUE_INT32;
      find.value.value32 = static_cast<std::int32_t>(code);
      StKAMOKUINFO info{};
      TULONG cursor = 0;
      kamoku->GetCursor(&cursor);
      kamoku->ReadyCursor(cursor);
      if (kamoku->WalkFind(&find, &info, cursor) == 0 && info.code == code) ++found;
      kamoku->ReleaseCursor(cursor);
      lookup.Stop();
      lookupCpu += lookup.cpu;
      lookupWall += lookup.wall;
    }
    rule->MoveFinish();
    rule.reset();
    read.Stop();
    lookup.cpu = lookupCpu;
    lookup.wall = lookupWall;
    read.cpu -= lookupCpu;
    read.wall -= lookupWall;

    const double n = static_cast<double>(rowsRead);
    std::printf(
        "RESULT rows=%ld (count %u) rule_cpu_ms=%.1f rule_wall_ms=%.1f rule_us_per_row=%.2f "
        "lookup_cpu_ms=%.1f lookup_wall_ms=%.1f lookup_us_per_row=%.2f found=%ld "
        "rss_before_mb=%.1f peak_rss_mb=%.1f check=%lld\n",
        rowsRead, count, read.cpu * 1e3, read.wall * 1e3, read.cpu * 1e6 / n, lookup.cpu * 1e3,
        lookup.wall * 1e3, lookup.cpu * 1e6 / n, found, rssBefore / 1024.0,
        StatusKb("VmHWM") / 1024.0, static_cast<long long>(check));
  }
  ClTalConnect::Inst()->Release();
  std::error_code ec;
  std::filesystem::remove_all(folder, ec);
  return 0;
}
