// Builds of a site of a few thousand pages stopped at random moments by SIGKILL, SIGTERM and
// SIGINT, a first build and a rebuild: whatever the moment, every page on disk is whole, and
// the next build leaves no temporary file behind.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <thread>

#include "support/velmora_process.h"

namespace {

namespace fs = std::filesystem;
using velmora::testing::CVelmoraProcess;

constexpr int kSections = 20, kPagesEach = 100;

std::string ReadAll(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

class InterruptedBuild : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/velmora-kill-XXXXXX";
    m_folder = ::mkdtemp(pattern);
    fs::create_directories(m_folder + "/c/src/blocks");
    fs::create_directories(m_folder + "/c/web");
    std::string script = "VERSION=2.0\r\nCATALOG=C:\\web\\\r\nSITENAME=Stopped\r\n";
    script += "1,Home,I,index.html\r\nBLOCKS:C:\\src\\blocks\\home.html\r\n";
    WriteBlock("home", "Home");
    for (int s = 0; s < kSections; ++s) {
      const std::string section = "s" + std::to_string(s);
      script += "1,Section" + std::to_string(s) + ",P," + section + "\\index.html\r\n";
      for (int p = 0; p < kPagesEach; ++p) {
        const std::string name = section + "p" + std::to_string(p);
        script += "2," + name + ",P," + section + "\\" + name +
                  ".html\r\nBLOCKS:C:\\src\\blocks\\" + name + ".html\r\n";
        WriteBlock(name, name);
      }
    }
    std::ofstream(m_folder + "/c/src/site.txt", std::ios::binary) << script;
  }
  void TearDown() override { fs::remove_all(m_folder); }

  void WriteBlock(const std::string& file, const std::string& title) {
    std::string text = "<!--BLOCK--><h1>" + title + "</h1>";
    for (int i = 0; i < 12; ++i)
      text +=
          "<h2>Part " + std::to_string(i) + "</h2><p>" + std::string(120, 'a' + i % 26) + "</p>";
    std::ofstream(m_folder + "/c/src/blocks/" + file + ".html", std::ios::binary)
        << text << "<!--/BLOCK-->";
  }

  // Builds the site, stopped by the signal after the delay unless it ends first.
  void Build(int nSignal = 0, std::chrono::microseconds delay = {}) {
    ASSERT_TRUE(m_process.Start({"--quiet", "build", "C:\\src\\site.txt"}));
    if (nSignal != 0) {
      std::this_thread::sleep_for(delay);
      m_process.Signal(nSignal);
    }
    const int status = m_process.Wait();
    if (nSignal == 0) {
      ASSERT_EQ(status, 0) << m_process.Output() << m_process.Errors();
    }
  }

  // Every page there ends with its closing tag; the count of pages and of temporary files.
  void CheckPages(int& nPages, int& nTemporary) {
    nPages = nTemporary = 0;
    for (const auto& entry : fs::recursive_directory_iterator(m_folder + "/c/web")) {
      const std::string name = entry.path().filename().string();
      if (name.starts_with(".velmora-"))
        ++nTemporary;
      if (!entry.is_regular_file() || !name.ends_with(".html"))
        continue;
      std::string text = ReadAll(entry.path());
      while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
      EXPECT_TRUE(text.ends_with("</html>")) << entry.path() << " has " << text.size() << " bytes";
      ++nPages;
    }
  }

  std::string m_folder;
  CVelmoraProcess m_process{""};
};

TEST_F(InterruptedBuild, PagesAreWholeAndTemporaryFilesGoWithTheNextBuild) {
  m_process = CVelmoraProcess(m_folder);
  const auto start = std::chrono::steady_clock::now();
  Build();
  const auto duration = std::chrono::duration_cast<std::chrono::microseconds>(
      std::chrono::steady_clock::now() - start);
  int nAll = 0, nTemporary = 0;
  CheckPages(nAll, nTemporary);
  ASSERT_EQ(nTemporary, 0);
  ASSERT_GE(nAll, 1 + kSections * (kPagesEach + 1));

  const unsigned seed = std::random_device()();
  SCOPED_TRACE("seed " + std::to_string(seed));
  std::mt19937 random(seed);
  std::uniform_int_distribution<long> moment(0, duration.count());
  int nPages = 0;
  for (int nSignal : {SIGKILL, SIGTERM, SIGINT}) {
    SCOPED_TRACE("signal " + std::to_string(nSignal));
    // A first build, into an empty catalog, stopped.
    fs::remove_all(m_folder + "/c/web");
    fs::create_directory(m_folder + "/c/web");
    Build(nSignal, std::chrono::microseconds(moment(random)));
    CheckPages(nPages, nTemporary);
    // A rebuild over what it left, stopped.
    Build(nSignal, std::chrono::microseconds(moment(random)));
    CheckPages(nPages, nTemporary);
  }
  // The next whole build.
  Build();
  CheckPages(nPages, nTemporary);
  EXPECT_EQ(nPages, nAll);
  EXPECT_EQ(nTemporary, 0);
}

}  // namespace
