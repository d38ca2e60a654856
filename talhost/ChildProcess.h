// A deliverable started by `talhost run`: a real child process that shares
// talhost's standard output and error, and can be waited for with poll().
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace talhost {

class ChildProcess {
 public:
  ChildProcess() = default;
  // Kills and reaps a child still running.
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // Starts `path` with the arguments `args` (argv[0] is `path`) and the
  // process's environment. False with `error` set when it cannot start.
  bool Start(const std::string& path, const std::vector<std::string>& args, std::string* error);

  // A descriptor that poll() reports readable once the child has ended, or
  // -1 when the system has none (then poll with a timeout and call Reap).
  int WaitFd() const { return m_pidFd; }

  // Reaps the child when it has ended: true with the status stored.
  bool Reap();
  // Sends `signal` to the child while it runs.
  void Signal(int signal);

  pid_t Pid() const { return m_pid; }
  bool Ended() const { return m_bEnded; }
  // After Reap(): whether a signal ended it, and the exit status or signal.
  bool Signaled() const { return m_bSignaled; }
  int Code() const { return m_code; }

 private:
  pid_t m_pid = -1;
  int m_pidFd = -1;
  bool m_bEnded = false;
  bool m_bSignaled = false;
  int m_code = 0;
};

}  // namespace talhost
