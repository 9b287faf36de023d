#include "build/resource_copy.h"
#include "assembly/templates.h"

#include <gtest/gtest.h>

#include <mutex>

#include "model/web_site.h"
#include "net/http_fetcher.h"
#include "platform/build_settings.h"
#include "platform/dialogs.h"
#include "platform/report.h"
#include "res/resources.h"
#include "support/local_http_server.h"
#include "support/temp_drive.h"
#include "support/test_context.h"

namespace velmora {
namespace {

using testing::CLocalHttpServer;

const char* const kStandardResources[] = {"logo.gif", "navigare.gif", "left_bg.gif", "pixel.gif",
                                          "up.gif",   "bullet.gif",   "def.css"};

size_t Count(const std::string& text, const std::string& part) {
  size_t n = 0;
  for (size_t i = text.find(part); i != std::string::npos; i = text.find(part, i + 1)) ++n;
  return n;
}

class ResourceCopy : public ::testing::Test {
 protected:
  void SetUp() override {
    TestContext().SetDialogs(&m_dialogs);
    m_drive.Write("site\\script.txt", "");
    m_site.m_strCatalog = "C:\\site\\";
    m_site.m_strTemplates = "C:\\site\\templates\\";
    m_site.m_strResources = "C:\\site\\graphics\\";
    m_nInternet = TestContext().settings.Internet;
    TestContext().report.Clear();
  }
  void TearDown() override {
    TestContext().settings.Internet = m_nInternet;
    TestContext().SetDialogs(nullptr);
  }

  CScriptedDialogs m_dialogs;
  CTempDrive m_drive{'C'};
  CTempDrive m_other{'D'};
  CWebSite m_site{TestContext(), {}};
  int m_nInternet = 0;
};

TEST_F(ResourceCopy, ResourcesInsideTheSiteOnlyGetTheMissingStandardFiles) {
  m_drive.Write("site\\graphics\\def.css", "body { color: red; }");
  EXPECT_TRUE(CopyLayoutResources(m_site));
  EXPECT_EQ(m_drive.Read("site\\graphics\\def.css"), "body { color: red; }");
  EXPECT_EQ(Count(TestContext().report.Text(), "Using original: "), 6u);
  EXPECT_EQ(Count(TestContext().report.Text(), "Using original: def.css"), 0u);
  std::string_view logo;
  ASSERT_TRUE(BuiltinFile("logo.gif", logo));
  EXPECT_EQ(m_drive.Read("site\\graphics\\logo.gif"), logo);
  EXPECT_FALSE(m_drive.Exists("site\\gfx"));

  // A second run finds everything in place.
  TestContext().report.Clear();
  CopyLayoutResources(m_site);
  EXPECT_EQ(TestContext().report.Text(), "");
}

TEST_F(ResourceCopy, ResourcesOnAnotherDriveAreCopiedWithoutHiddenFolders) {
  m_other.Write("res\\def.css", "own");
  m_other.Write("res\\logo.gif", "GIF89a-own");
  m_other.Write("res\\icons\\v1.0\\arrow.gif", "arrow");
  m_other.Write("res\\.svn\\entries", "x");
  m_other.Write("res\\.hidden.gif", "x");
  m_site.m_strResources = "D:\\res\\";
  m_site.m_bResourcesElsewhere = true;

  EXPECT_TRUE(CopyLayoutResources(m_site));
  EXPECT_EQ(m_drive.Read("site\\gfx\\def.css"), "own");
  EXPECT_EQ(m_drive.Read("site\\gfx\\logo.gif"), "GIF89a-own");
  EXPECT_EQ(m_drive.Read("site\\gfx\\icons\\v1.0\\arrow.gif"), "arrow");
  EXPECT_FALSE(m_drive.Exists("site\\gfx\\.svn"));
  EXPECT_FALSE(m_drive.Exists("site\\gfx\\.hidden.gif"));
  // The five images the folder lacked come from the program.
  EXPECT_EQ(Count(TestContext().report.Text(), "Using original: "), 5u);
  EXPECT_TRUE(m_drive.Exists("site\\gfx\\navigare.gif"));
  EXPECT_FALSE(m_drive.Exists("site\\graphics"));
}

TEST_F(ResourceCopy, TemplatesFromAnotherDriveServeTheBuild) {
  m_other.Write("tpl\\nf_p_template.html", "<html>own</html>");
  m_site.m_strTemplates = "D:\\tpl\\";
  m_site.m_bTemplatesElsewhere = true;
  EXPECT_TRUE(CopyTemplates(m_site));
  EXPECT_EQ(m_site.m_strTemplates, "C:\\site\\templates\\");
  CTemplate* pTemplate = GetTemplate(m_site, "P");
  ASSERT_NE(pTemplate, nullptr);
  ASSERT_TRUE(LoadTemplate(*pTemplate));
  EXPECT_EQ(pTemplate->GetContent(), "<html>own</html>");
  EXPECT_EQ(Count(TestContext().report.Text(), "Using original"), 0u);
}

TEST_F(ResourceCopy, TemplateLinesReplaceLoadedTemplatesAndReportBadOnes) {
  m_drive.Write("site\\own_x.html", "<html>x</html>");
  m_site.m_templateLines = {"P",
                            "P,a.html,b.html",
                            "C,,first_c.html",
                            "C,second_c.html",
                            "X,own_x.html",
                            "Y,nowhere.html"};
  ASSERT_NE(GetTemplate(m_site, "C"), nullptr);
  EXPECT_TRUE(CopyTemplates(m_site));

  const std::string& report = TestContext().report.Text();
  EXPECT_NE(report.find("Bad template line: P\r\n"), std::string::npos);
  EXPECT_NE(report.find("Bad template line: P,a.html,b.html\r\n"), std::string::npos);
  EXPECT_NE(report.find("Cannot make: Y,nowhere.html\r\n"), std::string::npos);
  EXPECT_EQ(Count(report, "Bad template line"), 2u);

  CTemplate* pC = GetTemplate(m_site, "C");
  ASSERT_NE(pC, nullptr);
  EXPECT_EQ(pC->m_strLocalPath, "C:\\site\\second_c.html");
  EXPECT_EQ(std::count_if(m_site.m_templates.begin(), m_site.m_templates.end(),
                          [](const auto& p) { return p->m_strName == "C"; }),
            1);
  // A missing file named by a line is written from the built-in default of its type.
  EXPECT_NE(m_drive.Read("site\\second_c.html").find("<!--TOC COLS=\"3\"--><!--/TOC-->"),
            std::string::npos);
  CTemplate* pX = GetTemplate(m_site, "X");
  ASSERT_NE(pX, nullptr);
  EXPECT_EQ(pX->GetContent(), "<html>x</html>");
}

TEST_F(ResourceCopy, TemplatesAreLeftAloneWithoutATemplateCatalog) {
  m_site.m_strTemplates = "t";
  m_site.m_templateLines = {"P"};
  EXPECT_TRUE(CopyTemplates(m_site));
  EXPECT_EQ(TestContext().report.Text(), "");
}

TEST_F(ResourceCopy, AFolderThatCannotBeMadeStopsTheCopying) {
  m_drive.Write("site\\templates", "a file where the folder should be");
  m_site.m_strTemplates = "D:\\tpl\\";
  m_site.m_bTemplatesElsewhere = true;
  m_site.m_templateLines = {"P"};
  EXPECT_FALSE(CopyTemplates(m_site));
  ASSERT_FALSE(m_dialogs.m_messages.empty());
  EXPECT_EQ(m_dialogs.m_messages.back(), "Cannot make: C:\\site\\templates");
  EXPECT_EQ(Count(TestContext().report.Text(), "Bad template line"), 0u);
  EXPECT_EQ(m_site.m_strTemplates, "D:\\tpl\\");
}

// A web server with a folder listing; every request is remembered.
class ResourceServer : public ResourceCopy {
 protected:
  void SetUp() override {
    ResourceCopy::SetUp();
    httplib::Server& s = m_server.Server();
    s.set_pre_routing_handler([this](const httplib::Request& req, httplib::Response&) {
      std::lock_guard<std::mutex> lock(m_mutex);
      m_requests.push_back(req.path);
      return httplib::Server::HandlerResponse::Unhandled;
    });
    s.Get("/res/", [](const httplib::Request&, httplib::Response& res) {
      res.set_content(
          "<html><body>\n<a href=\"def.css\">def.css</a>\n<A HREF=\"logo.gif\">logo</A>\n"
          "<a href=\"../evil.gif\">up</a>\n<a href=\"..\\evil2.gif\">up</a>\n"
          "<a href=\"icons/x.gif\">sub</a>\n<a href=\"mailto:ann@example.org\">mail</a>\n"
          "<a href=\"?C=N;O=D\">sort</a>\n</body></html>",
          "text/html");
    });
    s.Get("/tpl/", [](const httplib::Request&, httplib::Response& res) {
      res.set_content(
          "<a href=\"a_template.html\">a</a><a href=\"b_template.html\">b</a>"
          "<a href=\"c_template.html\">c</a><a href=\"d_template.html\">d</a>"
          "<a href=\"e_template.html\">e</a>",
          "text/html");
    });
    s.Get(R"(/(res|tpl)/[^/]+)", [](const httplib::Request& req, httplib::Response& res) {
      res.set_content("served " + req.path, "application/octet-stream");
    });
    s.Get(R"(/[^/]+\.gif)", [](const httplib::Request& req, httplib::Response& res) {
      res.set_content("outside " + req.path, "image/gif");
    });
    ASSERT_TRUE(m_server.Start());
    TestContext().fetcher.m_nConnectTimeoutSeconds = 2;
    TestContext().fetcher.m_nStallTimeoutSeconds = 2;
    TestContext().settings.Internet = 1;
  }

  bool Requested(const std::string& path) {
    std::lock_guard<std::mutex> lock(m_mutex);
    return std::find(m_requests.begin(), m_requests.end(), path) != m_requests.end();
  }

  CLocalHttpServer m_server;
  std::mutex m_mutex;
  std::vector<std::string> m_requests;
};

TEST_F(ResourceServer, ListedFilesLandInGfxAndNamesLeadingOutAreRefused) {
  m_site.m_strResources = m_server.Url("/res/");
  m_site.m_bResourcesElsewhere = true;
  EXPECT_TRUE(CopyLayoutResources(m_site));

  EXPECT_EQ(m_drive.Read("site\\gfx\\def.css"), "served /res/def.css");
  EXPECT_EQ(m_drive.Read("site\\gfx\\logo.gif"), "served /res/logo.gif");
  EXPECT_FALSE(m_drive.Exists("site\\evil.gif"));
  EXPECT_FALSE(m_drive.Exists("site\\evil2.gif"));
  EXPECT_FALSE(m_drive.Exists("site\\gfx\\icons"));
  EXPECT_FALSE(Requested("/evil.gif"));
  EXPECT_FALSE(Requested("/res/icons/x.gif"));
  // Only two files arrived, so the standard names were asked for as well.
  EXPECT_EQ(m_drive.Read("site\\gfx\\pixel.gif"), "served /res/pixel.gif");
  EXPECT_TRUE(Requested("/res/bullet.gif"));
  EXPECT_EQ(Count(TestContext().report.Text(), "Using original"), 0u);
}

TEST_F(ResourceServer, TemplateListingWithEnoughFilesSkipsTheStandardNames) {
  m_site.m_strTemplates = m_server.Url("/tpl/");
  m_site.m_bTemplatesElsewhere = true;
  EXPECT_TRUE(CopyTemplates(m_site));
  EXPECT_EQ(m_drive.Read("site\\templates\\e_template.html"), "served /tpl/e_template.html");
  EXPECT_FALSE(Requested("/tpl/print_template.html"));
  EXPECT_EQ(m_site.m_strTemplates, "C:\\site\\templates\\");
}

TEST_F(ResourceServer, UnreachableListingCopiesNothing) {
  m_site.m_strResources = m_server.Url("/missing/");
  m_site.m_bResourcesElsewhere = true;
  CopyLayoutResources(m_site);
  EXPECT_FALSE(Requested("/missing/pixel.gif"));
  // The standard files still come from the program.
  EXPECT_EQ(Count(TestContext().report.Text(), "Using original: "), 7u);
}

TEST_F(ResourceServer, OfflineUsesTheEarlierCopy) {
  TestContext().settings.Internet = 0;
  m_site.m_strResources = m_server.Url("/res/");
  m_site.m_bResourcesElsewhere = true;
  CopyLayoutResources(m_site);
  const std::string& report = TestContext().report.Text();
  EXPECT_NE(report.find("Internet is off, cant get: " + m_server.Url("/res/") +
                        "\r\nUsing local copy. C:\\site\\gfx\r\n"),
            std::string::npos);
  EXPECT_TRUE(m_requests.empty());
  for (const char* pszName : kStandardResources)
    EXPECT_TRUE(m_drive.Exists(std::string("site\\gfx\\") + pszName)) << pszName;
}

TEST_F(ResourceServer, TemplateLineWithAnAddressKeepsACopyForOfflineBuilds) {
  std::string address = m_server.Url("/tpl/own_template.html");
  m_site.m_templateLines = {"P," + address};
  EXPECT_TRUE(CopyTemplates(m_site));
  CTemplate* pTemplate = GetTemplate(m_site, "P");
  ASSERT_NE(pTemplate, nullptr);
  EXPECT_EQ(pTemplate->m_strLocalPath, "C:\\site\\templates\\own_template.html");
  EXPECT_EQ(m_drive.Read("site\\templates\\own_template.html"), "served /tpl/own_template.html");

  TestContext().settings.Internet = 0;
  m_server.Stop();
  CWebSite offline{TestContext(), {}};
  offline.m_strCatalog = m_site.m_strCatalog;
  offline.m_strTemplates = m_site.m_strTemplates;
  offline.m_templateLines = m_site.m_templateLines;
  TestContext().report.Clear();
  EXPECT_TRUE(CopyTemplates(offline));
  pTemplate = GetTemplate(offline, "P");
  ASSERT_NE(pTemplate, nullptr);
  EXPECT_EQ(pTemplate->GetContent(), "served /tpl/own_template.html");
  EXPECT_EQ(Count(TestContext().report.Text(), "Using original"), 0u);
}

}  // namespace
}  // namespace velmora
