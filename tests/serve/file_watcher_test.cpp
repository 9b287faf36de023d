// Changes the watcher sees, the ones it ignores, and several saves taken as one change.
#include "platform/file_watcher.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

namespace velmora {
namespace {

using EWait = CFileWatcher::EWait;

class FileWatcherTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/velmora-watch-XXXXXX";
    m_base = ::mkdtemp(pattern);
    std::filesystem::create_directories(m_base + "/blocks");
    std::filesystem::create_directories(m_base + "/gfx");
    Write("blocks/home.html", "a");
    Write("blocks/other.html", "a");
    ASSERT_TRUE(m_watcher.IsValid());
    ASSERT_TRUE(m_watcher.AddFile(m_base + "/blocks/home.html"));
    ASSERT_TRUE(m_watcher.AddFolder(m_base + "/gfx"));
  }
  void TearDown() override { std::filesystem::remove_all(m_base); }
  void Write(const std::string& relative, const std::string& text) {
    std::ofstream(m_base + "/" + relative, std::ios::binary) << text;
  }

  std::string m_base;
  CFileWatcher m_watcher;
};

TEST_F(FileWatcherTest, SeesWatchedFilesAndFoldersOnly) {
  EXPECT_EQ(m_watcher.Wait(30, -1), EWait::kTimeout);
  Write("blocks/other.html", "b");  // same folder, not watched
  EXPECT_EQ(m_watcher.Wait(50, -1), EWait::kTimeout);
  Write("blocks/home.html", "b");
  EXPECT_EQ(m_watcher.Wait(1000, -1), EWait::kChanged);
  Write("gfx/new.css", "p{}");
  EXPECT_EQ(m_watcher.Wait(1000, -1), EWait::kChanged);
}

TEST_F(FileWatcherTest, SaveByRenameIsSeen) {
  // Editors and atomic writers save to a temporary file and rename it over the old one.
  Write("blocks/.home.html.tmp", "new");
  EXPECT_EQ(m_watcher.Wait(50, -1), EWait::kTimeout);
  std::filesystem::rename(m_base + "/blocks/.home.html.tmp", m_base + "/blocks/home.html");
  EXPECT_EQ(m_watcher.Wait(1000, -1), EWait::kChanged);
  // The watch survives the replaced file.
  Write("blocks/home.html", "again");
  EXPECT_EQ(m_watcher.Wait(1000, -1), EWait::kChanged);
}

TEST_F(FileWatcherTest, SeveralSavesAreOneChange) {
  std::thread editor([this] {
    for (int i = 0; i < 5; ++i) {
      Write("blocks/home.html", std::to_string(i));
      Write("gfx/def.css", std::to_string(i));
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  });
  EXPECT_EQ(m_watcher.WaitDebounced(80, 2000, -1), EWait::kChanged);
  editor.join();
  EXPECT_EQ(m_watcher.Wait(150, -1), EWait::kTimeout) << "the burst was taken as two changes";
}

TEST_F(FileWatcherTest, ChangesThatNeverStopStillGiveAChange) {
  std::atomic<bool> bStop = false;
  std::thread editor([&] {
    while (!bStop) {
      Write("blocks/home.html", "x");
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  });
  auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(m_watcher.WaitDebounced(50, 200, -1), EWait::kChanged);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
  bStop = true;
  editor.join();
}

TEST_F(FileWatcherTest, StopEndsTheWait) {
  int fds[2];
  ASSERT_EQ(::pipe(fds), 0);
  std::thread stopper([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    (void)!::write(fds[1], "x", 1);
  });
  EXPECT_EQ(m_watcher.WaitDebounced(50, 200, fds[0]), EWait::kStopped);
  stopper.join();
  ::close(fds[0]);
  ::close(fds[1]);
}

}  // namespace
}  // namespace velmora
