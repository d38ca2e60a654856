// The subcommands of the talhost command. Each takes the arguments after
// its name and returns the process's exit status.
#pragma once

#include <string>
#include <vector>

namespace talhost {

using Arguments = std::vector<std::string>;

// Exit status for wrong usage (also for an unknown subcommand).
constexpr int kExitUsage = 64;
// Exit status of init, list, select and set when they fail.
constexpr int kExitFailed = 1;
// Exit status of run when nothing was posted.
constexpr int kExitNothingPosted = 3;
// Exit status of run when talhost could not run the deliverable.
constexpr int kExitCannotRun = 4;

int CommandInit(const Arguments& args);
int CommandList(const Arguments& args);
int CommandSelect(const Arguments& args);
int CommandSet(const Arguments& args);
int CommandRun(const Arguments& args);

// Writes "talhost: <text>" to standard error and returns `status`.
int Complain(int status, const std::string& text);

// Parses a decimal integer that fills the whole text.
bool ParseLong(const std::string& text, long long* value);

// Writes one line to standard output and flushes it, so that it appears in
// order with what a child process writes.
void PrintLine(const std::string& line);

}  // namespace talhost
