#include "platform/report.h"

#include <gtest/gtest.h>

#include <thread>

#include "platform/dialogs.h"
#include "res/messages.h"

namespace velmora {
namespace {

class ReportTest : public ::testing::Test {
 protected:
  void SetUp() override { m_report.SetDialogs(&m_dialogs); }

  // One batch with the given number of alert lines.
  void Batch(int nAlerts) {
    m_report.SetBatch(true);
    m_report.AddLine("info", EAlert::kInfo);
    for (int n = 1; n <= nAlerts; ++n)
      m_report.AddLine("alert " + std::to_string(n), static_cast<EAlert>(n % 4 + 1));
    m_report.SetBatch(false);
  }
  static std::string Box(const std::string& list) {
    return "Reported:\r\n" + list +
           "\r\nSee Report Window\r\n\r\nDo you want to see this alert again ?";
  }

  CReport m_report;
  CScriptedDialogs m_dialogs;
};

TEST_F(ReportTest, LinesHeadingsAndLevels) {
  m_report.AddHeading("Checking sitestructure");
  m_report.AddMessage(EMessage::kDashes, EAlert::kInfo);
  m_report.AddFormatted(EMessage::kBadPath, "x", EAlert::kWarning);
  EXPECT_EQ(m_report.Text(),
            "\r\nChecking sitestructure\r\n------------------------\r\nBad path: x\r\n");
  EXPECT_EQ(m_report.HighestLevel(), 2);
  EXPECT_EQ(m_report.Alerts(), std::vector<std::string>{"Bad path: x"});
  m_report.Clear();
  EXPECT_EQ(m_report.Text(), "");
}

TEST_F(ReportTest, AlertBoxListsAtMostSixAlerts) {
  Batch(0);
  EXPECT_TRUE(m_dialogs.m_alertBoxes.empty());

  Batch(5);
  Batch(6);
  Batch(7);
  ASSERT_EQ(m_dialogs.m_alertBoxes.size(), 3u);
  const std::string five = "alert 1\nalert 2\nalert 3\nalert 4\nalert 5\n";
  EXPECT_EQ(m_dialogs.m_alertBoxes[0], Box(five));
  EXPECT_EQ(m_dialogs.m_alertBoxes[1], Box(five + "alert 6\n..."));
  EXPECT_EQ(m_dialogs.m_alertBoxes[2], Box(five + "alert 6\n..."));
}

TEST_F(ReportTest, AlertsOutsideABatchAreNeverShown) {
  m_report.AddLine("during interpretation", EAlert::kError);
  Batch(1);
  ASSERT_EQ(m_dialogs.m_alertBoxes.size(), 1u);
  EXPECT_EQ(m_dialogs.m_alertBoxes[0], Box("alert 1\n"));
}

TEST_F(ReportTest, AnsweringNoSilencesLaterBoxesButNotTheReport) {
  m_dialogs.m_bSeeAlertsAgain = false;
  Batch(1);
  Batch(2);
  EXPECT_EQ(m_dialogs.m_alertBoxes.size(), 1u);
  EXPECT_FALSE(m_report.m_bAlertSwitch);
  EXPECT_NE(m_report.Text().find("alert 2\r\n"), std::string::npos);
  EXPECT_EQ(m_report.Alerts().size(), 2u);
}

// Lines held back on another thread come out, when given, as if reported then: in order,
// headings as headings, alerts counted.
TEST_F(ReportTest, HeldLinesAreGivenInTheirOrder) {
  CReportBuffer held;
  std::thread([&] {
    CReport::RedirectThread(&held);
    CReport other;
    other.AddHeading("Head");
    other.AddLine("warned", EAlert::kWarning);
    other.AddLine("told", EAlert::kInfo);
    CReport::RedirectThread(nullptr);
  }).join();
  EXPECT_FALSE(held.IsEmpty());
  m_report.AddLine("before", EAlert::kInfo);
  m_report.Replay(held);
  EXPECT_TRUE(held.IsEmpty());
  EXPECT_EQ(m_report.Text(), "before\r\n\r\nHead\r\nwarned\r\ntold\r\n");
  EXPECT_EQ(m_report.HighestLevel(), 2);
  EXPECT_EQ(m_report.Alerts(), std::vector<std::string>{"warned"});
}

}  // namespace
}  // namespace velmora
