// Shared set-up of the conditions dialog's tests: a fresh prefix with a
// ledger of one company selected by the current user, the host connection,
// a dialog filled as the aggregation run fills it, and a run of it through
// the headless backend with a script of the user's actions.
//
// Texts: the tests' literals are CP932, as the program's are; the headless
// transcript is UTF-8, so expectations go through Utf8() before they are
// looked for in it.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "conditions/SumCondDlg.h"
#include "host/TalBCore.h"
#include "host/TalCmn.h"
#include "host/TalLink.h"
#include "platform/ui/headless/HeadlessTesting.h"
#include "platform/win/text_convert.h"
#include "talhost/Faults.h"
#include "talhost/LedgerBuilder.h"
#include "tests/support/TempPrefix.h"

namespace sumcond_test {

namespace fs = std::filesystem;

inline std::string Utf8(const std::string& cp932) { return uw::Cp932ToUtf8(cp932); }

// The lines of `transcript` after its `occurrence`-th line equal to `from`,
// up to the next script line ("> ...") other than an answer to a message box
// or a file dialog, which belong to what the user's action started.
inline std::vector<std::string> LinesAfter(const std::string& transcript, const std::string& from,
                                           int occurrence = 1) {
  std::vector<std::string> lines;
  std::size_t pos = 0;
  int seen = 0;
  while (pos < transcript.size()) {
    std::size_t end = transcript.find('\n', pos);
    if (end == std::string::npos) end = transcript.size();
    const std::string line = transcript.substr(pos, end - pos);
    pos = end + 1;
    if (seen < occurrence) {
      if (line == from) ++seen;
      continue;
    }
    const bool scriptLine = line.rfind("> ", 0) == 0;
    if (scriptLine && line.rfind("> answer ", 0) != 0 && line.rfind("> file ", 0) != 0) break;
    lines.push_back(line);
  }
  return lines;
}

// A message box line and its text lines as the transcript writes them:
// `kind` is "exclamation; OK", "question; Yes, No" or "information; OK".
inline std::vector<std::string> MessageBoxLines(const std::string& kind,
                                                const std::string& cp932Text) {
  std::vector<std::string> lines{Utf8("message box: 科目内訳書 [") + kind + "]"};
  std::size_t pos = 0;
  const std::string text = Utf8(cp932Text);
  for (;;) {
    const std::size_t end = text.find('\n', pos);
    const std::string line = text.substr(pos, end == std::string::npos ? end : end - pos);
    lines.push_back(line.empty() ? "  |" : "  | " + line);
    if (end == std::string::npos) break;
    pos = end + 1;
  }
  return lines;
}

// The expected texts, as the user must see them.
inline constexpr char kPastDataText[] =
    "過去実績データは、連携の対象として使用できません。\n\nアプリケーションを終了します。";
inline constexpr char kCancelText[] = "｢科目内訳書｣の集計を中止します。";
inline constexpr char kBadPeriodText[] =
    "集計期間に誤りがあります。\n\n集計期間を設定しなおしてください。";
inline constexpr char kNoPathText[] =
    "データ出力先が指定されていません。\n\n出力先を指定してください。";
inline constexpr char kBadCharsText[] =
    "データの出力先に不正な文字が含まれています。\n\n出力先を再入力してください。";
inline constexpr char kBadDriveText[] =
    "ドライブ名が有効でありません。\n\n有効なドライブを指定してください。";
inline constexpr char kNoFileNameText[] = "ファイル名が指定されていません。";
inline constexpr char kCreateFolderText[] =
    "指定されたフォルダは存在しません。\n\n作成してもよろしいですか？";
inline constexpr char kCreateFailedText[] =
    "フォルダの作成に失敗しました。\n\n出力先を再入力してください。";
inline constexpr char kOverwriteText[] =
    "同名のファイルが存在します。\n\n上書きしてもよろしいですか？";

inline std::vector<std::string> Error(const char* cp932Text) {
  return MessageBoxLines("exclamation; OK", cp932Text);
}
inline std::vector<std::string> Question(const char* cp932Text) {
  return MessageBoxLines("question; Yes, No", cp932Text);
}

// True when `lines` begins with `prefix`.
inline bool StartsWith(const std::vector<std::string>& lines,
                       const std::vector<std::string>& prefix) {
  return lines.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), lines.begin());
}

// The parts one after the other.
inline std::vector<std::string> Join(std::initializer_list<std::vector<std::string>> parts) {
  std::vector<std::string> lines;
  for (const auto& part : parts) lines.insert(lines.end(), part.begin(), part.end());
  return lines;
}

class SumCondTest : public testing::Test {
 protected:
  // The selection of the current user: first number 3, company data 1.
  static constexpr TLONG kFirstNo = 3;
  static constexpr TLONG kDataNo = 1;

  SumCondTest() : m_ledger(std::make_unique<talhost::LedgerBuilder>()) {}

  ~SumCondTest() override {
    m_dialog.reset();
    Disconnect();
  }

  static void Disconnect() {
    ClTalConnect::Inst()->LogOut();
    ClTalConnect::Inst()->Terminate();
    ClTalConnect::Inst()->Release();
    talhost::ClearFaultSwitches();
  }

  // Starts over, for a table whose rows need a company of their own: no
  // dialog, no connection, a new empty ledger and a new host.ini. The
  // prefix's other files stay.
  void Restart() {
    m_dialog.reset();
    Disconnect();
    m_ledger.reset();
    fs::remove(m_prefix.path() + "/host.ini");
    m_ledger = std::make_unique<talhost::LedgerBuilder>();
    m_bCompanyAdded = false;
  }

  talhost::LedgerBuilder& Ledger() { return *m_ledger; }

  // Adds company data 1 with `company` (its dataNo is replaced) and makes it
  // the current user's selection.
  void AddCompany(talhost::CompanySpec company = {}) {
    company.dataNo = kDataNo;
    if (company.name.empty()) company.name = "Sample";
    Ledger().AddCompany(company);
    Ledger().SelectCompany(talhost::kDefaultUserId, kDataNo, kFirstNo);
    m_bCompanyAdded = true;
  }

  // A host folder setting (folder0 or folder1) given in CP932.
  void SetHostFolder(const char* key, const std::string& cp932) {
    Ledger().SetHost(key, Utf8(cp932));
  }

  // The dialog, made on first use: connects to the host (adding the
  // default company unless one was added) and fills the members as the
  // aggregation run does. Tests change members before Run.
  CSumCondDlg& Dialog() {
    if (m_dialog) return *m_dialog;
    if (!m_bCompanyAdded) AddCompany();
    ClTalConnect::Inst()->SetUseDataType(1);
    EXPECT_EQ(ClTalConnect::Inst()->Initiate(), 0);
    m_dialog = std::make_unique<CSumCondDlg>();
    CSumCondDlg& dlg = *m_dialog;
    ClSysUser* user = ClDataMgr::Inst()->GetSysUserObject();
    user->GetCurUserID(dlg.m_szUserID);
    TLONG first = 0;
    TLONG second = 0;
    user->GetSelectedNo(dlg.m_szUserID, &first, &second);
    dlg.m_lSelectedNo1 = first;
    dlg.m_lSelectedNo2 = second;
    ClSetData* dataSet =
        static_cast<ClSetData*>(ClDataMgr::Inst()->GetSetObject(ClDataMgr::SET_DATA, 1));
    const StDATAINFO* data = dataSet->GetSelectedInfo();
    dlg.m_lPeriodStart = data->periodStart;
    dlg.m_lPeriodEnd = data->periodEnd;
    dlg.m_bPastData = data->dataKind == 99 ? 1 : 0;
    dlg.m_strCompany = " Sample";
    dlg.m_strPeriod.Format(" %04d/%02d/%02d～%04d/%02d/%02d", data->periodStart / 10000,
                           data->periodStart % 10000 / 100, data->periodStart % 100,
                           data->periodEnd / 10000, data->periodEnd % 10000 / 100,
                           data->periodEnd % 100);
    return dlg;
  }

  // Runs the dialog with `script`; keeps the transcript in m_transcript.
  INT_PTR Run(const std::string& script) {
    CSumCondDlg& dlg = Dialog();
    uw::headless::Start(script);
    const INT_PTR result = dlg.DoModal();
    m_transcript = uw::headless::TakeTranscript();
    return result;
  }

  // What the dialog did after the script line `line` (without "> ").
  std::vector<std::string> After(const std::string& line, int occurrence = 1) const {
    return LinesAfter(m_transcript, "> " + line, occurrence);
  }

  // The transcript lines of the dialog as it appeared (its control list).
  std::vector<std::string> ShownControls() const {
    std::vector<std::string> lines;
    bool inside = false;
    std::size_t pos = 0;
    while (pos < m_transcript.size()) {
      std::size_t end = m_transcript.find('\n', pos);
      if (end == std::string::npos) end = m_transcript.size();
      const std::string line = m_transcript.substr(pos, end - pos);
      pos = end + 1;
      if (!inside) {
        inside = line.rfind("dialog 130 shown:", 0) == 0;
        continue;
      }
      if (line.rfind("  ", 0) != 0) break;
      lines.push_back(line);
    }
    return lines;
  }

  // The shown line of control `id` ("edit 1000 ..."), or "" when missing.
  std::string ShownControl(const std::string& kindAndId) const {
    for (const std::string& line : ShownControls()) {
      if (line.rfind("  " + kindAndId + " ", 0) == 0) return line.substr(2);
    }
    return "";
  }

  // POSIX path of a Windows path on drive C: ("A/B" for C:\A\B).
  std::string C(const std::string& relative) const { return m_prefix.DriveC() + "/" + relative; }
  static void MakeFile(const std::string& posix, const std::string& content = "old") {
    fs::create_directories(fs::path(posix).parent_path());
    std::ofstream(posix, std::ios::binary) << content;
  }

  uwtest::TempPrefix m_prefix;
  std::unique_ptr<talhost::LedgerBuilder> m_ledger;
  std::unique_ptr<CSumCondDlg> m_dialog;
  bool m_bCompanyAdded = false;
  std::string m_transcript;
};

}  // namespace sumcond_test
