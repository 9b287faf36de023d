// The velmora program's exit status after checking: 1 when a problem is listed, 0 when every
// page is OK or only web links went unchecked. It runs on a copy of a fixture site with its own
// drive C and settings file.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/strings.h"
#include "support/temp_drive.h"

extern char** environ;

namespace velmora {
namespace {

class CheckProgram : public ::testing::Test {
 protected:
  void UseFixture(const std::string& name) {
    std::filesystem::copy(VELMORA_SOURCE_DIR "/tests/fixtures/" + name + "/input",
                          drive.HostFolder(), std::filesystem::copy_options::recursive);
  }

  // Runs velmora with the arguments; returns its exit status and keeps its standard output.
  int Run(const std::vector<std::string>& args) {
    std::vector<std::string> env;
    for (char** p = environ; *p; ++p)
      if (std::string(*p).rfind("VELMORA_", 0) != 0)
        env.push_back(*p);
    env.push_back("VELMORA_DRIVE_C=" + drive.HostFolder());
    env.push_back("VELMORA_CONFIG=" + drive.HostFolder() + "/velmora.conf");
    std::string program = VELMORA_BINARY_DIR "/velmora";
    std::vector<std::string> argStrings{program};
    argStrings.insert(argStrings.end(), args.begin(), args.end());
    std::vector<char*> argv, envp;
    for (std::string& arg : argStrings) argv.push_back(arg.data());
    argv.push_back(nullptr);
    for (std::string& entry : env) envp.push_back(entry.data());
    envp.push_back(nullptr);

    const std::string outFile = drive.HostFolder() + "/stdout";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned =
        posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
      return -1;
    int status = 0;
    waitpid(pid, &status, 0);
    std::ifstream in(outFile, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    m_strOut = text.str();
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  CTempDrive drive;
  std::string m_strOut;
};

TEST_F(CheckProgram, ExitsOneWhenAProblemIsListedAndZeroWhenAllIsOk) {
  UseFixture("orchard");
  ASSERT_EQ(Run({"build", "C:\\site.txt"}), 0);
  EXPECT_EQ(Run({"check", "C:\\site.txt"}), 1);
  // Exactly the broken links and images of the page that has them, nothing of the others.
  EXPECT_NE(m_strOut.find("Broken - C:\\orchard\\pages\\broken.html\nNot found: missing.html\n"
                          "Not found: apples.html#nothere\nNosuchpage\n#gone\nempty\n#\n"
                          "Not found: pears.html#rotten\nnopic.gif\n"),
            std::string::npos)
      << m_strOut;
  EXPECT_EQ(Split(m_strOut, "\nOK\n").size(), 7u) << m_strOut;
  // Checking only a page that is fine succeeds.
  EXPECT_EQ(Run({"check", "C:\\site.txt", "pages/apples.html"}), 0) << m_strOut;
  EXPECT_NE(m_strOut.find("Apples - C:\\orchard\\pages\\apples.html\nOK\n"), std::string::npos);
  EXPECT_EQ(m_strOut.find("Broken"), std::string::npos);

  std::filesystem::remove_all(drive.HostFolder() + "/orchard/pages");
  ASSERT_EQ(Run({"build", "C:\\orchard\\clean.txt"}), 0);
  EXPECT_EQ(Run({"check", "C:\\orchard\\clean.txt"}), 0) << m_strOut;
}

TEST_F(CheckProgram, WebLinksNotCheckedOfflineDoNotFailTheCheck) {
  UseFixture("planted-faults");
  Run({"build", "C:\\site.txt"});
  EXPECT_EQ(Run({"check", "C:\\site.txt"}), 1);
  EXPECT_TRUE(
      EndsWith(TrimRight(m_strOut), "\nPages checked: 7, problems: 16, web links not checked: 2"))
      << m_strOut;
  EXPECT_EQ(Run({"check", "C:\\site.txt", "pages/elsewhere.html"}), 0) << m_strOut;
  EXPECT_NE(m_strOut.find("\nNot checked: http://www.example.org/\n"), std::string::npos);
  EXPECT_TRUE(
      EndsWith(TrimRight(m_strOut), "\nPages checked: 1, problems: 0, web links not checked: 2"))
      << m_strOut;
}

TEST_F(CheckProgram, PrintAndReplaceCommands) {
  UseFixture("orchard");
  ASSERT_EQ(Run({"build", "C:\\orchard\\clean.txt"}), 0);
  ASSERT_EQ(Run({"print", "C:\\orchard\\clean.txt", "--text"}), 0);
  const std::string text = drive.Read("orchard\\Pall.txt");
  EXPECT_NE(text.find("Apples grow on trees."), std::string::npos) << text;
  EXPECT_EQ(text.find("<"), std::string::npos) << text;

  ASSERT_EQ(Run({"replace", "C:\\orchard\\clean.txt", "--find", "orchard", "--with", "garden",
                 "C:\\orchard\\blocks\\home.html"}),
            0);
  EXPECT_NE(drive.Read("orchard\\blocks\\home.html").find("Welcome to the garden."),
            std::string::npos);
}

}  // namespace
}  // namespace velmora
