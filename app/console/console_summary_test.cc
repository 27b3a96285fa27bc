#include "app/console/console_summary.h"

#include <gtest/gtest.h>

namespace ivarscan {
namespace {

TEST(ConsoleSummaryTest, CountsWithTheBaselineOnlyWhenOneWasGiven) {
  EXPECT_EQ(RunSummary(3, 5, std::nullopt), "3 applications processed, 5 findings");
  EXPECT_EQ(RunSummary(1, 1, 0), "1 application processed, 1 finding, 0 left out by the baseline");
  EXPECT_EQ(RunSummary(0, 0, 2),
            "0 applications processed, 0 findings, 2 left out by the baseline");
}

TEST(ConsoleSummaryTest, CancelledRunNamesWhereTheIncompleteReportIs) {
  EXPECT_EQ(CancelledRunNotice("/work/DUPIVars25.TXT"),
            "the run was cancelled: the report in /work/DUPIVars25.TXT is incomplete");
  EXPECT_EQ(CancelledRunNotice(""),
            "the run was cancelled: the report on standard output is incomplete");
}

}  // namespace
}  // namespace ivarscan
