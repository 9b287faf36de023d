#include "support/unprivileged.h"

#include <grp.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace velmora::testing {

namespace {

// Forks, runs prepare and then work in the child and hands the work's text to the parent.
bool RunInChild(const std::function<bool()>& prepare, const std::function<std::string()>& work,
                std::string& output) {
  output.clear();
  int pipeEnds[2];
  if (::pipe(pipeEnds) != 0)
    return false;
  const pid_t child = ::fork();
  if (child < 0) {
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);
    return false;
  }
  if (child == 0) {
    ::close(pipeEnds[0]);
    if (!prepare())
      ::_exit(2);
    const std::string text = work();
    for (size_t done = 0; done < text.size();) {
      const ssize_t n = ::write(pipeEnds[1], text.data() + done, text.size() - done);
      if (n <= 0)
        ::_exit(3);
      done += static_cast<size_t>(n);
    }
    // No destructors: the parent's temporary folders belong to the parent.
    ::_exit(0);
  }
  ::close(pipeEnds[1]);
  char buffer[4096];
  ssize_t n;
  while ((n = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0)
    output.append(buffer, static_cast<size_t>(n));
  ::close(pipeEnds[0]);
  int status = 0;
  return ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

bool RunUnprivileged(const std::function<std::string()>& work, std::string& output) {
  if (::geteuid() != 0) {
    output = work();
    return true;
  }
  return RunInChild(
      [] {
        constexpr uid_t kNobody = 65534;
        return ::setgroups(0, nullptr) == 0 && ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0;
      },
      work, output);
}

bool RunWithFileSizeLimit(size_t nBytes, const std::function<std::string()>& work,
                          std::string& output) {
  return RunInChild(
      [nBytes] {
        // A write past the limit then fails with EFBIG instead of ending the process.
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{nBytes, nBytes};
        return ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
      },
      work, output);
}

}  // namespace velmora::testing
