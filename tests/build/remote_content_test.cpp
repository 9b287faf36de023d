// Sites whose blocks come from a web server: their images are fetched once and kept where the
// pages find them, an offline build gives the pages of the online build, and a server that
// does not answer is not waited for again in the same run.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <mutex>

#include "build/build_driver.h"
#include "build/check_driver.h"
#include "markup/text_operations.h"
#include "model/node.h"
#include "net/address_paths.h"
#include "net/http_fetcher.h"
#include "platform/build_settings.h"
#include "platform/report.h"
#include "support/local_http_server.h"
#include "support/raw_http_server.h"
#include "support/script_site.h"
#include "support/test_context.h"

namespace velmora {
namespace {

using testing::CLocalHttpServer;
using testing::CRawConnection;
using testing::CRawHttpServer;
using ::testing::HasSubstr;
using ::testing::Not;

const char kTemplate[] = "<html><body><!--BLOCK--><!--/BLOCK--></body></html>";

class RemoteContent : public ::testing::Test {
 protected:
  void SetUp() override {
    httplib::Server& s = m_server.Server();
    s.set_pre_routing_handler([this](const httplib::Request& req, httplib::Response&) {
      std::lock_guard<std::mutex> lock(m_mutex);
      ++m_requests[req.path + (req.params.empty() ? "" : "?" + Query(req))];
      return httplib::Server::HandlerResponse::Unhandled;
    });
    s.Get("/dir/block.html", [](const httplib::Request&, httplib::Response& res) {
      res.set_content(
          "<!--BLOCK--><img src=\"pic.gif\"> <img src=\"pic.gif\"> <IMG SRC=\"pic.gif\">"
          "<img src=\"logo.gif?v=2\"><img src=\"logo.gif?v=3\"><img src=\"/top/abs.gif\">"
          "<a href=\"pic.gif\">big</a><!--/BLOCK-->",
          "text/html");
    });
    s.Get(R"(/(dir|top)/\w+\.gif)", [](const httplib::Request& req, httplib::Response& res) {
      res.set_content("GIF89a" + req.path + Query(req), "image/gif");
    });
    ASSERT_TRUE(m_server.Start());
    m_site.Write("templates\\nf_p_template.html", kTemplate);
  }

  static std::string Query(const httplib::Request& req) {
    std::string query;
    for (const auto& [name, value] : req.params) query += name + "=" + value;
    return query;
  }
  std::map<std::string, int> Requests() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_requests;
  }

  // The same block on pages at three depths.
  void InterpretSite() {
    const std::string block = "\r\nBLOCKS:" + m_server.Url("/dir/block.html");
    ASSERT_TRUE(m_site.Interpret("1,Home,P,index.html" + block + "\r\n2,A,P,pages\\a.html" + block +
                                 "\r\n3,B,P,pages\\sub\\b.html" + block));
    TestContext().report.ResetHighestLevel();
  }
  // Nothing went wrong: the built-in resources written on the first build are only warnings.
  void ExpectNoErrors() const {
    EXPECT_LT(TestContext().report.HighestLevel(), 3) << m_site.Report();
    EXPECT_THAT(m_site.Report(), Not(HasSubstr("Can't"))) << m_site.Report();
  }
  std::map<std::string, std::string> Pages() const {
    std::map<std::string, std::string> pages;
    for (const char* path : {"index.html", "pages\\a.html", "pages\\sub\\b.html"})
      pages[path] = m_site.Read(path);
    return pages;
  }

  CScriptSite m_site;
  CLocalHttpServer m_server;
  std::mutex m_mutex;
  std::map<std::string, int> m_requests;
};

// Every image reference of the built page leads to a file that holds the bytes the server
// sent for the reference as written in the block.
void ExpectImagesLeadToTheirBytes(const CScriptSite& site, const std::string& relative) {
  const std::string page = site.Read(relative);
  std::vector<std::string> images;
  CollectQuotedValues(page, "img src", 9, images);
  ASSERT_EQ(images.size(), 6u) << page;
  const std::vector<std::string> expected = {"/dir/pic.gif",     "/dir/pic.gif",
                                             "/dir/pic.gif",     "/dir/logo.gifv=2",
                                             "/dir/logo.gifv=3", "/top/abs.gif"};
  for (size_t i = 0; i < images.size(); ++i) {
    EXPECT_THAT(images[i], Not(HasSubstr("?"))) << relative;
    const std::string file = ResolveRelative(site.m_drive.Path("site\\" + relative), images[i]);
    EXPECT_EQ(site.m_drive.Read(file.substr(3)), "GIF89a" + expected[i])
        << relative << ": " << images[i];
  }
  // Every quoted occurrence follows the image, links to it included.
  EXPECT_THAT(page, HasSubstr("<a href=\"" + images[0] + "\">big</a>"));
}

TEST_F(RemoteContent, ImagesAreFetchedOnceAndLeadToTheirBytesFromEveryFolder) {
  TestContext().settings.Internet = 1;
  InterpretSite();
  BuildPages(*m_site.m_pSite);
  ExpectNoErrors();
  for (const char* page : {"index.html", "pages\\a.html", "pages\\sub\\b.html"})
    ExpectImagesLeadToTheirBytes(m_site, page);
  // Only the addresses the block names were asked for, each once for each page built.
  const std::map<std::string, int> expected = {{"/dir/block.html", 3},
                                               {"/dir/pic.gif", 3},
                                               {"/dir/logo.gif?v=2", 3},
                                               {"/dir/logo.gif?v=3", 3},
                                               {"/top/abs.gif", 3}};
  EXPECT_EQ(Requests(), expected);
}

TEST_F(RemoteContent, AnOfflineBuildGivesThePagesOfTheOnlineBuild) {
  TestContext().settings.Internet = 1;
  InterpretSite();
  BuildPages(*m_site.m_pSite);
  const auto online = Pages();

  TestContext().settings.Internet = 0;
  InterpretSite();
  BuildPages(*m_site.m_pSite);
  EXPECT_EQ(Pages(), online);
  ExpectNoErrors();

  // Also without the image check, which is about the site's own blocks.
  TestContext().settings.CheckAllImages = 0;
  InterpretSite();
  BuildPages(*m_site.m_pSite);
  EXPECT_EQ(Pages(), online);

  // An image copy that has gone is an error offline, as its block's copy would be.
  TestContext().settings.CheckAllImages = 1;
  m_site.m_drive.Remove("site\\imported\\top\\abs.gif");
  InterpretSite();
  BuildPages(*m_site.m_pSite);
  EXPECT_THAT(m_site.Report(),
              HasSubstr("Can't load local copy: C:\\site\\imported\\top\\abs.gif\r\n"));
  EXPECT_EQ(TestContext().report.HighestLevel(), 3);
}

// A server that takes the connection and never answers.
void NeverAnswer(const std::string&, CRawConnection& connection) {
  connection.Pause(30000);
}

TEST_F(RemoteContent, AServerThatDoesNotAnswerIsAskedOncePerRun) {
  CRawHttpServer silent(NeverAnswer);
  ASSERT_TRUE(silent.Start());
  TestContext().fetcher.m_nStallTimeoutSeconds = 1;
  TestContext().settings.Internet = 1;
  const std::string url = silent.Url("/dir/block.html");
  m_site.Write("imported\\dir\\block.html", "<!--BLOCK-->kept <img src=\"pic.gif\"><!--/BLOCK-->");
  m_site.Write("imported\\dir\\pic.gif", "GIF89a");
  const std::string block = "\r\nBLOCKS:" + url;
  ASSERT_TRUE(m_site.Interpret("1,Home,P,index.html" + block + "\r\n2,A,P,pages\\a.html" + block +
                               "\r\n2,B,P,pages\\b.html" + block));
  TestContext().fetcher.BeginRun();
  BuildPages(*m_site.m_pSite);
  EXPECT_EQ(silent.Connections(), 1);
  // Each page still says what happened and is built from the local copy.
  const std::string& report = m_site.Report();
  size_t nLines = 0;
  for (size_t at = report.find("GET: " + url + " Error  "); at != std::string::npos;
       at = report.find("GET: " + url + " Error  ", at + 1))
    ++nLines;
  EXPECT_EQ(nLines, 3u) << report;
  EXPECT_THAT(report, HasSubstr("not asked again"));
  EXPECT_THAT(m_site.Read("pages\\b.html"),
              HasSubstr("kept <img src=\"../imported/dir/pic.gif\">"));

  // The check probes the address once for both pages and words what happened. (The home
  // page is left out: its generator stamp links to a server on the Internet.)
  m_site.Write("blocks\\links.html",
               "<!--BLOCK--><a href=\"" + silent.Url("/x.html") + "\">x</a><!--/BLOCK-->");
  const std::string links = "\r\nBLOCKS:blocks\\links.html";
  ASSERT_TRUE(m_site.Interpret("1,Home,P,index.html" + links + "\r\n2,A,P,pages\\a.html" + links +
                               "\r\n2,B,P,pages\\b.html" + links));
  BuildPages(*m_site.m_pSite);
  TestContext().fetcher.BeginRun();
  const std::vector<CPage*> selection = {m_site.Page("A"), m_site.Page("B")};
  CheckPages(*m_site.m_pSite, &selection);
  EXPECT_EQ(silent.Connections(), 2);
  const std::string line = "\r\n" + silent.Url("/x.html") + "  -  No answer\r\n";
  const size_t first = m_site.Report().find(line);
  ASSERT_NE(first, std::string::npos) << m_site.Report();
  EXPECT_NE(m_site.Report().find(line, first + 1), std::string::npos);
}

}  // namespace
}  // namespace velmora
