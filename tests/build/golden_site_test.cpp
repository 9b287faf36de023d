// Whole small sites under tests/fixtures/<name>/: input/ is laid out as drive C: (the script is
// C:\site.txt), the site is built, and the drive afterwards must equal expected/ byte for byte,
// the build's report must equal report.txt, and a second build must change nothing.
// VELMORA_REGEN_GOLDEN=1 writes expected/ and report.txt instead (scripts/regen-golden).
#include <gtest/gtest.h>
#include <stdlib.h>
#include <time.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <tuple>

#include "app/commands.h"
#include "app/site_session.h"
#include "platform/build_settings.h"
#include "platform/dialogs.h"
#include "platform/report.h"
#include "support/temp_drive.h"
#include "support/test_context.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using CTree = std::map<std::string, std::string>;  // relative path -> bytes

const fs::path kFixtures = fs::path(VELMORA_SOURCE_DIR) / "tests" / "fixtures";

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

CTree ReadTree(const fs::path& root) {
  CTree tree;
  if (!fs::exists(root))
    return tree;
  for (const auto& entry : fs::recursive_directory_iterator(root))
    if (entry.is_regular_file())
      tree[fs::relative(entry.path(), root).generic_string()] = ReadBytes(entry.path());
  return tree;
}

std::vector<std::string> FixtureNames() {
  std::vector<std::string> names;
  if (fs::exists(kFixtures))
    for (const auto& entry : fs::directory_iterator(kFixtures))
      if (fs::exists(entry.path() / "input" / "site.txt"))
        names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// Builds the site on the drive with default settings and a fixed date; returns the report.
// A script of the older format is converted first, as the user would after the offer.
std::string BuildSite() {
  TestContext().settings = CBuildSettings();
  CSiteSession session{TestContext()};
  EXPECT_EQ(session.LoadScript("C:\\site.txt"), EScriptRead::kRead);
  if (session.m_strScriptText.find("VERSION=2.0") == std::string::npos) {
    EXPECT_TRUE(ConvertCommand(session));
  }
  EXPECT_TRUE(BuildCommand(session, {}));
  return TestContext().report.Text();
}

// Each fixture is built on one thread and on two (one page expanded while the next is read).
class GoldenSiteTest : public ::testing::TestWithParam<std::tuple<std::string, const char*>> {
 protected:
  void SetUp() override {
    TestContext().threads = static_cast<unsigned>(std::stoi(std::get<1>(GetParam())));
    setenv("SOURCE_DATE_EPOCH", "1015300800", 1);
    setenv("TZ", "UTC", 1);
    tzset();
    m_dialogs.m_bDefaultAnswer = true;  // make the catalog when it is missing
    TestContext().SetDialogs(&m_dialogs);
  }
  void TearDown() override {
    TestContext().SetDialogs(nullptr);
    unsetenv("SOURCE_DATE_EPOCH");
  }
  CScriptedDialogs m_dialogs;
};

TEST_P(GoldenSiteTest, BuildsAsCommitted) {
  const fs::path fixture = kFixtures / std::get<0>(GetParam());
  CTempDrive drive('C');
  fs::copy(fixture / "input", drive.HostFolder(), fs::copy_options::recursive);

  const std::string report = BuildSite();
  const CTree built = ReadTree(drive.HostFolder());

  if (getenv("VELMORA_REGEN_GOLDEN")) {
    if (std::string(std::get<1>(GetParam())) != "1")
      return;
    fs::remove_all(fixture / "expected");
    for (const auto& [name, bytes] : built) WriteBytes(fixture / "expected" / name, bytes);
    WriteBytes(fixture / "report.txt", report);
    return;
  }

  const CTree expected = ReadTree(fixture / "expected");
  for (const auto& [name, bytes] : expected) {
    auto it = built.find(name);
    if (it == built.end())
      ADD_FAILURE() << "not built: " << name;
    else
      EXPECT_EQ(it->second, bytes) << "differs: " << name;
  }
  for (const auto& [name, bytes] : built)
    EXPECT_TRUE(expected.count(name)) << "not expected: " << name;
  EXPECT_EQ(report, ReadBytes(fixture / "report.txt"));

  BuildSite();
  const CTree again = ReadTree(drive.HostFolder());
  EXPECT_EQ(again.size(), built.size());
  for (const auto& [name, bytes] : built) {
    // The missing page stands at the page's own place, so the next build takes it as the page.
    if (bytes.find("Page neither found nor constructed:") != std::string::npos)
      continue;
    auto it = again.find(name);
    EXPECT_TRUE(it != again.end() && it->second == bytes) << "second build changed: " << name;
  }
}

// What the UTF-8 fixture shows, said outright so that a careless regeneration cannot lose it:
// every page declares UTF-8 and holds no byte-order mark, and the text of the sources reaches
// the title, headings, menus and footer as it was written.
TEST(Utf8Site, PagesDeclareUtf8AndShowTheTextAsWritten) {
  setenv("SOURCE_DATE_EPOCH", "1015300800", 1);
  CScriptedDialogs dialogs;
  TestContext().SetDialogs(&dialogs);
  CTempDrive drive('C');
  fs::copy(kFixtures / "utf8-text" / "input", drive.HostFolder(), fs::copy_options::recursive);
  BuildSite();
  TestContext().SetDialogs(nullptr);
  unsetenv("SOURCE_DATE_EPOCH");

  const fs::path site = fs::path(drive.HostFolder()) / "site";
  for (const char* page : {"index.html", "kept.html", "print.html", "pages/cafe.html",
                           "pages/tokyo.html", "pages/bare.html", "pages/words.html"}) {
    const std::string text = ReadBytes(site / page);
    EXPECT_NE(text.find("charset=utf-8\">"), std::string::npos) << page;
    EXPECT_EQ(text.find("iso-8859-1"), std::string::npos) << page;
    EXPECT_EQ(text.find("windows-1252"), std::string::npos) << page;
    EXPECT_EQ(text.find("\xEF\xBB\xBF"), std::string::npos) << page;
  }
  const std::string cafe = ReadBytes(site / "pages/cafe.html");
  for (const char* shown :
       {"<title>Caf\xC3\xA9</title>",
        "<h2>Th\xC3\xA9 et caf\xC3\xA9 \xE2\x80\x93 \xE2\x80\x9Csp\xC3\xA9"
        "cialit\xC3\xA9s\xE2\x80\x9D</h2>",
        "Caf\xC3\xA9 \xE2\x80\x9C"
        "Aurore\xE2\x80\x9D \xE2\x80\x93 \xE6\x9D\xB1\xE4\xBA\xAC"
        "<!--/SITENAME-->",
        "<a href=\"tokyo.html\">\xE6\x9D\xB1\xE4\xBA\xAC</a>",
        "<!--AMESSAGE-->Fait \xC3\xA0 Gen\xC3\xA8ve \xE2\x80\x93 \xE2\x80\x9Cmerci\xE2\x80\x9D"}) {
    EXPECT_NE(cafe.find(shown), std::string::npos) << shown;
  }
  // The UTF-16 block arrives as UTF-8.
  EXPECT_NE(ReadBytes(site / "pages/tokyo.html").find("<h1>\xE6\x9D\xB1\xE4\xBA\xAC</h1>"),
            std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, GoldenSiteTest,
                         ::testing::Combine(::testing::ValuesIn(FixtureNames()),
                                            ::testing::Values("1", "2")),
                         [](const auto& info) {
                           std::string name = std::get<0>(info.param);
                           for (char& c : name)
                             if (!isalnum(static_cast<unsigned char>(c)))
                               c = '_';
                           return name + "_threads" + std::get<1>(info.param);
                         });

}  // namespace
}  // namespace velmora
