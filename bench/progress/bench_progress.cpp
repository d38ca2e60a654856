// How long the progress dialog takes to keep up with a run: 100,000 Pulse
// calls and the 1,007 Advance steps of a whole run (each with its own
// Pulse), on a shown dialog, first with real windows, then headless.
//
//   xvfb-run -a -s "-screen 0 1024x768x24" build/bench/bench_progress [repeats]
//
// Without a display only the headless figure is measured. Each figure is
// the median of `repeats` runs (default 5). Targets: real windows under 1
// second in all; headless at least 10 times faster, that is under 100 ms.
// The ratio of the two measured figures is printed as well: both backends
// pay the framework's share of the 2.7 million calls a run makes, so that
// ratio stays well below 10 once real windows coalesce their work. The exit
// status is 1 when a target is not met.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/ui/Backend.h"
#include "platform/ui/afxwin.h"
#include "platform/ui/headless/HeadlessTesting.h"
#include "progress/SumProgressDlg.h"

namespace {

constexpr int kPulses = 100000;
const short kBudget[][2] = {{0, 100},   {100, 300}, {300, 400}, {400, 500},
                            {500, 600}, {600, 700}, {700, 1000}};

// Seconds for one whole run on a fresh, shown dialog.
double OneRun() {
  CSumProgressDlg dlg;
  dlg.Create(CSumProgressDlg::IDD, nullptr);
  dlg.ShowWindow(SW_SHOW);
  dlg.InitBar();
  const auto start = std::chrono::steady_clock::now();
  // The pulses are spread over the budget as the rows of a run are.
  const int perRange = kPulses / static_cast<int>(std::size(kBudget));
  int pulses = 0;
  for (const auto& range : kBudget) {
    for (int i = 0; i < perRange; ++i, ++pulses) dlg.Pulse();
    dlg.Advance(range[0], range[1]);
  }
  for (; pulses < kPulses; ++pulses) dlg.Pulse();
  const auto end = std::chrono::steady_clock::now();
  dlg.Finish();
  return std::chrono::duration<double>(end - start).count();
}

double Median(int repeats) {
  std::vector<double> times;
  for (int i = 0; i < repeats; ++i) times.push_back(OneRun());
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

class CBenchApp : public CWinApp {
 public:
  BOOL InitInstance() override {
    const int repeats = m_lpCmdLine[0] != '\0' ? std::max(1, std::atoi(m_lpCmdLine)) : 5;
    const std::string backend = uw::ui::CurrentBackend().Name();
    std::printf("bench_progress: %d Pulse + 1007 Advance steps, median of %d runs\n", kPulses,
                repeats);
    double real = 0;
    if (backend == "wx") {
      real = Median(repeats);
      std::printf("  real windows (wx): %8.1f ms  (target < 1000 ms: %s)\n", real * 1000,
                  real < 1.0 ? "met" : "NOT MET");
    } else {
      std::printf("  real windows (wx): not measured, no display\n");
    }
    // The headless backend, its transcript kept in memory.
    uw::headless::Start();
    const double headless = Median(repeats);
    std::printf("  headless:          %8.1f ms  (target < 100 ms: %s)\n", headless * 1000,
                headless < 0.1 ? "met" : "NOT MET");
    if (real > 0) {
      std::printf("  real windows / headless: %.1f\n", real / headless);
    }
    m_nExit = (backend == "wx" && real >= 1.0) || headless >= 0.1 ? 1 : 0;
    return TRUE;
  }
  int ExitInstance() override { return m_nExit; }

 private:
  int m_nExit = 0;
};

CBenchApp theApp;

}  // namespace
