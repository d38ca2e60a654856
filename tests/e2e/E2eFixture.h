// End-to-end fixture: a fresh prefix made by `talhost init --demo`, and runs
// of the real deliverables through `talhost run`, headless, the way a user
// and the host would see them.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/Process.h"
#include "tests/support/TempPrefix.h"

namespace uwtest {

// What `talhost run` printed, split into the host's lines and the rest.
struct HostRun {
  ProcessResult process;
  std::vector<std::string> hostLines;  // "enabled ...", "posted ...", "exit ..."
  std::string transcript;              // everything else (the deliverable's transcript)

  // The single "posted ..." line, or "" when nothing was posted.
  std::string Posted() const;
  // lParam of the posted message; -1 when nothing was posted.
  long long PostedLParam() const;
  long long PostedWParam() const;
};

class E2eTest : public ::testing::Test {
 protected:
  void SetUp() override;

  // Runs `talhost <args...>` in this test's prefix.
  ProcessResult Talhost(const std::vector<std::string>& args, int timeoutSeconds = 60);
  // `talhost run <deliverable> <args...> --script <file holding script>`.
  HostRun Run(const std::string& deliverable, const std::vector<std::string>& args,
              const std::string& script);
  // Sets a host setting ("host.expsyslink", "faults.move_next_error_after", ...).
  void SetHost(const std::string& key, const std::string& value);

  // POSIX path of a Windows path on drive C: ("C:\Tal\Out\a.xml").
  std::string OnDriveC(const std::string& winPath) const;
  bool FileExists(const std::string& posixPath) const;
  std::string ReadAll(const std::string& posixPath) const;

  TempPrefix m_prefix;
};

}  // namespace uwtest
