// Runs the built velmora program with its own home, settings file and drive C.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <csignal>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>

#include "support/local_http_server.h"

extern char** environ;

namespace {

struct CRun {
  int m_nStatus = -1;
  std::string m_strOut, m_strErr;
};

std::string ReadHostFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

class VelmoraProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/velmora-cli-XXXXXX";
    m_folder = ::mkdtemp(pattern);
    std::filesystem::create_directories(m_folder + "/home");
    std::filesystem::create_directories(m_folder + "/c");
    m_config = m_folder + "/conf/Quarn20.conf";
  }
  void TearDown() override { std::filesystem::remove_all(m_folder); }

  // The environment of the program: its own home, settings file and drives.
  std::vector<std::string> Environment() const {
    std::map<std::string, std::string> env;
    for (char** p = environ; *p; ++p) {
      std::string entry = *p;
      size_t equals = entry.find('=');
      if (equals != std::string::npos)
        env[entry.substr(0, equals)] = entry.substr(equals + 1);
    }
    for (auto it = env.begin(); it != env.end();)
      it = it->first.rfind("VELMORA_", 0) == 0 ? env.erase(it) : std::next(it);
    env["HOME"] = m_folder + "/home";
    env["VELMORA_CONFIG"] = m_config;
    env["VELMORA_DRIVE_C"] = m_folder + "/c";
    env["VELMORA_DRIVE_D"] = m_folder + "/d";
    for (const auto& [name, value] : m_env) env[name] = value;
    std::vector<std::string> envText;
    for (const auto& [name, value] : env) envText.push_back(name + "=" + value);
    return envText;
  }

  // Runs the program with stdin from /dev/null, so no terminal is there to ask; or with
  // bOnTerminal, stdin and stderr on a pseudo-terminal that nobody types into (what the
  // program writes there is m_strErr). A program still running after 30 s is killed.
  CRun Run(const std::vector<std::string>& args, bool bOnTerminal = false) {
    std::vector<std::string> envText = Environment();
    std::string program = VELMORA_BINARY_DIR "/velmora";
    std::vector<char*> argv{program.data()};
    std::vector<std::string> argsCopy = args;
    for (std::string& arg : argsCopy) argv.push_back(arg.data());
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (std::string& entry : envText) envp.push_back(entry.data());
    envp.push_back(nullptr);

    std::string outFile = m_folder + "/stdout", errFile = m_folder + "/stderr";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!m_strWorkingFolder.empty())
      posix_spawn_file_actions_addchdir_np(&actions, m_strWorkingFolder.c_str());
    int terminal = -1;
    std::string terminalName;
    if (bOnTerminal) {
      terminal = ::posix_openpt(O_RDWR | O_NOCTTY);
      if (terminal < 0 || ::grantpt(terminal) != 0 || ::unlockpt(terminal) != 0) {
        ADD_FAILURE() << "no pseudo-terminal";
        return {};
      }
      terminalName = ::ptsname(terminal);
    }
    posix_spawn_file_actions_addopen(&actions, 0, bOnTerminal ? terminalName.c_str() : "/dev/null",
                                     bOnTerminal ? O_RDWR : O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    if (bOnTerminal)
      posix_spawn_file_actions_adddup2(&actions, 0, 2);
    else
      posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                       0644);
    pid_t pid = 0;
    CRun run;
    int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
      ADD_FAILURE() << "cannot start " << program;
      return run;
    }
    int status = 0;
    if (bOnTerminal) {
      run.m_strErr = ReadTerminalUntilExit(terminal, pid, status);
      ::close(terminal);
    } else {
      ::waitpid(pid, &status, 0);
      run.m_strErr = ReadHostFile(errFile);
    }
    run.m_nStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.m_strOut = ReadHostFile(outFile);
    return run;
  }

  static std::string ReadTerminalUntilExit(int terminal, pid_t pid, int& status) {
    std::string text;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    for (bool bExited = false; !bExited;) {
      bExited = ::waitpid(pid, &status, WNOHANG) == pid;
      if (!bExited && std::chrono::steady_clock::now() > deadline) {
        ADD_FAILURE() << "still running after 30 s; it wrote: " << text;
        ::kill(pid, SIGKILL);
        ::waitpid(pid, &status, 0);
        bExited = true;
      }
      pollfd ready{terminal, POLLIN, 0};
      char buffer[4096];
      while (::poll(&ready, 1, bExited ? 0 : 50) > 0 && (ready.revents & POLLIN)) {
        const ssize_t count = ::read(terminal, buffer, sizeof buffer);
        if (count <= 0)
          break;
        text.append(buffer, static_cast<size_t>(count));
      }
    }
    return text;
  }

  void WriteSiteFile(const std::string& name, const std::string& text) {
    std::ofstream(m_folder + "/c/" + name, std::ios::binary) << text;
  }

  std::string m_folder, m_config;
  std::string m_strWorkingFolder;            // the program's working folder when set
  std::map<std::string, std::string> m_env;  // more environment for the program
};

TEST_F(VelmoraProgramTest, UsageErrorsAndHelp) {
  CRun run = Run({});
  EXPECT_EQ(run.m_nStatus, 64);
  EXPECT_EQ(run.m_strOut, "");
  EXPECT_EQ(run.m_strErr.find("Usage: velmora [OPTIONS] COMMAND [ARGS]\n"), 0u) << run.m_strErr;
  EXPECT_EQ(Run({"--quiet"}).m_strErr, run.m_strErr);

  EXPECT_EQ(Run({"interpret"}).m_nStatus, 64);
  EXPECT_EQ(Run({"--set", "Internet=2", "settings"}).m_nStatus, 64);
  EXPECT_EQ(Run({"build", "x.txt", "--frames"}).m_nStatus, 64);
  EXPECT_FALSE(std::filesystem::exists(m_config));  // a refused command line writes nothing

  run = Run({"--help"});
  EXPECT_EQ(run.m_nStatus, 0);
  EXPECT_NE(run.m_strOut.find("interpret SCRIPT"), std::string::npos);
  EXPECT_EQ(Run({"help"}).m_strOut, run.m_strOut);

  // A command's help, asked either way, and without the arguments the command needs.
  run = Run({"help", "replace"});
  EXPECT_EQ(run.m_nStatus, 0);
  EXPECT_NE(run.m_strOut.find("Usage: velmora [OPTIONS] replace SCRIPT --find TEXT"),
            std::string::npos)
      << run.m_strOut;
  EXPECT_NE(run.m_strOut.find("\n  --all "), std::string::npos);
  EXPECT_NE(run.m_strOut.find("Example:\n  velmora replace "), std::string::npos);
  EXPECT_EQ(Run({"replace", "--help"}).m_strOut, run.m_strOut);
  EXPECT_EQ(Run({"--version"}).m_strOut, "velmora 2.0\n");

  // Refused command lines: nothing runs.
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"help", "publish"},
                                             {"build", ""},
                                             {"--offline", "--set", "Internet=1", "settings"},
                                             {"--set", "internet=0", "--online", "settings"}}) {
    run = Run(args);
    EXPECT_EQ(run.m_nStatus, 64) << args[0] << " " << args[1];
    EXPECT_EQ(run.m_strOut, "");
  }
}

TEST_F(VelmoraProgramTest, SettingsAreShownAndStoredOnlyWhenChanged) {
  CRun run = Run({"--online", "settings"});
  EXPECT_EQ(run.m_nStatus, 0);
  // The stored values, not the ones of this run.
  EXPECT_EQ(run.m_strOut,
            "Internet=0\nBuildIndex=1\nBuildCollections=1\nBuildPrintPages=1\nCheckNameRefs=1\n"
            "CheckAllImages=1\nAllowForwardSlashes=0\n");
  EXPECT_FALSE(std::filesystem::exists(m_config));

  run = Run({"settings", "internet=1", "BuildIndex=0"});
  EXPECT_EQ(run.m_nStatus, 0);
  EXPECT_NE(run.m_strOut.find("Internet=1\nBuildIndex=0\n"), std::string::npos);
  EXPECT_EQ(ReadHostFile(m_config),
            "[Build_Performance]\nInternet=1\nBuildIndex=0\nBuildCollections=1\n"
            "BuildPrintPages=1\nCheckNameRefs=1\nCheckAllImages=1\nAllowForwardSlashes=0\n");

  EXPECT_EQ(Run({"settings"}).m_strOut.find("Internet=1\nBuildIndex=0\n"), 0u);
}

TEST_F(VelmoraProgramTest, UnreadableScriptCannotRun) {
  CRun run = Run({"interpret", m_folder + "/c/missing.txt"});
  EXPECT_EQ(run.m_nStatus, 2);
  EXPECT_NE(run.m_strErr.find("cannot read the script"), std::string::npos);
}

// A site script with CR LF line ends; its catalog is C:\site\.
std::string Script(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

const std::vector<std::string> kGoodScript = {
    "VERSION=2.0",   "CATALOG=C:\\site\\",  "TEMPLATES=templates",     "RESOURCES=gfx",
    "SITENAME=Test", "1,Home,I,index.html", "BLOCKS:blocks\\home.html"};

TEST_F(VelmoraProgramTest, InterpretPrintsTheReportAndExitsByItsLevels) {
  std::filesystem::create_directories(m_folder + "/c/site");
  WriteSiteFile("site.txt", Script(kGoodScript));
  CRun run = Run({"interpret", m_folder + "/c/site.txt"});
  EXPECT_EQ(run.m_nStatus, 0) << run.m_strOut << run.m_strErr;
  EXPECT_NE(run.m_strOut.find("Checking sitestructure\n"), std::string::npos);
  EXPECT_NE(run.m_strOut.find("Can establish structure\n"), std::string::npos);
  EXPECT_EQ(run.m_strOut.find('\r'), std::string::npos);

  // A refused page line is an error on one page: the command ran, with errors.
  std::vector<std::string> lines = kGoodScript;
  lines.push_back("1,a,P,b.html,x,y,z,eighth");
  WriteSiteFile("site.txt", Script(lines));
  run = Run({"interpret", "C:\\site.txt"});
  EXPECT_EQ(run.m_nStatus, 1);
  run = Run({"--quiet", "interpret", "C:\\site.txt"});
  EXPECT_EQ(run.m_nStatus, 1);
  EXPECT_EQ(run.m_strOut, "Ignoring pageline: 1,a,P,b.html,x,y,z,eighth\n");
}

TEST_F(VelmoraProgramTest, ScriptsThatCannotBeInterpretedExitWithTwo) {
  std::filesystem::create_directories(m_folder + "/c/site");
  // Without its version line a script of this format is not taken for an older one.
  std::vector<std::string> older = kGoodScript;
  older[0] = "// VERSION=2.0";
  WriteSiteFile("old.txt", Script(older));
  CRun run = Run({"--yes", "interpret", "C:\\old.txt"});
  EXPECT_EQ(run.m_nStatus, 2);
  EXPECT_NE(run.m_strOut.find("neither interpreted nor converted: C:\\old.txt"), std::string::npos)
      << run.m_strOut;
  EXPECT_EQ(ReadHostFile(m_folder + "/c/old.txt"), Script(older));

  WriteSiteFile("short.txt", Script({"VERSION=2.0", "// comment", "CATALOG=C:\\site\\", "ab"}));
  run = Run({"interpret", "C:\\short.txt"});
  EXPECT_EQ(run.m_nStatus, 2);
  EXPECT_NE(run.m_strErr.find("To few valid lines in script"), std::string::npos);

  std::vector<std::string> wrongVersion = kGoodScript;
  wrongVersion[0] = "VERSION=2.00";
  WriteSiteFile("version.txt", Script(wrongVersion));
  run = Run({"interpret", "C:\\version.txt"});
  EXPECT_EQ(run.m_nStatus, 2);
  EXPECT_NE(run.m_strOut.find("FATAL ERROR: missing: VERSION=2.0"), std::string::npos);
}

TEST_F(VelmoraProgramTest, MissingCatalogIsMadeOnlyWhenTheAnswerIsYes) {
  WriteSiteFile("site.txt", Script(kGoodScript));
  CRun run = Run({"interpret", "C:\\site.txt"});  // no terminal: answered No
  EXPECT_EQ(run.m_nStatus, 2);
  EXPECT_NE(run.m_strErr.find("does not exist"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(m_folder + "/c/site"));

  run = Run({"--yes", "interpret", "C:\\site.txt"});
  EXPECT_EQ(run.m_nStatus, 0) << run.m_strOut << run.m_strErr;
  EXPECT_TRUE(std::filesystem::is_directory(m_folder + "/c/site"));
}

TEST_F(VelmoraProgramTest, BuildReportsAlertsOnStandardErrorAndExitsByLevel) {
  std::filesystem::create_directories(m_folder + "/c/site");
  WriteSiteFile("site.txt", Script(kGoodScript));
  // The first build finds no block and writes a default one: an alert, not an error.
  CRun run = Run({"build", "C:\\site.txt"});
  EXPECT_EQ(run.m_nStatus, 0) << run.m_strOut;
  EXPECT_NE(run.m_strOut.find("Built - with properties:\n"), std::string::npos);
  EXPECT_EQ(run.m_strErr.find("Reported:\n"), 0u) << run.m_strErr;
  EXPECT_TRUE(std::filesystem::exists(m_folder + "/c/site/index.html"));

  run = Run({"build", "C:\\site.txt", "index.html"});
  EXPECT_EQ(run.m_nStatus, 0) << run.m_strOut;

  // A published name that selects nothing leaves nothing to build.
  run = Run({"build", "C:\\site.txt", "nothing.html"});
  EXPECT_EQ(run.m_nStatus, 2);
  EXPECT_NE(run.m_strErr.find("No page selected"), std::string::npos);
}

// Pages on three levels, blocks on another drive and at a web address, a refused page line
// and no SITENAME=, written with bare LF line ends as a Linux editor saves them.
TEST_F(VelmoraProgramTest, InterpretReportsEveryLineInOrder) {
  std::filesystem::create_directories(m_folder + "/c/site");
  WriteSiteFile("site.txt",
                "VERSION=2.0\nCATALOG=C:\\site\n// pages\n1,Home,I,index.html\n"
                "BLOCKS:blocks\\home.html\n2,Chapter,P,pages\\chapter.html\n"
                "BLOCKS:D:\\shared\\note.html,http://www.example.org/b/remote.html\n"
                "3,Detail,P,pages\\detail.html\n1,Bad,P,nodot\nBLOCKS:blocks\\x.html\n"
                "2,Other,P,other.html\n");
  CRun run = Run({"interpret", "C:\\site.txt"});
  EXPECT_EQ(run.m_nStatus, 1) << run.m_strErr;
  EXPECT_EQ(run.m_strOut,
            "\nChecking sitestructure\n------------------------\n"
            "Assuming resource catalog: gfx\nAssuming template catalog: templates\n"
            "No Site Name, SITENAME=\nNo Site Message, MESSAGE=\n"
            "No Site Organisation,SITEORG=\nNo Site Author, SITEAUTHOR=\n"
            "No keywords, KEYWORDS=\nBad path: nodot\nIgnoring pageline: 1,Bad,P,nodot\n"
            "Can establish structure\n---------------------------------------\n");
  EXPECT_EQ(run.m_strErr, "");
}

// An INDEX: source at a web address is fetched online and kept under "imported"; offline the
// copy is read without any request.
TEST_F(VelmoraProgramTest, IndexSourceIsFetchedOnlineAndReadFromItsCopyOffline) {
  velmora::testing::CLocalHttpServer server;
  int nRequests = 0;
  server.Server().Get("/idx/keys.txt", [&](const httplib::Request&, httplib::Response& res) {
    ++nRequests;
    res.set_content("apple\nbanana=fruit\n", "text/plain");
  });
  ASSERT_TRUE(server.Start());
  std::filesystem::create_directories(m_folder + "/c/site");
  std::vector<std::string> lines = kGoodScript;
  lines.push_back("INDEX:" + server.Url("/idx/keys.txt"));
  WriteSiteFile("site.txt", Script(lines));
  const std::string copy = m_folder + "/c/site/imported/idx/keys.txt";

  CRun run = Run({"--online", "interpret", "C:\\site.txt"});
  EXPECT_EQ(run.m_nStatus, 0) << run.m_strOut;
  EXPECT_NE(run.m_strOut.find("GET: " + server.Url("/idx/keys.txt") + " OK\n"), std::string::npos);
  EXPECT_EQ(ReadHostFile(copy), "apple\r\nbanana=fruit\r\n");
  EXPECT_EQ(nRequests, 1);

  server.Stop();
  run = Run({"--offline", "interpret", "C:\\site.txt"});
  EXPECT_EQ(run.m_nStatus, 0) << run.m_strOut;
  EXPECT_EQ(run.m_strOut.find("Can't load"), std::string::npos) << run.m_strOut;

  std::filesystem::remove(copy);
  run = Run({"--offline", "interpret", "C:\\site.txt"});
  EXPECT_EQ(run.m_nStatus, 1);
  EXPECT_NE(run.m_strOut.find("Can't load local copy: C:\\site\\imported\\idx\\keys.txt\n"),
            std::string::npos);
}

// The first run of a user: a starter site with templates from a folder named relative to the
// new site's folder (as the desktop dialog takes it, whatever the working folder), then an
// older script converted on the command line.
TEST_F(VelmoraProgramTest, NewSiteAndConversion) {
  std::filesystem::create_directories(m_folder + "/c/site/tpl");
  std::filesystem::create_directories(m_folder + "/c/work");
  m_strWorkingFolder = m_folder + "/c/work";
  CRun run =
      Run({"new", "C:\\site\\script.txt", "--templates", "tpl", "--resources", "example.org"});
  EXPECT_EQ(run.m_nStatus, 0) << run.m_strErr;
  std::string script = ReadHostFile(m_folder + "/c/site/script.txt");
  EXPECT_NE(script.find("\r\nTEMPLATES=C:\\site\\tpl\\\r\nRESOURCES=http://example.org/\r\n"),
            std::string::npos)
      << script;
  // Without an answer an existing script is kept.
  run = Run({"new", "C:\\site\\script.txt", "--frames"});
  EXPECT_EQ(run.m_nStatus, 2);
  EXPECT_EQ(ReadHostFile(m_folder + "/c/site/script.txt"), script);

  WriteSiteFile("old.txt", Script({"CATALOG=C:\\site\\", "2,P,Home,index.html,,,,M"}));
  run = Run({"convert", "C:\\old.txt"});
  EXPECT_EQ(run.m_nStatus, 0) << run.m_strErr;
  EXPECT_EQ(ReadHostFile(m_folder + "/c/old.txt"),
            "VERSION=2.0\r\nCATALOG=C:\\site\\\r\n2,Home,P,index.html");

  // Offered on interpretation: accepted, the script is rewritten but this run still fails.
  WriteSiteFile("old2.txt", Script({"CATALOG=C:\\site\\", "2,P,Home,index.html,,,,M",
                                    "2,P,About,about.html,,,,M"}));
  run = Run({"--yes", "interpret", "C:\\old2.txt"});
  EXPECT_EQ(run.m_nStatus, 2);
  EXPECT_EQ(ReadHostFile(m_folder + "/c/old2.txt"),
            "VERSION=2.0\r\nCATALOG=C:\\site\\\r\n2,Home,P,index.html\r\n2,About,P,about.html");
  run = Run({"interpret", "C:\\old2.txt"});
  EXPECT_EQ(run.m_nStatus, 0) << run.m_strOut;
}

// Nothing that is not a script of the older format is ever rewritten by a conversion, with
// --yes or without; scripts saved with a byte-order mark, or as UTF-16, are read as scripts.
TEST_F(VelmoraProgramTest, OnlyOlderScriptsAreConverted) {
  std::filesystem::create_directories(m_folder + "/c/site");
  std::string binary = "GIF89a";
  binary += std::string("\x01\0\x01\0", 4) + "CATALOG=C:\\site\\\r\n1,P,A,a.html,,,,M\r\n";
  WriteSiteFile("binary.txt", binary);
  for (const char* command : {"convert", "interpret"}) {
    CRun run = Run({"--yes", command, m_folder + "/c/binary.txt"});
    EXPECT_EQ(run.m_nStatus, 2);
    EXPECT_EQ(run.m_strErr, "velmora: not a site script: " + m_folder + "/c/binary.txt\n");
    EXPECT_EQ(ReadHostFile(m_folder + "/c/binary.txt"), binary);
  }

  const std::string notes = "Things to do\r\nmilk, eggs, bread\r\ncall Ann\r\n";
  WriteSiteFile("notes.txt", notes);
  CRun run = Run({"--yes", "convert", "C:\\notes.txt"});
  EXPECT_EQ(run.m_nStatus, 2);
  EXPECT_NE(run.m_strErr.find("neither interpreted nor converted: C:\\notes.txt"),
            std::string::npos);
  EXPECT_EQ(ReadHostFile(m_folder + "/c/notes.txt"), notes);

  WriteSiteFile("bom.txt", "\xEF\xBB\xBF" + Script(kGoodScript));
  run = Run({"interpret", "C:\\bom.txt"});
  EXPECT_EQ(run.m_nStatus, 0) << run.m_strOut;
  // UTF-16 little-endian with its mark.
  std::string wide = "\xFF\xFE";
  for (char c : Script(kGoodScript)) wide += std::string{c, '\0'};
  WriteSiteFile("wide.txt", wide);
  run = Run({"interpret", "C:\\wide.txt"});
  EXPECT_EQ(run.m_nStatus, 0) << run.m_strOut;
  EXPECT_NE(run.m_strOut.find("Can establish structure"), std::string::npos);
}

// A block named by two pages is one file: a replacement that holds its search text is made
// once in it.
TEST_F(VelmoraProgramTest, ReplaceChangesEachFileOnce) {
  std::filesystem::create_directories(m_folder + "/c/site/blocks");
  std::vector<std::string> lines = kGoodScript;
  lines.insert(lines.end(), {"1,About,P,about.html", "BLOCKS:blocks\\home.html"});
  WriteSiteFile("site.txt", Script(lines));
  WriteSiteFile("site/blocks/home.html", "<!--BLOCK--><p>FOO</p><!--/BLOCK-->");
  CRun run = Run({"replace", "C:\\site.txt", "--find", "FOO", "--with", "FOOBAR", "--all"});
  EXPECT_EQ(run.m_nStatus, 0) << run.m_strOut << run.m_strErr;
  EXPECT_EQ(ReadHostFile(m_folder + "/c/site/blocks/home.html"),
            "<!--BLOCK--><p>FOOBAR</p><!--/BLOCK-->");
  EXPECT_NE(run.m_strOut.find("\n1 replaces in 1 files\n"), std::string::npos) << run.m_strOut;
}

// Ctrl-C or a kill at the password prompt leaves the terminal echoing, as it was.
TEST_F(VelmoraProgramTest, TheTerminalEchoesAgainAfterThePasswordPrompt) {
  velmora::testing::CLocalHttpServer server;
  server.Server().Get("/secret.html", [](const httplib::Request&, httplib::Response& res) {
    res.status = 401;
    res.set_header("WWW-Authenticate", "Basic realm=\"test\"");
  });
  ASSERT_TRUE(server.Start());
  std::filesystem::create_directories(m_folder + "/c/site");
  WriteSiteFile("site.txt",
                Script({"VERSION=2.0", "CATALOG=C:\\site\\", "SITENAME=Test", "1,Home,I,index.html",
                        "BLOCKS:" + server.Url("/secret.html"), "1,About,P,about.html"}));

  // Each way out of the prompt: Ctrl-C typed, a kill, and an answer.
  enum class EEnd { kCtrlC, kTerm, kAnswer };
  for (EEnd end : {EEnd::kCtrlC, EEnd::kTerm, EEnd::kAnswer}) {
    std::vector<std::string> envText = Environment();
    std::string program = VELMORA_BINARY_DIR "/velmora";
    std::vector<std::string> args = {program, "--online", "build", "C:\\site.txt"};
    std::vector<char*> argv, envp;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    for (std::string& entry : envText) envp.push_back(entry.data());
    envp.push_back(nullptr);

    int master = -1;
    const pid_t pid = ::forkpty(&master, nullptr, nullptr, nullptr);
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      ::execve(program.c_str(), argv.data(), envp.data());
      ::_exit(127);
    }
    // The terminal is looked at from its own side, which stays open after the program ends.
    const int terminal = ::open(::ptsname(master), O_RDWR | O_NOCTTY);
    ASSERT_GE(terminal, 0);
    std::string seen;
    auto waitFor = [&](const std::string& text) {
      while (seen.find(text) == std::string::npos) {
        pollfd ready{master, POLLIN, 0};
        if (::poll(&ready, 1, 30000) <= 0)
          return false;
        char buffer[512];
        const ssize_t n = ::read(master, buffer, sizeof buffer);
        if (n <= 0)
          return false;
        seen.append(buffer, static_cast<size_t>(n));
      }
      return true;
    };
    auto echoes = [&] {
      termios state{};
      return ::tcgetattr(terminal, &state) == 0 && (state.c_lflag & ECHO) != 0;
    };

    EXPECT_TRUE(waitFor("User name: ")) << seen;
    ASSERT_EQ(::write(master, "ann\r", 4), 4);
    EXPECT_TRUE(waitFor("Password: ")) << seen;
    EXPECT_FALSE(echoes());
    if (end == EEnd::kCtrlC)
      ASSERT_EQ(::write(master, "\x03", 1), 1);
    else if (end == EEnd::kTerm)
      ::kill(pid, SIGTERM);
    else
      ASSERT_EQ(::write(master, "pw\r", 3), 3);
    if (end == EEnd::kAnswer)
      waitFor("\x01");  // reads until the program has ended
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    if (end == EEnd::kCtrlC)
      EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGINT) << status;
    else if (end == EEnd::kTerm)
      EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
    else
      EXPECT_TRUE(WIFEXITED(status)) << seen;
    EXPECT_TRUE(echoes()) << static_cast<int>(end);
    ::close(terminal);
    ::close(master);
  }
}

// A fresh site built and checked off-line: its web links are listed, and the check succeeds.
TEST_F(VelmoraProgramTest, FreshSitesCheckCleanOffline) {
  for (const char* variant : {"", "--frames"}) {
    const std::string script = std::string("C:\\fresh") + (*variant ? "f" : "") + "\\script.txt";
    std::vector<std::string> newArgs{"new", script};
    if (*variant)
      newArgs.push_back(variant);
    ASSERT_EQ(Run(newArgs).m_nStatus, 0);
    CRun run = Run({"--yes", "build", script});
    ASSERT_EQ(run.m_nStatus, 0) << run.m_strOut;
    run = Run({"check", script});
    EXPECT_EQ(run.m_nStatus, 0) << variant << run.m_strOut;
    EXPECT_NE(run.m_strOut.find("\nNot checked: http://"), std::string::npos) << run.m_strOut;
    const size_t last = run.m_strOut.rfind("\nPages checked: ");
    ASSERT_NE(last, std::string::npos) << run.m_strOut;
    EXPECT_NE(run.m_strOut.find(", problems: 0, web links not checked: ", last), std::string::npos)
        << run.m_strOut;
  }
}

// A user's first site: made without naming it, built, shown with host paths, and a text
// replaced across it; the command line speaks without the desktop's sentences.
TEST_F(VelmoraProgramTest, StarterSiteOnTheCommandLine) {
  CRun run = Run({"new"});
  EXPECT_EQ(run.m_nStatus, 0) << run.m_strErr;
  EXPECT_EQ(run.m_strOut, "New site script: C:\\mysite\\script.txt\n");
  EXPECT_EQ(Run({"new"}).m_strOut, "New site script: C:\\mysite1\\script.txt\n");
  ASSERT_TRUE(std::filesystem::exists(m_folder + "/c/mysite1/script.txt"));

  // The first build writes every default: more alerts than the summary names.
  run = Run({"build", "C:\\mysite\\script.txt"});
  EXPECT_EQ(run.m_nStatus, 0) << run.m_strOut;
  EXPECT_TRUE(std::regex_match(
      run.m_strErr, std::regex("Reported:\n([^\n]+\n){6}\\.\\.\\. and [1-9][0-9]* more\n")))
      << run.m_strErr;
  EXPECT_NE(run.m_strOut.find("Home - C:\\mysite\\index.html\n"), std::string::npos);

  const std::string hostHome = "Home - " + m_folder + "/c/mysite/index.html\n";
  run = Run({"--host-paths", "build", "C:\\mysite\\script.txt"});
  EXPECT_NE(run.m_strOut.find(hostHome), std::string::npos) << run.m_strOut;
  EXPECT_EQ(run.m_strOut.find(":\\"), std::string::npos) << run.m_strOut;
  m_env["VELMORA_HOST_PATHS"] = "1";
  run = Run({"build", "C:\\mysite\\script.txt"});
  EXPECT_NE(run.m_strOut.find(hostHome), std::string::npos) << run.m_strOut;
  m_env.clear();

  // The count of replacements is part of the report on standard output.
  run =
      Run({"replace", "C:\\mysite\\script.txt", "--find", "MySite", "--with", "OurSite", "--all"});
  EXPECT_EQ(run.m_nStatus, 0) << run.m_strErr;
  EXPECT_TRUE(
      std::regex_search(run.m_strOut, std::regex("\n[1-9][0-9]* replaces in [1-9][0-9]* files\n$")))
      << run.m_strOut;
  EXPECT_EQ(run.m_strErr.find("replaces"), std::string::npos) << run.m_strErr;
}

TEST_F(VelmoraProgramTest, NewSiteInAFolderWithTemplatesNamedByAFile) {
  CRun run = Run({"new", m_folder + "/c/blog"});
  EXPECT_EQ(run.m_nStatus, 0) << run.m_strErr;
  EXPECT_TRUE(std::filesystem::is_regular_file(m_folder + "/c/blog/script.txt"));
  EXPECT_TRUE(std::filesystem::is_directory(m_folder + "/c/blog/graphics"));

  // A file picked as the template catalog stands for its folder, as in the dialog.
  std::filesystem::create_directories(m_folder + "/c/tpl");
  WriteSiteFile("tpl/standard_page.html", "<html></html>");
  run = Run({"new", "C:\\notes\\", "--templates", m_folder + "/c/tpl/standard_page.html"});
  EXPECT_EQ(run.m_nStatus, 0) << run.m_strErr;
  EXPECT_NE(ReadHostFile(m_folder + "/c/notes/script.txt").find("\r\nTEMPLATES=C:\\tpl\\\r\n"),
            std::string::npos);

  // A refused address leaves no folder behind.
  run = Run({"new", "C:\\bad", "--resources", "ftp://example.org/r"});
  EXPECT_EQ(run.m_nStatus, 2);
  EXPECT_NE(run.m_strErr.find("Bad form or service( not http): "), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(m_folder + "/c/bad"));
}

// With --no nothing is asked, even on a terminal: a server that wants a password gets none.
TEST_F(VelmoraProgramTest, NoQuestionWithNoNotEvenAPassword) {
  velmora::testing::CLocalHttpServer server;
  server.Server().Get("/b/block.html", [](const httplib::Request&, httplib::Response& res) {
    res.status = 401;
    res.set_header("WWW-Authenticate", "Basic realm=\"site\"");
  });
  ASSERT_TRUE(server.Start());
  std::filesystem::create_directories(m_folder + "/c/site");
  std::vector<std::string> lines = kGoodScript;
  lines.back() = "BLOCKS:" + server.Url("/b/block.html");
  WriteSiteFile("site.txt", Script(lines));
  CRun run = Run({"--online", "--no", "build", "C:\\site.txt"}, true);
  EXPECT_EQ(run.m_strErr.find("User name:"), std::string::npos) << run.m_strErr;
  EXPECT_NE(run.m_strErr.find("none is asked with --yes or --no"), std::string::npos)
      << run.m_strErr;
  EXPECT_EQ(run.m_nStatus, 1) << run.m_strOut;
}

}  // namespace
