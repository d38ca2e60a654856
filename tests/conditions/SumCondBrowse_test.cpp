// Browse of the conditions dialog: the file dialog's initial folder and name
// for each form of path, its settings, and what a choice or a cancel leaves.
// Run through the headless backend; literals are CP932.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "conditions/SumCondDlg.h"
#include "platform/win/drive_map.h"
#include "tests/conditions/SumCondTestSupport.h"

namespace sumcond_test {
namespace {

using Lines = std::vector<std::string>;

class SumCondBrowseTest : public SumCondTest {
 protected:
  // The file dialog as the transcript shows it (UTF-8 folder and name).
  static Lines FileDialog(const std::string& folder, const std::string& name) {
    return {Utf8("file dialog: 保存ファイルを指定 [save]"), "  folder: \"" + folder + "\"",
            "  name: \"" + name + "\"", "  filter: Xml Files (*.xml) *.xml"};
  }
};

TEST_F(SumCondBrowseTest, TheFileDialogStartsInTheFolderOfThePath) {
  std::string current;  // the platform's default folder
  ASSERT_TRUE(uw::GetCurrentWinFolder(&current));
  current = Utf8(current);
  SetHostFolder("folder0", "C:\\OUT\\");
  static const struct {
    const char* typed;   // null: the proposed path as it is
    const char* folder;  // null: the platform's default folder
    const char* name;
  } cases[] = {
      {nullptr, "C:\\OUT\\", "*.xml"},
      {"C:report.xml", "C:", "report.xml"},
      {"report.xml", nullptr, "report.xml"},
      {"", nullptr, ""},
      {"C:\\DATA\\ソ\\a.xml", "C:\\DATA\\ソ\\", "a.xml"},
      {"C:\\ソa.xml", "C:\\", "ソa.xml"},  // the byte 0x5C of ソ splits nothing
      {"\\\\srv\\sh\\d\\f.xml", "\\\\srv\\sh\\d\\", "f.xml"},
  };
  for (const auto& c : cases) {
    const std::string typed = c.typed != nullptr ? "type 1015 " + Utf8(c.typed) + "\n" : "";
    EXPECT_EQ(Run(typed + "click 1001\nfile cancel\nkey Esc\nanswer ok\n"), 1003) << c.typed;
    EXPECT_EQ(After("click 1001"),
              Join({{"focus 1001"},
                    FileDialog(c.folder != nullptr ? Utf8(c.folder) : current, Utf8(c.name)),
                    {"> file cancel", "  -> cancelled", "focus 1002"}}))
        << c.typed;
    EXPECT_EQ(Dialog().m_strOutPath, c.typed != nullptr ? c.typed : "C:\\OUT\\*.xml");
  }
}

TEST_F(SumCondBrowseTest, AChosenFileBecomesThePathWithItsExtension) {
  SetHostFolder("folder0", "C:\\OUT\\");
  fs::create_directories(C("OUT"));
  char before[4096];
  ASSERT_NE(getcwd(before, sizeof(before)), nullptr);

  // A name without an extension gets the default one.
  EXPECT_EQ(Run("click 1001\nfile b\nkey F12\n"), 1002);
  EXPECT_EQ(Dialog().m_strOutPath, "C:\\OUT\\b.XML");
  const Lines chosen = After("click 1001");
  ASSERT_GE(chosen.size(), 2u);
  EXPECT_EQ(Lines(chosen.end() - 2, chosen.end()),
            (Lines{"text 1015: \"C:\\OUT\\b.XML\"", "focus 1002"}));

  // A folder that is missing is refused by the file dialog itself; the path
  // stays as it was when the dialog is then cancelled.
  EXPECT_EQ(Run("type 1015 C:\\OUT\\keep.xml\nclick 1001\nfile C:\\NOPE\\c.xml\nanswer ok\n"
                "file cancel\nkey Esc\nanswer ok\n"),
            1003);
  EXPECT_EQ(Dialog().m_strOutPath, "C:\\OUT\\keep.xml");
  const Lines refused = After("click 1001");
  EXPECT_NE(std::find(refused.begin(), refused.end(), Utf8("  | フォルダが存在しません。")),
            refused.end());
  EXPECT_EQ(refused.back(), "focus 1002");

  // The process's current folder is left as it was.
  char after[4096];
  ASSERT_NE(getcwd(after, sizeof(after)), nullptr);
  EXPECT_STREQ(before, after);
}

}  // namespace
}  // namespace sumcond_test
