// One report run for tests: a fresh prefix with drive C: as the current
// folder (where SUPPORT.INF is looked for), the headless backend, a shown
// progress dialog whose calls are recorded, a balance list and a company
// data record, and ClUchiwakeXml wired to them with the base 500.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "aggregate/ZandakaList.h"
#include "host/HostRecords.h"
#include "progress/SumProgressDlg.h"
#include "report/UchiwakeXml.h"
#include "tests/report/ReportTestSupport.h"
#include "tests/support/TempPrefix.h"

namespace reporttest {

// What the progress dialog received since the last look.
struct ProgressSeen {
  int overallSteps = 0;  // steps of the overall bar: the sum of to - from + 1 of every Advance
  int pulses = 0;        // Pulse calls made by the report itself (those inside Advance left out)
};

class ReportRun {
 public:
  static constexpr const char* kOutPath = "C:\\out.xml";

  ReportRun();
  ~ReportRun();
  ReportRun(const ReportRun&) = delete;
  ReportRun& operator=(const ReportRun&) = delete;

  // Appends a balance list item.
  void Add(std::uint32_t code, const char* name, std::uint8_t hasSub, std::int64_t amount);
  // Deletes every item.
  void ClearList();

  // OutputXml to kOutPath with `nFuncId` and the data record.
  int Write(short nFuncId = 1);
  // The report file's bytes.
  std::string Output() const { return m_prefix.ReadFile("drive_c/out.xml"); }
  // POSIX path of the report file.
  std::string OutputPath() const { return m_prefix.DriveC() + "/out.xml"; }
  // Writes SUPPORT.INF into the current folder.
  void WriteSupport(const std::string& bytes) const {
    m_prefix.WriteFile("drive_c/SUPPORT.INF", bytes);
  }
  // The progress calls since the last look.
  ProgressSeen TakeProgress();

  uwtest::TempPrefix m_prefix;
  ScopedCurrentFolder m_folder;
  CSumProgressDlg m_dlg;
  ZandakaList m_list;
  StDATAINFO m_data;
  ClUchiwakeXml m_xml;
};

// The line of `text` (without its CR LF) that holds `needle`; "" when none.
std::string LineWith(const std::string& text, const std::string& needle);

// The text between "<name>" and "</name>" on every line that holds that
// element, in order.
std::vector<std::string> ElementTexts(const std::string& text, const std::string& name);

}  // namespace reporttest
