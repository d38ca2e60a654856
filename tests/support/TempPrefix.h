// A fresh prefix for one test: a temporary folder that UCHIWAKE_PREFIX points
// at while the object lives, with drive_c/ and windows/ made. The folder and
// everything in it are removed afterwards and the previous value of
// UCHIWAKE_PREFIX comes back.
#pragma once

#include <string>

namespace uwtest {

class TempPrefix {
 public:
  TempPrefix();
  ~TempPrefix();
  TempPrefix(const TempPrefix&) = delete;
  TempPrefix& operator=(const TempPrefix&) = delete;

  // POSIX path of the prefix, without a trailing slash.
  const std::string& path() const { return m_path; }
  // POSIX path of drive C: (<prefix>/drive_c).
  std::string DriveC() const { return m_path + "/drive_c"; }
  // Writes `content` to <prefix>/<relative>, making folders as needed.
  void WriteFile(const std::string& relative, const std::string& content) const;
  // Content of <prefix>/<relative>; "" when it cannot be read.
  std::string ReadFile(const std::string& relative) const;

 private:
  std::string m_path;
  std::string m_oldPrefix;
  bool m_hadOldPrefix = false;
};

// Folder of the build tree the tests were built in (UCHIWAKE_BUILD_DIR overrides).
std::string BuildDir();
// Folder of the source tree (UCHIWAKE_SOURCE_DIR overrides).
std::string SourceDir();

}  // namespace uwtest
