// The product label each edition writes when no support information names
// the product. Built once per edition library (EXPECTED_EDITION 1 to 3).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/UchiwakeXml.h"
#include "tests/report/ReportRun.h"

#if !defined(EXPECTED_EDITION) || !defined(EDITION_SUITE)
#error "EXPECTED_EDITION and EDITION_SUITE name the edition library this test is linked with"
#endif

namespace {

const char* const kLabels[] = {"", "タルベ１９ ミドリ", "タルベ１９", "タルベ１９ アオ"};
const char* const kExpectedLabel = kLabels[EXPECTED_EDITION];

TEST(EDITION_SUITE, WritesTheEditionsLabelAndTheDefaultVersion) {
  const std::string noValue = std::string("[=製品名=]\r\n[=製品ﾊﾞｰｼﾞｮﾝ=]\r\n");
  for (const bool withSupportFile : {false, true}) {
    reporttest::ReportRun run;
    if (withSupportFile) run.WriteSupport(noValue);
    ASSERT_EQ(1, run.Write());
    const std::string output = run.Output();
    EXPECT_EQ(std::vector<std::string>{kExpectedLabel},
              reporttest::ElementTexts(output, "PROGRAMNAME"))
        << withSupportFile;
    EXPECT_EQ(std::vector<std::string>{"19.00.0X"}, reporttest::ElementTexts(output, "PROGRAMVER"));
    EXPECT_EQ(std::vector<std::string>{"19.00.00"},
              reporttest::ElementTexts(output, "CONNECTEDPROGRAMVER"));
  }
}

}  // namespace
