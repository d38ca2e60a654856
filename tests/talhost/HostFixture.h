// Shared set-up of the host library's tests: a fresh prefix, a ledger
// builder on it, and a connection opened and released around each test.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "host/TalLink.h"
#include "talhost/Faults.h"
#include "talhost/LedgerBuilder.h"
#include "tests/support/TempPrefix.h"
#include "tests/talhost/MessageBoxRecorder.h"

namespace talhost_test {

class HostTest : public ::testing::Test {
 protected:
  HostTest() : m_ledger(std::make_unique<talhost::LedgerBuilder>()) { ClearMessageBoxes(); }
  ~HostTest() override {
    ClTalConnect::Inst()->LogOut();
    ClTalConnect::Inst()->Terminate();
    ClTalConnect::Inst()->Release();
    talhost::ClearFaultSwitches();
  }

  // Opens the connection on what the builder wrote; fails the test when it
  // cannot.
  void Connect() { ASSERT_EQ(0, ClTalConnect::Inst()->Initiate()) << LastMessage(); }

  static std::string LastMessage() {
    return MessageBoxes().empty() ? std::string() : MessageBoxes().back().text;
  }

  talhost::LedgerBuilder& Ledger() { return *m_ledger; }

  uwtest::TempPrefix m_prefix;
  std::unique_ptr<talhost::LedgerBuilder> m_ledger;
};

}  // namespace talhost_test
