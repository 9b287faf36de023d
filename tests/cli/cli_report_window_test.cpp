#include "cli/cli_report_window.h"

#include <gtest/gtest.h>
#include <stdio.h>

#include <cstdlib>

namespace velmora {
namespace {

// A report shown through a CLI window writing into memory.
class ReportWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { m_pOut = ::open_memstream(&m_pBuffer, &m_nSize); }
  void TearDown() override {
    std::fclose(m_pOut);
    std::free(m_pBuffer);
  }
  std::string Printed() {
    std::fflush(m_pOut);
    return std::string(m_pBuffer, m_nSize);
  }

  char* m_pBuffer = nullptr;
  size_t m_nSize = 0;
  std::FILE* m_pOut = nullptr;
  CReport m_report;
};

TEST_F(ReportWindowTest, PrintsEachLineOnceAcrossClearsAndBatches) {
  CCliReportWindow window(m_pOut, m_report, false);
  m_report.SetWindow(&window);
  m_report.AddLine("Checking sitestructure", EAlert::kInfo);
  m_report.AddLine("two\r\nparts", EAlert::kNotice);
  EXPECT_EQ(Printed(), "Checking sitestructure\ntwo\nparts\n");

  // A batch is shown at its end, followed by an empty line.
  m_report.Clear();
  m_report.SetBatch(true);
  m_report.AddHeading("Built - with properties:");
  m_report.AddLine("built", EAlert::kInfo);
  EXPECT_EQ(Printed(), "Checking sitestructure\ntwo\nparts\n");
  m_report.SetBatch(false);
  std::string afterBatch =
      "Checking sitestructure\ntwo\nparts\n\nBuilt - with properties:\nbuilt\n\n";
  EXPECT_EQ(Printed(), afterBatch);

  // Lines after the batch are neither lost nor cut.
  m_report.AddLine("later", EAlert::kInfo);
  m_report.AddLine("", EAlert::kInfo);
  m_report.AddLine("last", EAlert::kInfo);
  EXPECT_EQ(Printed(), afterBatch + "later\n\nlast\n");
}

TEST_F(ReportWindowTest, QuietPrintsOnlyNewAlerts) {
  CCliReportWindow window(m_pOut, m_report, true);
  m_report.SetWindow(&window);
  m_report.AddLine("info", EAlert::kInfo);
  m_report.AddLine("first alert", EAlert::kNotice);
  m_report.AddLine("second alert", EAlert::kError);
  EXPECT_EQ(Printed(), "first alert\nsecond alert\n");

  // A batch empties the alerts at its start; its own alerts come out at its end.
  m_report.Clear();
  m_report.SetBatch(true);
  m_report.AddLine("in batch", EAlert::kWarning);
  m_report.AddLine("quiet line", EAlert::kInfo);
  m_report.SetBatch(false);
  EXPECT_EQ(Printed(), "first alert\nsecond alert\nin batch\n");
}

}  // namespace
}  // namespace velmora
