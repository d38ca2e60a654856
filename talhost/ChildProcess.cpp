#include "talhost/ChildProcess.h"

#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

extern char** environ;

namespace talhost {

ChildProcess::~ChildProcess() {
  if (m_pid > 0 && !m_bEnded) {
    kill(m_pid, SIGKILL);
    int status = 0;
    while (waitpid(m_pid, &status, 0) < 0 && errno == EINTR) {
    }
  }
  if (m_pidFd >= 0) close(m_pidFd);
}

bool ChildProcess::Start(const std::string& path, const std::vector<std::string>& args,
                         std::string* error) {
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(path.c_str()));
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  const int rc = posix_spawn(&m_pid, path.c_str(), nullptr, nullptr, argv.data(), environ);
  if (rc != 0) {
    *error = "cannot start " + path + ": " + std::strerror(rc);
    m_pid = -1;
    return false;
  }
#ifdef SYS_pidfd_open
  m_pidFd = static_cast<int>(syscall(SYS_pidfd_open, m_pid, 0));
#endif
  return true;
}

bool ChildProcess::Reap() {
  if (m_bEnded) return true;
  if (m_pid <= 0) return false;
  int status = 0;
  pid_t got;
  do {
    got = waitpid(m_pid, &status, WNOHANG);
  } while (got < 0 && errno == EINTR);
  if (got != m_pid) return false;
  m_bEnded = true;
  m_bSignaled = WIFSIGNALED(status);
  m_code = m_bSignaled ? WTERMSIG(status) : WEXITSTATUS(status);
  return true;
}

void ChildProcess::Signal(int signal) {
  if (m_pid > 0 && !m_bEnded) kill(m_pid, signal);
}

}  // namespace talhost
