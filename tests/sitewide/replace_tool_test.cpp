#include "build/replace_tool.h"

#include <gtest/gtest.h>

#include "model/web_site.h"
#include "platform/dialogs.h"
#include "support/temp_drive.h"
#include "support/test_context.h"

namespace velmora {
namespace {

class ReplaceTool : public ::testing::Test {
 protected:
  ReplaceTool() : site(TestContext(), {}) {
    TestContext().SetDialogs(&dialogs);
    site.m_strCatalog = "C:\\site\\";
  }
  ~ReplaceTool() override { TestContext().SetDialogs(nullptr); }

  void AddBlock(const std::string& path) {
    site.m_blocks.push_back(std::make_unique<CBlock>(&site, nullptr, ""));
    site.m_blocks.back()->m_strLocalPath = path;
  }

  CTempDrive drive;
  CScriptedDialogs dialogs;
  CWebSite site;
};

// A file named by two block lines is listed twice, but changed once: a replacement that holds
// its search text is not applied to its own result.
TEST_F(ReplaceTool, AFileListedTwiceIsReplacedOnce) {
  drive.Write("site\\b.html", "FOO and FOO");
  drive.Write("site\\a.html", "no match");
  AddBlock("C:\\site\\b.html");
  AddBlock("C:\\site\\a.html");
  AddBlock("C:\\site\\b.html");
  CReplaceTool tool(site);
  const std::vector<std::string> files = tool.FillCandidates();
  EXPECT_EQ(files,
            (std::vector<std::string>{"C:\\site\\a.html", "C:\\site\\b.html", "C:\\site\\b.html"}));
  ASSERT_TRUE(tool.Replace("FOO", "FOOBAR", files));
  EXPECT_EQ(drive.Read("site\\b.html"), "FOOBAR and FOOBAR");
  EXPECT_EQ(drive.Read("site\\a.html"), "no match");
  ASSERT_EQ(dialogs.m_messages.size(), 1u);
  EXPECT_EQ(dialogs.m_messages[0], "2 replaces in 1 files");

  // Other names of the same file: the drive letter's case, "." and ".." pieces.
  dialogs.m_messages.clear();
  ASSERT_TRUE(tool.Replace("BAR", "BARBAR",
                           {"C:\\site\\b.html", "c:\\site\\b.html", "C:\\site\\.\\x\\..\\b.html"}));
  EXPECT_EQ(drive.Read("site\\b.html"), "FOOBARBAR and FOOBARBAR");
  EXPECT_EQ(dialogs.m_messages, std::vector<std::string>{"2 replaces in 1 files"});
}

TEST_F(ReplaceTool, NothingFoundTouchesNothing) {
  drive.Write("site\\a.html", "text");
  CReplaceTool tool(site);
  ASSERT_TRUE(tool.Replace("absent", "x", {"C:\\site\\a.html", "C:\\site\\missing.html"}));
  EXPECT_EQ(dialogs.m_messages, std::vector<std::string>{"0 replaces in 0 files"});
  EXPECT_FALSE(tool.Replace("", "x", {"C:\\site\\a.html"}));
}

TEST_F(ReplaceTool, AHashReplacementIsLoadedFromItsLocation) {
  drive.Write("site\\a.html", "[X] [X]");
  drive.Write("site\\snippet.txt", "loaded");
  CReplaceTool tool(site);
  ASSERT_TRUE(tool.Replace("[X]", "#  snippet.txt", {"C:\\site\\a.html"}));
  EXPECT_EQ(drive.Read("site\\a.html"), "loaded loaded");
  // "#" and one more character are taken literally.
  ASSERT_TRUE(tool.Replace("loaded", "#a", {"C:\\site\\a.html"}));
  EXPECT_EQ(drive.Read("site\\a.html"), "#a #a");
  dialogs.m_messages.clear();
  EXPECT_FALSE(tool.Replace("#a", "#missing.txt", {"C:\\site\\a.html"}));
  EXPECT_EQ(dialogs.m_messages, std::vector<std::string>{"Can't load file: #missing.txt"});
}

// Only the matched bytes change: an LF file keeps its LF line ends and its last line end, a
// CR LF file its CR LF, and a search text of several lines (CR LF from the dialog) finds them
// in either.
TEST_F(ReplaceTool, TheFileKeepsItsLineEnds) {
  drive.Write("site\\lf.html", "<p>one</p>\n<p>two</p>\n");
  drive.Write("site\\crlf.html", "<p>one</p>\r\n<p>two</p>\r\n");
  drive.Write("site\\mixed.html", "a\nb\r\nold\n");
  CReplaceTool tool(site);
  const std::vector<std::string> files = {"C:\\site\\lf.html", "C:\\site\\crlf.html"};
  ASSERT_TRUE(tool.Replace("one</p>\r\n<p>two", "1</p>\r\n<p>2</p>\r\n<p>3", files));
  EXPECT_EQ(drive.Read("site\\lf.html"), "<p>1</p>\n<p>2</p>\n<p>3</p>\n");
  EXPECT_EQ(drive.Read("site\\crlf.html"), "<p>1</p>\r\n<p>2</p>\r\n<p>3</p>\r\n");
  ASSERT_TRUE(tool.Replace("old", "new", {"C:\\site\\mixed.html"}));
  EXPECT_EQ(drive.Read("site\\mixed.html"), "a\nb\r\nnew\n");
}

}  // namespace
}  // namespace velmora
