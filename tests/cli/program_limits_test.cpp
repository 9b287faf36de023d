// The velmora program on inputs larger than it may hold: a script far over the text limit is
// refused unread, and memory running out ends a command with a fatal report line and status 2
// instead of an abort.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/velmora_process.h"

namespace {

namespace fs = std::filesystem;
using velmora::testing::CVelmoraProcess;

class ProgramLimits : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/velmora-limits-XXXXXX";
    m_folder = ::mkdtemp(pattern);
    fs::create_directories(m_folder + "/c/site/blocks");
  }
  void TearDown() override { fs::remove_all(m_folder); }

  void Write(const std::string& name, const std::string& text) {
    std::ofstream(m_folder + "/c/" + name, std::ios::binary) << text;
  }

  std::string m_folder;
};

// The file is sparse: a terabyte that costs no disk, and that no reading would get through.
TEST_F(ProgramLimits, AScriptOverTheTextLimitIsRefusedUnread) {
  Write("big.txt", "VERSION=2.0\r\nCATALOG=C:\\site\\\r\n");
  fs::resize_file(m_folder + "/c/big.txt", 1ull << 40);
  CVelmoraProcess velmora(m_folder);
  EXPECT_EQ(velmora.Run({"interpret", "C:\\big.txt"}), 2);
  EXPECT_NE(velmora.Errors().find("cannot read the script"), std::string::npos);
}

TEST_F(ProgramLimits, MemoryRunningOutIsAFatalReportLine) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
  GTEST_SKIP() << "the sanitizers reserve more address space than the limit allows";
#endif
  // A block just under the text limit, copied a few times by every build.
  Write("site/site.txt",
        "VERSION=2.0\r\nCATALOG=C:\\site\\\r\n1,Home,P,index.html\r\nBLOCKS:blocks\\big.html\r\n");
  Write("site/blocks/big.html", "<!--BLOCK-->" + std::string(60 << 20, 'b') + "<!--/BLOCK-->");
  CVelmoraProcess velmora(m_folder);
  ASSERT_TRUE(velmora.Start({"build", "C:\\site\\site.txt"}, 200u << 20));
  EXPECT_EQ(velmora.Wait(), 2) << velmora.Errors();
  EXPECT_NE(velmora.Output().find("Out of memory, the command was stopped\n"), std::string::npos)
      << velmora.Output();
}

}  // namespace
