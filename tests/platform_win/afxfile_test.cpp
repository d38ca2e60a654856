#include "platform/win/afxfile.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <cstring>
#include <functional>
#include <string>

#include "platform/win/fileapi.h"
#include "tests/support/TempPrefix.h"

namespace {

// The cause of the CFileException* that `action` throws, released here;
// -1 when it throws nothing.
int CauseOf(const std::function<void()>& action, LONG* osError = nullptr) {
  try {
    action();
  } catch (CFileException* e) {
    const int cause = e->m_cause;
    if (osError != nullptr) *osError = e->m_lOsError;
    e->Delete();
    return cause;
  }
  return -1;
}

class AfxFileTest : public testing::Test {
 protected:
  uwtest::TempPrefix m_prefix;
};

TEST_F(AfxFileTest, WritesAndReadsBackAsTheReportAndSupportFileDo) {
  CFile out;
  ASSERT_TRUE(out.Open("C:\\report.xml", CFile::modeCreate | CFile::modeWrite));
  out.Write("<?xml?>\r\n", 9);
  out.Write("\t<DATA>\r\n", 9);
  out.Write("", 0);
  EXPECT_EQ(18u, out.GetLength());
  out.Close();
  EXPECT_EQ("<?xml?>\r\n\t<DATA>\r\n", m_prefix.ReadFile("drive_c/report.xml"));

  CFile in;
  ASSERT_TRUE(
      in.Open("C:\\report.xml", CFile::modeRead | CFile::shareDenyNone | CFile::typeBinary));
  char buffer[30000];
  std::memset(buffer, 0xFF, sizeof buffer);
  EXPECT_EQ(18u, in.Read(buffer, sizeof buffer));  // short only at the end of the file
  EXPECT_EQ(0, std::memcmp(buffer, "<?xml?>\r\n\t<DATA>\r\n", 18));
  EXPECT_EQ(static_cast<char>(0xFF), buffer[18]);
  EXPECT_EQ(0u, in.Read(buffer, sizeof buffer));
}

TEST_F(AfxFileTest, CreateTruncatesUnlessTold) {
  m_prefix.WriteFile("drive_c/a.txt", "old content");
  {
    CFile file;
    ASSERT_TRUE(
        file.Open("C:\\a.txt", CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite));
    EXPECT_EQ(11u, file.SeekToEnd());
    file.Write("+", 1);
  }  // the destructor closes
  EXPECT_EQ("old content+", m_prefix.ReadFile("drive_c/a.txt"));
  CFile file;
  ASSERT_TRUE(file.Open("C:\\a.txt", CFile::modeCreate | CFile::modeWrite));
  EXPECT_EQ(0u, file.GetLength());
}

TEST_F(AfxFileTest, OpenFailsWithoutThrowing) {
  m_prefix.WriteFile("drive_c/plain.txt", "x");
  m_prefix.WriteFile("drive_c/dir/inside.txt", "x");
  static const struct {
    const char* path;
    UINT flags;
    int cause;
  } kCases[] = {
      {"C:\\missing.txt", CFile::modeRead, CFileException::fileNotFound},
      {"C:\\nofolder\\new.xml", CFile::modeCreate | CFile::modeWrite, CFileException::fileNotFound},
      {"C:\\plain.txt\\new.xml", CFile::modeCreate | CFile::modeWrite, CFileException::badPath},
      {"Q:\\new.xml", CFile::modeCreate | CFile::modeWrite, CFileException::badPath},
      {"", CFile::modeRead, CFileException::badPath},
      {nullptr, CFile::modeRead, CFileException::badPath},
      {"C:\\dir", CFile::modeRead, CFileException::accessDenied},
      {"C:\\dir", CFile::modeCreate | CFile::modeWrite, CFileException::accessDenied},
      {"C:\\plain.txt", 0x0003, CFileException::genericException},
  };
  for (const auto& c : kCases) {
    const char* name = c.path != nullptr ? c.path : "(null)";
    CFile file;
    CFileException error(CFileException::none, -1, nullptr);
    BOOL opened = TRUE;
    EXPECT_EQ(-1, CauseOf([&] { opened = file.Open(c.path, c.flags, &error); })) << name;
    EXPECT_FALSE(opened) << name;
    EXPECT_EQ(c.cause, error.m_cause) << name;
    EXPECT_NE(-1, error.m_lOsError) << name;
    EXPECT_EQ(CString(c.path), error.m_strFileName) << name;
    EXPECT_FALSE(file.Open(c.path, c.flags)) << name;  // no error object
  }
  EXPECT_FALSE(m_prefix.ReadFile("drive_c/dir/inside.txt").empty());
}

TEST_F(AfxFileTest, OpeningAnOpenFileIsRefused) {
  CFile file;
  ASSERT_TRUE(file.Open("C:\\a.txt", CFile::modeCreate | CFile::modeWrite));
  CFileException error;
  EXPECT_FALSE(file.Open("C:\\b.txt", CFile::modeCreate | CFile::modeWrite, &error));
  EXPECT_EQ(CFileException::genericException, error.m_cause);
  file.Write("a", 1);  // still the first file
  file.Close();
  EXPECT_EQ("a", m_prefix.ReadFile("drive_c/a.txt"));
}

TEST_F(AfxFileTest, FullDiskThrowsOnTheFirstWrite) {
  m_prefix.WriteFile("platform.ini", "[drives]\nC=drive_c,fixed\nD=/dev,fixed\n");
  CFile file;
  ASSERT_TRUE(file.Open("D:\\full", CFile::modeCreate | CFile::modeWrite));
  LONG osError = 0;
  EXPECT_EQ(CFileException::diskFull, CauseOf([&] { file.Write("<DATA>\r\n", 8); }, &osError));
  EXPECT_EQ(static_cast<LONG>(ERROR_DISK_FULL), osError);
  file.Close();
  file.Close();
}

// Lets the process write at most `limit` bytes into any file while it
// lives: a write crossing the limit stores what fits and the next one
// fails with EFBIG, which is how a file system that fills up mid-write
// behaves.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t limit) {
    getrlimit(RLIMIT_FSIZE, &m_old);
    m_oldHandler = signal(SIGXFSZ, SIG_IGN);
    struct rlimit lowered = m_old;
    lowered.rlim_cur = limit;
    setrlimit(RLIMIT_FSIZE, &lowered);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &m_old);
    signal(SIGXFSZ, m_oldHandler);
  }

 private:
  struct rlimit m_old;
  sighandler_t m_oldHandler;
};

TEST_F(AfxFileTest, ShortWriteIsContinuedThenFailsWithoutLosingEarlierLines) {
  CFile file;
  ASSERT_TRUE(file.Open("C:\\cut.xml", CFile::modeCreate | CFile::modeWrite));
  int causes[3];
  {
    const FileSizeLimit limit(10);
    causes[0] = CauseOf([&] { file.Write("AAAA", 4); });
    causes[1] = CauseOf([&] { file.Write("BBBB", 4); });
    causes[2] = CauseOf([&] { file.Write("CCCC", 4); });  // only 2 bytes fit
  }
  EXPECT_EQ(-1, causes[0]);
  EXPECT_EQ(-1, causes[1]);
  EXPECT_EQ(CFileException::diskFull, causes[2]);
  file.Close();
  EXPECT_EQ("AAAABBBBCC", m_prefix.ReadFile("drive_c/cut.xml"));
}

TEST_F(AfxFileTest, OperationsOnAFileThatIsNotOpenThrow) {
  m_prefix.WriteFile("drive_c/r.txt", "read only here");
  CFile never;
  char buffer[8];
  static const int kInvalid = CFileException::invalidFile;
  EXPECT_EQ(kInvalid, CauseOf([&] { never.Write("x", 1); }));
  EXPECT_EQ(kInvalid, CauseOf([&] { never.Read(buffer, sizeof buffer); }));
  EXPECT_EQ(kInvalid, CauseOf([&] { never.GetLength(); }));
  EXPECT_EQ(kInvalid, CauseOf([&] { never.SeekToEnd(); }));
  never.Close();

  CFile reader;
  ASSERT_TRUE(reader.Open("C:\\r.txt", CFile::modeRead));
  EXPECT_EQ(CFileException::accessDenied, CauseOf([&] { reader.Write("x", 1); }));
  reader.Close();
  EXPECT_EQ(kInvalid, CauseOf([&] { reader.Write("x", 1); }));  // after Close
  EXPECT_EQ("read only here", m_prefix.ReadFile("drive_c/r.txt"));
}

TEST_F(AfxFileTest, RemoveAndRename) {
  m_prefix.WriteFile("drive_c/old.env", "old");
  m_prefix.WriteFile("drive_c/new.env", "new");
  m_prefix.WriteFile("drive_c/dir/keep.txt", "k");

  EXPECT_EQ(-1, CauseOf([] { CFile::Rename("C:\\new.env", "C:\\old.env"); }));
  EXPECT_EQ("new", m_prefix.ReadFile("drive_c/old.env"));  // replaced
  EXPECT_EQ(CFileException::fileNotFound,
            CauseOf([] { CFile::Rename("C:\\new.env", "C:\\other.env"); }));
  EXPECT_EQ(CFileException::badPath, CauseOf([] { CFile::Rename("C:\\old.env", "Q:\\x.env"); }));
  EXPECT_EQ(CFileException::badPath, CauseOf([] { CFile::Rename(nullptr, "C:\\x.env"); }));

  EXPECT_EQ(-1, CauseOf([] { CFile::Remove("C:\\old.env"); }));
  EXPECT_EQ("", m_prefix.ReadFile("drive_c/old.env"));
  EXPECT_EQ(CFileException::fileNotFound, CauseOf([] { CFile::Remove("C:\\old.env"); }));
  EXPECT_EQ(CFileException::accessDenied, CauseOf([] { CFile::Remove("C:\\dir"); }));
  EXPECT_EQ(CFileException::badPath, CauseOf([] { CFile::Remove("Q:\\x"); }));

  try {
    CFile::Remove("C:\\gone.env");
    FAIL() << "no exception";
  } catch (CFileException* e) {
    EXPECT_EQ(CString("C:\\gone.env"), e->m_strFileName);
    EXPECT_EQ(static_cast<LONG>(ERROR_FILE_NOT_FOUND), e->m_lOsError);
    e->Delete();
  }
}

}  // namespace
