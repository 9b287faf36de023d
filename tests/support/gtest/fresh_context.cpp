// Linked into every GoogleTest program: each test starts with a fresh build context, and a test
// that leaves the process changed for the tests after it (environment, working folder, limits,
// signal handling, a report redirection) fails.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>
#endif

#include "platform/report.h"
#include "support/test_context.h"

#ifndef _WIN32
extern char** environ;
#endif

namespace velmora {

namespace {

// What a test may change for the whole process, as text: "what: value" per item.
std::map<std::string, std::string> ProcessState() {
  std::map<std::string, std::string> state;
  for (char** p = environ; *p; ++p) {
    const std::string entry = *p;
    const size_t equals = entry.find('=');
    state["environment " + entry.substr(0, equals)] = entry.substr(equals + 1);
  }
  std::error_code error;
  state["working folder"] = std::filesystem::current_path(error).string();
  state["report redirection"] = CReport::ThreadRedirect() ? "set" : "none";
#ifndef _WIN32
  for (const auto& [resource, name] :
       {std::pair{RLIMIT_FSIZE, "file size limit"}, std::pair{RLIMIT_AS, "address space limit"},
        std::pair{RLIMIT_NOFILE, "open file limit"}}) {
    rlimit limit{};
    ::getrlimit(resource, &limit);
    state[name] = std::to_string(limit.rlim_cur) + "/" + std::to_string(limit.rlim_max);
  }
  const mode_t mask = ::umask(0);
  ::umask(mask);
  state["umask"] = std::to_string(mask);
  for (const auto& [signal, name] : {std::pair{SIGPIPE, "SIGPIPE"}, std::pair{SIGXFSZ, "SIGXFSZ"},
                                     std::pair{SIGINT, "SIGINT"}, std::pair{SIGTERM, "SIGTERM"}}) {
    struct sigaction action {};
    ::sigaction(signal, nullptr, &action);
    state[std::string("handler of ") + name] =
        std::to_string(reinterpret_cast<uintptr_t>(action.sa_handler));
  }
#endif
  return state;
}

class CFreshContext : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo&) override {
    ResetTestContext();
    m_before = ProcessState();
  }
  void OnTestEnd(const ::testing::TestInfo& test) override {
    const std::map<std::string, std::string> after = ProcessState();
    std::string changed;
    for (const auto& [what, value] : after) {
      const auto before = m_before.find(what);
      if (before == m_before.end() || before->second != value)
        changed += "\n  " + what + " is now \"" + value + "\"";
    }
    for (const auto& [what, value] : m_before)
      if (!after.contains(what))
        changed += "\n  " + what + " is gone";
    if (!changed.empty()) {
      std::fprintf(stderr, "%s.%s left the process changed for the tests after it:%s\n",
                   test.test_suite_name(), test.name(), changed.c_str());
      ++m_nLeaked;
    }
  }
  // GoogleTest has decided the test's result by now: the program fails instead.
  void OnTestProgramEnd(const ::testing::UnitTest&) override {
    if (m_nLeaked == 0)
      return;
    std::fprintf(stderr, "FAILED: %d tests left the process changed\n", m_nLeaked);
    std::_Exit(1);
  }

  std::map<std::string, std::string> m_before;
  int m_nLeaked = 0;
};

const bool registered = [] {
  // What tests set for the whole process anyway is set once before the first: servers of the
  // tests are reached without a proxy, golden pages carry dates in UTC, and a server writing to
  // a closed connection gets an error instead of a signal.
  ::setenv("no_proxy", "127.0.0.1", 1);
  ::setenv("NO_PROXY", "127.0.0.1", 1);
  ::setenv("TZ", "UTC", 1);
#ifndef _WIN32
  ::signal(SIGPIPE, SIG_IGN);
#endif
  ::testing::UnitTest::GetInstance()->listeners().Append(new CFreshContext);
  return true;
}();

}  // namespace

}  // namespace velmora
