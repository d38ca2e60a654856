#include "tests/gui/GuiSession.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "tests/support/Process.h"
#include "tests/support/TempPrefix.h"

namespace uwtest {
namespace {

using Clock = std::chrono::steady_clock;

// The full path of `program` on PATH, or "".
std::string FindProgram(const std::string& program) {
  const char* path = std::getenv("PATH");
  std::stringstream dirs(path != nullptr ? path : "/usr/bin:/bin");
  std::string dir;
  while (std::getline(dirs, dir, ':')) {
    const std::string candidate = dir + "/" + program;
    if (access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  return "";
}

bool WaitPid(pid_t pid, int* status, double seconds) {
  const auto deadline = Clock::now() + std::chrono::duration<double>(seconds);
  for (;;) {
    const pid_t done = waitpid(pid, status, WNOHANG);
    if (done == pid) return true;
    if (done < 0) return false;
    if (Clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

}  // namespace

XvfbSession::XvfbSession() {
  const std::string xvfb = FindProgram("Xvfb");
  if (xvfb.empty()) return;
  m_installed = true;
  int fds[2];
  if (pipe(fds) != 0) {
    m_error = "pipe failed";
    return;
  }
  m_pid = fork();
  if (m_pid == 0) {
    // The server writes its display number to the pipe once it is ready.
    close(fds[0]);
    const int devnull = open("/dev/null", O_RDWR);
    dup2(devnull, STDIN_FILENO);
    dup2(devnull, STDOUT_FILENO);
    dup2(devnull, STDERR_FILENO);
    const std::string fd = std::to_string(fds[1]);
    execl(xvfb.c_str(), "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24",
          "-nolisten", "tcp", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(fds[1]);
  if (m_pid < 0) {
    close(fds[0]);
    m_error = "fork failed";
    return;
  }
  std::string number;
  const auto deadline = Clock::now() + std::chrono::seconds(15);
  while (Clock::now() < deadline) {
    pollfd p{fds[0], POLLIN, 0};
    if (poll(&p, 1, 100) <= 0) continue;
    char c;
    const ssize_t got = read(fds[0], &c, 1);
    if (got <= 0) break;
    if (c == '\n') break;
    number += c;
  }
  close(fds[0]);
  if (number.empty()) {
    m_error = "Xvfb did not start";
    return;
  }
  // Said ready; make sure a client gets through before any test relies on it.
  const std::string display = ":" + number;
  const std::string xdpyinfo = FindProgram("xdpyinfo");
  while (!xdpyinfo.empty()) {
    if (RunProcess({xdpyinfo, "-display", display}, {}, 10).exitStatus == 0) break;
    if (Clock::now() >= deadline) {
      m_error = "Xvfb on " + display + " takes no clients";
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  m_display = display;
}

XvfbSession::~XvfbSession() {
  if (m_pid > 0) {
    kill(m_pid, SIGTERM);
    int status = 0;
    if (!WaitPid(m_pid, &status, 5)) {
      kill(m_pid, SIGKILL);
      waitpid(m_pid, &status, 0);
    }
  }
}

GuiProcess::GuiProcess(const std::vector<std::string>& argv,
                       const std::map<std::string, std::string>& env, const std::string& outputFile)
    : m_outputFile(outputFile) {
  m_pid = fork();
  if (m_pid == 0) {
    const int out = open(outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const int devnull = open("/dev/null", O_RDONLY);
    dup2(devnull, STDIN_FILENO);
    dup2(out, STDOUT_FILENO);
    dup2(out, STDERR_FILENO);
    for (const auto& [name, value] : env) setenv(name.c_str(), value.c_str(), 1);
    std::vector<char*> args;
    for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    execv(args[0], args.data());
    _exit(127);
  }
}

GuiProcess::~GuiProcess() {
  if (m_pid > 0) {
    kill(m_pid, SIGKILL);
    int status = 0;
    waitpid(m_pid, &status, 0);
  }
}

std::string GuiProcess::Output() const {
  std::ifstream in(m_outputFile, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

bool GuiProcess::WaitForOutput(const std::string& text, double seconds) {
  const auto deadline = Clock::now() + std::chrono::duration<double>(seconds);
  for (;;) {
    if (Output().find(text) != std::string::npos) return true;
    if (m_pid <= 0 || Clock::now() >= deadline) return false;
    int status = 0;
    if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
      m_pid = -1;
      m_status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
      return Output().find(text) != std::string::npos;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

int GuiProcess::Wait(double seconds) {
  if (m_pid <= 0) return m_status;
  int status = 0;
  if (!WaitPid(m_pid, &status, seconds)) {
    kill(m_pid, SIGKILL);
    waitpid(m_pid, &status, 0);
    m_pid = -1;
    return -1;
  }
  m_pid = -1;
  m_status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return m_status;
}

std::string RunOnDisplay(const std::string& display, const std::vector<std::string>& argv,
                         int timeoutSeconds) {
  std::vector<std::string> command = argv;
  if (!command.empty() && command[0].find('/') == std::string::npos) {
    command[0] = FindProgram(command[0]);
    if (command[0].empty()) return "";
  }
  const ProcessResult result = RunProcess(command, {{"DISPLAY", display}}, timeoutSeconds);
  return result.exitStatus == 0 ? result.output : "";
}

std::vector<std::string> WaitForWindows(const std::string& display, const std::string& windowClass,
                                        std::size_t count, double seconds) {
  const auto deadline = Clock::now() + std::chrono::duration<double>(seconds);
  std::vector<std::string> windows;
  for (;;) {
    windows.clear();
    std::stringstream lines(
        RunOnDisplay(display, {"xdotool", "search", "--onlyvisible", "--class", windowClass}));
    std::string line;
    while (std::getline(lines, line)) {
      if (!line.empty()) windows.push_back(line);
    }
    if (windows.size() >= count || Clock::now() >= deadline) return windows;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

std::string WindowTitle(const std::string& display, const std::string& window) {
  const std::string out = RunOnDisplay(display, {"xprop", "-id", window, "_NET_WM_NAME"});
  const std::size_t open = out.find('"');
  const std::size_t close = out.rfind('"');
  if (open == std::string::npos || close <= open) return "";
  return out.substr(open + 1, close - open - 1);
}

std::string Screenshot(const std::string& display, const std::string& name) {
  const std::string folder = BuildDir() + "/tests/gui-artifacts";
  std::filesystem::create_directories(folder);
  const std::string path = folder + "/" + name + ".png";
  const ProcessResult result =
      RunProcess({FindProgram("import"), "-window", "root", path}, {{"DISPLAY", display}}, 30);
  return result.exitStatus == 0 ? path : "";
}

}  // namespace uwtest
