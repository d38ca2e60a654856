// Small helpers for the tests of the path and file calls: an environment
// variable or the current folder changed for one scope, and files made on
// disk by their POSIX names.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

namespace uwtest {

// Sets (or, with a null value, removes) an environment variable until the
// end of the scope.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : m_name(name) {
    if (const char* old = std::getenv(name)) m_old = old;
    if (value != nullptr) {
      setenv(name, value, 1);
    } else {
      unsetenv(name);
    }
  }
  ~ScopedEnv() {
    if (m_old) {
      setenv(m_name.c_str(), m_old->c_str(), 1);
    } else {
      unsetenv(m_name.c_str());
    }
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  std::string m_name;
  std::optional<std::string> m_old;
};

// Makes `folder` the current folder until the end of the scope.
class ScopedCwd {
 public:
  explicit ScopedCwd(const std::string& folder) : m_old(std::filesystem::current_path()) {
    std::filesystem::current_path(folder);
  }
  ~ScopedCwd() {
    std::error_code ec;
    std::filesystem::current_path(m_old, ec);
  }
  ScopedCwd(const ScopedCwd&) = delete;
  ScopedCwd& operator=(const ScopedCwd&) = delete;

 private:
  std::filesystem::path m_old;
};

inline void MakeFile(const std::string& posixPath, const std::string& content = "x") {
  std::ofstream(posixPath, std::ios::binary) << content;
}

inline bool IsFolder(const std::string& posixPath) {
  return std::filesystem::is_directory(posixPath);
}

inline bool Exists(const std::string& posixPath) {
  std::error_code ec;
  return std::filesystem::exists(std::filesystem::symlink_status(posixPath, ec));
}

}  // namespace uwtest
