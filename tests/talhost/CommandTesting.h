// Running the talhost command from a test.
#pragma once

#include <string>
#include <vector>

#include "tests/support/Process.h"

namespace talhost_test {

inline uwtest::ProcessResult Talhost(std::vector<std::string> args) {
  args.insert(args.begin(), uwtest::BinPath("talhost"));
  return uwtest::RunProcess(args, {}, 60);
}

}  // namespace talhost_test
