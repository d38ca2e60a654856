// Benchmark of the report writer.
//
//   bench_report [--items N] [--runs R] [--keep]
//
// Builds a balance list of N items (default 1,000,000) shaped as the
// aggregation delivers it: runs of five accounts without sub-accounts, each
// followed by an account with three sub-accounts and its closing row. Then,
// R times each (default 5; the best run counts; the three take turns), in a fresh temporary
// prefix on the same file system:
//   1. ClUchiwakeXml::OutputXml writes the report, moving a shown headless
//      progress dialog, as the run does;
//   2. the floor of this design: the very bytes of that report written with
//      one write() call per line;
//   3. libxml2's xmlTextWriter writes the same document (same elements,
//      values and attributes; LF line ends; its own output buffer).
// It prints the three times and the ratio of 1 to 2, whose target is at
// most 1.5, and exits with 1 when the ratio is over it. --keep leaves the
// prefix and its files in place.
#include <fcntl.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/report/LibxmlReport.h"
#include "platform/ui/headless/HeadlessTesting.h"
#include "platform/ui/winuser.h"
#include "platform/win/text_convert.h"
#include "progress/SumProgressDlg.h"
#include "report/UchiwakeXml.h"
#include "resources/Edition.h"

namespace {

constexpr double kTargetRatio = 1.5;

struct Options {
  long items = 1000000;
  int runs = 5;
  bool keep = false;
};

bool ParseOptions(int argc, char** argv, Options* options) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--items" && i + 1 < argc) {
      options->items = std::atol(argv[++i]);
    } else if (arg == "--runs" && i + 1 < argc) {
      options->runs = std::atoi(argv[++i]);
    } else if (arg == "--keep") {
      options->keep = true;
    } else {
      return false;
    }
  }
  return options->items >= 0 && options->runs > 0;
}

StZandakaItem* NewItem(std::uint32_t code, const char* name, std::uint8_t hasSub,
                       std::int64_t amount) {
  auto* item = new StZandakaItem;
  std::memset(item, 0, sizeof(*item));
  item->code = code;
  std::snprintf(item->name, sizeof(item->name), "%s", name);
  item->hasSub = hasSub;
  item->amount = amount;
  return item;
}

// N items in groups of ten: five lone accounts, one account with three
// sub-accounts and its closing row. Account codes stay below 214,748 so
// that code * 10000 is a positive 32-bit number.
void BuildList(long items, ZandakaList* list) {
  static const char* const kNames[] = {"現金", "普通預金", "売掛金", "未払金&費用", "資本金"};
  static const char* const kSubNames[] = {"Ａ銀行", "Ｂ銀行", "Ｃ信用金庫"};
  std::uint32_t account = 100;
  for (long i = 0; static_cast<long>(list->size()) < items; ++i) {
    account = account >= 214000 ? 100 : account + 1;
    const std::uint32_t code = account * 10000;
    const std::int64_t amount = (i % 7 - 3) * 123456789000LL + i;
    if (i % 6 != 5) {
      list->push_back(NewItem(code, kNames[i % 5], 0, amount));
      continue;
    }
    list->push_back(NewItem(code, "普通預金", 1, amount));
    for (std::uint32_t sub = 1; sub <= 3; ++sub) {
      list->push_back(NewItem(code + sub, kSubNames[sub - 1], 0, amount / 3));
    }
    list->push_back(NewItem(code, "普通預金", 1, amount));
  }
  while (static_cast<long>(list->size()) > items) {  // the last group may overshoot
    delete list->back();
    list->pop_back();
  }
}

// Monotonic time in seconds. (<chrono> cannot be compiled with the CP932
// literals this file needs.)
double Now() {
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// The lines of `text`, each with its CR LF.
std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t end = text.find("\r\n", at);
    const std::size_t next = end == std::string::npos ? text.size() : end + 2;
    lines.push_back(text.substr(at, next - at));
    at = next;
  }
  return lines;
}

bool WriteLines(const std::string& path, const std::vector<std::string>& lines) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) return false;
  bool ok = true;
  for (const std::string& line : lines) {
    if (write(fd, line.data(), line.size()) != static_cast<ssize_t>(line.size())) ok = false;
  }
  return close(fd) == 0 && ok;
}

std::uintmax_t FileSize(const std::string& path) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  return error ? 0 : size;
}

std::string ReadAll(const std::string& path) {
  std::string text;
  if (FILE* file = std::fopen(path.c_str(), "rb")) {
    char buffer[1 << 16];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof(buffer), file)) > 0) text.append(buffer, n);
    std::fclose(file);
  }
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, &options)) {
    std::fprintf(stderr, "usage: bench_report [--items N] [--runs R] [--keep]\n");
    return 2;
  }

  std::string prefix = (std::filesystem::temp_directory_path() / "bench-report-XXXXXX").string();
  if (mkdtemp(prefix.data()) == nullptr) return 2;
  std::filesystem::create_directories(prefix + "/drive_c");
  setenv("UCHIWAKE_PREFIX", prefix.c_str(), 1);
  setenv("UCHIWAKE_UI", "headless", 1);
  const std::string reportPath = prefix + "/drive_c/report.xml";
  const std::string floorPath = prefix + "/drive_c/floor.xml";
  const std::string libxmlPath = prefix + "/drive_c/libxml.xml";

  ZandakaList list;
  BuildList(options.items, &list);
  StDATAINFO data;
  std::memset(&data, 0, sizeof(data));
  std::snprintf(data.companyName, sizeof(data.companyName), "%s", "ABC商事");
  data.periodStart = 20170401;
  data.periodEnd = 20180331;

  uw::headless::Start();
  CSumProgressDlg dlg;
  dlg.Create(CSumProgressDlg::IDD, nullptr);
  dlg.ShowWindow(SW_SHOW);
  dlg.InitBar();

  std::vector<std::string> names;
  std::string company;
  std::string label;
  if (benchreport::HaveLibxml()) {
    names.reserve(list.size());
    for (const StZandakaItem* item : list) names.push_back(uw::Cp932ToUtf8(item->name));
    company = uw::Cp932ToUtf8(ClUchiwakeXml::ConvertFullWidth(data.companyName));
    label = uw::Cp932ToUtf8(g_edition.productLabel);
  }

  // The three writers take turns, so that the page cache and the disk's
  // write-back treat them alike; the best run of each counts.
  // The working directory holds no SUPPORT.INF: the edition's defaults.
  std::filesystem::current_path(prefix + "/drive_c");
  double report = 1e9;
  double floor = 1e9;
  double libxml = benchreport::HaveLibxml() ? 1e9 : -1;
  std::vector<std::string> lines;
  for (int run = 0; run < options.runs; ++run) {
    ClUchiwakeXml xml;
    xml.progress = &dlg;
    xml.zandakaList = &list;
    xml.SetProgressBase(500);
    double start = Now();
    if (xml.OutputXml("C:\\report.xml", 1, &data) != 1) {
      std::fprintf(stderr, "OutputXml failed\n");
      return 2;
    }
    report = std::min(report, Now() - start);
    dlg.InitBar();
    uw::headless::TakeTranscript();

    if (run == 0) lines = SplitLines(ReadAll(reportPath));
    start = Now();
    if (!WriteLines(floorPath, lines)) return 2;
    floor = std::min(floor, Now() - start);

    if (libxml >= 0) {
      start = Now();
      if (!benchreport::WriteWithLibxml(libxmlPath, list, data, names, company, label)) return 2;
      libxml = std::min(libxml, Now() - start);
    }
  }

  const double ratio = report / floor;
  std::printf("items %ld, report %zu lines, %ju bytes; best of %d runs\n", options.items,
              lines.size(), FileSize(reportPath), options.runs);
  std::printf("  ClUchiwakeXml::OutputXml          %9.1f ms\n", report * 1000);
  std::printf("  write() per line (floor)          %9.1f ms\n", floor * 1000);
  if (libxml >= 0) {
    std::printf("  libxml2 xmlTextWriter             %9.1f ms  (%ju bytes, LF line ends)\n",
                libxml * 1000, FileSize(libxmlPath));
  } else {
    std::printf("  libxml2 xmlTextWriter             not built (libxml-2.0 not found)\n");
  }
  std::printf("  report / floor                    %9.2f  (target <= %.2f: %s)\n", ratio,
              kTargetRatio, ratio <= kTargetRatio ? "met" : "NOT MET");

  std::fflush(stdout);
  for (StZandakaItem* item : list) delete item;
  if (!options.keep) {
    std::filesystem::current_path("/");
    std::filesystem::remove_all(prefix);
  } else {
    std::printf("files kept in %s\n", prefix.c_str());
  }
  return ratio <= kTargetRatio ? 0 : 1;
}
