#include "tests/e2e/E2eFixture.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace uwtest {

namespace fs = std::filesystem;

std::string HostRun::Posted() const {
  for (const std::string& line : hostLines) {
    if (line.rfind("posted ", 0) == 0) return line;
  }
  return "";
}

namespace {

long long FieldOf(const std::string& posted, const std::string& name) {
  const std::size_t at = posted.find(name + "=");
  if (at == std::string::npos) return -1;
  return std::stoll(posted.substr(at + name.size() + 1));
}

bool IsHostLine(const std::string& line) {
  return line == "enabled 0" || line == "enabled 1" || line.rfind("posted msg=", 0) == 0 ||
         line.rfind("exit ", 0) == 0;
}

}  // namespace

long long HostRun::PostedLParam() const { return FieldOf(Posted(), "lparam"); }
long long HostRun::PostedWParam() const { return FieldOf(Posted(), "wparam"); }

void E2eTest::SetUp() {
  const ProcessResult init = Talhost({"init", "--demo"});
  ASSERT_EQ(init.exitStatus, 0) << init.output;
}

ProcessResult E2eTest::Talhost(const std::vector<std::string>& args, int timeoutSeconds) {
  std::vector<std::string> argv{BinPath("talhost")};
  argv.insert(argv.end(), args.begin(), args.end());
  return RunProcess(argv, {{"UCHIWAKE_PREFIX", m_prefix.path()}}, timeoutSeconds);
}

HostRun E2eTest::Run(const std::string& deliverable, const std::vector<std::string>& args,
                     const std::string& script) {
  const std::string scriptPath = m_prefix.path() + "/test.script";
  {
    std::ofstream out(scriptPath, std::ios::binary | std::ios::trunc);
    out << script;
  }
  std::vector<std::string> runArgs{"run", deliverable};
  runArgs.insert(runArgs.end(), args.begin(), args.end());
  runArgs.push_back("--script");
  runArgs.push_back(scriptPath);
  runArgs.push_back("--timeout");
  runArgs.push_back("60");

  HostRun run;
  run.process = Talhost(runArgs, 90);
  std::istringstream lines(run.process.output);
  for (std::string line; std::getline(lines, line);) {
    if (IsHostLine(line)) {
      run.hostLines.push_back(line);
    } else {
      run.transcript += line + "\n";
    }
  }
  return run;
}

void E2eTest::SetHost(const std::string& key, const std::string& value) {
  const ProcessResult set = Talhost({"set", key, value});
  ASSERT_EQ(set.exitStatus, 0) << set.output;
}

std::string E2eTest::OnDriveC(const std::string& winPath) const {
  std::string rest = winPath.substr(winPath.find(':') + 1);
  for (char& c : rest) {
    if (c == '\\') c = '/';
  }
  return m_prefix.DriveC() + rest;
}

bool E2eTest::FileExists(const std::string& posixPath) const { return fs::exists(posixPath); }

std::string E2eTest::ReadAll(const std::string& posixPath) const {
  std::ifstream in(posixPath, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

}  // namespace uwtest
