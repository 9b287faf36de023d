#include "platform/drive_map.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>

#include "platform/current_folder.h"
#include "support/test_context.h"

namespace velmora {
namespace {

std::string ToHost(const CDriveMap& map, const std::string& path) {
  std::string host;
  return map.ToHost(path, host) ? host : "<none>";
}

std::string ToInternal(const CDriveMap& map, const std::string& path) {
  std::string internal;
  return map.ToInternal(path, internal) ? internal : "<none>";
}

// Sets an environment variable for the life of the object.
class CScopedEnv {
 public:
  CScopedEnv(const char* name, const char* value) : m_strName(name) {
    if (const char* old = ::getenv(name)) {
      m_bHad = true;
      m_strOld = old;
    }
    ::setenv(name, value, 1);
  }
  ~CScopedEnv() {
    if (m_bHad)
      ::setenv(m_strName.c_str(), m_strOld.c_str(), 1);
    else
      ::unsetenv(m_strName.c_str());
  }

 private:
  std::string m_strName, m_strOld;
  bool m_bHad = false;
};

TEST(DriveMap, DefaultsAndTheEnvironment) {
  CScopedEnv home("HOME", "/home/ann/");
  CScopedEnv other("VELMORA_DRIVE_Q", "/srv/q/");
  CDriveMap map;
  EXPECT_EQ(map.HostFolder('C'), "/home/ann");
  EXPECT_EQ(map.HostFolder('c'), "/home/ann");
  EXPECT_EQ(map.HostFolder('Z'), "/");
  EXPECT_EQ(map.HostFolder('D'), "");
  EXPECT_EQ(map.HostFolder('q'), "/srv/q");

  // The environment wins over folders set before it is applied again.
  map.SetDrive('Q', "/elsewhere");
  map.ApplyEnvironment();
  EXPECT_EQ(map.HostFolder('Q'), "/srv/q");
  map.SetDrive('q', "");
  EXPECT_EQ(map.HostFolder('Q'), "");
}

TEST(DriveMap, InternalToHost) {
  CDriveMap map;
  map.SetDrive('C', "/home/ann");
  map.SetDrive('D', "");
  EXPECT_EQ(ToHost(map, "C:\\site\\pages\\a.html"), "/home/ann/site/pages/a.html");
  EXPECT_EQ(ToHost(map, "c:\\site\\"), "/home/ann/site");
  EXPECT_EQ(ToHost(map, "C:\\"), "/home/ann");
  EXPECT_EQ(ToHost(map, "C:\\site\\.\\x\\..\\a.html"), "/home/ann/site/a.html");
  EXPECT_EQ(ToHost(map, "Z:\\tmp\\s"), "/tmp/s");
  EXPECT_EQ(ToHost(map, "Z:\\"), "/");
  // Never above the drive's folder, never on an unmapped drive, never without a drive.
  EXPECT_EQ(ToHost(map, "C:\\..\\bob\\x.txt"), "<none>");
  EXPECT_EQ(ToHost(map, "C:\\site\\..\\..\\x.txt"), "<none>");
  EXPECT_EQ(ToHost(map, "D:\\x.txt"), "<none>");
  EXPECT_EQ(ToHost(map, "site\\x.txt"), "<none>");
  EXPECT_EQ(ToHost(map, "1:\\x.txt"), "<none>");
}

TEST(DriveMap, HostToInternalTakesTheLongestPrefix) {
  CDriveMap map;
  map.SetDrive('C', "/home/ann");
  map.SetDrive('D', "/home/ann/data/");
  EXPECT_EQ(ToInternal(map, "/home/ann/site"), "C:\\site");
  EXPECT_EQ(ToInternal(map, "/home/ann"), "C:\\");
  EXPECT_EQ(ToInternal(map, "/home/ann/data/x/y.html"), "D:\\x\\y.html");
  EXPECT_EQ(ToInternal(map, "/home/anna/site"), "Z:\\home\\anna\\site");
  EXPECT_EQ(ToInternal(map, "/tmp/s"), "Z:\\tmp\\s");
  EXPECT_EQ(ToInternal(map, "/home/ann/data/../site/./a.txt"), "C:\\site\\a.txt");
  EXPECT_EQ(ToInternal(map, "/.."), "<none>");

  // A relative host path is taken from the working directory.
  char cwd[4096];
  ASSERT_NE(::getcwd(cwd, sizeof cwd), nullptr);
  map.SetDrive('W', cwd);
  EXPECT_EQ(ToInternal(map, "sub/s.txt"), "W:\\sub\\s.txt");

  // Without Z: a path outside every drive has no name.
  map.SetDrive('Z', "");
  EXPECT_EQ(ToInternal(map, "/opt/x"), "<none>");
}

TEST(DriveMap, PathsFromTheUser) {
  EXPECT_TRUE(IsHostPath("/tmp/x"));
  EXPECT_FALSE(IsHostPath("C:\\x"));
  EXPECT_FALSE(IsHostPath(""));
  EXPECT_EQ(TestContext().drives.PathFromUser("C:\\site\\s.txt"), "C:\\site\\s.txt");
  EXPECT_EQ(TestContext().drives.PathFromUser("d:/site/s.txt"), "d:/site/s.txt");
  std::string saved = TestContext().drives.HostFolder('Y');
  TestContext().drives.SetDrive('Y', "/velmora-test-y");
  EXPECT_EQ(TestContext().drives.PathFromUser("/velmora-test-y/s.txt"), "Y:\\s.txt");
  TestContext().drives.SetDrive('Y', saved);
}

// Report lines with their internal paths written as host paths, for --host-paths.
TEST(DriveMap, HostPathsInText) {
  const std::string savedC = TestContext().drives.HostFolder('C'),
                    savedD = TestContext().drives.HostFolder('D');
  TestContext().drives.SetDrive('C', "/home/ann");
  TestContext().drives.SetDrive('D', "");
  EXPECT_EQ(TestContext().drives.WithHostPaths(
                "Home - C:\\site\\index.html\nCan't get: Z:\\tmp\\my pic.gif  \n"),
            "Home - /home/ann/site/index.html\nCan't get: /tmp/my pic.gif  \n");
  // A catalog keeps its final separator; a path ends at a comma or a quote.
  EXPECT_EQ(TestContext().drives.WithHostPaths("CATALOG=C:\\site\\"), "CATALOG=/home/ann/site/");
  EXPECT_EQ(TestContext().drives.WithHostPaths("Ignoring pageline: 1,a,P,C:\\x\\b.html,author"),
            "Ignoring pageline: 1,a,P,/home/ann/x/b.html,author");
  EXPECT_EQ(TestContext().drives.WithHostPaths("src=\"c:\\a.gif\" x"), "src=\"/home/ann/a.gif\" x");
  // What has no host form stays: an unmapped drive, a path above its drive, a word ending in
  // a letter and a colon, text without paths.
  for (const char* kept : {"Can't load file: D:\\shared\\note.html", "C:\\..\\..\\etc",
                           "http://abc:\\x", "No Site Name, SITENAME=", "C:", ""})
    EXPECT_EQ(TestContext().drives.WithHostPaths(kept), kept);
  TestContext().drives.SetDrive('C', savedC);
  TestContext().drives.SetDrive('D', savedD);
}

class CurrentFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/velmora-folder-XXXXXX";
    m_host = ::mkdtemp(pattern);
    std::filesystem::create_directories(m_host + "/site/pages");
    m_savedDrive = TestContext().drives.HostFolder('C');
    TestContext().drives.SetDrive('C', m_host);
    m_savedFolder = TestContext().folder.Get();
  }
  void TearDown() override {
    TestContext().drives.SetDrive('C', m_savedDrive);
    TestContext().folder.Set(m_savedFolder, TestContext().Disk());
    std::filesystem::remove_all(m_host);
  }
  static std::string Full(const std::string& path) {
    std::string full;
    return TestContext().folder.FullPath(path, full) ? full : "<none>";
  }
  std::string m_host, m_savedDrive, m_savedFolder;
};

TEST_F(CurrentFolderTest, FullPathsResolveAgainstTheCurrentFolder) {
  ASSERT_TRUE(TestContext().folder.Set("C:\\site\\", TestContext().Disk()));
  EXPECT_EQ(Full("pages\\a.html"), "C:\\site\\pages\\a.html");
  EXPECT_EQ(Full(".\\pages\\..\\b.html"), "C:\\site\\b.html");
  EXPECT_EQ(Full("..\\..\\..\\x.html"), "C:\\x.html");
  EXPECT_EQ(Full("\\other\\x.html"), "C:\\other\\x.html");
  EXPECT_EQ(Full("D:\\a\\..\\b.html"), "D:\\b.html");
  EXPECT_EQ(Full("pages/a.html"), "C:\\site\\pages\\a.html");

  // A folder that does not exist is not made current; the old one stays.
  EXPECT_FALSE(TestContext().folder.Set("C:\\missing\\", TestContext().Disk()));
  EXPECT_FALSE(TestContext().folder.Set("Q:\\site\\", TestContext().Disk()));
  EXPECT_EQ(Full("a.html"), "C:\\site\\a.html");
  ASSERT_TRUE(TestContext().folder.Set("pages", TestContext().Disk()));
  EXPECT_EQ(Full("a.html"), "C:\\site\\pages\\a.html");
}

}  // namespace
}  // namespace velmora
