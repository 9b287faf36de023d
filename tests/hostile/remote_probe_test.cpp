// Content from a web server that does not play fair: odd line ends, redirects to other schemes,
// to itself and to long or climbing addresses, image references that try to leave the site, and
// listings with names that lead elsewhere, addresses whose path is only dots. Nothing may be
// written or changed outside the catalog's "imported", "gfx" and "templates" folders, and
// nothing may hang.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <string>

#include "assembly/page_build.h"
#include "build/page_check.h"
#include "build/resource_copy.h"
#include "model/node.h"
#include "model/web_site.h"
#include "net/http_fetcher.h"
#include "platform/build_settings.h"
#include "support/file_tree.h"
#include "support/local_http_server.h"
#include "support/script_site.h"
#include "support/test_context.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using testing::CLocalHttpServer;
using testing::SnapshotTree;
using testing::TreeChanges;

class HostileServer : public ::testing::Test {
 protected:
  void SetUp() override {
    httplib::Server& s = m_server.Server();
    auto redirect = [this](const std::string& path, std::string target) {
      m_server.Server().Get(path, [target](const httplib::Request&, httplib::Response& res) {
        res.status = 302;
        res.set_header("Location", target);
      });
    };
    s.Get("/cr.html", [](const httplib::Request&, httplib::Response& res) {
      res.set_content("<!--BLOCK-->one\rtwo\r\rthree\n\rfour\r\n<!--/BLOCK-->", "text/html");
    });
    s.Get("/block.html", [this](const httplib::Request&, httplib::Response& res) {
      res.set_content("<!--BLOCK--><img src=\"../../../../etc/x.gif\"><img src=\"" +
                          m_server.Url("/../../up.gif") +
                          "\"><img src=\"http://127.0.0.1:1/x.gif\"><img src=\"//127.0.0.1:" +
                          std::to_string(m_server.Port()) +
                          "/h.gif\"><img src=\"a\\..\\..\\b.gif\">"
                          "<img src=\"" +
                          std::string(20000, 'z') + ".gif\"><!--/BLOCK-->",
                      "text/html");
    });
    s.Get("/page.html", [](const httplib::Request&, httplib::Response& res) {
      res.set_content(
          "<html><body><img src=\"../../../../etc/y.gif\"><img src=\"..\\..\\w.gif\">"
          "<img src=\"/..\"></body></html>",
          "text/html");
    });
    s.Get(R"(/(list|templates)/)", [](const httplib::Request&, httplib::Response& res) {
      res.set_content(
          "<a href=\"..\">up</a><a href=\"a/../../b.gif\">a</a><a href=\"%2e%2e/x.gif\">b</a>"
          "<a href=\"%2e%2e%2fy.gif\">c</a><a href=\"..\\z.gif\">d</a><a href=\"C:z.gif\">e</a>"
          "<a href=\"" +
              std::string("n\0../q.gif", 10) +
              "\">f</a><a href=\"/abs.gif\">g</a><a href=\"..\\..\\..\\w.html\">h</a>"
              "<a href=\"sub/..\\..\\v.html\">i</a><a href=\"\\\\server\\share\\u.html\">j</a>"
              "<a href=\"C:\\t.html\">k</a><a href=\"%5c..%5cs.html\">l</a><a href=\"...\">m</a>",
          "text/html");
    });
    s.Get(R"(/templates/.*)", [](const httplib::Request&, httplib::Response& res) {
      res.set_content("<html><body><!--BLOCK--><!--/BLOCK--></body></html>", "text/html");
    });
    s.Get(R"(/list/.*)", [](const httplib::Request&, httplib::Response& res) {
      res.set_content("listed", "image/gif");
    });
    s.Get(R"(/.*\.gif)", [](const httplib::Request&, httplib::Response& res) {
      res.set_content("GIF89a", "image/gif");
    });
    s.Get("/repeated/", [](const httplib::Request&, httplib::Response& res) {
      std::string listing;
      for (int i = 0; i < 20000; ++i) listing += "<a href=\"logo.png\">logo</a>";
      res.set_content(listing, "text/html");
    });
    s.Get("/repeated/logo.png", [this](const httplib::Request&, httplib::Response& res) {
      ++m_nCounted;
      res.set_content("GIF89a", "image/gif");
    });
    s.Get("/counted.html", [this](const httplib::Request&, httplib::Response& res) {
      ++m_nCounted;
      res.set_content("counted", "text/html");
    });
    s.Get("/self.html", [this](const httplib::Request&, httplib::Response& res) {
      res.status = 301;
      res.set_header("Location", m_server.Url("/self.html"));
    });
    redirect("/file.html", "file:///etc/passwd");
    redirect("/js.html", "javascript:alert(1)");
    redirect("/long.html", "/" + std::string(10000, 'l') + ".html");
    redirect("/dots.html", "/a/../../../../etc/passwd.html");
    ASSERT_TRUE(m_server.Start());
    TestContext().fetcher.m_nConnectTimeoutSeconds = 2;
    TestContext().fetcher.m_nStallTimeoutSeconds = 2;
    m_site.m_dialogs.m_bDefaultAnswer = true;
    m_site.m_drive.Write("site\\templates\\nf_p_template.html",
                         "<html><body><!--BLOCK--><!--/BLOCK--></body></html>");
    // Files in the places the climbing names aim at.
    for (const char* path : {"etc\\x.gif", "etc\\y.gif", "etc\\passwd.html", "up.gif", "b.gif",
                             "w.gif", "w.html", "site\\keep.html", "site\\b.gif"})
      m_site.m_drive.Write(path, "there before");
    m_before = SnapshotTree(m_site.m_drive.HostFolder());
  }

  // Every file of the drive added, removed or changed since SetUp outside the pages and the
  // catalog's own folders.
  std::vector<std::string> ChangesOutsideTheSite() const {
    return TreeChanges(m_before, SnapshotTree(m_site.m_drive.HostFolder()),
                       {"site/index.html", "site/remote.html", "site/blocks/", "site/imported/",
                        "site/gfx/", "site/templates/"});
  }

  std::atomic<int> m_nCounted = 0;
  CScriptSite m_site;  // set up first: it resets the settings
  testing::CFileTree m_before;
  CLocalHttpServer m_server;
};

TEST_F(HostileServer, FetchedBlocksAndTheirImagesStayInsideTheSite) {
  TestContext().settings.Internet = 1;
  std::string blocks;
  for (const char* path : {"/cr.html", "/block.html", "/self.html", "/file.html", "/js.html",
                           "/long.html", "/dots.html"})
    blocks += (blocks.empty() ? "" : ",") + m_server.Url(path);
  ASSERT_TRUE(m_site.Interpret("1,Home,P,index.html\r\nBLOCKS:" + blocks));
  ASSERT_TRUE(BuildPage(*m_site.Page("Home")));
  const std::string page = m_site.Read("index.html");
  EXPECT_NE(page.find("three"), std::string::npos);
  EXPECT_EQ(page.find("root:"), std::string::npos);
  // A climbing image reference keeps only its plain names, under "imported".
  EXPECT_NE(page.find("<img src=\"imported/etc/x.gif\">"), std::string::npos);
  EXPECT_EQ(ChangesOutsideTheSite(), std::vector<std::string>());
}

TEST_F(HostileServer, ListedNamesThatLeadElsewhereAreNotCopiedOutOfGfx) {
  TestContext().settings.Internet = 1;
  m_site.m_pSite = std::make_unique<CWebSite>(TestContext(), std::vector<std::string>{});
  CWebSite& site = *m_site.m_pSite;
  site.m_strCatalog = m_site.m_drive.Path("site\\");
  site.m_strTemplates = site.m_strCatalog + "templates\\";
  site.m_strResources = m_server.Url("/list/");
  site.m_bResourcesElsewhere = true;
  site.m_strTemplates = m_server.Url("/templates/");
  site.m_bTemplatesElsewhere = true;
  EXPECT_TRUE(CopyLayoutResources(site));
  EXPECT_TRUE(CopyTemplates(site));
  EXPECT_EQ(m_site.m_drive.Read("site\\gfx\\pixel.gif"), "listed");
  EXPECT_TRUE(m_site.m_drive.Exists("site\\templates\\nf_i_template.html"));
  EXPECT_EQ(ChangesOutsideTheSite(), std::vector<std::string>());
}

// Addresses whose path is nothing but dots name no file and are refused as blocks; dots the
// server sees only once decoded, and the images of a fetched page, stay under "imported".
TEST_F(HostileServer, AddressesOfOnlyDotsMakeNoCopyOutsideTheSite) {
  TestContext().settings.Internet = 1;
  const std::string server = m_server.Url("");
  ASSERT_TRUE(m_site.Interpret("1,Home,P,index.html\r\nBLOCKS:" + server + "/..," + server +
                               "/./../.," + server + "/%2e%2e/%2E%2E\r\n2,Remote,P," + server +
                               "/page.html,,,K"));
  for (const auto& pPage : m_site.m_pSite->Pages()) BuildPage(*pPage);
  EXPECT_NE(m_site.Report().find("Bad block: " + server + "/..\r\n"), std::string::npos);
  EXPECT_NE(m_site.Report().find("Bad block: " + server + "/./../.\r\n"), std::string::npos);
  EXPECT_TRUE(m_site.Exists("imported\\w.gif"));
  EXPECT_EQ(ChangesOutsideTheSite(), std::vector<std::string>());
}

TEST_F(HostileServer, AListingThatNamesOneFileManyTimesFetchesItOnce) {
  TestContext().settings.Internet = 1;
  m_site.m_pSite = std::make_unique<CWebSite>(TestContext(), std::vector<std::string>{});
  CWebSite& site = *m_site.m_pSite;
  site.m_strCatalog = m_site.m_drive.Path("site\\");
  site.m_strResources = m_server.Url("/repeated/");
  site.m_bResourcesElsewhere = true;
  EXPECT_TRUE(CopyLayoutResources(site));
  EXPECT_EQ(m_nCounted, 1);
  EXPECT_EQ(m_site.m_drive.Read("site\\gfx\\logo.png"), "GIF89a");
}

TEST_F(HostileServer, ACheckAsksEachWebAddressOnce) {
  TestContext().settings.Internet = 1;
  std::string block = "<!--BLOCK-->";
  for (int i = 0; i < 50; ++i)
    block += "<a href=\"" + m_server.Url("/counted.html") + "\">x</a><img src=\"" +
             m_server.Url("/counted.html") + "\">";
  m_site.m_drive.Write("site\\blocks\\b.html", block + "<!--/BLOCK-->");
  ASSERT_TRUE(m_site.Interpret("1,Home,P,index.html\r\nBLOCKS:blocks\\b.html"));
  ASSERT_TRUE(BuildPage(*m_site.Page("Home")));
  CheckPage(*m_site.Page("Home"));
  EXPECT_EQ(m_nCounted, 1);
  EXPECT_NE(m_site.Report().find("\r\nOK\r\n"), std::string::npos);
}

}  // namespace
}  // namespace velmora
