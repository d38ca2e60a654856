// The host connection: what Initiate says when something is missing, the
// host's message display, the admission of the run, and logging out on
// every path.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>

#include "host/TalBCore.h"
#include "host/TalCmn.h"
#include "platform/ui/winuser.h"
#include "platform/win/text_convert.h"
#include "talhost/HostSession.h"
#include "talhost/MessageText.h"
#include "tests/talhost/HostFixture.h"

namespace talhost_test {
namespace {

namespace fs = std::filesystem;

class ConnectTest : public HostTest {};

TEST_F(ConnectTest, InitiateSaysWhatIsMissingAndNeverCrashes) {
  const std::string prefix = m_prefix.path();
  struct Case {
    const char* name;
    std::function<void()> breakIt;
    TLONG status;
    std::string mentions;  // UTF-8 text the message must hold
  } cases[] = {
      {"no prefix", [&] { setenv("UCHIWAKE_PREFIX", (prefix + "/gone").c_str(), 1); },
       talhost::kNoPrefix, prefix + "/gone"},
      {"no host.ini", [&] { fs::remove(prefix + "/host.ini"); }, talhost::kNoHostIni,
       prefix + "/host.ini"},
      {"no ledger", [&] { fs::remove(prefix + "/ledger.db"); }, talhost::kNoLedger,
       prefix + "/ledger.db"},
      {"ledger named elsewhere", [&] { Ledger().SetHost("ledger", "/nonexistent/x.db"); },
       talhost::kNoLedger, "/nonexistent/x.db"},
      {"corrupt ledger", [&] { m_prefix.WriteFile("ledger.db", std::string(4096, 'Z')); },
       talhost::kBadLedger, "壊れています"},
      {"a folder as the ledger",
       [&] {
         fs::remove(prefix + "/ledger.db");
         fs::create_directory(prefix + "/ledger.db");
       },
       talhost::kNoLedger, prefix + "/ledger.db"},
      {"another schema version", [&] { Ledger().Exec("PRAGMA user_version = 7"); },
       talhost::kBadLedger, "形式が違います"},
      {"a table missing", [&] { Ledger().Exec("DROP TABLE amount"); }, talhost::kBadLedger,
       "壊れています"},
  };
  static const char kTitle[] = "\x89\xc8\x96\xda";  // 科目 in CP932
  for (Case& c : cases) {
    setenv("UCHIWAKE_PREFIX", prefix.c_str(), 1);
    m_ledger.reset();
    m_ledger = std::make_unique<talhost::LedgerBuilder>();
    m_prefix.WriteFile("host.ini", talhost::DefaultHostIni());
    c.breakIt();
    ClearMessageBoxes();
    ClTalConnect* connect = ClTalConnect::Inst();
    connect->m_pszAppTitle = kTitle;
    connect->m_hAppWnd = 1234;
    EXPECT_EQ(c.status, connect->Initiate()) << c.name;
    ASSERT_EQ(1u, MessageBoxes().size()) << c.name;
    const RecordedMessageBox& box = MessageBoxes()[0];
    EXPECT_NE(std::string::npos, uw::Cp932ToUtf8(box.text).find(c.mentions))
        << c.name << ": " << uw::Cp932ToUtf8(box.text);
    EXPECT_EQ(kTitle, box.caption) << c.name;
    EXPECT_EQ(1234, box.owner) << c.name;
    EXPECT_EQ(MB_OK | MB_ICONEXCLAMATION, box.type) << c.name;
    // Nothing works, nothing crashes, and the exit calls are harmless.
    EXPECT_EQ(-1, connect->ExpSysLink()) << c.name;
    StDATAINFO info{};
    TULONG cursor = 0;
    auto* data = static_cast<ClSetData*>(ClDataMgr::Inst()->GetSetObject(ClDataMgr::SET_DATA, 1));
    data->GetDatCursor(&cursor);
    data->ReadyDat(cursor, 0);
    EXPECT_NE(0, data->WalkDat(&info, cursor)) << c.name;
    data->ReleaseDatCursor(cursor);
    for (int twice = 0; twice < 2; ++twice) {
      connect->LogOut();
      connect->Terminate();
      connect->Release();
    }
    connect->m_pszAppTitle = nullptr;
    connect->m_hAppWnd = 0;
  }
  // Mended, the same process connects.
  setenv("UCHIWAKE_PREFIX", prefix.c_str(), 1);
  m_ledger = std::make_unique<talhost::LedgerBuilder>();
  ClearMessageBoxes();
  EXPECT_EQ(0, ClTalConnect::Inst()->Initiate());
  EXPECT_TRUE(MessageBoxes().empty());
}

TEST_F(ConnectTest, DispMsgPutsThePackageNameInPlaceOfThePlaceholder) {
  Connect();
  const std::string def = uw::Utf8ToCp932(talhost::kDefaultPackageName);
  struct Case {
    const char* package;   // UTF-8 setting; null: unset
    std::string text;      // CP932
    std::string expected;  // CP932
  } cases[] = {
      {nullptr, "ES_APRPACKAGENAME\x82\xaa", def + "\x82\xaa"},
      {"税務", "ES_APRPACKAGENAME\x82\xaa", "\x90\xc5\x96\xb1\x82\xaa"},
      {"P", "[ES_APRPACKAGENAME]\n[ES_APRPACKAGENAME]", "[P]\n[P]"},
      {"P", "ES_APRPACKAGENAM", "ES_APRPACKAGENAM"},
      // The placeholder in the name is not expanded again.
      {"ES_APRPACKAGENAME!", "ES_APRPACKAGENAME", "ES_APRPACKAGENAME!"},
      // 83 45 is ウ: the 'E' is its trail byte, no placeholder starts there.
      {"P",
       "\x83"
       "ES_APRPACKAGENAME",
       "\x83"
       "ES_APRPACKAGENAME"},
      {"P",
       "\x83\x45"
       "ES_APRPACKAGENAME",
       "\x83\x45P"},
      {"P", "", ""},
  };
  for (const Case& c : cases) {
    if (c.package != nullptr) Ledger().SetHost("package", c.package);
    ClearMessageBoxes();
    SetMessageBoxAnswer(IDOK);
    EXPECT_EQ(static_cast<unsigned>(IDOK),
              ClTalConnect::Inst()->DispMsg(77, c.text.c_str(), "cap", 48));
    ASSERT_EQ(1u, MessageBoxes().size());
    EXPECT_EQ(c.expected, MessageBoxes()[0].text) << c.text;
    EXPECT_EQ(77, MessageBoxes()[0].owner);
    EXPECT_EQ("cap", MessageBoxes()[0].caption);
    EXPECT_EQ(48u, MessageBoxes()[0].type);
  }
  // A null text shows an empty box; a huge package name stays bounded.
  ClearMessageBoxes();
  ClTalConnect::Inst()->DispMsg(0, nullptr, nullptr, 0);
  ASSERT_EQ(1u, MessageBoxes().size());
  EXPECT_EQ("", MessageBoxes()[0].text);
  Ledger().SetHost("package", std::string(5000, 'N'));
  ClearMessageBoxes();
  ClTalConnect::Inst()->DispMsg(
      0, "ES_APRPACKAGENAMEES_APRPACKAGENAMEES_APRPACKAGENAMEES_APRPACKAGENAME", "c", 0);
  EXPECT_EQ(talhost::kMaxMessageBytes, MessageBoxes()[0].text.size());
  SetMessageBoxAnswer(IDOK);
}

TEST_F(ConnectTest, ExpSysLinkAnswersFromTheHostSettings) {
  Connect();
  EXPECT_EQ(0, ClTalConnect::Inst()->ExpSysLink());
  for (const char* value : {"1", "5", "-2", "0"}) {
    Ledger().SetHost("expsyslink", value);
    EXPECT_EQ(std::atoi(value), ClTalConnect::Inst()->ExpSysLink()) << value;
  }
  Ledger().SetHost("expsyslink", "abc");
  EXPECT_EQ(0, ClTalConnect::Inst()->ExpSysLink());
  // A test's own value wins over the file; without one the file counts.
  Ledger().SetHost("expsyslink", "1");
  {
    talhost::ScopedFaultSwitches faults({.expSysLink = 2});
    EXPECT_EQ(2, ClTalConnect::Inst()->ExpSysLink());
  }
  {
    talhost::ScopedFaultSwitches faults({.sumCountStatus = 3});
    EXPECT_EQ(1, ClTalConnect::Inst()->ExpSysLink());
  }
}

}  // namespace
}  // namespace talhost_test
