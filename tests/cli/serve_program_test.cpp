// velmora serve as a user runs it: the one "Serving" line, pages over HTTP, a rebuild after a
// saved block, and a clean end on Ctrl-C.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <httplib.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <thread>

extern char** environ;

namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

// Polls until check() holds or five seconds have passed.
template <typename F>
bool Eventually(F check) {
  for (int i = 0; i < 250; ++i) {
    if (check())
      return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

TEST(ServeProgram, ServesRebuildsAndStopsOnCtrlC) {
  char pattern[] = "/tmp/velmora-serve-cli-XXXXXX";
  std::string folder = ::mkdtemp(pattern);
  std::filesystem::create_directories(folder + "/site/blocks");
  std::ofstream(folder + "/site.txt")
      << "VERSION=2.0\r\nCATALOG=C:\\site\\\r\nSITENAME=Serve\r\n1,Home,P,index.html\r\n"
         "BLOCKS:blocks\\home.html\r\n";
  std::ofstream(folder + "/site/blocks/home.html") << "<p>Before</p>";

  std::string home = "HOME=" + folder, drive = "VELMORA_DRIVE_C=" + folder,
              config = "VELMORA_CONFIG=" + folder + "/velmora.conf";
  std::vector<char*> envp{home.data(), drive.data(), config.data(), nullptr};
  std::string program = VELMORA_BINARY_DIR "/velmora", out = folder + "/out.txt";
  std::vector<std::string> args{program, "--quiet", "serve", folder + "/site.txt", "--port", "0"};
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  pid_t pid = 0;
  ASSERT_EQ(posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data()), 0);
  posix_spawn_file_actions_destroy(&actions);

  std::smatch match;
  std::string text;
  const std::regex serving(
      "Serving (.*) at http://127\\.0\\.0\\.1:([0-9]+)/ \\(Ctrl-C to stop\\)\n");
  bool bServing = Eventually([&] {
    text = ReadFile(out);
    return std::regex_search(text, match, serving);
  });
  if (bServing) {
    EXPECT_EQ(match[1].str(), folder + "/site/");
    httplib::Client client("127.0.0.1", std::stoi(match[2].str()));
    auto page = client.Get("/");
    ASSERT_TRUE(page);
    EXPECT_EQ(page->status, 200);
    EXPECT_NE(page->body.find("Before"), std::string::npos);

    std::ofstream(folder + "/site/blocks/home.html") << "<p>After</p>";
    EXPECT_TRUE(Eventually([&] {
      auto again = client.Get("/");
      return again && again->body.find("After") != std::string::npos;
    }));
    EXPECT_EQ(client.Get("/../site.txt")->status, 403);
  }
  ::kill(pid, SIGINT);
  int status = 0;
  ::waitpid(pid, &status, 0);
  EXPECT_TRUE(bServing) << text;
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  std::filesystem::remove_all(folder);
}

}  // namespace
