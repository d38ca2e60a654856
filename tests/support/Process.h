// Runs a program as a real child process and collects what it printed.
//
// For end-to-end tests that drive `talhost` and the deliverables the way a
// user would. The child inherits the environment (UCHIWAKE_PREFIX of the
// test's TempPrefix included) plus any variables given.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace uwtest {

struct ProcessResult {
  int exitStatus = -1;  // exit status, or -1 when killed by a signal
  int signal = 0;       // the signal that ended it, else 0
  bool timedOut = false;
  std::string output;   // standard output and standard error, interleaved
};

// Runs argv[0] (a path) with its arguments, waiting at most `timeoutSeconds`
// (then the child is killed and timedOut is set).
ProcessResult RunProcess(const std::vector<std::string>& argv,
                         const std::map<std::string, std::string>& extraEnv = {},
                         int timeoutSeconds = 60);

// Path of a program built into <build>/bin.
std::string BinPath(const std::string& name);

}  // namespace uwtest
