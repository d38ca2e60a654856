// The file dialog: how the chosen name becomes a full path, and the checks
// of the flags the program sets.

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/ui/afxdlgs.h"
#include "platform/ui/headless/HeadlessTesting.h"
#include "platform/win/text_convert.h"
#include "tests/support/TempPrefix.h"

namespace {

constexpr DWORD kBrowseFlags =
    OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;

class FileDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(m_prefix.DriveC() + "/OUT");
    m_prefix.WriteFile("drive_c/OUT/old.xml", "x");
  }

  // Runs a save dialog like the program's Browse and returns DoModal's
  // result; `path` gets the chosen path.
  INT_PTR Browse(const char* script, const char* folder, const char* name, CString* path,
                 BOOL open = FALSE) {
    uw::headless::Start(script);
    CFileDialog dialog(open, "XML", name, kBrowseFlags, "Xml Files (*.xml)|*.xml||", nullptr);
    // The program's texts are Shift_JIS.
    const std::string title = uw::Utf8ToCp932("保存ファイルを指定");
    dialog.m_ofn.lpstrTitle = title.c_str();
    dialog.m_ofn.lpstrInitialDir = folder;
    const INT_PTR result = dialog.DoModal();
    *path = dialog.GetPathName();
    return result;
  }

  uwtest::TempPrefix m_prefix;
};

TEST_F(FileDialogTest, TheChoiceBecomesAFullPathWithTheDefaultExtension) {
  struct Case {
    const char* script;
    const char* folder;
    const char* expected;
  };
  const Case cases[] = {
      {"file C:\\OUT\\a.xml", "C:\\OUT\\", "C:\\OUT\\a.xml"},
      {"file a", "C:\\OUT\\", "C:\\OUT\\a.XML"},    // the default extension
      {"file a.txt", "C:\\OUT", "C:\\OUT\\a.txt"},  // an extension of its own stays
      {"file c:/out/../OUT/b.xml", nullptr, "C:\\OUT\\b.xml"},
      {"file old.xml", "C:\\OUT\\", "C:\\OUT\\old.xml"},  // no overwrite question here
      {"file C:x.xml", "C:\\OUT\\", "C:\\x.xml"},
      {"file y.xml", "C:", "C:\\y.xml"},  // "C:" is that drive's current folder
  };
  for (const Case& c : cases) {
    CString path;
    EXPECT_EQ(Browse(c.script, c.folder, "*.xml", &path), IDOK) << c.script;
    EXPECT_EQ(path, c.expected) << c.script;
  }
}

TEST_F(FileDialogTest, TheDialogShowsItsSettings) {
  CString path;
  Browse("file cancel", "C:\\OUT\\", "*.xml", &path);
  EXPECT_EQ(uw::headless::TakeTranscript(),
            "file dialog: 保存ファイルを指定 [save]\n"
            "  folder: \"C:\\OUT\\\"\n"
            "  name: \"*.xml\"\n"
            "  filter: Xml Files (*.xml) *.xml\n"
            "> file cancel\n"
            "  -> cancelled\n");
}

TEST_F(FileDialogTest, CancelAndPatternsChooseNothing) {
  struct Case {
    const char* script;
    const char* seen;
  };
  const Case cases[] = {
      {"file cancel", "  -> cancelled\n"},
      {"", "! script ran dry: the file dialog is cancelled\n"},
      {"file C:\\OUT\\*.xml\nfile cancel", "names none; the file dialog stays open)\n"},
      {"answer ok", "! script line 1 is no file choice; the file dialog is cancelled\n"},
  };
  for (const Case& c : cases) {
    CString path;
    EXPECT_EQ(Browse(c.script, "C:\\OUT\\", "*.xml", &path), IDCANCEL) << c.script;
    EXPECT_TRUE(path.IsEmpty()) << c.script;
    const std::string transcript = uw::headless::TakeTranscript();
    EXPECT_NE(transcript.find(c.seen), std::string::npos) << c.script << "\n" << transcript;
  }
}

TEST_F(FileDialogTest, AMissingFolderIsRefusedAndTheDialogAsksAgain) {
  CString path;
  EXPECT_EQ(Browse("file C:\\NONE\\a.xml\nanswer ok\nfile C:\\OUT\\a.xml", "C:\\OUT\\", "", &path),
            IDOK);
  EXPECT_EQ(path, "C:\\OUT\\a.xml");
  const std::string transcript = uw::headless::TakeTranscript();
  EXPECT_NE(transcript.find("message box: 保存ファイルを指定 [exclamation; OK]\n"
                            "  | C:\\NONE\\a.xml\n"
                            "  | フォルダが存在しません。\n"),
            std::string::npos)
      << transcript;
  // Asked again with the name that was refused.
  EXPECT_NE(transcript.find("  name: \"a.xml\"\n"), std::string::npos) << transcript;

  // An unmapped drive has no folders either.
  EXPECT_EQ(Browse("file Q:\\a.xml\nanswer ok\nfile cancel", "C:\\OUT\\", "", &path), IDCANCEL);
}

TEST_F(FileDialogTest, FileMustExistHoldsForOpeningOnly) {
  CString path;
  // Saving names a new file.
  EXPECT_EQ(Browse("file C:\\OUT\\new.xml", "C:\\OUT\\", "", &path, FALSE), IDOK);
  // Opening one that is not there is refused.
  EXPECT_EQ(Browse("file C:\\OUT\\new.xml\nanswer ok\nfile C:\\OUT\\old.xml", "C:\\OUT\\", "",
                   &path, TRUE),
            IDOK);
  EXPECT_EQ(path, "C:\\OUT\\old.xml");
  EXPECT_NE(uw::headless::TakeTranscript().find("ファイルが見つかりません。"), std::string::npos);
}

}  // namespace
