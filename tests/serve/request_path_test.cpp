// Which file a request path reaches: never one outside the served folder.
#include "serve/request_path.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace velmora {
namespace {

class RequestPathTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/velmora-paths-XXXXXX";
    m_base = ::mkdtemp(pattern);
    m_root = m_base + "/site";
    std::filesystem::create_directories(m_root + "/sub/empty");
    Write(m_root + "/index.html", "home");
    Write(m_root + "/sub/index.html", "sub");
    Write(m_root + "/sub/page.html", "page");
    Write(m_base + "/secret.txt", "secret");
    std::filesystem::create_directory_symlink(m_base, m_root + "/out");
    std::filesystem::create_symlink(m_base + "/secret.txt", m_root + "/secret-link.txt");
    std::filesystem::create_symlink(m_root + "/sub/page.html", m_root + "/inside-link.html");
  }
  void TearDown() override { std::filesystem::remove_all(m_base); }
  static void Write(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
  }
  ERequestTarget Resolve(const std::string& path) {
    return ResolveRequestPath(m_root, path, m_file);
  }

  std::string m_base, m_root, m_file;
};

TEST_F(RequestPathTest, FilesAndFoldersOfTheSite) {
  EXPECT_EQ(Resolve("/"), ERequestTarget::kFile);
  EXPECT_EQ(m_file, m_root + "/index.html");
  EXPECT_EQ(Resolve("/sub/"), ERequestTarget::kFile);
  EXPECT_EQ(m_file, m_root + "/sub/index.html");
  EXPECT_EQ(Resolve("/sub//./page.html"), ERequestTarget::kFile);
  EXPECT_EQ(m_file, m_root + "/sub/page.html");
  // A link that stays inside the site is followed.
  EXPECT_EQ(Resolve("/inside-link.html"), ERequestTarget::kFile);
  EXPECT_EQ(m_file, m_root + "/sub/page.html");

  EXPECT_EQ(Resolve("/sub"), ERequestTarget::kFolderRedirect);
  EXPECT_EQ(Resolve("/sub/empty/"), ERequestTarget::kNotFound);
  EXPECT_EQ(Resolve("/missing.html"), ERequestTarget::kNotFound);
}

TEST_F(RequestPathTest, NothingOutsideTheSite) {
  for (const std::string path : {"/../secret.txt", "/sub/../../secret.txt", "/..", "/sub/..",
                                 "/out/secret.txt", "/secret-link.txt", "/out/", "/..\\secret.txt",
                                 "/sub\\..\\..\\secret.txt", "relative", ""}) {
    EXPECT_NE(Resolve(path), ERequestTarget::kFile) << path;
    EXPECT_TRUE(m_file.empty()) << path;
  }
  EXPECT_EQ(Resolve(std::string("/index.html\0.txt", 16)), ERequestTarget::kForbidden);
  // A ".." that would stay inside is refused as well: the path is not normalised for it.
  EXPECT_EQ(Resolve("/sub/../index.html"), ERequestTarget::kForbidden);
}

TEST_F(RequestPathTest, ASiteAtTheHostRoot) {
  // The served root "/" is passed as the empty string; a path must still resolve inside it.
  EXPECT_EQ(ResolveRequestPath("", "/../etc/passwd", m_file), ERequestTarget::kForbidden);
}

TEST(ContentTypeTest, ByExtension) {
  EXPECT_EQ(ContentTypeFor("/s/index.html"), "text/html");
  EXPECT_EQ(ContentTypeFor("/s/INDEX.HTM"), "text/html");
  EXPECT_EQ(ContentTypeFor("/s/gfx/def.css"), "text/css");
  EXPECT_EQ(ContentTypeFor("/s/gfx/logo.gif"), "image/gif");
  EXPECT_EQ(ContentTypeFor("/s/a.b/README"), "application/octet-stream");
  EXPECT_EQ(ContentTypeFor("/s/archive.tar.gz"), "application/octet-stream");
}

}  // namespace
}  // namespace velmora
