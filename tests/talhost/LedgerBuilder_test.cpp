// The ledger builder refuses what the host could not deliver faithfully.
#include "talhost/LedgerBuilder.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "tests/support/TempPrefix.h"

namespace {

TEST(LedgerBuilderTest, WritesAFreshLedgerAndADefaultHostIni) {
  uwtest::TempPrefix prefix;
  {
    talhost::LedgerBuilder ledger;
    ledger.AddCompany({.dataNo = 1, .name = "a"});
  }
  EXPECT_EQ("[host]\nledger=ledger.db\nuser=user1\n", prefix.ReadFile("host.ini"));
  prefix.WriteFile("host.ini", "[host]\nuser=kept\n");
  // A second builder starts from an empty ledger and keeps host.ini.
  talhost::LedgerBuilder ledger;
  ledger.AddCompany({.dataNo = 1, .name = "a"});  // no duplicate: the old one is gone
  EXPECT_EQ("[host]\nuser=kept\n", prefix.ReadFile("host.ini"));
}

TEST(LedgerBuilderTest, RefusesEntriesTheHostCouldNotDeliver) {
  uwtest::TempPrefix prefix;
  talhost::LedgerBuilder ledger;
  ledger.AddCompany({.dataNo = 1, .name = "a"});
  ledger.AddAccount(1, {.code = 1110000, .name = "現金"});
  const std::string kanji56(28 * 3, '\0');
  struct Case {
    const char* name;
    std::function<void()> call;
  } cases[] = {
      {"same dataNo", [&] { ledger.AddCompany({.dataNo = 1, .name = "b"}); }},
      {"data id of 16 bytes",
       [&] { ledger.AddCompany({.dataNo = 2, .dataId = std::string(16, 'I'), .name = "b"}); }},
      {"period ending before it starts",
       [&] { ledger.AddCompany({.dataNo = 3, .name = "b", .periodStart = 2, .periodEnd = 1}); }},
      {"company name over 259 bytes",
       [&] { ledger.AddCompany({.dataNo = 4, .name = std::string(260, 'n')}); }},
      {"account of an unknown company", [&] { ledger.AddAccount(9, {.code = 1, .name = "x"}); }},
      {"same code", [&] { ledger.AddAccount(1, {.code = 1110000, .name = "x"}); }},
      {"sub-account before its account",
       [&] { ledger.AddAccount(1, {.code = 1120001, .name = "x"}); }},
      {"account name over 56 bytes",
       [&] { ledger.AddAccount(1, {.code = 1130000, .name = std::string(57, 'n')}); }},
      {"amount of a code not in the ledger", [&] { ledger.AddAmount(1, 1120000, 0, 1, 1, 1); }},
      {"month code 13", [&] { ledger.AddAmount(1, 1110000, 13, 1, 1, 1); }},
      {"month code 16", [&] { ledger.AddAmount(1, 1110000, 16, 1, 1, 1); }},
      {"side 3", [&] { ledger.AddAmount(1, 1110000, 1, 3, 1, 1); }},
      {"selection of an unknown company", [&] { ledger.SelectCompany("u", 42); }},
  };
  for (const Case& c : cases) {
    EXPECT_THROW(c.call(), std::runtime_error) << c.name;
  }
  // Exactly fitting names pass: 28 kanji are 56 bytes in CP932.
  std::string name;
  for (int i = 0; i < 28; ++i) name += "金";
  EXPECT_NO_THROW(ledger.AddAccount(1, {.code = 1140000, .name = name}));
  EXPECT_NO_THROW(ledger.AddCompany({.dataNo = 5, .name = std::string(259, 'n')}));
}

}  // namespace
