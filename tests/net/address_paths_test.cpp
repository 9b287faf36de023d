#include "net/address_paths.h"
#include "platform/file_access.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>

#include "platform/dialogs.h"
#include "platform/strings.h"
#include "support/temp_drive.h"
#include "support/test_context.h"

namespace velmora {
namespace {

TEST(RelativePath, References) {
  EXPECT_EQ(RelativePath("C:\\site\\pages\\a.html", "C:\\site\\gfx\\b.gif"), "../gfx/b.gif");
  EXPECT_EQ(RelativePath("C:\\site\\index.html", "C:\\site\\pages\\a.html"), "pages/a.html");
  EXPECT_EQ(RelativePath("C:\\site\\a.html", "C:\\site\\b.html"), "b.html");
  EXPECT_EQ(RelativePath("C:\\site\\pages\\a.html", "C:\\site\\index.html"), "../index.html");
  EXPECT_EQ(RelativePath("C:\\site\\a.html", "D:\\x\\b.gif"), "../../D:/x/b.gif");
  EXPECT_EQ(RelativePath("C:\\Site\\A.html", "c:\\site\\a.HTML"), "a.HTML");
  EXPECT_EQ(RelativePath("C:/site/x/a.html", "C:\\SITE\\y\\b.html"), "../y/b.html");
  // One path is a prefix of the other: the whole target.
  EXPECT_EQ(RelativePath("C:\\site\\a", "C:\\site\\a\\b.html"), "C:\\site\\a\\b.html");
  EXPECT_EQ(RelativePath("C:\\site\\a\\b.html", "C:/site/a"), "C:\\site\\a");
  // Empty pieces count as pieces; the rest of the target is written with "/".
  EXPECT_EQ(RelativePath("C:\\site\\\\a.html", "C:\\site\\b\\c.html"), "../b/c.html");
  EXPECT_EQ(RelativePath("C:\\site\\a.html", "C:\\site\\\\c.html"), "/c.html");
  EXPECT_EQ(RelativePath("C:\\x\\y\\a.html", "C:\\z/w\\c.html"), "../../z/w/c.html");
  EXPECT_EQ(RelativePath("a.html", "b.html"), "b.html");
  EXPECT_EQ(RelativePath("", ""), "");
}

// The pieces of both paths compared one by one, written plainly: relative paths are asked for
// so often that their walk takes shortcuts, which must not change any answer.
std::string PlainRelativePath(const std::string& from, const std::string& to) {
  auto pieces = [](const std::string& path) {
    std::vector<std::string> result(1);
    for (char c : path)
      if (c == '\\' || c == '/')
        result.emplace_back();
      else
        result.back() += c;
    return result;
  };
  const std::vector<std::string> a = pieces(from), b = pieces(to);
  size_t common = 0;
  while (common < a.size() && common < b.size() && EqualsNoCase(a[common], b[common])) ++common;
  if (common == a.size() && common == b.size())
    return b.back();
  if (common == a.size() || common == b.size()) {
    std::string whole = to;
    std::replace(whole.begin(), whole.end(), '/', '\\');
    return whole;
  }
  std::string result;
  for (size_t i = common; i + 1 < a.size(); ++i) result += "../";
  for (size_t i = common; i < b.size(); ++i) result += b[i] + (i + 1 < b.size() ? "/" : "");
  return result;
}

TEST(RelativePath, AgreesWithComparingPieceByPiece) {
  std::mt19937 random(3);
  const std::vector<std::string> pieces = {"C:", "c:", "site", "SITE", "web", "a.html", "", "s1"};
  auto randomPath = [&] {
    std::string path;
    for (int n = 1 + random() % 5; n > 0; --n)
      path += pieces[random() % pieces.size()] + (n > 1 ? (random() % 3 ? "\\" : "/") : "");
    return path;
  };
  for (int round = 0; round < 2000; ++round) {
    const std::string from = randomPath();
    const std::string to =
        round % 3 ? randomPath() : from.substr(0, random() % (from.size() + 1)) + randomPath();
    ASSERT_EQ(RelativePath(from, to), PlainRelativePath(from, to)) << from << " -> " << to;
  }
}

TEST(ResolveRelative, ClimbsFoldersOfTheBase) {
  const std::string base = "C:\\site\\pages\\a.html";
  EXPECT_EQ(ResolveRelative(base, "../gfx/x.gif"), "C:\\site\\gfx\\x.gif");
  EXPECT_EQ(ResolveRelative(base, "img/x.gif"), "C:\\site\\pages\\img\\x.gif");
  EXPECT_EQ(ResolveRelative(base, "../../../x.gif"), "");
  EXPECT_EQ(ResolveRelative(base, "ab"), "");
  // Empty pieces of the base are dropped; the rest of the reference is written with "\\".
  EXPECT_EQ(ResolveRelative("C:\\\\site//pages\\a.html", "../img/x.gif"), "C:\\site\\img\\x.gif");
  EXPECT_EQ(ResolveRelative("C:/site/a.html", "..\\..\\b/c.gif"), "");
  EXPECT_EQ(ResolveRelative("C:/site/a.html", "..\\b/c.gif"), "C:\\b\\c.gif");
  EXPECT_EQ(ResolveRelative("C:\\site\\a.html", "../ab"), "");
}

TEST(JoinAddress, RelativeToWebAndLocalBases) {
  const std::string base = "http://www.x.org/dir/page.html";
  EXPECT_EQ(JoinAddress(base, "img.gif"), "http://www.x.org/dir/img.gif");
  EXPECT_EQ(JoinAddress(base, "../img/a.gif"), "http://www.x.org/img/a.gif");
  EXPECT_EQ(JoinAddress(base, "sub/a.gif"), "http://www.x.org/dir/sub/a.gif");
  EXPECT_EQ(JoinAddress(base, "HTTP://other.org/a.gif"), "http://other.org/a.gif");
  EXPECT_EQ(JoinAddress(base, "https://other.org/a.gif"), "https://other.org/a.gif");
  EXPECT_EQ(JoinAddress("https://s.org/a/b.html", "c.gif"), "https://s.org/a/c.gif");
  EXPECT_EQ(JoinAddress("site/pages/a.html", "../gfx/b.gif"), "site/gfx/b.gif");
  EXPECT_EQ(JoinAddress("pages/a.html", "../gfx/b.gif"), "");
  EXPECT_EQ(JoinAddress("a.html", "../gfx/b.gif"), "");
}

TEST(JoinAddress, WebReferencesNeverLeaveTheServer) {
  const std::string base = "http://www.x.org:81/dir/page.html?q=1";
  EXPECT_EQ(JoinAddress(base, "/img/a.gif"), "http://www.x.org:81/img/a.gif");
  EXPECT_EQ(JoinAddress(base, "//cdn.org/a.gif"), "http://cdn.org/a.gif");
  EXPECT_EQ(JoinAddress("http://h/d/p.php?u=a/b", "i.gif"), "http://h/d/i.gif");
  EXPECT_EQ(JoinAddress("http://h", "i.gif"), "http://h/i.gif");
  EXPECT_EQ(JoinAddress("http://h/d/", "../i.gif"), "http://h/i.gif");
  // Too many ".." stop at the root instead of making "img" the server.
  EXPECT_EQ(JoinAddress("http://www.x.org/dir/page.html", "../../../img/a.gif"),
            "http://www.x.org/img/a.gif");
}

TEST(UrlToLocalPath, StaysInsideTheRoot) {
  EXPECT_EQ(UrlToLocalPath("http://www.x.org/~u/x.html", "imported"), "imported\\u\\x.html");
  EXPECT_EQ(UrlToLocalPath("http://h/a/b.gif", "C:/site/gfx/"), "C:\\site\\gfx\\a\\b.gif");
  EXPECT_EQ(UrlToLocalPath("http://h/../../etc/passwd.txt", "imported"),
            "imported\\etc\\passwd.txt");
  EXPECT_EQ(UrlToLocalPath("http://h/a/./..//b%2e.html", "imported"), "imported\\a\\b%2e.html");
  EXPECT_EQ(UrlToLocalPath("http://h/a\\..\\..\\b.html", "imported"), "imported\\a\\b.html");
  EXPECT_EQ(UrlToLocalPath("http://h/p.php?x=../../y", "imported"), "imported\\p.php?x=..\\y");
  EXPECT_EQ(UrlToLocalPath("http://h/", "imported"), "");
  EXPECT_EQ(UrlToLocalPath("not an address", "imported"), "");
}

TEST(AddressTests, NormalizeHttpAddress) {
  std::string address = "www.example.com";
  EXPECT_FALSE(NormalizeHttpAddress(address));
  EXPECT_EQ(address, "www.example.com");

  address = "HTTP://www.example.com/a.html";
  EXPECT_TRUE(NormalizeHttpAddress(address));
  EXPECT_EQ(address, "http://www.example.com/a.html");

  address = "www.example.com/a.html";
  EXPECT_TRUE(NormalizeHttpAddress(address));
  EXPECT_EQ(address, "http://www.example.com/a.html");

  address = "HTTPS://www.example.com/a.html";
  EXPECT_TRUE(NormalizeHttpAddress(address));
  EXPECT_EQ(address, "https://www.example.com/a.html");

  address = "Https://www.example.com/a.html";
  EXPECT_TRUE(NormalizeHttpAddress(address));
  EXPECT_EQ(address, "https://www.example.com/a.html");

  address = "ftp://www.example.com/a.html";
  EXPECT_FALSE(NormalizeHttpAddress(address));
  address = "C:\\dir/a.html";
  EXPECT_FALSE(NormalizeHttpAddress(address));
  EXPECT_EQ(address, "C:\\dir/a.html");
}

TEST(AddressTests, HasHostPart) {
  EXPECT_TRUE(HasHostPart("http://www.example.com/a.html"));
  EXPECT_TRUE(HasHostPart("ftp://files.example.com/"));
  EXPECT_FALSE(HasHostPart("www.example.com/a.html"));
  EXPECT_FALSE(HasHostPart("mailto:ann@example.com"));
  EXPECT_FALSE(HasHostPart("pages/a.html"));
}

class FileOperations : public ::testing::Test {
 protected:
  void SetUp() override { TestContext().SetDialogs(&m_dialogs); }
  void TearDown() override { TestContext().SetDialogs(nullptr); }
  CTempDrive m_drive;
  CScriptedDialogs m_dialogs;
};

TEST_F(FileOperations, MakeDirsMakesFoldersNotTheFile) {
  EXPECT_TRUE(TestContext().files.MakeDirs("C:\\site\\pages\\a.html"));
  EXPECT_TRUE(m_drive.Exists("site\\pages"));
  EXPECT_FALSE(m_drive.Exists("site\\pages\\a.html"));
  EXPECT_TRUE(
      TestContext().files.MakeDirs("C:\\site\\pages\\b.html"));  // existing folders are fine
  EXPECT_FALSE(TestContext().files.MakeDirs("C:\\"));
  EXPECT_TRUE(m_dialogs.m_messages.empty());

  m_drive.Write("file", "x");
  EXPECT_FALSE(TestContext().files.MakeDirs("C:\\file\\sub\\a.html"));
  ASSERT_EQ(m_dialogs.m_messages.size(), 1u);
  EXPECT_EQ(m_dialogs.m_messages[0], "Can't make dir:C:\\file");
}

TEST_F(FileOperations, ReadTextFileJoinsLinesWithCrLf) {
  std::string text = "old";
  EXPECT_FALSE(TestContext().files.ReadTextFile("C:\\missing.txt", text));
  EXPECT_EQ(text, "");

  m_drive.Write("lf.txt", "one\ntwo\r\n\nthree\n");
  ASSERT_TRUE(TestContext().files.ReadTextFile("C:\\lf.txt", text));
  EXPECT_EQ(text, "one\r\ntwo\r\n\r\nthree");

  m_drive.Write("empty.txt", "");
  ASSERT_TRUE(TestContext().files.ReadTextFile("C:\\empty.txt", text));
  EXPECT_EQ(text, "");
}

TEST_F(FileOperations, WriteTextFileMakesFolders) {
  ASSERT_TRUE(TestContext().files.WriteTextFile("C:\\site\\pages\\a.html", "a\r\nb"));
  EXPECT_EQ(m_drive.Read("site/pages/a.html"), "a\r\nb");
  EXPECT_TRUE(TestContext().files.FileExists("C:\\site\\pages\\a.html"));
  EXPECT_FALSE(TestContext().files.FileExists("C:\\site\\pages"));

  // Without a "." the last piece is taken for a folder, so the file cannot be made.
  EXPECT_FALSE(TestContext().files.WriteTextFile("C:\\site\\README", "x"));
  ASSERT_EQ(m_dialogs.m_messages.size(), 1u);
  EXPECT_EQ(m_dialogs.m_messages[0], "C:\\site\\README could not be written ");
}

TEST_F(FileOperations, AFolderRemovedBetweenWritesIsMadeAgain) {
  ASSERT_TRUE(TestContext().files.WriteTextFile("C:\\site\\pages\\a.html", "a"));
  std::filesystem::remove_all(m_drive.HostFolder() + "/site");
  ASSERT_TRUE(TestContext().files.WriteTextFile("C:\\site\\pages\\b.html", "b"));
  EXPECT_EQ(m_drive.Read("site/pages/b.html"), "b");
  EXPECT_TRUE(m_dialogs.m_messages.empty());
}

TEST_F(FileOperations, BinaryFilesAndCopies) {
  const std::string bytes("a\0b\r\n", 5);
  ASSERT_TRUE(TestContext().files.WriteBinaryFile("C:\\gfx\\x.gif", bytes));
  EXPECT_EQ(m_drive.Read("gfx/x.gif"), bytes);
  // Folders with a dot in their name are made too.
  ASSERT_TRUE(
      TestContext().files.CopyFileMakingDirs("C:\\gfx\\x.gif", "C:\\site\\v1.2\\gfx\\x.gif"));
  EXPECT_EQ(m_drive.Read("site/v1.2/gfx/x.gif"), bytes);
  EXPECT_FALSE(TestContext().files.CopyFileMakingDirs("C:\\gfx\\missing.gif", "C:\\site\\y.gif"));
  EXPECT_FALSE(TestContext().files.CopyFileMakingDirs("C:\\gfx\\x.gif", "nofolder.gif"));
}

}  // namespace
}  // namespace velmora
