// Sites on disks that do not cooperate: a catalog turned read-only, page paths that name a
// folder or lie below a file, a script that names one missing block a thousand times, an
// outline fifty thousand levels deep and a block file of 200 MB. Every build must end, report
// what it could not write and leave every file that was there before as it was.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "build/build_driver.h"
#include "model/node.h"
#include "model/web_site.h"
#include "platform/build_settings.h"
#include "platform/file_access.h"
#include "platform/report.h"
#include "support/file_tree.h"
#include "support/script_site.h"
#include "support/temp_drive.h"
#include "support/test_context.h"
#include "support/unprivileged.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using testing::CFileTree;
using testing::RunUnprivileged;
using testing::SnapshotTree;
using testing::TreeChanges;

size_t Count(const std::string& text, const std::string& part) {
  size_t n = 0;
  for (size_t i = text.find(part); i != std::string::npos; i = text.find(part, i + 1)) ++n;
  return n;
}

// Sets the write permission of every folder and file under the folder, the folder included.
void SetWritable(const std::string& hostFolder, bool bFolders, bool bFiles) {
  auto apply = [](const fs::path& path, bool bWritable) {
    const fs::perms write =
        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    fs::permissions(path, write, bWritable ? fs::perm_options::add : fs::perm_options::remove);
  };
  apply(hostFolder, bFolders);
  for (const auto& entry : fs::recursive_directory_iterator(hostFolder))
    apply(entry.path(), entry.is_directory() ? bFolders : bFiles);
}

class DiskFault : public ::testing::Test {
 protected:
  void SetUp() override {
    site.Write("templates\\nf_p_template.html",
               "<html><head><title>t</title></head><body><!--TRAIL--><!--/TRAIL-->"
               "<!--BLOCK--><!--/BLOCK--></body></html>");
    site.Write("blocks\\b.html",
               "<!--BLOCK--><h2>B</h2><!--PRINTLIST--><!--/PRINTLIST-->"
               "<!--/BLOCK-->");
    // Another user may go through the temporary folder and read the site.
    fs::permissions(site.m_drive.HostFolder(),
                    fs::perms::all & ~fs::perms::others_write & ~fs::perms::group_write);
  }
  void TearDown() override { SetWritable(site.m_drive.HostFolder(), true, true); }

  bool InterpretTwoPages() {
    return site.Interpret(
        "1,Home,P,index.html\r\nBLOCKS:blocks\\b.html\r\n"
        "2,Child,P,sub\\child.html\r\nBLOCKS:blocks\\b.html,blocks\\new.html");
  }

  // Builds all pages as an ordinary user and gives the report.
  std::string BuildUnprivileged() {
    std::string report;
    EXPECT_TRUE(RunUnprivileged(
        [this] {
          BuildPages(*site.m_pSite);
          return TestContext().report.Text();
        },
        report));
    return report;
  }

  CScriptSite site;
};

TEST_F(DiskFault, AReadOnlyCatalogKeepsEveryFile) {
  ASSERT_TRUE(InterpretTwoPages());
  BuildPages(*site.m_pSite);
  ASSERT_NE(site.Report().find("   OK"), std::string::npos);
  site.Write("blocks\\b.html", "<!--BLOCK-->changed<!--/BLOCK-->");
  const CFileTree before = SnapshotTree(site.m_drive.HostFolder());

  SetWritable(site.m_drive.HostFolder() + "/site", false, false);
  const std::string report = BuildUnprivileged();
  EXPECT_NE(report.find("   Can't store: C:\\site\\index.html\r\n"), std::string::npos) << report;
  EXPECT_NE(report.find("   Can't store: C:\\site\\sub\\child.html\r\n"), std::string::npos);
  // The system says why.
  EXPECT_NE(report.find("   Can't store: C:\\site\\index.html\r\n   Permission denied\r\n"),
            std::string::npos);
  EXPECT_EQ(report.find("   OK\r\n"), std::string::npos);
  EXPECT_EQ(TreeChanges(before, SnapshotTree(site.m_drive.HostFolder())),
            std::vector<std::string>());
}

// A disk that fills up: pages that no longer fit fail to be written, and their earlier files
// stay whole.
TEST_F(DiskFault, AFullDiskKeepsEveryEarlierFile) {
  ASSERT_TRUE(InterpretTwoPages());
  BuildPages(*site.m_pSite);
  site.Write("blocks\\b.html", "<!--BLOCK-->" + std::string(20000, 'x') + "<!--/BLOCK-->");
  const CFileTree before = SnapshotTree(site.m_drive.HostFolder());
  std::string report;
  ASSERT_TRUE(testing::RunWithFileSizeLimit(
      10000,
      [this] {
        BuildPages(*site.m_pSite);
        return TestContext().report.Text();
      },
      report));
  EXPECT_NE(report.find("   Can't store: C:\\site\\index.html\r\n"), std::string::npos) << report;
  EXPECT_NE(report.find("   Can't store: C:\\site\\sub\\child.html\r\n"), std::string::npos);
  EXPECT_NE(report.find("   Can't store: C:\\site\\index.html\r\n   File too large\r\n"),
            std::string::npos);
  EXPECT_EQ(TreeChanges(before, SnapshotTree(site.m_drive.HostFolder())),
            std::vector<std::string>());
}

// A first build on a disk that fills up: a page that does not fit is not there at all, and no
// part of it is left under another name either.
TEST_F(DiskFault, AFirstBuildOnAFullDiskLeavesNoPartOfAPage) {
  site.Write("blocks\\b.html", "<!--BLOCK-->" + std::string(20000, 'x') + "<!--/BLOCK-->");
  ASSERT_TRUE(InterpretTwoPages());
  const CFileTree before = SnapshotTree(site.m_drive.HostFolder());
  std::string report;
  ASSERT_TRUE(testing::RunWithFileSizeLimit(
      10000,
      [this] {
        BuildPages(*site.m_pSite);
        return TestContext().report.Text();
      },
      report));
  EXPECT_NE(report.find("   Can't store: C:\\site\\index.html\r\n"), std::string::npos) << report;
  EXPECT_NE(report.find("   Can't store: C:\\site\\sub\\child.html\r\n"), std::string::npos);
  // Only the small files made from the defaults are new.
  EXPECT_EQ(TreeChanges(before, SnapshotTree(site.m_drive.HostFolder()),
                        {"site/gfx/", "site/templates/", "site/blocks/new.html"}),
            std::vector<std::string>());
}

// Files marked read-only in folders that may still be written to.
TEST_F(DiskFault, ReadOnlyPagesAreNotReplaced) {
  ASSERT_TRUE(InterpretTwoPages());
  BuildPages(*site.m_pSite);
  site.Write("blocks\\b.html", "<!--BLOCK-->changed<!--/BLOCK-->");
  const CFileTree before = SnapshotTree(site.m_drive.HostFolder());

  SetWritable(site.m_drive.HostFolder() + "/site", true, false);
  const std::string report = BuildUnprivileged();
  EXPECT_NE(report.find("   Can't store: C:\\site\\index.html\r\n"), std::string::npos) << report;
  EXPECT_EQ(TreeChanges(before, SnapshotTree(site.m_drive.HostFolder())),
            std::vector<std::string>());
}

// Page, block, resource and template paths taken by a folder or running through a file.
TEST_F(DiskFault, PathsTakenByFoldersAndFilesAreReportedAndLeftAlone) {
  site.Write("folder.html\\keep.txt", "kept");
  site.Write("file.txt", "a file");
  site.Write("blocks\\dir.html\\keep.txt", "kept");
  site.Write("gfx", "not a folder");
  ASSERT_TRUE(
      site.Interpret("1,Home,P,index.html\r\nBLOCKS:blocks\\b.html,blocks\\dir.html\r\n"
                     "2,Folder,P,folder.html\r\nBLOCKS:blocks\\b.html\r\n"
                     "2,Under,P,file.txt\\under.html\r\nBLOCKS:blocks\\b.html"));
  const CFileTree before = SnapshotTree(site.m_drive.HostFolder());
  BuildPages(*site.m_pSite);
  EXPECT_NE(site.Report().find("   Can't store: C:\\site\\folder.html\r\n"), std::string::npos)
      << site.Report();
  EXPECT_NE(site.Report().find("   Can't store: C:\\site\\file.txt\\under.html\r\n"),
            std::string::npos);
  // Only the home page and the block template the build was missing are new.
  EXPECT_EQ(TreeChanges(before, SnapshotTree(site.m_drive.HostFolder()),
                        {"site/index.html", "site/templates/block_template.html"}),
            std::vector<std::string>());
  EXPECT_TRUE(site.Exists("index.html"));
}

// The longest names the file system takes are still written; longer ones are reported.
TEST_F(DiskFault, PagesWithTheLongestNamesAreWritten) {
  const std::string longest = std::string(250, 'n') + ".html";
  const std::string tooLong = std::string(260, 'n') + ".html";
  ASSERT_TRUE(
      site.Interpret("1,Home,P," + longest + "\r\nBLOCKS:blocks\\b.html\r\n2,Long,P," + tooLong));
  BuildPages(*site.m_pSite);
  EXPECT_NE(site.Read(longest).find("<h2>B</h2>"), std::string::npos) << site.Report();
  EXPECT_NE(site.Report().find("   Can't store: C:\\site\\" + tooLong), std::string::npos);
}

TEST_F(DiskFault, OneMissingBlockNamedAThousandTimesIsMadeOnce) {
  std::string blocks = "blocks\\missing.html";
  for (int i = 1; i < 1000; ++i) blocks += ",blocks\\missing.html";
  ASSERT_TRUE(site.Interpret("1,Home,P,index.html\r\nBLOCKS:" + blocks));
  BuildPages(*site.m_pSite);
  EXPECT_EQ(Count(site.Report(), "Make: C:\\site\\blocks\\missing.html"), 1u);
  EXPECT_TRUE(site.Exists("blocks\\missing.html"));
  EXPECT_EQ(Count(site.Read("index.html"), "C:\\site\\blocks\\missing.html"), 1000u);
}

// A block file too large to be read is reported; the default that stands in for it is not
// written over it, nor said to be made.
TEST_F(DiskFault, ABlockFileTooLargeToReadIsNotSaidToBeMade) {
  const std::string host = site.m_drive.HostFolder() + "/site/blocks/huge.html";
  fs::create_directories(site.m_drive.HostFolder() + "/site/blocks");
  std::ofstream(host).close();
  fs::resize_file(host, kMaxTextBytes + 1);
  ASSERT_TRUE(site.Interpret("1,Home,P,index.html\r\nBLOCKS:blocks\\huge.html"));
  BuildPages(*site.m_pSite);
  EXPECT_NE(site.Report().find("Can't load file: C:\\site\\blocks\\huge.html\r\n"),
            std::string::npos)
      << site.Report();
  EXPECT_EQ(site.Report().find("Make: "), std::string::npos) << site.Report();
  EXPECT_EQ(fs::file_size(host), kMaxTextBytes + 1);
}

// Pages at both ends of a chain of 50,000 headings, built with every site-wide step.
TEST_F(DiskFault, AnOutlineFiftyThousandLevelsDeepBuilds) {
  std::string script = "1,Home,P,index.html\r\nBLOCKS:blocks\\home.html\r\n";
  for (int n = 2; n <= 50000; ++n) script += std::to_string(n) + ",H" + std::to_string(n) + "\r\n";
  script += "50001,Deepest,P,deep.html\r\nBLOCKS:blocks\\b.html\r\n";
  site.Write("blocks\\home.html",
             "<!--BLOCK--><!--TOC MAX_LEVEL=\"99999\"--><!--/TOC--><!--CONLIST--><!--/CONLIST-->"
             "<!--SINGLETOC--><!--/SINGLETOC--><!--LOCALTOC--><!--/LOCALTOC-->"
             "<!--PRINTLIST PAGES=\"ALL\"--><!--/PRINTLIST--><!--/BLOCK-->");
  site.Write("blocks\\b.html",
             "<!--BLOCK--><!--PRINTABLE-->deepest text<!--/PRINTABLE--><!--BASEDON/-->"
             "<!--INX NAME=\"deep\"/--><a href=\"Home\">home</a><!--/BLOCK-->");
  ASSERT_TRUE(site.Interpret(script));
  BuildPages(*site.m_pSite);
  const std::string home = site.Read("index.html");
  EXPECT_NE(home.find("deep.html"), std::string::npos);
  EXPECT_NE(site.Read("deep.html").find("<a href=\"index.html\">home</a>"), std::string::npos);
  EXPECT_NE(home.find("deepest text"), std::string::npos);
}

// The resident memory of this process, in bytes.
size_t ResidentBytes() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.starts_with("VmRSS:"))
      return std::stoul(line.substr(6)) * 1024;
  return 0;
}

// Blocks and patches of large files named many times: the page stops growing at what a text
// file may hold instead of running out of memory.
TEST_F(DiskFault, LargeFilesNamedManyTimesDoNotGrowAPageWithoutBound) {
  site.Write("blocks\\big.html", "<!--BLOCK-->" + std::string(10 << 20, 'b') + "<!--/BLOCK-->");
  site.Write("big.txt", std::string(10 << 20, 'p'));
  std::string blocks = "blocks\\b.html";
  for (int i = 0; i < 100; ++i) blocks += ",blocks\\big.html";
  std::string patches = "<!--BLOCK-->";
  for (int i = 0; i < 100; ++i) patches += "<!--PATCH FILENAME=\"C:\\site\\big.txt\"/-->";
  site.Write("blocks\\patches.html", patches + "<!--/BLOCK-->");
  ASSERT_TRUE(site.Interpret("1,Home,P,index.html\r\nBLOCKS:" + blocks +
                             "\r\n2,Patched,P,patched.html\r\nBLOCKS:blocks\\patches.html"));
  BuildPages(*site.m_pSite);
  EXPECT_NE(site.Report().find("   Too much text, block not placed: C:\\site\\blocks\\big.html"),
            std::string::npos);
  EXPECT_NE(site.Report().find("   Too much text, not patched: C:\\site\\big.txt"),
            std::string::npos);
  EXPECT_LE(fs::file_size(site.m_drive.HostFolder() + "/site/index.html"), kMaxTextBytes + 4096);
  EXPECT_LE(fs::file_size(site.m_drive.HostFolder() + "/site/patched.html"), kMaxTextBytes + 4096);
}

// A template or a wrapper that holds a block's placeholder many times gives each the block's
// whole text: the page stops at what a text file may hold instead of running out of memory.
TEST_F(DiskFault, PlaceholdersRepeatedManyTimesDoNotGrowAPageWithoutBound) {
  std::string placeholders = "<html><body>";
  for (int i = 0; i < 100000; ++i) placeholders += "<!--BLOCK--><!--/BLOCK-->";
  site.Write("templates\\nf_c_template.html", placeholders + "</body></html>");
  site.Write("blocks\\text.html", "<!--BLOCK-->" + std::string(3000, 't') + "<!--/BLOCK-->");
  std::string wraps;
  for (int i = 0; i < 10000; ++i) wraps += "<!--WRAP--><!--/WRAP-->";
  site.Write("templates\\wrapper_template.html", wraps);
  site.Write("blocks\\wrapped.html",
             "<!--BLOCK WRAPME=\"ON\"-->" + std::string(10000, 'w') + "<!--/BLOCK-->");
  ASSERT_TRUE(
      site.Interpret("1,Home,C,index.html\r\nBLOCKS:blocks\\text.html\r\n"
                     "2,Wrapped,P,wrapped.html\r\nBLOCKS:blocks\\b.html,blocks\\wrapped.html"));
  BuildPages(*site.m_pSite);
  EXPECT_NE(site.Report().find("   Too much text, block not placed: C:\\site\\blocks\\text.html"),
            std::string::npos)
      << site.Report();
  EXPECT_NE(
      site.Report().find("   Too much text, block not placed: C:\\site\\blocks\\wrapped.html"),
      std::string::npos);
  EXPECT_LE(fs::file_size(site.m_drive.HostFolder() + "/site/index.html"), kMaxTextBytes);
  // The other block of the page is placed.
  EXPECT_NE(site.Read("wrapped.html").find("<h2>B</h2>"), std::string::npos);
  EXPECT_EQ(site.Read("wrapped.html").find(std::string(100, 'w')), std::string::npos);
}

// Files far larger than memory where a block, a template and a kept page should be: refused
// from their size, unread (the files are sparse, so they cost no disk).
TEST_F(DiskFault, FilesOverTheTextLimitAreRefusedFromTheirSize) {
  for (const char* file :
       {"/site/blocks/huge.html", "/site/kept.html", "/site/templates/nf_i_template.html"}) {
    std::ofstream(site.m_drive.HostFolder() + file) << "<!--BLOCK-->";
    fs::resize_file(site.m_drive.HostFolder() + file, 1ull << 40);
  }
  ASSERT_TRUE(
      site.Interpret("1,Home,P,index.html\r\nBLOCKS:blocks\\b.html,blocks\\huge.html\r\n"
                     "2,Kept,P,kept.html,,,K\r\n2,Index,I,i.html\r\nBLOCKS:blocks\\b.html"));
  BuildPages(*site.m_pSite);
  EXPECT_NE(site.Read("index.html").find("<h2>B</h2>"), std::string::npos);
  EXPECT_NE(site.Report().find("Can't load file: C:\\site\\kept.html"), std::string::npos)
      << site.Report();
  EXPECT_EQ(fs::file_size(site.m_drive.HostFolder() + "/site/kept.html"), 1ull << 40);
  EXPECT_EQ(fs::file_size(site.m_drive.HostFolder() + "/site/templates/nf_i_template.html"),
            1ull << 40);
}

// Print lists inside printable sections gather one another, a factor more on every page, and
// local tables of contents anchor every heading once per element: such pages stop at what a
// text file may hold, with a report line, instead of running out of memory.
TEST_F(DiskFault, PrintListsAndLocalTablesOfContentsDoNotGrowAPageWithoutBound) {
  std::string gathering = "<!--BLOCK--><!--PRINTABLE-->" + std::string(1 << 20, 'q');
  for (int i = 0; i < 8; ++i) gathering += "<!--PRINTLIST--><!--/PRINTLIST-->";
  site.Write("blocks\\gathering.html", gathering + "<!--/PRINTABLE--><!--/BLOCK-->");
  std::string anchored = "<!--BLOCK-->";
  for (int i = 0; i < 3000; ++i) anchored += "<!--LOCALTOC/--><h2>Heading</h2>";
  site.Write("blocks\\anchored.html", anchored + "<!--/BLOCK-->");
  std::string script;
  for (int i = 0; i < 4; ++i)
    script += std::to_string(i == 0 ? 1 : 2) + ",G" + std::to_string(i) + ",P,g" +
              std::to_string(i) + ".html\r\nBLOCKS:blocks\\gathering.html\r\n";
  ASSERT_TRUE(
      site.Interpret(script + "2,Anchored,P,anchored.html\r\nBLOCKS:blocks\\anchored.html"));
  BuildPages(*site.m_pSite);
  // Once a page is full, its later print lists are not gathered at all.
  EXPECT_EQ(Count(site.Report(), "   Too much text, print list not filled: C:\\site\\g2.html"), 1u);
  EXPECT_NE(
      site.Report().find("   Too much text, no local table of contents: C:\\site\\anchored.html"),
      std::string::npos);
  for (const char* pszPage : {"g0.html", "g1.html", "g2.html", "g3.html", "anchored.html"})
    EXPECT_LE(fs::file_size(site.m_drive.HostFolder() + "/site/" + pszPage), kMaxTextBytes + 4096);
}

// Blocks are read again for every build, so the text of a block that every page names is not
// kept once per page.
TEST_F(DiskFault, BlocksOfBuiltPagesAreNotKeptInMemory) {
  site.Write("blocks\\shared.html", "<!--BLOCK-->" + std::string(1 << 20, 's') + "<!--/BLOCK-->");
  std::string script = "1,Home,P,index.html\r\n";
  for (int i = 0; i < 100; ++i)
    script += "2,P" + std::to_string(i) + ",P,p" + std::to_string(i) +
              ".html\r\nBLOCKS:blocks\\shared.html\r\n";
  ASSERT_TRUE(site.Interpret(script));
  TestContext().settings.BuildIndex = 0;
  const size_t nBefore = ResidentBytes();
  BuildPages(*site.m_pSite);
  EXPECT_TRUE(site.Exists("p99.html"));
  // Each page keeps its own text (about 100 MB in all) for the print pages; not its blocks too.
  EXPECT_LT(ResidentBytes(), nBefore + (200u << 20));
}

// A block, a template, a kept page and resources that are there but cannot be read are the
// user's files: the defaults that stand in for them are not written over them.
TEST_F(DiskFault, UnreadableFilesAreNotReplacedByDefaults) {
  site.Write("kept.html", "<html><body>only copy</body></html>");
  site.Write("templates\\nf_i_template.html",
             "<html><body><!--BLOCK--><!--/BLOCK--></body></html>");
  site.Write("gfx\\def.css", "body {}");
  site.Write("gfx\\logo.gif", "GIF89a");
  ASSERT_TRUE(
      site.Interpret("1,Home,I,index.html\r\nBLOCKS:blocks\\b.html\r\n2,Kept,P,kept.html,,,K\r\n"
                     "2,Child,P,child.html\r\nBLOCKS:blocks\\b.html"));
  SetWritable(site.m_drive.HostFolder() + "/site", true, true);
  for (const char* file : {"/site/kept.html", "/site/templates/nf_i_template.html",
                           "/site/blocks/b.html", "/site/gfx/def.css", "/site/gfx/logo.gif"})
    // Writable, so that only the build's own care keeps them.
    fs::permissions(site.m_drive.HostFolder() + file,
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write);
  const CFileTree before = SnapshotTree(site.m_drive.HostFolder());
  const std::string report = BuildUnprivileged();
  EXPECT_NE(report.find("Can't load file: C:\\site\\kept.html"), std::string::npos) << report;
  EXPECT_EQ(TreeChanges(before, SnapshotTree(site.m_drive.HostFolder()),
                        {"site/child.html", "site/gfx/pixel.gif", "site/gfx/up.gif",
                         "site/gfx/bullet.gif", "site/gfx/navigare.gif", "site/gfx/left_bg.gif",
                         "site/templates/block_template.html"}),
            std::vector<std::string>());
}

// A named pipe where a block, a template or a kept page should be would block any reader
// waiting for a writer.
TEST_F(DiskFault, NamedPipesInPlaceOfFilesAreNotWaitedFor) {
  site.Write("kept.html", "");
  for (const char* file :
       {"/site/kept.html", "/site/blocks/pipe.html", "/site/templates/nf_i_template.html"}) {
    const std::string path = site.m_drive.HostFolder() + file;
    fs::remove(path);
    ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0) << path;
  }
  ASSERT_TRUE(
      site.Interpret("1,Home,P,index.html\r\nBLOCKS:blocks\\b.html,blocks\\pipe.html\r\n"
                     "2,Kept,P,kept.html,,,K\r\n2,Index,I,i.html\r\nBLOCKS:blocks\\b.html"));
  BuildPages(*site.m_pSite);
  EXPECT_NE(site.Read("index.html").find("<h2>B</h2>"), std::string::npos);
  EXPECT_TRUE(fs::is_fifo(site.m_drive.HostFolder() + "/site/kept.html"));
  EXPECT_TRUE(fs::is_fifo(site.m_drive.HostFolder() + "/site/blocks/pipe.html"));
}

// Templates copied from a folder elsewhere whose links lead back into it: each level doubles
// the folders a walk that follows the links would visit.
TEST_F(DiskFault, LinksBackIntoACopiedFolderAreNotFollowed) {
  CTempDrive other('D');
  other.Write("tpl\\nf_p_template.html", "<html><body><!--BLOCK--><!--/BLOCK--></body></html>");
  for (const char* name : {"/tpl/a", "/tpl/b"})
    fs::create_directory_symlink(".", other.HostFolder() + name);
  ASSERT_TRUE(site.Interpret("TEMPLATES=D:\\tpl\r\n1,Home,P,index.html\r\nBLOCKS:blocks\\b.html"));
  BuildPages(*site.m_pSite);
  EXPECT_NE(site.Read("index.html").find("<h2>B</h2>"), std::string::npos);
  EXPECT_FALSE(site.Exists("templates\\a"));
}

// The file is sparse: 200 MB of zeros between a block's tags, cheap to make and to remove.
TEST_F(DiskFault, ABlockFileOf200MegabytesEnds) {
  const std::string path = site.m_drive.HostFolder() + "/site/blocks/big.html";
  {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    const std::string start = "<!--BLOCK-->start", end = "end<!--/BLOCK-->";
    const off_t size = 200LL << 20;
    ASSERT_EQ(::pwrite(fd, start.data(), start.size(), 0), static_cast<ssize_t>(start.size()));
    ASSERT_EQ(::pwrite(fd, end.data(), end.size(), size - static_cast<off_t>(end.size())),
              static_cast<ssize_t>(end.size()));
    ::close(fd);
  }
  // The same file as a block and as a kept page.
  ASSERT_TRUE(
      site.Interpret("1,Home,P,index.html\r\nBLOCKS:blocks\\b.html,blocks\\big.html\r\n"
                     "2,Child,P,child.html\r\n2,Big,P,blocks\\big.html,,,K"));
  BuildPages(*site.m_pSite);
  const std::uintmax_t nSize = fs::file_size(path);
  fs::remove(path);
  EXPECT_EQ(nSize, 200u << 20);
  EXPECT_NE(site.Report().find("Can't load file: C:\\site\\blocks\\big.html"), std::string::npos);
  EXPECT_NE(site.Read("index.html").find("<h2>B</h2>"), std::string::npos);
  EXPECT_TRUE(site.Exists("child.html"));
}

}  // namespace
}  // namespace velmora
