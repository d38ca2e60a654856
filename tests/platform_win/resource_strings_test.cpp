#include "platform/win/resource_strings.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// Ids far from the program's own, since the table is process-wide.
constexpr UINT kVersion = 61001;
constexpr UINT kKana = 61002;
constexpr UINT kReplaced = 61003;
constexpr UINT kMissing = 61999;

const StringResource kTable[] = {
    {kVersion, "19.00.00"},
    {kKana, "\x83\x5C\x83\x5C"},  // ソソ
    {kReplaced, "old"},
};
const StringResource kLater[] = {{kReplaced, "new"}};

class ResourceStringsTest : public testing::Test {
 protected:
  void SetUp() override {
    uw::RegisterStringResources(kTable, sizeof kTable / sizeof kTable[0]);
    uw::RegisterStringResources(kLater, 1);
  }
};

TEST_F(ResourceStringsTest, FindsRegisteredTextsAndLaterRegistrationWins) {
  EXPECT_STREQ("19.00.00", uw::FindStringResource(kVersion));
  EXPECT_STREQ("new", uw::FindStringResource(kReplaced));
  EXPECT_EQ(nullptr, uw::FindStringResource(kMissing));
}

TEST_F(ResourceStringsTest, LoadStringCopiesWithinTheBuffer) {
  static const struct {
    UINT id;
    int size;
    const char* expected;
    int result;
  } kCases[] = {
      {kVersion, 32, "19.00.00", 8}, {kVersion, 9, "19.00.00", 8},  // exactly fitting
      {kVersion, 8, "19.00.0", 7},                                  // one too small
      {kVersion, 1, "", 0},          {kKana, 5, "\x83\x5C\x83\x5C", 4},
      {kKana, 4, "\x83\x5C", 2},  // never ends inside ソ
      {kMissing, 16, "", 0},
  };
  for (const auto& c : kCases) {
    char buffer[40];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(c.result, LoadStringA(nullptr, c.id, buffer, c.size)) << c.id << " size " << c.size;
    EXPECT_STREQ(c.expected, buffer) << c.id << " size " << c.size;
    for (int i = c.size; i < static_cast<int>(sizeof buffer); ++i) {
      ASSERT_EQ('#', buffer[i]) << "overrun at " << i << " for " << c.id << " size " << c.size;
    }
  }
}

TEST_F(ResourceStringsTest, LoadStringRefusesNoBuffer) {
  char buffer[4] = {'#', '#', '#', '#'};
  EXPECT_EQ(0, LoadStringA(nullptr, kVersion, buffer, 0));
  EXPECT_EQ('#', buffer[0]);
  EXPECT_EQ(0, LoadStringA(nullptr, kVersion, nullptr, 10));
}

}  // namespace
