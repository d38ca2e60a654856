#include "platform/win/drive_map.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/platform_win/path_test_util.h"
#include "tests/support/TempPrefix.h"

namespace {

namespace fs = std::filesystem;

class DriveMapTest : public testing::Test {
 protected:
  std::string MapOrFail(const char* winPath) {
    std::string posix = "(unchanged)";
    return uw::WinPathToPosix(winPath, &posix) ? posix : "(false) " + posix;
  }
  std::string NameOf(const std::string& posix) {
    std::string win;
    return uw::PosixPathToWin(posix, &win) ? win : "(false)";
  }
  uwtest::TempPrefix m_prefix;
};

TEST_F(DriveMapTest, DefaultMapHasCAndZ) {
  const std::string c = m_prefix.DriveC();
  EXPECT_EQ(MapOrFail("C:\\A\\b.xml"), c + "/A/b.xml");
  EXPECT_EQ(MapOrFail("c:\\"), c);
  EXPECT_EQ(MapOrFail("z:\\etc\\hosts"), "/etc/hosts");
  EXPECT_EQ(MapOrFail("Z:\\"), "/");
  EXPECT_EQ(MapOrFail("D:\\x"), "(false) (unchanged)");
  EXPECT_EQ(MapOrFail("\\\\srv\\sh\\x"), "(false) (unchanged)");
  EXPECT_EQ(MapOrFail(""), "(false) (unchanged)");
  EXPECT_EQ(MapOrFail(nullptr), "(false) (unchanged)");
  const auto map = uw::LoadDriveMap();
  ASSERT_EQ(map.size(), 2u);
  EXPECT_EQ(map[0].name, "C:");
  EXPECT_EQ(map[0].type, 3u);
  EXPECT_EQ(map[1].root, "/");
}

TEST_F(DriveMapTest, ReadsEveryTypeAndFormOfTheDrivesSection) {
  m_prefix.WriteFile("platform.ini",
                     "[drives]\n"
                     "c=drive_c\n"
                     "A:=a,unknown\n"
                     "B=b,noroot\n"
                     "R=/media/usb,Removable\n"
                     "N=n,remote\n"
                     "D=d,cdrom\n"
                     "M=m,ramdisk\n"
                     "Q=q,7\n"
                     "P=p,99\n"
                     "W=w,bogus\n"
                     "V=/with,comma,fixed\n"
                     "C=elsewhere,cdrom\n"  // a repeated letter: the first wins
                     "1=digit,fixed\n"      // no drive: ignored
                     "E=\n"                 // no folder: ignored
                     "\\\\Srv\\Share=/srv/share,remote\n"
                     "\\\\srv\\only=ignored\n"
                     "\\\\srv\\share=/dup,fixed\n"
                     "[paths]\n");
  static const struct {
    const char* name;
    const char* root;  // relative to the prefix unless absolute
    unsigned type;
  } kExpected[] = {
      {"A:", "a", 0},
      {"B:", "b", 1},
      {"C:", "drive_c", 3},
      {"D:", "d", 5},
      {"M:", "m", 6},
      {"N:", "n", 4},
      {"P:", "p", 99},
      {"Q:", "q", 7},
      {"R:", "/media/usb", 2},
      {"V:", "/with,comma", 3},
      {"W:", "w", 0},
      {"\\\\Srv\\Share", "/srv/share", 4},
      {"\\\\srv\\only", "ignored", 3},
  };
  const auto map = uw::LoadDriveMap();
  ASSERT_EQ(map.size(), sizeof(kExpected) / sizeof(kExpected[0]));
  for (std::size_t n = 0; n < map.size(); ++n) {
    const auto& e = kExpected[n];
    const std::string root = e.root[0] == '/' ? e.root : m_prefix.path() + "/" + e.root;
    EXPECT_EQ(map[n].name, e.name) << n;
    EXPECT_EQ(map[n].root, root) << e.name;
    EXPECT_EQ(map[n].type, e.type) << e.name;
  }
  // With a [drives] section, only its drives exist.
  EXPECT_EQ(MapOrFail("Z:\\"), "(false) (unchanged)");
  EXPECT_EQ(MapOrFail("\\\\SRV\\share\\d\\f.xml"), "/srv/share/d/f.xml");
  EXPECT_EQ(MapOrFail("//srv/SHARE"), "/srv/share");
  EXPECT_EQ(MapOrFail("\\\\srv\\other\\x"), "(false) (unchanged)");
}

TEST_F(DriveMapTest, ConvertsNamesAndKeepsTrailBytes) {
  const std::string c = m_prefix.DriveC();
  EXPECT_EQ(MapOrFail("C:\\\x83\x5C"), c + "/ソ");
  EXPECT_EQ(MapOrFail("C:\\\x95\x5C\\x"), c + "/表/x");
  EXPECT_EQ(MapOrFail("C:\\\x95\x5C\\"), c + "/表/");  // the trailing separator stays
  EXPECT_EQ(MapOrFail("C:\\A\\..\\..\\..\\b"), c + "/b");
  EXPECT_EQ(NameOf(c + "/ソ/表"), "C:\\\x83\x5C\\\x95\x5C");
  EXPECT_EQ(NameOf(c + "/\xE2\x98\x83"), "C:\\?");  // a snowman has no CP932 form
}

TEST_F(DriveMapTest, RelativePathsUseTheCurrentFolder) {
  const std::string c = m_prefix.DriveC();
  fs::create_directories(c + "/A");
  uwtest::ScopedCwd cwd(c + "/A");
  EXPECT_EQ(MapOrFail("B\\f"), c + "/A/B/f");
  EXPECT_EQ(MapOrFail("..\\B"), c + "/B");
  EXPECT_EQ(MapOrFail("\\B"), c + "/B");
  EXPECT_EQ(MapOrFail("C:B"), c + "/A/B");
  EXPECT_EQ(MapOrFail("z:B"), "/B");
  std::string current;
  ASSERT_TRUE(uw::GetCurrentWinFolder(&current));
  EXPECT_EQ(current, "C:\\A");
  std::string full;
  ASSERT_TRUE(uw::GetFullWinPath("x\\..\\y\\", &full));
  EXPECT_EQ(full, "C:\\A\\y\\");
  ASSERT_TRUE(uw::GetFullWinPath("K:\\unmapped\\..\\k", &full));
  EXPECT_EQ(full, "K:\\k");
}

TEST_F(DriveMapTest, WindowsNameUsesTheLongestMappedRoot) {
  const std::string c = m_prefix.DriveC();
  m_prefix.WriteFile("platform.ini", "[drives]\nZ=/,fixed\nD=" + c + "\nC=drive_c\n" +
                                         "\\\\srv\\sh=drive_c/share,remote\nE=drive_c/A/B\n");
  EXPECT_EQ(NameOf(c), "C:\\");  // C and D are equal: the earlier letter wins
  EXPECT_EQ(NameOf(c + "/A"), "C:\\A");
  EXPECT_EQ(NameOf(c + "/A/B/x/"), "E:\\x");
  EXPECT_EQ(NameOf(c + "/share/x"), "\\\\srv\\sh\\x");
  EXPECT_EQ(NameOf(c + "/share"), "\\\\srv\\sh\\");
  EXPECT_EQ(NameOf(c + "/sharex"), "C:\\sharex");  // a prefix only at a '/'
  EXPECT_EQ(NameOf("/usr/../usr//lib/."), "Z:\\usr\\lib");
  EXPECT_EQ(NameOf("/"), "Z:\\");

  m_prefix.WriteFile("platform.ini", "[drives]\nC=drive_c\n");
  EXPECT_EQ(NameOf("/usr"), "(false)");  // no root above it
}

TEST_F(DriveMapTest, TemporaryFolder) {
  std::string temp;
  {
    uwtest::ScopedEnv tmpdir("TMPDIR", nullptr);
    ASSERT_TRUE(uw::GetTempWinFolder(&temp));
    EXPECT_EQ(temp, "Z:\\tmp\\");
  }
  {
    uwtest::ScopedEnv tmpdir("TMPDIR", (m_prefix.DriveC() + "/t/../tmp").c_str());
    ASSERT_TRUE(uw::GetTempWinFolder(&temp));
    EXPECT_EQ(temp, "C:\\tmp\\");
  }
  m_prefix.WriteFile("platform.ini", "[paths]\ntemp = C:\\TEMP\\..\\ソ\n");
  ASSERT_TRUE(uw::GetTempWinFolder(&temp));
  EXPECT_EQ(temp, "C:\\\x83\x5C\\");  // the trail byte 0x5C still gets a backslash
  m_prefix.WriteFile("platform.ini", "[paths]\ntemp=C:\\\n");
  ASSERT_TRUE(uw::GetTempWinFolder(&temp));
  EXPECT_EQ(temp, "C:\\");
}

}  // namespace
