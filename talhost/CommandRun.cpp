// talhost run: starts a deliverable the way the host does and reports what
// it sends back to the host window.
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>

#include "platform/win/prefix.h"
#include "talhost/ChildProcess.h"
#include "talhost/Commands.h"
#include "talhost/HostWindow.h"

namespace talhost {
namespace {

namespace fs = std::filesystem;

// The message number of the handshake unless --msg says otherwise
// (WM_USER + 1).
constexpr long long kDefaultMessage = 0x0401;
// Handles of the host window: a number of the pid, below the range the
// dialog framework gives its own windows.
constexpr HWND kHandleBase = 0x10000;

struct RunOptions {
  std::string deliverable;
  long long func = 1;
  long long msg = kDefaultMessage;
  std::string path;
  bool handshake = true;
  bool rawTail = false;  // --tail: the argument as given
  std::string tail;
  std::string script;
  std::optional<double> timeoutSeconds;
};

volatile sig_atomic_t g_childPid = 0;

// Passes Ctrl-C and termination on to the deliverable, so that talhost
// still reports its end and removes the endpoint.
void ForwardSignal(int signal) {
  if (g_childPid > 0) kill(static_cast<pid_t>(g_childPid), signal);
}

bool ParseOptions(const Arguments& args, RunOptions* options, std::string* error) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    auto value = [&](std::string* out) {
      if (i + 1 >= args.size()) {
        *error = arg + " needs a value";
        return false;
      }
      *out = args[++i];
      return true;
    };
    std::string text;
    if (arg == "--func" || arg == "--msg") {
      if (!value(&text)) return false;
      if (!ParseLong(text, arg == "--func" ? &options->func : &options->msg)) {
        *error = arg + " needs a number, not \"" + text + "\"";
        return false;
      }
    } else if (arg == "--path") {
      if (!value(&options->path)) return false;
    } else if (arg == "--tail") {
      if (!value(&options->tail)) return false;
      options->rawTail = true;
    } else if (arg == "--script") {
      if (!value(&options->script)) return false;
    } else if (arg == "--timeout") {
      if (!value(&text)) return false;
      char* end = nullptr;
      const double seconds = std::strtod(text.c_str(), &end);
      if (text.empty() || *end != '\0' || !(seconds > 0)) {
        *error = "--timeout needs a number of seconds above 0, not \"" + text + "\"";
        return false;
      }
      options->timeoutSeconds = seconds;
    } else if (arg == "--no-handshake") {
      options->handshake = false;
    } else if (!arg.empty() && arg[0] == '-') {
      *error = "unknown option " + arg;
      return false;
    } else if (options->deliverable.empty()) {
      options->deliverable = arg;
    } else {
      *error = "one deliverable only (\"" + arg + "\" is too many)";
      return false;
    }
  }
  if (options->deliverable.empty()) {
    *error = "run needs a deliverable";
    return false;
  }
  if (options->rawTail && !options->handshake) {
    *error = "--tail and --no-handshake exclude each other";
    return false;
  }
  return true;
}

// A name without a slash is looked for beside talhost; anything else is a
// path.
std::string ResolveDeliverable(const std::string& name) {
  if (name.find('/') != std::string::npos) return name;
  std::error_code ec;
  const fs::path self = fs::read_symlink("/proc/self/exe", ec);
  if (ec) return name;
  return (self.parent_path() / name).string();
}

std::string ReplaceAll(std::string text, const std::string& what, const std::string& with) {
  for (std::size_t at = text.find(what); at != std::string::npos;
       at = text.find(what, at + with.size())) {
    text.replace(at, what.size(), with);
  }
  return text;
}

void Report(const std::vector<WindowEvent>& events, std::optional<long long>* lastLParam) {
  for (const WindowEvent& event : events) {
    PrintLine(event.Line());
    if (event.kind == WindowEvent::kPost) *lastLParam = event.lParam;
  }
}

}  // namespace

int CommandRun(const Arguments& args) {
  RunOptions options;
  std::string error;
  if (!ParseOptions(args, &options, &error)) return Complain(kExitUsage, error);

  const std::string program = ResolveDeliverable(options.deliverable);
  if (access(program.c_str(), X_OK) != 0) {
    return Complain(kExitCannotRun, "no program to run at " + program);
  }
  if (!options.script.empty()) {
    std::error_code ec;
    const fs::path script = fs::absolute(options.script, ec);
    if (ec || !fs::is_regular_file(script, ec)) {
      return Complain(kExitCannotRun, "no script at " + options.script);
    }
    setenv("UCHIWAKE_UI_SCRIPT", script.c_str(), 1);
    setenv("UCHIWAKE_UI", "headless", 1);
  }

  // Without a prefix there is nowhere to put the endpoint; the deliverable
  // then finds no prefix either, and says so itself.
  const HWND handle = kHandleBase + getpid();
  HostWindow window;
  std::error_code ec;
  const std::string prefix = uw::GetPrefixFolder();
  if (fs::is_directory(prefix, ec)) {
    fs::create_directories(prefix + "/windows", ec);
    if (!window.Open(handle, &error)) return Complain(kExitCannotRun, error);
  } else {
    Complain(0, "no prefix at " + prefix + "; the host window has no endpoint");
  }

  const std::string handleText = std::to_string(static_cast<long long>(handle));
  std::vector<std::string> childArgs;
  if (options.rawTail) {
    childArgs.push_back(ReplaceAll(options.tail, "{window}", handleText));
  } else if (options.handshake) {
    childArgs.push_back(handleText + "," + std::to_string(options.msg) + "," +
                        std::to_string(options.func) + "," + options.path);
  }
  ChildProcess child;
  if (!child.Start(program, childArgs, &error)) return Complain(kExitCannotRun, error);
  g_childPid = child.Pid();
  struct sigaction forward {};
  forward.sa_handler = ForwardSignal;
  sigemptyset(&forward.sa_mask);
  sigaction(SIGINT, &forward, nullptr);
  sigaction(SIGTERM, &forward, nullptr);

  using Clock = std::chrono::steady_clock;
  std::optional<Clock::time_point> deadline;
  if (options.timeoutSeconds) {
    deadline = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                  std::chrono::duration<double>(*options.timeoutSeconds));
  }
  std::optional<long long> lastLParam;
  bool killed = false;
  while (!child.Reap()) {
    pollfd fds[2] = {{window.Fd(), POLLIN, 0}, {child.WaitFd(), POLLIN, 0}};
    // Without a pid descriptor the child's end is noticed by polling.
    int waitMs = child.WaitFd() >= 0 ? -1 : 50;
    if (deadline && !killed) {
      const auto left =
          std::chrono::duration_cast<std::chrono::milliseconds>(*deadline - Clock::now()).count();
      waitMs = waitMs < 0
                   ? static_cast<int>(std::max<long long>(left, 0))
                   : static_cast<int>(std::min<long long>(waitMs, std::max<long long>(left, 0)));
    }
    poll(fds, 2, waitMs);
    Report(window.Drain(), &lastLParam);
    if (deadline && !killed && Clock::now() >= *deadline) {
      PrintLine("timeout");
      child.Signal(SIGKILL);
      killed = true;
    }
  }
  g_childPid = 0;
  // What the deliverable sent just before it ended is still queued.
  Report(window.Drain(), &lastLParam);
  window.Close();
  PrintLine(child.Signaled() ? "exit signal " + std::to_string(child.Code())
                             : "exit " + std::to_string(child.Code()));
  if (!lastLParam) return kExitNothingPosted;
  return *lastLParam >= 0 && *lastLParam <= 255 ? static_cast<int>(*lastLParam) : 255;
}

}  // namespace talhost
