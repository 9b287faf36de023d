// Builds the navigation fixture sites and follows every relative link and image of every
// written page: each must lead to a file the build left on the drive.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "build/build_driver.h"
#include "model/script_lines.h"
#include "model/web_site.h"
#include "platform/build_settings.h"
#include "platform/dialogs.h"
#include "platform/report.h"
#include "platform/strings.h"
#include "support/temp_drive.h"
#include "support/test_context.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

std::string ReadHost(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

bool LeadsAway(const std::string& value) {
  const std::string lower = ToLower(value);
  return StartsWith(lower, "http://") || StartsWith(lower, "https://") ||
         StartsWith(lower, "mailto:");
}

// The quoted values of every href= and src= attribute (any case, blanks around "="), found
// without the program's own tag scanner.
std::vector<std::string> ReferencedValues(const std::string& text) {
  std::vector<std::string> values;
  const std::string lower = ToLower(text);
  for (const std::string key : {"href", "src"}) {
    for (size_t at = lower.find(key); at != std::string::npos; at = lower.find(key, at + 1)) {
      size_t pos = at + key.size();
      while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos]))) ++pos;
      if (pos >= text.size() || text[pos] != '=')
        continue;
      ++pos;
      while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos]))) ++pos;
      if (pos >= text.size() || text[pos] != '"')
        continue;
      const size_t close = text.find('"', pos + 1);
      if (close == std::string::npos)
        continue;
      values.push_back(text.substr(pos + 1, close - pos - 1));
    }
  }
  return values;
}

class SiteLinks : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    TestContext().settings = CBuildSettings();
    m_dialogs.m_bDefaultAnswer = true;
    TestContext().SetDialogs(&m_dialogs);
  }
  void TearDown() override { TestContext().SetDialogs(nullptr); }
  CScriptedDialogs m_dialogs;
};

TEST_P(SiteLinks, EveryLinkAndImageOfEveryPageExists) {
  CTempDrive drive('C');
  const fs::path input = fs::path(VELMORA_SOURCE_DIR) / "tests" / "fixtures" / GetParam() / "input";
  fs::copy(input, drive.HostFolder(), fs::copy_options::recursive);

  CWebSite site(TestContext(), PrepareScriptLines(ReadHost(input / "site.txt")));
  ASSERT_TRUE(site.Interpret()) << TestContext().report.Text();
  BuildPages(site);

  int nPages = 0;
  int nChecked = 0;
  for (const auto& pPage : site.Pages()) {
    if (pPage->m_strLocalPath.empty() || pPage->HasOption('N'))
      continue;
    std::string remote = pPage->m_strRemotePath;
    ReplaceAll(remote, "\\", "/");
    const fs::path page = fs::path(drive.HostFolder()) / "site" / remote;
    ASSERT_TRUE(fs::exists(page)) << "not written: " << remote;
    ++nPages;
    const std::string text = ReadHost(page);
    for (std::string value : ReferencedValues(text)) {
      value = value.substr(0, value.find('#'));
      if (value.empty() || LeadsAway(value))
        continue;
      // A folder reference (a top-level page's parent is the site root) is served as the
      // folder's index page.
      fs::path target = (page.parent_path() / value).lexically_normal();
      if (EndsWith(value, "/"))
        target /= "index.html";
      EXPECT_TRUE(fs::is_regular_file(target)) << remote << " refers to missing " << value;
      ++nChecked;
    }
  }
  EXPECT_GE(nPages, 7);
  EXPECT_GE(nChecked, 4 * nPages) << nChecked;
}

INSTANTIATE_TEST_SUITE_P(Fixtures, SiteLinks, ::testing::Values("nav_site", "nav_frames"));

}  // namespace
}  // namespace velmora
