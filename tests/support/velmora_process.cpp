#include "support/velmora_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

extern char** environ;

namespace velmora::testing {

namespace {
std::string ReadAll(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}
}  // namespace

bool CVelmoraProcess::Start(const std::vector<std::string>& args, size_t nAddressSpace) {
  // Everything the child needs is made before the fork: after it only system calls run.
  std::vector<std::string> env;
  for (char** p = environ; *p; ++p) {
    const std::string entry = *p;
    if (!entry.starts_with("VELMORA_") && !entry.starts_with("HOME="))
      env.push_back(entry);
  }
  env.push_back("HOME=" + m_strFolder);
  env.push_back("VELMORA_CONFIG=" + m_strFolder + "/velmora.conf");
  env.push_back("VELMORA_DRIVE_C=" + m_strFolder + "/c");
  std::vector<char*> envp;
  for (std::string& entry : env) envp.push_back(entry.data());
  envp.push_back(nullptr);
  std::string program = VELMORA_BINARY_DIR "/velmora";
  std::vector<std::string> argsCopy = args;
  std::vector<char*> argv{program.data()};
  for (std::string& arg : argsCopy) argv.push_back(arg.data());
  argv.push_back(nullptr);
  const std::string out = m_strFolder + "/stdout", err = m_strFolder + "/stderr";

  m_pid = ::fork();
  if (m_pid < 0)
    return false;
  if (m_pid == 0) {
    const int in = ::open("/dev/null", O_RDONLY);
    const int outFd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int errFd = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (in < 0 || outFd < 0 || errFd < 0 || ::dup2(in, 0) < 0 || ::dup2(outFd, 1) < 0 ||
        ::dup2(errFd, 2) < 0)
      ::_exit(126);
    const rlimit limit{nAddressSpace, nAddressSpace};
    if (nAddressSpace > 0 && ::setrlimit(RLIMIT_AS, &limit) != 0)
      ::_exit(126);
    ::execve(program.c_str(), argv.data(), envp.data());
    ::_exit(127);
  }
  return true;
}

int CVelmoraProcess::Wait() {
  int status = 0;
  const pid_t pid = m_pid;
  m_pid = 0;
  if (pid <= 0 || ::waitpid(pid, &status, 0) != pid)
    return -1000;
  return WIFSIGNALED(status) ? -WTERMSIG(status) : WEXITSTATUS(status);
}

void CVelmoraProcess::Signal(int nSignal) const {
  if (m_pid > 0)
    ::kill(m_pid, nSignal);
}

std::string CVelmoraProcess::Output() const {
  return ReadAll(m_strFolder + "/stdout");
}

std::string CVelmoraProcess::Errors() const {
  return ReadAll(m_strFolder + "/stderr");
}

}  // namespace velmora::testing
