// Shared by the model tests: a temporary folder mapped as drive C, scripted dialogs, and the
// report split into lines.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "model/script_lines.h"
#include "model/web_site.h"
#include "platform/current_folder.h"
#include "platform/dialogs.h"
#include "platform/drive_map.h"
#include "platform/report.h"
#include "platform/strings.h"
#include "support/test_context.h"

namespace velmora {

class SiteTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/velmora_model_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    m_hostRoot = pattern;
    TestContext().drives.SetDrive('C', m_hostRoot);
    TestContext().SetDialogs(&m_dialogs);
    TestContext().folder.Set("C:\\", TestContext().Disk());
    TestContext().report.SetBatch(true);  // empties the alerts
    TestContext().report.ResetHighestLevel();
  }
  void TearDown() override {
    m_pSite.reset();
    TestContext().report.SetBatch(false);
    TestContext().SetDialogs(nullptr);
    std::filesystem::remove_all(m_hostRoot);
  }

  void MakeFolder(const std::string& relative) {
    std::filesystem::create_directories(m_hostRoot + "/" + relative);
  }

  // Prepares the text as the application does and interprets it.
  bool Interpret(const std::string& text) {
    m_pSite = std::make_unique<CWebSite>(TestContext(), PrepareScriptLines(text));
    return m_pSite->Interpret();
  }

  std::vector<std::string> ReportLines() const {
    return Split(TestContext().report.Text(), "\r\n", true);
  }
  bool HasLine(const std::string& line) const {
    std::vector<std::string> lines = ReportLines();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  }
  bool HasAlert(const std::string& line) const {
    const std::vector<std::string>& alerts = TestContext().report.Alerts();
    return std::find(alerts.begin(), alerts.end(), line) != alerts.end();
  }

  std::string m_hostRoot;
  CScriptedDialogs m_dialogs;
  std::unique_ptr<CWebSite> m_pSite;
};

// Joins script lines with CR LF.
inline std::string Script(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

}  // namespace velmora
