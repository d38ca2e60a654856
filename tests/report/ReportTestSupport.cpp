#include "tests/report/ReportTestSupport.h"

#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace reporttest {

std::string ReadFixture(const std::string& name) {
  const std::string path = std::string(REPORT_FIXTURE_DIR) + "/" + name;
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("missing fixture " + path);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

std::string ReadPosixFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

void WritePosixFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

int RunXmllint(const std::string& path, std::string* output) {
  const std::string command = "xmllint --noout '" + path + "' 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return -1;
  char buffer[512];
  std::string text;
  while (fgets(buffer, sizeof(buffer), pipe) != nullptr) text += buffer;
  const int status = pclose(pipe);
  if (output != nullptr) *output = text;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

FileSizeLimit::FileSizeLimit(rlim_t bytes) {
  getrlimit(RLIMIT_FSIZE, &m_old);
  m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit limit = m_old;
  limit.rlim_cur = bytes;
  if (setrlimit(RLIMIT_FSIZE, &limit) != 0) throw std::runtime_error("setrlimit failed");
}

FileSizeLimit::~FileSizeLimit() {
  setrlimit(RLIMIT_FSIZE, &m_old);
  std::signal(SIGXFSZ, m_oldHandler);
}

ScopedCurrentFolder::ScopedCurrentFolder(const std::string& posixFolder) {
  char buffer[4096];
  if (getcwd(buffer, sizeof(buffer)) == nullptr) throw std::runtime_error("getcwd failed");
  m_old = buffer;
  if (chdir(posixFolder.c_str()) != 0) throw std::runtime_error("chdir failed: " + posixFolder);
}

ScopedCurrentFolder::~ScopedCurrentFolder() {
  if (chdir(m_old.c_str()) != 0) std::perror("chdir back");
}

}  // namespace reporttest
