// The host folders of types 0 and 1.
#include "host/TalFileMgr.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/talhost/HostFixture.h"

namespace talhost_test {
namespace {

class FileMgrTest : public HostTest {};

TEST_F(FileMgrTest, FoldersEndInABackslashAndAreEmptyWhenUnset) {
  struct Case {
    const char* setting;   // UTF-8 in host.ini; null: unset
    const char* expected;  // CP932
  } cases[] = {
      {nullptr, ""},
      {"", ""},
      {"C:\\Tal\\Out\\", "C:\\Tal\\Out\\"},
      {"C:\\Tal\\Out", "C:\\Tal\\Out\\"},
      {"\\\\server\\share\\", "\\\\server\\share\\"},
      // ソ ends in the byte 0x5C, which is no separator: one is added.
      {"C:\\ソ", "C:\\\x83\x5c\\"},
      {"C:\\ソ\\", "C:\\\x83\x5c\\"},
      {"C:\\決算", "C:\\\x8c\x88\x8e\x5a\\"},
  };
  for (const Case& c : cases) {
    for (ClFileMgr::_FolderType type :
         {ClFileMgr::_FolderType_Output, ClFileMgr::_FolderType_Env}) {
      const char* key = type == ClFileMgr::_FolderType_Output ? "folder0" : "folder1";
      if (c.setting != nullptr) Ledger().SetHost(key, c.setting);
      EXPECT_STREQ(c.expected, ClFileMgr::Inst()->GetAppFolderPath(type))
          << key << "=" << (c.setting ? c.setting : "(unset)");
    }
  }
}

TEST_F(FileMgrTest, AFolderTooLongForTheBufferIsNoFolderAndOtherTypesHaveNone) {
  const std::string fits = "C:\\" + std::string(256, 'a') + "\\";  // 260 bytes
  Ledger().SetHost("folder0", fits);
  EXPECT_EQ(fits, ClFileMgr::Inst()->GetAppFolderPath(ClFileMgr::_FolderType_Output));
  Ledger().SetHost("folder0", "C:\\" + std::string(257, 'a') + "\\");
  EXPECT_STREQ("", ClFileMgr::Inst()->GetAppFolderPath(ClFileMgr::_FolderType_Output));
  Ledger().SetHost("folder1", "C:\\" + std::string(257, 'a'));
  EXPECT_STREQ("", ClFileMgr::Inst()->GetAppFolderPath(ClFileMgr::_FolderType_Env));
  EXPECT_STREQ("", ClFileMgr::Inst()->GetAppFolderPath(static_cast<ClFileMgr::_FolderType>(2)));
}

}  // namespace
}  // namespace talhost_test
