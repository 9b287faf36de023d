#include "platform/terminal.h"

#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <iterator>

namespace velmora {

bool StandardInputIsTerminal() {
  return ::isatty(STDIN_FILENO);
}

bool StandardErrorIsTerminal() {
  return ::isatty(STDERR_FILENO);
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

}  // namespace

CEchoOff::CEchoOff() {
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

CEchoOff::~CEchoOff() {
  if (!m_bActive)
    return;
  ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &theEchoingTerminal);
  for (size_t i = 0; i < kSignalCount; ++i)
    ::sigaction(kEndingSignals[i], &thePreviousActions[i], nullptr);
}

}  // namespace velmora
