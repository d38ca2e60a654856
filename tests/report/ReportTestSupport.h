// Helpers shared by the report tests: fixture files, an XML parser run over
// a written file, a limit on the size of files this process writes (to make
// a write fail part-way at an exact byte), and a scoped current folder.
#pragma once

#include <sys/resource.h>

#include <string>

namespace reporttest {

// Bytes of tests/report/fixtures/<name> (the folder is compiled in).
std::string ReadFixture(const std::string& name);

// Bytes of the POSIX file `path`; "" when it cannot be read.
std::string ReadPosixFile(const std::string& path);

// Writes `bytes` to the POSIX file `path`.
void WritePosixFile(const std::string& path, const std::string& bytes);

// Runs `xmllint --noout` on the POSIX file `path`, which it reads in the
// encoding the file declares. Returns its exit status (0: well-formed) and
// puts what it printed into *output.
int RunXmllint(const std::string& path, std::string* output);

// While it lives, files this process writes cannot grow past `bytes`: the
// write that would pass the limit stores what fits and then fails (EFBIG;
// the SIGXFSZ signal is ignored meanwhile). Holds for root too.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes);
  ~FileSizeLimit();
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  struct rlimit m_old;
  void (*m_oldHandler)(int);
};

// Makes `posixFolder` the current folder while it lives.
class ScopedCurrentFolder {
 public:
  explicit ScopedCurrentFolder(const std::string& posixFolder);
  ~ScopedCurrentFolder();
  ScopedCurrentFolder(const ScopedCurrentFolder&) = delete;
  ScopedCurrentFolder& operator=(const ScopedCurrentFolder&) = delete;

 private:
  std::string m_old;
};

}  // namespace reporttest
