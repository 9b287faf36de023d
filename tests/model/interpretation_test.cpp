#include <gtest/gtest.h>

#include "model/published_list.h"
#include "model/replace_rule.h"
#include "site_fixture.h"
#include "support/test_context.h"

namespace velmora {
namespace {

class Interpretation : public SiteTest {
 protected:
  void SetUp() override {
    SiteTest::SetUp();
    MakeFolder("site");
  }
  // The lines that every interpretable script needs.
  static std::string Head() { return Script({"VERSION=2.0", "CATALOG=C:\\site"}); }
};

TEST_F(Interpretation, VersionMustBeExactly2_0) {
  EXPECT_FALSE(Interpret(Script({"VERSION=2.00", "CATALOG=C:\\site", "1,Home"})));
  EXPECT_EQ(ReportLines(),
            (std::vector<std::string>{"Checking sitestructure", "------------------------",
                                      "FATAL ERROR: missing: VERSION=2.0"}));
  EXPECT_EQ(TestContext().report.HighestLevel(), 4);
  EXPECT_TRUE(Interpret(Script({"VERSION=   2.0", "CATALOG=C:\\site", "1,Home"})));
}

TEST_F(Interpretation, CatalogIsRequiredAndMadeOnRequest) {
  EXPECT_FALSE(Interpret(Script({"VERSION=2.0", "CATALOG=", "1,Home"})));
  EXPECT_TRUE(HasAlert("FATAL ERROR: No legal site catalog, CATALOG="));

  // Declined: no report line, nothing made.
  EXPECT_FALSE(Interpret(Script({"VERSION=2.0", "CATALOG=C:\\new\\www.site", "1,Home"})));
  EXPECT_EQ(m_dialogs.m_questions,
            (std::vector<std::string>{
                "The catalog : C:\\new\\www.site\\ does not exist\r\nTry to ceate it ?"}));
  EXPECT_EQ(ReportLines().size(), 2u);
  EXPECT_FALSE(std::filesystem::exists(m_hostRoot + "/new"));

  // Accepted: the folder is made (its name has a dot) and becomes the current folder.
  m_dialogs.m_answers = {true};
  EXPECT_TRUE(Interpret(Script({"VERSION=2.0", "CATALOG=C:\\new\\www.site", "1,Home"})));
  EXPECT_TRUE(std::filesystem::is_directory(m_hostRoot + "/new/www.site"));
  EXPECT_EQ(m_pSite->m_strCatalog, "C:\\new\\www.site\\");
  std::string current;
  ASSERT_TRUE(TestContext().folder.FullPath(".", current));
  EXPECT_TRUE(EqualsNoCase(current.substr(0, 16), "C:\\new\\www.site"));

  // Accepted but impossible: the drive has no folder.
  m_dialogs.m_answers = {true};
  EXPECT_FALSE(Interpret(Script({"VERSION=2.0", "CATALOG=Q:\\site", "1,Home"})));
  EXPECT_EQ(m_dialogs.m_messages.back(), "Cannot make: Q:\\site\\");
}

TEST_F(Interpretation, HostPathsNameCatalogsOnTheirDrive) {
  EXPECT_TRUE(Interpret(Script({"VERSION=2.0", "CATALOG=" + m_hostRoot + "/site",
                                "TEMPLATES=" + m_hostRoot + "/tpl/", "1,Home"})));
  EXPECT_EQ(m_pSite->m_strCatalog, "C:\\site\\");
  EXPECT_EQ(m_pSite->m_strTemplates, "C:\\tpl");
  EXPECT_FALSE(m_pSite->m_bTemplatesElsewhere);
}

TEST_F(Interpretation, DefaultsAreReportedInOrder) {
  EXPECT_FALSE(Interpret(Head() + Script({"ATEMPLATE=X,x.html", "KEYWORDS="})));
  EXPECT_EQ(ReportLines(),
            (std::vector<std::string>{
                "Checking sitestructure", "------------------------",
                "Assuming resource catalog: gfx", "Assuming template catalog: templates",
                "No Site Name, SITENAME=", "No Site Message, MESSAGE=",
                "No Site Organisation,SITEORG=", "No Site Author, SITEAUTHOR=",
                "No keywords, KEYWORDS=", "To few valid lines in script"}));
  EXPECT_TRUE(HasAlert("Assuming template catalog: templates"));
  EXPECT_FALSE(HasAlert("No Site Name, SITENAME="));
  EXPECT_EQ(TestContext().report.HighestLevel(), 4);

  ASSERT_TRUE(Interpret(Head() + "1,Home\r\n"));
  EXPECT_EQ(m_pSite->m_strResources, "C:\\site\\gfx");
  EXPECT_EQ(m_pSite->m_strTemplates, "C:\\site\\templates");
  EXPECT_EQ(m_pSite->m_strSiteName, "Site Name");
  EXPECT_EQ(m_pSite->m_strMessage, " ");
  EXPECT_EQ(m_pSite->m_strSiteAuthor, "nn");
  EXPECT_EQ(m_pSite->m_strSiteOrg, "");
  EXPECT_EQ(ReportLines().back(), "---------------------------------------");
  EXPECT_EQ(ReportLines()[ReportLines().size() - 2], "Can establish structure");
}

TEST_F(Interpretation, GeneralKeys) {
  ASSERT_TRUE(Interpret(
      Script({"SITENAME=First", "VERSION=2.0", "CATALOG= C:\\site\\ ", "SITEORG=HTTP://org.example",
              "SITENAME= Second ", "SITEAUTHOR=<a href=\"mailto:a@b\">a</a>", "MESSAGE=Hi",
              "KEYWORDS=k1 k2", "ATEMPLATE= P , p.html ", "ATEMPLATE=I,i.html",
              "sitename=lower case is a page line", "1,Home"})));
  EXPECT_EQ(m_pSite->m_strCatalog, "C:\\site\\");
  EXPECT_EQ(m_pSite->m_strSiteName, "Second");
  EXPECT_EQ(m_pSite->m_strSiteOrg, "http://org.example");
  EXPECT_EQ(m_pSite->m_strMessage, "Hi");
  EXPECT_EQ(m_pSite->m_strKeywords, "k1 k2");
  EXPECT_EQ(m_pSite->m_templateLines, (std::vector<std::string>{"P , p.html", "I,i.html"}));
  EXPECT_TRUE(HasAlert("Ignoring pageline: sitename=lower case is a page line"));
  EXPECT_TRUE(m_pSite->m_lines.empty());

  ASSERT_TRUE(Interpret(Head() + Script({"SITEORG=www.org.example", "1,Home"})));
  EXPECT_EQ(m_pSite->m_strSiteOrg, "http://www.org.example");
  ASSERT_TRUE(Interpret(Head() + Script({"SITEORG=HTTPS://org.example", "1,Home"})));
  EXPECT_EQ(m_pSite->m_strSiteOrg, "https://org.example");
}

TEST_F(Interpretation, ResourceAndTemplateCatalogs) {
  auto resolve = [&](const std::string& resources) {
    return Interpret(Head() + Script({"RESOURCES=" + resources, "TEMPLATES=\\tpl\\", "1,Home"}));
  };
  ASSERT_TRUE(resolve("layout\\"));
  EXPECT_EQ(m_pSite->m_strResources, "C:\\site\\layout");
  EXPECT_EQ(m_pSite->m_strTemplates, "C:\\site\\tpl");
  EXPECT_FALSE(m_pSite->m_bResourcesElsewhere);

  ASSERT_TRUE(resolve(".\\..\\shared\\gfx"));
  EXPECT_EQ(m_pSite->m_strResources, "C:\\shared\\gfx");
  EXPECT_FALSE(m_pSite->m_bResourcesElsewhere);

  ASSERT_TRUE(resolve("c:\\other\\gfx"));
  EXPECT_FALSE(m_pSite->m_bResourcesElsewhere);
  ASSERT_TRUE(resolve("D:\\gfx"));
  EXPECT_TRUE(m_pSite->m_bResourcesElsewhere);
  EXPECT_EQ(m_pSite->GfxPath(), "C:\\site\\gfx");

  ASSERT_TRUE(resolve("www.example.org/gfx"));
  EXPECT_EQ(m_pSite->m_strResources, "http://www.example.org/gfx");
  EXPECT_TRUE(m_pSite->m_bResourcesElsewhere);
  EXPECT_EQ(m_pSite->GfxPath(), "C:\\site\\gfx");
  ASSERT_TRUE(Interpret(Head() + Script({"TEMPLATES=HTTPS://www.example.org/t/", "1,Home"})));
  EXPECT_EQ(m_pSite->m_strTemplates, "https://www.example.org/t/");
  EXPECT_TRUE(m_pSite->m_bTemplatesElsewhere);

  EXPECT_FALSE(resolve("C:\\gfx\\def.css"));
  EXPECT_TRUE(HasAlert("FATAL ERROR: Not legal resourse catalog, RESOURCES="));

  EXPECT_FALSE(Interpret(Head() + Script({"TEMPLATES=D:\\t\\nf_p_template.html", "1,Home"})));
  EXPECT_TRUE(HasAlert("FATAL ERROR: No templates"));
}

TEST_F(Interpretation, RefusedLinesAreReportedAndSkipped) {
  ASSERT_TRUE(Interpret(
      Head() + Script({"BLOCKS:a.html,b.html", "BASED_ON:x", "RSIMPLE=a,b,c", "R1QUOTE:href=,x",
                       "COLLECT:", "INDEX:nodot", "1,a,P,a.html,au,msg,K,eight", "BLOCKS:c.html",
                       "BASED_ON: One ,, BASED_ON:Two,", "1,Home", "BASED_ON: One ,, BASED_ON:Two,",
                       "BASED_ON:,Three"})));
  EXPECT_TRUE(HasAlert("Ignoring pageline: BLOCKS:a.html,b.html"));
  EXPECT_TRUE(HasAlert("Ignoring replace. RSIMPLE=a,b,c"));
  EXPECT_TRUE(HasAlert("Ignoring collect: COLLECT: "));
  EXPECT_TRUE(HasLine("Ignoring IndexLine: INDEX:nodot"));
  EXPECT_TRUE(HasAlert("Ignoring pageline: 1,a,P,a.html,au,msg,K,eight"));
  // The refused page's block and based-on lines go with it, without reports.
  EXPECT_FALSE(HasAlert("Bad block: c.html"));
  ASSERT_EQ(m_pSite->m_replaceRules.size(), 1u);
  EXPECT_EQ(m_pSite->m_replaceRules[0]->m_strKind, "R1QUOTE");
  ASSERT_EQ(m_pSite->Pages().size(), 1u);
  EXPECT_EQ(m_pSite->Pages()[0]->m_basedOn, (std::vector<std::string>{"One", "Two", "Three"}));
  EXPECT_TRUE(m_pSite->m_blocks.empty());
}

TEST_F(Interpretation, OutlineAndPublishedList) {
  CPublishedList list;
  list.Add("old", nullptr);
  list.m_entries[0].m_bSelected = true;
  m_pSite = std::make_unique<CWebSite>(
      TestContext(),
      PrepareScriptLines(Head() + Script({"0,Frame,FF", "3,Home", "4,Child", "1,Other"})));
  m_pSite->m_pPublishedList = &list;
  ASSERT_TRUE(m_pSite->Interpret());
  EXPECT_TRUE(HasAlert("Force level 1 on page: Home"));
  CNode* pRoot = m_pSite->m_pRoot.get();
  EXPECT_EQ(pRoot->m_children.size(), 2u);
  EXPECT_EQ(m_pSite->Pages()[2]->m_pParent, m_pSite->Pages()[1].get());
  EXPECT_EQ(m_pSite->Pages()[1]->NextInSequence(), m_pSite->Pages()[2].get());
  EXPECT_EQ(list.Count(), 0);  // no page has a file
  EXPECT_EQ(m_pSite->m_nListed, 0);
}

TEST_F(Interpretation, HugeAndMalformedScripts) {
  // 100,000 lines whose levels rise one by one to 50,000 and fall back.
  std::string text = Head();
  for (int n = 1; n <= 50000; ++n) text += std::to_string(n) + ",p" + std::to_string(n) + "\r\n";
  for (int n = 50000; n >= 1; --n) text += std::to_string(n) + ",q\r\n";
  ASSERT_TRUE(Interpret(text));
  EXPECT_EQ(m_pSite->CountPages(-1), 100000);
  EXPECT_EQ(m_pSite->CountPages(50000), 2);
  EXPECT_EQ(m_pSite->Sequence().size(), 100001u);

  std::string huge(1 << 20, ',');
  huge[10] = '\0';
  EXPECT_TRUE(Interpret(Head() +
                        Script({"1,Home", "2" + huge, "BLOCKS:" + huge, std::string("1,\0x", 4)})));

  std::string binary = Head();
  for (int n = 0; n < 100000; ++n) binary.push_back(static_cast<char>((n * 7919 + n / 7) % 256));
  Interpret(binary);
  Interpret(binary.substr(Head().size()));
}

TEST_F(Interpretation, PagesBlocksAndTheirLocations) {
  ASSERT_TRUE(Interpret(Head() + Script({
                                     "1,Home,I,index.html",
                                     "BLOCKS:b\\one.html,nodot",
                                     "BLOCKS: b\\two.html BLOCKS:,,b\\three.html",
                                     "2,Web,P,http://example.org/x/page.html",
                                     "2,Linked,P,http://example.org/y,,,N",
                                     "2,Gone,P,nodot",
                                     "BLOCKS:b\\lost.html",
                                     "2,Other,P,D:\\x\\o.html,Ann,Msg",
                                 })));
  const auto& pages = m_pSite->Pages();
  ASSERT_EQ(pages.size(), 4u);
  EXPECT_EQ(pages[0]->m_strLocalPath, "C:\\site\\index.html");
  EXPECT_EQ(pages[0]->m_strType, "I");
  EXPECT_EQ(pages[0]->m_strOption, "");
  ASSERT_EQ(pages[0]->m_blockIndexes, (std::vector<size_t>{0, 1, 2}));
  EXPECT_EQ(m_pSite->GetBlock(2)->m_strRemotePath, "b\\three.html");
  EXPECT_EQ(m_pSite->GetBlock(2)->m_pPage, pages[0].get());
  EXPECT_EQ(pages[1]->m_strOption, "K");
  EXPECT_EQ(pages[1]->m_strType, "");
  EXPECT_EQ(pages[2]->m_strOption, "N");
  EXPECT_EQ(pages[3]->m_strRemotePath, "imported\\x\\o.html");
  EXPECT_EQ(pages[3]->m_strOption, "K");
  EXPECT_EQ(pages[3]->m_strAuthor, "Ann");

  // The location's own report comes first, then the block's.
  std::vector<std::string> lines = ReportLines();
  auto badPath = std::find(lines.begin(), lines.end(), "Bad path: nodot");
  ASSERT_NE(badPath, lines.end());
  EXPECT_EQ(*(badPath + 1), "Bad block: nodot");
  EXPECT_TRUE(HasAlert("Ignoring pageline: 2,Gone,P,nodot"));
  EXPECT_FALSE(HasLine("Bad block: b\\lost.html"));
  EXPECT_EQ(m_pSite->m_blocks.size(), 3u);
}

TEST_F(Interpretation, PublishedListIsFilled) {
  CPublishedList list;
  m_pSite = std::make_unique<CWebSite>(
      TestContext(),
      PrepareScriptLines(Head() + Script({"1,Home,I,index.html", "2,B,P,pages\\b.html",
                                          "2,A,P,pages\\a.html", "2,Heading"})));
  m_pSite->m_pPublishedList = &list;
  ASSERT_TRUE(m_pSite->Interpret());
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list.m_entries[0].m_strName, "index.html");
  EXPECT_EQ(list.m_entries[1].m_strName, "pages\\a.html");
  EXPECT_EQ(list.m_entries[1].m_pPage, m_pSite->Pages()[2].get());
  EXPECT_EQ(m_pSite->m_nListed, 3);
  EXPECT_EQ(m_pSite->Pages()[0]->NextPage(), m_pSite->Pages()[1].get());
}

TEST_F(Interpretation, BlockIndexesBeyondSixteenBits) {
  const size_t nBlocks = 70000;
  std::string blocks = "BLOCKS:";
  for (size_t n = 0; n < nBlocks; ++n) blocks += "b" + std::to_string(n) + ".html,";
  ASSERT_TRUE(Interpret(
      Head() + Script({"1,Home,I,index.html", blocks, "1,Last,P,last.html", "BLOCKS:last.html"})));
  ASSERT_EQ(m_pSite->m_blocks.size(), nBlocks + 1);
  const std::vector<size_t>& indexes = m_pSite->Pages()[0]->m_blockIndexes;
  ASSERT_EQ(indexes.size(), nBlocks);
  EXPECT_EQ(m_pSite->GetBlock(indexes[69999])->m_strRemotePath, "b69999.html");
  EXPECT_EQ(m_pSite->GetBlock(indexes[65536])->m_strRemotePath, "b65536.html");
  size_t nLast = m_pSite->Pages()[1]->m_blockIndexes.at(0);
  EXPECT_EQ(nLast, nBlocks);
  EXPECT_EQ(m_pSite->GetBlock(nLast)->m_strRemotePath, "last.html");
}

TEST_F(Interpretation, IndexSourcesAreRead) {
  ASSERT_TRUE(TestContext().files.WriteTextFile("C:\\site\\keys.txt", "keyword"));
  // An index line before the catalog line still finds its file in the site.
  ASSERT_TRUE(Interpret(
      Script({"VERSION=2.0", "INDEX:keys.txt", "CATALOG=C:\\site", "INDEX:gone.txt", "1,Home"})));
  EXPECT_FALSE(HasLine("Ignoring IndexLine: INDEX:keys.txt"));
  EXPECT_FALSE(HasLine("Ignoring IndexLine: INDEX:gone.txt"));
  EXPECT_TRUE(HasAlert("Can't load file: C:\\site\\gone.txt"));
}

}  // namespace
}  // namespace velmora
