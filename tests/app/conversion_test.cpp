#include "app/conversion.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>

#include "platform/dialogs.h"
#include "platform/report.h"
#include "platform/strings.h"
#include "support/temp_drive.h"
#include "support/test_context.h"

namespace velmora {
namespace {

std::string Convert(const std::string& script) {
  CConversion conversion(TestContext(), script);
  return conversion.Convert();
}

TEST(ConversionScript, CurrentLinesStayAndVersionLeads) {
  std::string script = "CATALOG=Q:\\none\r\nSITENAME=x\r\n// comment\r\n\r\n1,Home,I,index.html";
  EXPECT_EQ(Convert(script), "VERSION=2.0\r\n" + script);
}

TEST(ConversionScript, OlderVersionLineIsKeptAsComment) {
  EXPECT_EQ(Convert("VERSION=1.2\r\nSITENAME=x"), "VERSION=2.0\r\n// VERSION=1.2\r\nSITENAME=x");
}

TEST(ConversionScript, OrgBecomesSiteOrgOnlyWithoutSiteOrg) {
  EXPECT_EQ(Convert("ORG=http://a/"), "VERSION=2.0\r\nSITEORG=http://a/");
  EXPECT_EQ(Convert("ORG=http://a/\r\nSITEORG=http://b/"),
            "VERSION=2.0\r\nORG=http://a/\r\nSITEORG=http://b/");
}

TEST(ConversionScript, OldPageLines) {
  EXPECT_EQ(Convert("2,P,Home,index.html,,,,M"), "VERSION=2.0\r\n2,Home,P,index.html");
  // Nine fields: level 0, last field dropped.
  EXPECT_EQ(Convert("1,P,Name,a.html,,au,me,K,x"), "VERSION=2.0\r\n0,Name,P,a.html,au,me,K");
  // Frame types go to level 0.
  EXPECT_EQ(Convert("1,T,Top,top.html,,,,"), "VERSION=2.0\r\n0,Top,T,top.html,,,");
  // An own template becomes a generated type with its ATEMPLATE= line.
  EXPECT_EQ(Convert("1,P,A,a.html,t\\own.html,,,M"),
            "VERSION=2.0\r\n1,A,TP2,a.html\r\nATEMPLATE=TP2,t\\own.html");
  // Collections and own templates draw their numbers from one counter.
  EXPECT_EQ(Convert("COLLECT:a,b,c,d,e,L\r\n1,P,A,a.html,own.html,,,M\r\nCOLLECT:f,g,h,i,j,N"),
            "VERSION=2.0\r\nCOLLECT:Collection-2,a,b\r\n1,A,TP3,a.html\r\n"
            "COLLECT:Collection-4,f,g\r\nATEMPLATE=TP3,own.html");
  // Block lines are never page lines.
  EXPECT_EQ(Convert("BLOCK,a.html,b.html,c,d,e,f,g"),
            "VERSION=2.0\r\nBLOCKS:a.html,b.html,c,d,e,f,g");
}

TEST(ConversionScript, KeysOptionsAndCollections) {
  CConversion c(TestContext(),
                "LAYOUT=F\r\nOPTION:X=NOBULLET\r\nOPTION:X=SORT\r\nATEMPLATE=P,x,t.html\r\n"
                "R1QUOTE:a,b\r\nCOLLECT:a,b,c,d,e,L\r\nCOLLECT:a,b\r\nTEMPLATES=C:\\t");
  std::string result = c.Convert();
  EXPECT_EQ(result,
            "VERSION=2.0\r\n\r\n// OPTION:X=NOBULLET\r\n// OPTION:X=SORT\r\nATEMPLATE=P,t.html\r\n"
            "R1QUOTE:a,b\r\nCOLLECT:Collection-2,a,b\r\n// cant convert: COLLECT:a,b\r\n"
            "TEMPLATES=C:\\t\r\n"
            "ATEMPLATE=I,C:\\t\\f_i_template.html\r\nATEMPLATE=X,C:\\t\\f_ix_template.html\r\n"
            "ATEMPLATE=C,C:\\t\\f_c_template.html\r\nATEMPLATE=P,C:\\t\\f_p_template.html");
  EXPECT_FALSE(c.m_bBullet);
  EXPECT_TRUE(c.m_bSort);
  EXPECT_TRUE(c.m_bFrames);
  ASSERT_EQ(c.m_collections.size(), 1u);
  EXPECT_EQ(c.m_collections[0], "Collection-2,c,d,e,L");
}

TEST(ConversionText, BlockParts) {
  CConversion c(TestContext(), "");
  EXPECT_EQ(c.ConvertBlockText("<!--STUFF--><!--PUTME:left-->text<!--ENDOFSTUFF-->"),
            "<!--BLOCK TARGET=\"leftBLOCK\"-->text<!--/BLOCK-->");
  EXPECT_EQ(c.ConvertBlockText("<!--STUFF-->a<!--WRAPME-->b<!--ENDOFSTUFF--><!--TOTOP-->"),
            "<!--BLOCK WRAPME=\"ON\"-->ab<!--/BLOCK--><!--TOTOP/-->");
  // Placed and wrapped: the wrap attribute goes in through the blank the target left.
  EXPECT_EQ(c.ConvertBlockText("<!--STUFF--><!--PUTME:right--><!--WRAPME-->b<!--ENDOFSTUFF-->"),
            "<!--BLOCK WRAPME=\"ON\" TARGET=\"rightBLOCK\"-->b<!--/BLOCK-->");
  c.m_collections.push_back("Collection-2,c,d,e,L");
  EXPECT_EQ(c.ConvertBlockText("x c y d"),
            "x <!--COLLECTION NAME=\"Collection-2\" LINESEPARATOR=\"e\" LINK=\"ON\"--> "
            "<!--/COLLECTION-->\r\nConversion note: old collect tags left here:\r\nc y d");
}

TEST(ConversionText, TemplateTags) {
  CConversion c(TestContext(), "");
  c.m_bSort = true;
  c.m_bBullet = false;
  std::string text = c.ConvertTemplateText(
      "<!--BLOCKS--><!--ENDOFBLOCKS--><!--NEXT--><!--ORG--><!--CONLIST--><!--INX-->x"
      "<!--INXCOL1-->y<!--ENDOFINX-->");
  EXPECT_EQ(text,
            "<!--BLOCK--><!--/BLOCK--><!--NEXT/--><!--SITEORG/--><!--CONLIST BULLET=\"OFF\"-->"
            "<!--INDEX SORT=\"ON\" COLS=\"3\" -->  <!--/INDEX-->");
}

TEST(ConversionText, SeveralColumnTableOfContents) {
  CConversion c(TestContext(), "");
  EXPECT_EQ(c.ConvertTemplateText("<!--TOC--><!--TOCCOL1-->a<!--ENDOFTOCCOL1--><!--ENDOFTOC-->"),
            "<!--TOC COLS=\"3\"-->  <!--/TOC-->\r\n"
            "<!--Conversion note: Please check parameters to TOC above-->\r\n");
  // Numbered column tags outside the table are left as inert comments.
  EXPECT_EQ(c.ConvertTemplateText("<!--TOCCOL0-->x<!--TOCCOL1-->"), "<!--#&%0-->x<!--#&%1-->");
}

class ConversionOnDisk : public ::testing::Test {
 protected:
  CTempDrive m_drive;
};

TEST_F(ConversionOnDisk, RewritesBlocksAndTemplatesButNotImages) {
  m_drive.Write("s/blocks/b.html", "<!--STUFF-->hi<!--ENDOFSTUFF-->");
  m_drive.Write("s/templates/all_template.html", "<!--TOCCOL0-->x<!--ENDOFTOCCOL0-->");
  m_drive.Write("s/templates/b_template.html", "<!--HOME-->");
  m_drive.Write("s/templates/logo.gif", std::string("GIF89a\x7d\0\x1e\0", 10));
  std::string script =
      "CATALOG=" + m_drive.Path("s") + "\r\n1,P,Home,index.html,,,,M\r\nBLOCK,blocks\\b.html";
  std::string result = Convert(script);
  EXPECT_NE(result.find("\r\nBLOCKS:blocks\\b.html"), std::string::npos);
  EXPECT_EQ(m_drive.Read("s/blocks/b.html"), "<!--BLOCK-->hi<!--/BLOCK-->");
  EXPECT_EQ(m_drive.Read("s/templates/print_template.html"),
            "<!--TOC COLS=\"1\" TARGET_FRAME=\"right\"--><!--/TOC-->\r\n"
            "Conversion note: Please check parameters to TOC above\r\n");
  EXPECT_EQ(m_drive.Read("s/templates/all_template.html"), "<!--TOCCOL0-->x<!--ENDOFTOCCOL0-->");
  EXPECT_EQ(m_drive.Read("s/templates/block_template.html"), "<!--HOME/-->");
  EXPECT_EQ(m_drive.Read("s/templates/logo.gif"), std::string("GIF89a\x7d\0\x1e\0", 10));
}

TEST_F(ConversionOnDisk, OnlyTheOldPrintAndBlockTemplatesAreRenamed) {
  m_drive.Write("s/templates/small_template.html", "<!--HOME-->");
  m_drive.Write("s/templates/web_template.html", "<!--PREV-->");
  m_drive.Write("s/templates/all_template.html", "<!--TOCCOL0--><!--ENDOFTOCCOL0-->");
  m_drive.Write("s/templates/print_template.html", "stale");
  m_drive.Write("s/blocks/a.html", "<!--STUFF-->a<!--ENDOFSTUFF-->");
  Convert("CATALOG=" + m_drive.Path("s") + "\r\nBLOCKS: blocks\\a.html");
  EXPECT_EQ(m_drive.Read("s/templates/small_template.html"), "<!--HOME/-->");
  EXPECT_EQ(m_drive.Read("s/templates/web_template.html"), "<!--PREV/-->");
  EXPECT_FALSE(m_drive.Exists("s/templates/block_template.html"));
  // Converted once from the old print template, not a second time as a listed file.
  EXPECT_EQ(m_drive.Read("s/templates/print_template.html"),
            "<!--TOC COLS=\"1\" TARGET_FRAME=\"right\"--><!--/TOC-->\r\n"
            "Conversion note: Please check parameters to TOC above\r\n");
  EXPECT_EQ(m_drive.Read("s/blocks/a.html"), "<!--BLOCK-->a<!--/BLOCK-->");
}

TEST_F(ConversionOnDisk, HostFoldersInTheScriptAreFollowed) {
  m_drive.Write("s/blocks/a.html", "<!--STUFF-->a<!--ENDOFSTUFF-->");
  m_drive.Write("t/x.html", "<!--HOME-->");
  std::string script = "CATALOG=" + m_drive.HostFolder() +
                       "/s\r\nTEMPLATES=" + m_drive.HostFolder() + "/t\r\nBLOCKS:blocks\\a.html";
  EXPECT_EQ(Convert(script), "VERSION=2.0\r\n" + script);
  EXPECT_EQ(m_drive.Read("s/blocks/a.html"), "<!--BLOCK-->a<!--/BLOCK-->");
  EXPECT_EQ(m_drive.Read("t/x.html"), "<!--HOME/-->");
}

// A disk that fills up during the conversion: the block that cannot be written in full keeps its
// old text and no partial file is left beside it; the files written before and after are new.
TEST_F(ConversionOnDisk, FailedWriteLeavesTheOldFile) {
  CScriptedDialogs dialogs;
  TestContext().SetDialogs(&dialogs);
  const std::string big = "<!--STUFF-->" + std::string(20000, 'x') + "<!--ENDOFSTUFF-->";
  m_drive.Write("s/blocks/big.html", big);
  m_drive.Write("s/blocks/small.html", "<!--STUFF-->a<!--ENDOFSTUFF-->");
  m_drive.Write("s/templates/t.html", "<!--HOME-->");
  TestContext().report.Clear();
  struct rlimit saved {};
  ::getrlimit(RLIMIT_FSIZE, &saved);
  auto previous = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = {8192, saved.rlim_max};
  ::setrlimit(RLIMIT_FSIZE, &small);
  Convert("CATALOG=" + m_drive.Path("s") + "\r\nBLOCKS:blocks\\big.html,blocks\\small.html");
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previous);
  TestContext().SetDialogs(nullptr);

  EXPECT_TRUE(m_drive.Read("s/blocks/big.html") == big);  // not printed: 20000 bytes
  EXPECT_EQ(m_drive.Read("s/blocks/small.html"), "<!--BLOCK-->a<!--/BLOCK-->");
  EXPECT_EQ(m_drive.Read("s/templates/t.html"), "<!--HOME/-->");
  EXPECT_NE(TestContext().report.Text().find("Can't write: " + m_drive.Path("s\\blocks\\big.html")),
            std::string::npos);
  size_t files = 0;
  for ([[maybe_unused]] const auto& entry :
       std::filesystem::directory_iterator(m_drive.HostFolder() + "/s/blocks"))
    ++files;
  EXPECT_EQ(files, 2u);
}

TEST_F(ConversionOnDisk, SharedBlockGetsItsCollectionTagOnce) {
  m_drive.Write("s/foot.html", "<!--STUFF-->[n] x [/n]<!--ENDOFSTUFF-->");
  Convert("CATALOG=" + m_drive.Path("s") +
          "\r\nCOLLECT:a,b,[n],[/n],<br>,L\r\nBLOCK,foot.html\r\nBLOCK,foot.html");
  EXPECT_EQ(m_drive.Read("s/foot.html"),
            "<!--BLOCK--><!--COLLECTION NAME=\"Collection-2\" LINESEPARATOR=\"<br>\" "
            "LINK=\"ON\"--> <!--/COLLECTION-->\r\nConversion note: old collect tags left here:"
            "\r\n[n] x [/n]<!--/BLOCK-->");
}

TEST_F(ConversionOnDisk, MissingBlockIsReportedAndWorkGoesOn) {
  TestContext().report.Clear();
  Convert("CATALOG=" + m_drive.Path("s") + "\r\nBLOCKS:gone.html");
  EXPECT_NE(TestContext().report.Text().find("Can't load file: " + m_drive.Path("s\\gone.html")),
            std::string::npos);
}

}  // namespace
}  // namespace velmora
