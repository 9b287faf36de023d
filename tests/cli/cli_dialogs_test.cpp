#include "cli/cli_dialogs.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(CliDialogs, AlertSummaryNamesSixAlertsAndCountsTheRest) {
  std::vector<std::string> alerts;
  for (int n = 1; n <= 6; ++n) alerts.push_back("alert " + std::to_string(n));
  EXPECT_EQ(AlertSummary(alerts),
            "Reported:\nalert 1\nalert 2\nalert 3\nalert 4\nalert 5\nalert 6");
  alerts.push_back("alert 7");
  alerts.push_back("alert 8");
  EXPECT_EQ(AlertSummary(alerts),
            "Reported:\nalert 1\nalert 2\nalert 3\nalert 4\nalert 5\nalert 6\n... and 2 more");
  EXPECT_EQ(AlertSummary({"only"}), "Reported:\nonly");
}

}  // namespace
}  // namespace velmora
