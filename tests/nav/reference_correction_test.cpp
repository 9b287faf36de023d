#include <gtest/gtest.h>
#include <httplib.h>

#include <chrono>
#include <thread>

#include "assembly/reference_correction.h"
#include "nav/hand_site.h"
#include "net/http_fetcher.h"
#include "platform/build_settings.h"
#include "platform/report.h"
#include "support/temp_drive.h"
#include "support/test_context.h"

namespace velmora {
namespace {

bool Reported(const std::string& line) {
  return TestContext().report.Text().find(line) != std::string::npos;
}

class NameRefs : public ::testing::Test {
 protected:
  void SetUp() override {
    TestContext().report.Clear();
    m_site.Add(1, "Home", "index.html");
    m_site.Add(1, "Page2", "pages\\two.html");
    m_site.Add(1, "Chapter");
    m_site.Add(2, "First", "pages\\first.html");
    m_site.Add(1, "Away", "imported\\away.html", "N", "http://example.org/away.html");
    m_site.Add(1, "Page2", "pages\\other.html");
    m_site.Add(1, "Empty");
    m_site.Finish();
  }
  CHandSite m_site;
};

TEST_F(NameRefs, PageNamesBecomeRelativeLinks) {
  CPage& page = m_site.Page("First");
  std::string text =
      "<A HREF=\"Page2#intro\">x</A> <a href=\"Chapter\">c</a> <a href=\"page2.html\">p</a> "
      "<a href=\"#top\">t</a> <a href =\"Home\">h</a>";
  EXPECT_EQ(CorrectNameRefs(page, m_site.Site(), text), 2);
  EXPECT_EQ(text,
            "<a href=\"two.html#intro\">x</A> <a href=\"first.html\">c</a> "
            "<a href=\"page2.html\">p</a> <a href=\"#top\">t</a> <a href =\"Home\">h</a>");
}

TEST_F(NameRefs, EveryQuotedOccurrenceFollows) {
  CPage& home = m_site.Page("Home");
  std::string text = "<a href=\"Page2\">x</a><script>go(\"Page2\")</script> Page2";
  CorrectNameRefs(home, m_site.Site(), text);
  EXPECT_EQ(text, "<a href=\"pages/two.html\">x</a><script>go(\"pages/two.html\")</script> Page2");
}

TEST_F(NameRefs, PagesLinkedDirectlyKeepTheirAddress) {
  std::string text = "<a href=\"Away#news\">a</a>";
  CorrectNameRefs(m_site.Page("Home"), m_site.Site(), text);
  EXPECT_EQ(text, "<a href=\"http://example.org/away.html#news\">a</a>");
}

TEST_F(NameRefs, UnknownNamesAreReportedAndKept) {
  CPage& home = m_site.Page("Home");
  std::string text = "<a href=\"Nowhere\">x</a><a href=\"Empty\">e</a><a href=\"page2\">y</a>";
  EXPECT_EQ(CorrectNameRefs(home, m_site.Site(), text), 0);
  EXPECT_EQ(text, "<a href=\"Nowhere\">x</a><a href=\"Empty\">e</a><a href=\"page2\">y</a>");
  EXPECT_TRUE(Reported("Possible unknown pagename: Nowhere"));
  EXPECT_TRUE(Reported("Possible unknown pagename: Empty"));
  EXPECT_TRUE(Reported("Possible unknown pagename: page2"));
}

// A block in C:\site\blocks\ placed on the page C:\site\pages\p.html.
class BlockImages : public ::testing::Test {
 protected:
  void SetUp() override {
    TestContext().report.Clear();
    m_site.Add(1, "P", "pages\\p.html");
    m_site.Finish();
    m_pBlock = std::make_unique<CBlock>(&m_site.Site(), &m_site.Page("P"), "");
    m_pBlock->m_strLocalPath = "C:\\site\\blocks\\b.html";
  }
  CTempDrive m_drive;
  CHandSite m_site;
  std::unique_ptr<CBlock> m_pBlock;
};

TEST_F(BlockImages, OnlyTheBlocksOwnImageIsRepointed) {
  m_drive.Write("site\\blocks\\img\\own.gif", "1");
  m_drive.Write("site\\blocks\\img\\both.gif", "2");
  m_drive.Write("site\\pages\\img\\both.gif", "3");
  m_drive.Write("site\\pages\\img\\host.gif", "4");
  std::string text =
      "<IMG SRC=\"img/own.gif\"><img src=\"img/both.gif\"><img src=\"img/host.gif\">"
      "<img src=\"img/none.gif\"><img src=\"gfx/logo.gif\"><img src=\"\"><img src=\"img/own.gif\">";
  EXPECT_EQ(CheckBlockImages(*m_pBlock, text), 2);
  EXPECT_EQ(text,
            "<img src=\"../blocks/img/own.gif\"><img src=\"../blocks/img/both.gif\">"
            "<img src=\"img/host.gif\"><img src=\"img/none.gif\"><img src=\"gfx/logo.gif\">"
            "<img src=\"\"><img src=\"../blocks/img/own.gif\">");
  EXPECT_TRUE(Reported("Can't get: C:\\site\\pages\\img\\none.gif"));
  EXPECT_TRUE(Reported("Bad reference: "));
}

TEST_F(BlockImages, FarQuoteEndsTheScan) {
  m_drive.Write("site\\blocks\\a.gif", "1");
  std::string text = "<img src   =   \"a.gif\"><img src=\"a.gif\">";
  EXPECT_EQ(CheckBlockImages(*m_pBlock, text), 0);
  EXPECT_EQ(text, "<img src   =   \"a.gif\"><img src=\"a.gif\">");
  // A page is no block: nothing to repoint.
  std::string pageText = "<img src=\"a.gif\">";
  EXPECT_EQ(CheckBlockImages(m_site.Page("P"), pageText), 0);
}

TEST_F(BlockImages, BlockInTheHostFolderIsLeftAlone) {
  m_pBlock->m_strLocalPath = "C:\\site\\pages\\b.html";
  m_drive.Write("site\\pages\\a.gif", "1");
  std::string text = "<img src=\"a.gif\">";
  EXPECT_EQ(CheckBlockImages(*m_pBlock, text), 0);
}

TEST_F(BlockImages, OutsideImagesAreCopiedIntoTheSite) {
  CTempDrive other('D');
  other.Write("ext\\img\\a.gif", "GIF");
  m_drive.Write("site\\imported\\ext\\old.gif", "OLD");
  m_pBlock->m_strOutsidePath = "D:\\ext\\block.html";
  m_pBlock->m_strLocalPath = "C:\\site\\imported\\ext\\block.html";
  std::string text =
      "<img src=\"img/a.gif\"><img src=\"old.gif\"><img src=\"lost.gif\"><a href=\"img/a.gif\">"
      "<img src=\"bold.gif\"><img src=\"img/a.gif\">";
  EXPECT_EQ(CopyOutsideImages(*m_pBlock, text), 2);
  EXPECT_EQ(m_drive.Read("site\\imported\\ext\\img\\a.gif"), "GIF");
  EXPECT_EQ(text,
            "<img src=\"../imported/ext/img/a.gif\"><img src=\"../imported/ext/old.gif\">"
            "<img src=\"lost.gif\"><a href=\"../imported/ext/img/a.gif\"><img src=\"bold.gif\">"
            "<img src=\"../imported/ext/img/a.gif\">");
  // The second use is not taken for another image to copy from the rewritten place.
  EXPECT_FALSE(Reported("imported\\imported"));
  EXPECT_FALSE(Reported("D:\\imported"));
  EXPECT_TRUE(Reported("Using local copy. C:\\site\\imported\\ext\\old.gif"));
  EXPECT_TRUE(Reported("Can't load local copy: C:\\site\\imported\\ext\\lost.gif"));
}

TEST_F(BlockImages, RemoteImagesAreFetchedIntoTheSite) {
  httplib::Server server;
  server.Get("/dir/img/a.gif", [](const httplib::Request&, httplib::Response& response) {
    response.set_content("GIF89a", "image/gif");
  });
  const int nPort = server.bind_to_any_port("127.0.0.1");
  std::thread serving([&] { server.listen_after_bind(); });
  while (!server.is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(5));

  const std::string base = "http://127.0.0.1:" + std::to_string(nPort);
  m_pBlock->m_strUrl = base + "/dir/block.html";
  m_pBlock->m_strLocalPath = "C:\\site\\imported\\dir\\block.html";
  m_drive.Write("site\\imported\\dir\\kept.gif", "OLD");
  std::string text =
      "<img src=\"img/a.gif\"><img src=\"kept.gif\"><img src=\"gone.gif\">"
      "<img src=\"" +
      base + "/x.gif\">";
  EXPECT_EQ(FetchRemoteImages(*m_pBlock, text), 2);
  server.stop();
  serving.join();

  EXPECT_EQ(m_drive.Read("site\\imported\\dir\\img\\a.gif"), "GIF89a");
  EXPECT_EQ(text,
            "<img src=\"../imported/dir/img/a.gif\"><img src=\"../imported/dir/kept.gif\">"
            "<img src=\"gone.gif\"><img src=\"" +
                base + "/x.gif\">");
  EXPECT_TRUE(Reported("Using local copy. C:\\site\\imported\\dir\\kept.gif"));
  EXPECT_TRUE(Reported("Can't load local copy: C:\\site\\imported\\dir\\gone.gif"));
}

TEST_F(BlockImages, OriginDecidesHowTheHostPageIsServed) {
  m_drive.Write("site\\blocks\\a.gif", "1");
  const std::string original = "<img src=\"a.gif\"><a href=\"a.gif\">";
  std::string text = original;
  // A web block's local copy keeps references from its own place: they are pointed from the
  // host page, with or without the check of the site's own blocks.
  m_pBlock->m_strUrl = "http://127.0.0.1:9/b.html";
  TestContext().settings.CheckAllImages = 0;
  EXPECT_EQ(PointImagesFromHost(*m_pBlock, text, true), 1);
  EXPECT_EQ(text, "<img src=\"../blocks/a.gif\"><a href=\"../blocks/a.gif\">");
  text = "<img src=\"gone.gif\">";
  EXPECT_EQ(PointImagesFromHost(*m_pBlock, text, true), 0);
  EXPECT_TRUE(Reported("Can't load local copy: C:\\site\\blocks\\gone.gif"));

  m_pBlock->m_strUrl.clear();
  text = original;
  EXPECT_EQ(PointImagesFromHost(*m_pBlock, text, true), 0);
  TestContext().settings.CheckAllImages = 1;
  EXPECT_EQ(PointImagesFromHost(*m_pBlock, text, true), 1);
  EXPECT_EQ(text, "<img src=\"../blocks/a.gif\"><a href=\"a.gif\">");
}

}  // namespace
}  // namespace velmora
