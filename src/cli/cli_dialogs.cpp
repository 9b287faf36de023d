#include "cli/cli_dialogs.h"

#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <iostream>
#include <iterator>

#include "cli/terminal_progress.h"
#include "platform/drive_map.h"
#include "platform/strings.h"

namespace velmora {

bool HaveTerminal() {
  return ::isatty(STDIN_FILENO) && ::isatty(STDERR_FILENO);
}

void CCliDialogs::Write(const std::string& text) {
  if (m_pProgress)
    m_pProgress->Erase();
  std::string out = CrLfToLf(text);
  if (m_bHostPaths)
    out = WithHostPaths(out);
  std::fwrite(out.data(), 1, out.size(), stderr);
  std::fflush(stderr);
}

namespace {

// While a password is typed the terminal does not echo. Echo comes back when the answer is
// read, and also when a signal ends or stops the program meanwhile: the handler restores the
// terminal and hands the signal on to whatever was there before.
constexpr int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGTSTP};
constexpr size_t kSignalCount = std::size(kEndingSignals);

termios theEchoingTerminal;
termios theQuietTerminal;
struct sigaction thePreviousActions[kSignalCount];

void OnSignalWhileQuiet(int nSignal) {
  const int nSavedErrno = errno;
  ::tcsetattr(STDIN_FILENO, TCSANOW, &theEchoingTerminal);
  size_t i = 0;
  while (i < kSignalCount && kEndingSignals[i] != nSignal) ++i;
  struct sigaction mine {};
  ::sigaction(nSignal, &thePreviousActions[i], &mine);
  // The signal is blocked while this runs: raised again, it reaches the previous action as
  // soon as it is unblocked here. Only a stop comes back, and then the prompt goes on quietly.
  sigset_t signals;
  ::sigemptyset(&signals);
  ::sigaddset(&signals, nSignal);
  ::raise(nSignal);
  ::sigprocmask(SIG_UNBLOCK, &signals, nullptr);
  ::sigaction(nSignal, &mine, nullptr);
  ::tcsetattr(STDIN_FILENO, TCSANOW, &theQuietTerminal);
  errno = nSavedErrno;
}

class CEchoOff {
 public:
  CEchoOff() {
    if (::tcgetattr(STDIN_FILENO, &theEchoingTerminal) != 0)
      return;
    m_bActive = true;
    theQuietTerminal = theEchoingTerminal;
    theQuietTerminal.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    struct sigaction action {};
    action.sa_handler = OnSignalWhileQuiet;
    action.sa_flags = SA_RESTART;  // after a stop, the prompt reads on
    ::sigemptyset(&action.sa_mask);
    for (size_t i = 0; i < kSignalCount; ++i)
      ::sigaction(kEndingSignals[i], &action, &thePreviousActions[i]);
    ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &theQuietTerminal);
  }
  ~CEchoOff() {
    if (!m_bActive)
      return;
    ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &theEchoingTerminal);
    for (size_t i = 0; i < kSignalCount; ++i)
      ::sigaction(kEndingSignals[i], &thePreviousActions[i], nullptr);
  }
  CEchoOff(const CEchoOff&) = delete;
  CEchoOff& operator=(const CEchoOff&) = delete;

 private:
  bool m_bActive = false;
};

}  // namespace

bool CCliDialogs::ReadLine(const std::string& prompt, std::string& line, bool bEcho) {
  if (bEcho) {
    Write(prompt);
    return static_cast<bool>(std::getline(std::cin, line));
  }
  bool ok = false;
  {
    // Quiet before the prompt shows, so that nothing typed at it is echoed.
    CEchoOff quiet;
    Write(prompt);
    ok = static_cast<bool>(std::getline(std::cin, line));
  }
  Write("\n");
  return ok;
}

void CCliDialogs::MessageBox(const std::string& text) {
  Write(text + "\n");
  if (m_pProgress)
    m_pProgress->Redraw();
}

bool CCliDialogs::AskYesNo(const std::string& question) {
  bool answer = false;
  if (m_nAnswer != -1) {
    answer = m_nAnswer == 1;
    Write(question + (answer ? " [answered yes]\n" : " [answered no]\n"));
  } else if (HaveTerminal()) {
    std::string line;
    answer = ReadLine(question + " [y/N] ", line, true) &&
             (EqualsNoCase(Trim(line), "y") || EqualsNoCase(Trim(line), "yes"));
  } else {
    Write(question + " [no terminal: answered no]\n");
  }
  if (m_pProgress)
    m_pProgress->Redraw();
  return answer;
}

bool CCliDialogs::AskPassword(const std::string& address, std::string& user,
                              std::string& password) {
  if (m_nAnswer != -1) {
    Write("A password is needed for " + address + "; none is asked with --yes or --no\n");
    return false;
  }
  if (!HaveTerminal()) {
    Write("A password is needed for " + address + "; it can be given only on a terminal\n");
    return false;
  }
  bool ok = ReadLine("A password is needed for " + address + "\nUser name: ", user, true) &&
            ReadLine("Password: ", password, false);
  if (m_pProgress)
    m_pProgress->Redraw();
  return ok && !user.empty();
}

bool CCliDialogs::ShowAlerts(const std::vector<std::string>& alerts) {
  MessageBox(AlertSummary(alerts));
  return true;
}

std::string AlertSummary(const std::vector<std::string>& alerts) {
  const size_t kShown = 6;
  std::string text = "Reported:";
  for (size_t i = 0; i < alerts.size() && i < kShown; ++i) text += "\n" + alerts[i];
  if (alerts.size() > kShown)
    text += "\n... and " + std::to_string(alerts.size() - kShown) + " more";
  return text;
}

}  // namespace velmora
