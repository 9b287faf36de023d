#include <gtest/gtest.h>
#include <httplib.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <thread>

#include "build/check_driver.h"
#include "model/web_site.h"
#include "net/http_fetcher.h"
#include "platform/build_settings.h"
#include "platform/dialogs.h"
#include "platform/report.h"
#include "platform/strings.h"
#include "support/script_site.h"
#include "support/temp_drive.h"
#include "support/test_context.h"

namespace velmora {
namespace {

// A port on 127.0.0.1 that nobody listens on: bound once and released again.
int FreePort() {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address));
  socklen_t length = sizeof(address);
  getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
  close(fd);
  return ntohs(address.sin_port);
}

// A site with one page under check, in "pages", and a few files beside it.
class PageCheck : public ::testing::Test {
 protected:
  PageCheck() : site(TestContext(), {}) {
    TestContext().SetDialogs(&dialogs);
    site.m_strCatalog = "C:\\site\\";
    drive.Write("site\\index.html", "home");
    drive.Write("site\\pages\\other.html", "<a name=\"x\">x</a>");
    drive.Write("site\\pages\\pic.gif", "GIF");
  }
  ~PageCheck() override {
    TestContext().SetDialogs(nullptr);
    TestContext().settings = CBuildSettings();
  }

  CPage& AddPage(const std::string& name, const std::string& remote, const std::string& text) {
    CPage& page = site.AddPage(std::make_unique<CPage>(&site));
    page.m_strName = name;
    page.m_strRemotePath = remote;
    page.m_strLocalPath = site.m_strCatalog + remote;
    page.SetContent(text);
    return page;
  }

  // The report lines written for the page named `name`, after its heading line.
  std::vector<std::string> LinesFor(const std::string& name) const {
    std::vector<std::string> lines = Split(TestContext().report.Text(), "\r\n");
    std::vector<std::string> result;
    bool bIn = false;
    for (const std::string& line : lines) {
      if (bIn && line.empty())
        break;
      if (bIn)
        result.push_back(line);
      if (StartsWith(line, name + " - "))
        bIn = true;
    }
    return result;
  }

  CTempDrive drive;
  CScriptedDialogs dialogs;
  CWebSite site;
};

TEST_F(PageCheck, LocalLinksAnchorsAndImages) {
  AddPage("Clean", "pages\\clean.html", "<p>no links</p>");
  AddPage("Links", "pages\\a.html",
          "<a name=\"top\"></a><A HREF=\"#top\">t</a> <a href=\"#nowhere\">n</a>"
          "<a href=\"\">e</a><a href=\"#\">h</a><a href=\"mailto:a@b.c\">m</a>"
          "<a href=\" other.html#x \">ok</a><a href=\"other.html#y\">y</a>"
          "<a href=\"gone.html\">g</a><a href=\"../index.html\">i</a>"
          "<a href=\"../../../../x.html\">u</a>"
          "<img src=\"pic.gif\"><IMG SRC=\"nopic.gif\">");
  CheckPages(site);

  EXPECT_EQ(LinesFor("Clean"), std::vector<std::string>{"OK"});
  EXPECT_EQ(LinesFor("Links"),
            (std::vector<std::string>{"#nowhere", "empty", "#", "Not found: other.html#y",
                                      "Not found: gone.html", "Not found: ../../../../x.html",
                                      "nopic.gif"}));
  EXPECT_EQ(site.m_nCheckProblems, 7);
  EXPECT_EQ(TestContext().report.HighestLevel(), 3);
  EXPECT_NE(TestContext().report.Text().find("Links - C:\\site\\pages\\a.html"), std::string::npos);
}

TEST_F(PageCheck, LinksByPageNameWithAnchors) {
  AddPage("Page2", "pages\\two.html", "<a name=\"intro\">");
  AddPage("Names", "pages\\n.html",
          "<a href=\"Page2\">a</a><a href=\"Page2#intro\">b</a><a href=\"Page2#nope\">c</a>"
          "<a href=\"Nobody\">d</a>");
  site.PrepareOutline();
  CheckPages(site);
  EXPECT_EQ(LinesFor("Page2"), std::vector<std::string>{"OK"});
  EXPECT_EQ(LinesFor("Names"), (std::vector<std::string>{"Page2#nope", "Nobody"}));
}

TEST_F(PageCheck, PagesLinkedDirectlyAreNotChecked) {
  CPage& far = AddPage("Far", "imported\\far.html", "<a href=\"gone.html\">g</a>");
  far.m_strOption = "N";
  far.m_strUrl = "http://127.0.0.1:9/far.html";
  CheckPages(site);
  EXPECT_EQ(TestContext().report.Text().find("Far - "), std::string::npos)
      << TestContext().report.Text();
  EXPECT_EQ(site.m_nCheckProblems, 0);
}

TEST_F(PageCheck, WebAddressesAreListedUncheckedWhenOffline) {
  TestContext().settings.Internet = 0;
  AddPage("Web", "w.html",
          "<a href=\"http://127.0.0.1:9/x.html\">x</a><img src=\"http://127.0.0.1:9/i.gif\">");
  TestContext().report.ResetHighestLevel();
  CheckPages(site);
  EXPECT_EQ(LinesFor("Web"), (std::vector<std::string>{"Not checked: http://127.0.0.1:9/x.html",
                                                       "Not checked: http://127.0.0.1:9/i.gif"}));
  // Listed and shown as alerts, but not counted as problems.
  EXPECT_EQ(TestContext().report.HighestLevel(), 2);
  EXPECT_EQ(site.m_nCheckProblems, 0);
  EXPECT_EQ(site.m_nUncheckedLinks, 2);
  EXPECT_TRUE(EndsWith(TestContext().report.Text(),
                       "\r\n\r\nPages checked: 1, problems: 0, web links not checked: 2\r\n"));
}

TEST_F(PageCheck, EveryReferenceABrowserFollowsWhereverItsAttributeStands) {
  drive.Write("site\\pages\\s.css", "p {}");
  AddPage("Refs", "pages\\r.html",
          "<a class=x href=gone1.html>a</a><a title='t' href='gone2.html'>b</a>"
          "<a class=x href=other.html>c</a><link rel=stylesheet href=\"nostyle.css\">"
          "<LINK REL=STYLESHEET HREF=s.css><script src=\"none.js\"></script>"
          "<area shape=rect href=\"noarea.html\"><iframe src=\"noframe.html\"></iframe>"
          "<frame name=f src=\"nof.html\"><img alt=\"x\" src=\"nopic.gif\">"
          "<img alt=x src=pic.gif><img src='gone.gif'>");
  CheckPages(site);
  EXPECT_EQ(LinesFor("Refs"),
            (std::vector<std::string>{"Not found: gone1.html", "Not found: gone2.html",
                                      "Not found: nostyle.css", "Not found: none.js",
                                      "Not found: noarea.html", "Not found: noframe.html",
                                      "Not found: nof.html", "nopic.gif", "gone.gif"}));
}

TEST_F(PageCheck, AnchorsByNameOrIdAndQueriesAreNoFalseAlarms) {
  drive.Write("site\\pages\\about.html", "<section id=\"team\">");
  drive.Write("site\\pages\\r&d.html", "lab");
  AddPage("Anchors", "pages\\an.html",
          "<h2 id=\"x\">x</h2><h3 id=\"Say &quot;hi&quot;\">q</h3>"
          "<a href=\"#x\">1</a><a href=\"#Say%20%22hi%22\">2</a><a href=\"#y\">3</a>"
          "<a href=\"about.html?x=1\">4</a><a href=\"about.html?x=1#team\">5</a>"
          "<a href=\"about.html#crew\">6</a><a href=\"gone.html?x=1\">7</a>"
          "<a href=\"r&amp;d.html\">8</a><a href=\"/index.html\">9</a><a href=\"?p=2#x\">10</a>"
          "<a href=\"javascript:void(0)\">11</a><img src=\"pic.gif?v=2\">"
          "<img src=\"data:image/gif;base64,R0lGOD\">");
  CheckPages(site);
  EXPECT_EQ(LinesFor("Anchors"), (std::vector<std::string>{"#y", "Not found: about.html#crew",
                                                           "Not found: gone.html?x=1"}));
}

// Without reference correction a link may still name a heading page, which has no file: the
// anchor is looked for on the page that the link would be corrected to, and nothing is loaded.
TEST(PageCheckByName, HeadingPagesStandForTheirFirstPage) {
  CScriptSite script;
  ASSERT_TRUE(
      script.Interpret("1,Home,P,index.html\r\n2,Chapter\r\n3,One,P,one.html\r\n"
                       "2,Appendix"));
  CWebSite& site = *script.m_pSite;
  script.Page("Home")->SetContent(
      "<a href=\"Chapter\">a</a><a href=\"Chapter#x\">b</a><a href=\"Chapter#y\">c</a>"
      "<a href=\"Appendix#z\">d</a>");
  script.Page("One")->SetContent("<h2 id=\"x\">x</h2>");
  CheckPages(site, nullptr);
  const std::string report = TestContext().report.Text();
  EXPECT_NE(report.find("Home - C:\\site\\index.html\r\nChapter#y\r\nAppendix#z\r\n\r\n"),
            std::string::npos)
      << report;
  EXPECT_EQ(report.find("Can't load"), std::string::npos) << report;
  EXPECT_EQ(site.m_nCheckProblems, 2);
}

TEST_F(PageCheck, WebAddressesAreProbedWhenOnline) {
  httplib::Server server;
  server.Get("/ok", [](const httplib::Request&, httplib::Response& res) {
    res.set_content("fine", "text/html");
  });
  server.Get("/secret", [](const httplib::Request&, httplib::Response& res) { res.status = 401; });
  int nPort = server.bind_to_any_port("127.0.0.1");
  const std::string base = "http://127.0.0.1:" + std::to_string(nPort);
  server.Get("/moved", [&](const httplib::Request&, httplib::Response& res) {
    res.status = 301;
    res.set_header("Location", base + "/ok");
  });
  std::thread listener([&] { server.listen_after_bind(); });

  const std::string dead = "http://127.0.0.1:" + std::to_string(FreePort()) + "/x.html";

  TestContext().settings.Internet = 1;
  TestContext().fetcher.m_nConnectTimeoutSeconds = 2;
  TestContext().fetcher.m_nStallTimeoutSeconds = 2;
  AddPage("Web", "w.html",
          "<a href=\"" + base + "/ok\">a</a><a href=\"" + base + "/moved\">b</a><a href=\"" + base +
              "/secret\">c</a><a href=\"" + base + "/missing\">d</a><a href=\"" + dead +
              "\">e</a><img src=\"" + base + "/ok\"><img src=\"" + base + "/missing.gif\">");
  CheckPages(site);
  server.stop();
  listener.join();

  EXPECT_EQ(LinesFor("Web"), (std::vector<std::string>{
                                 base + "/moved  -  Redirected to: " + base + "/ok",
                                 base + "/secret  -  Password required",
                                 base + "/missing  -  404",
                                 dead + "  -  No answer",
                                 base + "/missing.gif  -  404",
                             }));
}

}  // namespace
}  // namespace velmora
