// The conditions dialog's saved record: LoadConditions and SaveConditions
// key it by the user and the selection numbers, keep it in host folder 1,
// and a save without a path keeps the path restored when the dialog began.
// Literals are CP932.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "conditions/SumCondDlg.h"
#include "resources/Edition.h"
#include "tests/conditions/SumCondTestSupport.h"

namespace sumcond_test {
namespace {

class SumCondSavedTest : public SumCondTest {
 protected:
  SumCondSavedTest() {
    SetHostFolder("folder0", "C:\\OUT\\");
    SetHostFolder("folder1", "C:\\ENV\\");
  }
  static std::string FileIn(const char* folder) {
    return std::string("drive_c/") + folder + "/" + g_edition.envFileName;
  }
};

TEST_F(SumCondSavedTest, TheRecordIsTheUsersSelectionInHostFolderOne) {
  // Host folder 0 holds a file of the same name that must not be read.
  m_prefix.WriteFile(FileIn("OUT"), "user1/3/1:1/5/C:\\decoy.xml\n");
  m_prefix.WriteFile(
      FileIn("ENV"),
      "user11/3/1:0/1/C:\\x.xml\nuser1/3/2:0/2/C:\\y.xml\nuser1/3/1:1/9/C:\\r.xml\n");
  short tax = -1;
  short endMonth = -1;
  char path[261];
  std::memset(path, 'x', sizeof(path));
  path[sizeof(path) - 1] = '\0';
  ASSERT_EQ(Dialog().LoadConditions(&tax, &endMonth, path), 1);
  EXPECT_EQ(tax, 1);
  EXPECT_EQ(endMonth, 9);
  EXPECT_STREQ(path, "C:\\r.xml");

  // Another selection of the same user has no record: nothing is touched.
  Dialog().m_lSelectedNo2 = 7;
  std::snprintf(path, sizeof(path), "%s", "kept");
  EXPECT_EQ(Dialog().LoadConditions(&tax, &endMonth, path), 0);
  EXPECT_EQ(tax, 1);
  EXPECT_STREQ(path, "kept");

  ASSERT_EQ(Dialog().SaveConditions(0, 12, "C:\\ソ\\A.xml"), 1);
  EXPECT_EQ(m_prefix.ReadFile(FileIn("ENV")),
            "user11/3/1:0/1/C:\\x.xml\nuser1/3/2:0/2/C:\\y.xml\nuser1/3/1:1/9/C:\\r.xml\n"
            "user1/3/7:0/12/C:\\ソ\\A.xml\n");
  EXPECT_EQ(m_prefix.ReadFile(FileIn("OUT")), "user1/3/1:1/5/C:\\decoy.xml\n");
}

TEST_F(SumCondSavedTest, ASaveWithoutAPathKeepsThePathRestoredAtTheStart) {
  m_prefix.WriteFile(FileIn("ENV"), "user1/3/1:0/4/C:\\SAVED\\s.xml\n");
  fs::create_directories(C("HOST"));
  // The host fixed another path and the run wrote there.
  Dialog().m_strFixedPath = "C:\\HOST\\h.xml";
  ASSERT_EQ(Run("key F12\n"), 1002);
  EXPECT_STREQ(Dialog().m_szSavedPath, "C:\\SAVED\\s.xml");
  ASSERT_EQ(Dialog().SaveConditions(1, 6, nullptr), 1);
  EXPECT_EQ(m_prefix.ReadFile(FileIn("ENV")), "user1/3/1:1/6/C:\\SAVED\\s.xml\n");

  // Without a record at the start the restored path is empty, whatever the
  // user chose.
  Restart();
  AddCompany();
  SetHostFolder("folder1", "C:\\ENV2\\");
  ASSERT_EQ(Run("type 1015 C:\\chosen.xml\nkey F12\n"), 1002);
  ASSERT_EQ(Dialog().SaveConditions(0, 3, nullptr), 1);
  EXPECT_EQ(m_prefix.ReadFile(FileIn("ENV2")), "user1/3/1:0/3/\n");
}

TEST_F(SumCondSavedTest, RunningTheDialogWritesNothing) {
  const std::string content = "user1/3/1:1/9/C:\\r.xml\n";
  m_prefix.WriteFile(FileIn("ENV"), content);
  EXPECT_EQ(Run("key Esc\nanswer ok\n"), 1003);
  EXPECT_EQ(Run("type 1015 C:\\a.xml\nkey F12\n"), 1002);
  EXPECT_EQ(m_prefix.ReadFile(FileIn("ENV")), content);
}

}  // namespace
}  // namespace sumcond_test
