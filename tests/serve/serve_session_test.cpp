// The preview loop on a real site: a saved block brings one new build with the new text, a
// build with errors publishes them, and the next clean build clears them.
#include "serve/serve_session.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <thread>
#include <tuple>

#include "platform/build_settings.h"
#include "platform/dialogs.h"
#include "platform/report.h"
#include "support/temp_drive.h"
#include "support/test_context.h"

namespace velmora {
namespace {

const char kScript[] =
    "VERSION=2.0\r\nCATALOG=C:\\site\\\r\nSITENAME=Preview\r\n"
    "1,Home,P,index.html\r\nBLOCKS:blocks\\home.html\r\n";

class ServeSessionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TestContext().SetDialogs(&m_dialogs);
    TestContext().settings = CBuildSettings();
    m_drive.Write("site.txt", kScript);
    m_drive.Write("site/blocks/home.html", "<p>First text</p>");
    ASSERT_EQ(::pipe(m_stop), 0);
  }
  void TearDown() override {
    StopWatching();
    ::close(m_stop[0]);
    ::close(m_stop[1]);
    TestContext().SetDialogs(nullptr);
  }
  void StartWatching() {
    m_watching = std::thread([this] { m_serve.WatchAndRebuild(m_stop[0]); });
    // Give the loop time to set its watches up.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  void StopWatching() {
    if (!m_watching.joinable())
      return;
    (void)!::write(m_stop[1], "x", 1);
    m_watching.join();
  }
  // Waits for the build after known; false after three seconds without one.
  bool NextBuild(long long known, std::vector<std::string>& errors) {
    long long generation = 0;
    m_serve.m_channel.Wait(known, 3000, generation, errors);
    return generation == known + 1;
  }

  CTempDrive m_drive;
  CScriptedDialogs m_dialogs;
  CServeSession m_serve{TestContext(), "C:\\site.txt"};
  std::thread m_watching;
  int m_stop[2];
};

TEST_F(ServeSessionTest, ASavedBlockBuildsTheSiteAgain) {
  ASSERT_TRUE(m_serve.Build());
  EXPECT_EQ(m_serve.CatalogHostFolder(), m_drive.HostFolder() + "/site");
  EXPECT_EQ(m_serve.m_channel.Generation(), 1);
  EXPECT_NE(m_drive.Read("site/index.html").find("First text"), std::string::npos);

  StartWatching();
  m_drive.Write("site/blocks/home.html", "<p>Second");
  m_drive.Write("site/blocks/home.html", "<p>Second text</p>");
  std::vector<std::string> errors;
  ASSERT_TRUE(NextBuild(1, errors));
  EXPECT_TRUE(errors.empty());
  EXPECT_NE(m_drive.Read("site/index.html").find("Second text"), std::string::npos);
  // The two writes were one change; a page written by the build is no change at all.
  EXPECT_FALSE(NextBuild(2, errors));
}

TEST_F(ServeSessionTest, ErrorsLastUntilTheNextCleanBuild) {
  ASSERT_TRUE(m_serve.Build());
  StartWatching();
  std::vector<std::string> errors;
  m_drive.Write("site.txt", std::string(kScript) + "2,Next,ZZ,next.html\r\n");
  ASSERT_TRUE(NextBuild(1, errors));
  ASSERT_FALSE(errors.empty());
  EXPECT_NE(errors.back().find("template: ZZ"), std::string::npos) << errors.back();
  for (const std::string& line : errors)
    EXPECT_EQ(line.find("Using original"), std::string::npos) << "not an error: " << line;

  m_drive.Write("site.txt", std::string(kScript) + "2,Next,P,next.html\r\n");
  ASSERT_TRUE(NextBuild(2, errors));
  EXPECT_TRUE(errors.empty());
  EXPECT_TRUE(m_drive.Exists("site/next.html"));
}

// A rebuild writes only the pages whose bytes changed: the others keep their file.
TEST_F(ServeSessionTest, ARebuildWritesOnlyChangedPages) {
  m_drive.Write("site.txt", std::string(kScript) + "1,Other,P,other.html\r\n");
  ASSERT_TRUE(m_serve.Build());
  auto stamp = [this](const std::string& page) {
    struct stat info {};
    ::stat((m_drive.HostFolder() + "/site/" + page).c_str(), &info);
    return std::make_tuple(info.st_ino, info.st_mtim.tv_sec, info.st_mtim.tv_nsec);
  };
  const auto other = stamp("other.html");
  m_drive.Write("site/blocks/home.html", "<p>Changed text</p>");
  ASSERT_TRUE(m_serve.Build());
  EXPECT_NE(m_drive.Read("site/index.html").find("Changed text"), std::string::npos);
  EXPECT_EQ(stamp("other.html"), other);
}

TEST_F(ServeSessionTest, AScriptThatCannotBeInterpretedIsStillWatched) {
  ASSERT_TRUE(m_serve.Build());
  StartWatching();
  std::vector<std::string> errors;
  m_drive.Write("site.txt", "not a script\r\n");
  ASSERT_TRUE(NextBuild(1, errors));
  EXPECT_FALSE(errors.empty());
  m_drive.Write("site.txt", kScript);
  ASSERT_TRUE(NextBuild(2, errors));
  EXPECT_TRUE(errors.empty());
}

}  // namespace
}  // namespace velmora
