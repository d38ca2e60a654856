#include "tests/report/ReportRun.h"

#include <cstring>
#include <vector>

#include "platform/ui/commctrl.h"
#include "platform/ui/headless/HeadlessTesting.h"

namespace reporttest {

namespace {

constexpr int kOverallBar = 1016;
constexpr int kActivityBar = 1017;

}  // namespace

ReportRun::ReportRun() : m_folder(m_prefix.DriveC()) {
  uw::headless::Start();
  m_dlg.Create(CSumProgressDlg::IDD, nullptr);
  m_dlg.ShowWindow(SW_SHOW);
  m_dlg.InitBar();
  uw::headless::RecordCalls(true);
  uw::headless::TakeCalls();
  uw::headless::TakeTranscript();

  std::memset(&m_data, 0, sizeof(m_data));
  m_data.periodStart = 20170401;
  m_data.periodEnd = 20180331;
  m_xml.progress = &m_dlg;
  m_xml.zandakaList = &m_list;
  m_xml.SetProgressBase(500);
}

ReportRun::~ReportRun() {
  uw::headless::RecordCalls(false);
  ClearList();
}

void ReportRun::Add(std::uint32_t code, const char* name, std::uint8_t hasSub,
                    std::int64_t amount) {
  auto* item = new StZandakaItem;
  std::memset(item, 0, sizeof(*item));
  item->code = code;
  std::strncpy(item->name, name, sizeof(item->name) - 1);
  item->hasSub = hasSub;
  item->amount = amount;
  m_list.push_back(item);
}

void ReportRun::ClearList() {
  for (StZandakaItem* item : m_list) delete item;
  m_list.clear();
}

int ReportRun::Write(short nFuncId) { return m_xml.OutputXml(kOutPath, nFuncId, &m_data); }

ProgressSeen ReportRun::TakeProgress() {
  ProgressSeen seen;
  int activityRuns = 0;
  for (const uw::ui::RecordedCall& call : uw::headless::TakeCalls()) {
    if (call.control == kOverallBar && call.message == PBM_STEPIT) ++seen.overallSteps;
    if (call.control == kActivityBar && call.message == PBM_SETPOS && call.wParam == 0) {
      ++activityRuns;
    }
  }
  // Every step of Advance runs Pulse once as well.
  seen.pulses = activityRuns - seen.overallSteps;
  return seen;
}

std::string LineWith(const std::string& text, const std::string& needle) {
  const std::size_t at = text.find(needle);
  if (at == std::string::npos) return "";
  const std::size_t start = text.rfind('\n', at);
  const std::size_t begin = start == std::string::npos ? 0 : start + 1;
  const std::size_t end = text.find("\r\n", at);
  return text.substr(begin, end == std::string::npos ? std::string::npos : end - begin);
}

std::vector<std::string> ElementTexts(const std::string& text, const std::string& name) {
  std::vector<std::string> texts;
  const std::string open = "<" + name + ">";
  const std::string close = "</" + name + ">";
  for (std::size_t at = text.find(open); at != std::string::npos; at = text.find(open, at + 1)) {
    const std::size_t begin = at + open.size();
    const std::size_t end = text.find(close, begin);
    if (end == std::string::npos) break;
    texts.push_back(text.substr(begin, end - begin));
  }
  return texts;
}

}  // namespace reporttest
