#include "tests/support/TempPrefix.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace uwtest {

namespace fs = std::filesystem;

TempPrefix::TempPrefix() {
  if (const char* old = std::getenv("UCHIWAKE_PREFIX")) {
    m_hadOldPrefix = true;
    m_oldPrefix = old;
  }
  std::string pattern = (fs::temp_directory_path() / "uchiwake-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  m_path = pattern;
  fs::create_directories(m_path + "/drive_c");
  fs::create_directories(m_path + "/windows");
  setenv("UCHIWAKE_PREFIX", m_path.c_str(), 1);
}

TempPrefix::~TempPrefix() {
  std::error_code ec;
  fs::remove_all(m_path, ec);
  if (m_hadOldPrefix) {
    setenv("UCHIWAKE_PREFIX", m_oldPrefix.c_str(), 1);
  } else {
    unsetenv("UCHIWAKE_PREFIX");
  }
}

void TempPrefix::WriteFile(const std::string& relative, const std::string& content) const {
  const fs::path target = fs::path(m_path) / relative;
  fs::create_directories(target.parent_path());
  std::ofstream out(target, std::ios::binary | std::ios::trunc);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
}

std::string TempPrefix::ReadFile(const std::string& relative) const {
  std::ifstream in(fs::path(m_path) / relative, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

std::string BuildDir() {
  const char* dir = std::getenv("UCHIWAKE_BUILD_DIR");
  return dir != nullptr && *dir != '\0' ? dir : UW_TEST_BUILD_DIR;
}

std::string SourceDir() {
  const char* dir = std::getenv("UCHIWAKE_SOURCE_DIR");
  return dir != nullptr && *dir != '\0' ? dir : UW_TEST_SOURCE_DIR;
}

}  // namespace uwtest
