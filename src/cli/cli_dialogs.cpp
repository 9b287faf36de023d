#include "cli/cli_dialogs.h"

#include <termios.h>
#include <unistd.h>

#include <iostream>

#include "cli/terminal_progress.h"
#include "platform/strings.h"

namespace velmora {

bool HaveTerminal() {
  return ::isatty(STDIN_FILENO) && ::isatty(STDERR_FILENO);
}

void CCliDialogs::Write(const std::string& text) {
  if (m_pProgress)
    m_pProgress->Erase();
  std::string out = CrLfToLf(text);
  std::fwrite(out.data(), 1, out.size(), stderr);
  std::fflush(stderr);
}

bool CCliDialogs::ReadLine(std::string& line, bool bEcho) {
  termios saved{};
  bool bRestore = !bEcho && ::tcgetattr(STDIN_FILENO, &saved) == 0;
  if (bRestore) {
    termios quiet = saved;
    quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
  }
  bool ok = static_cast<bool>(std::getline(std::cin, line));
  if (bRestore) {
    ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
    Write("\n");
  }
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
    Write(question + " [y/N] ");
    std::string line;
    answer =
        ReadLine(line, true) && (EqualsNoCase(Trim(line), "y") || EqualsNoCase(Trim(line), "yes"));
  } else {
    Write(question + " [no terminal: answered no]\n");
  }
  if (m_pProgress)
    m_pProgress->Redraw();
  return answer;
}

bool CCliDialogs::AskPassword(const std::string& address, std::string& user,
                              std::string& password) {
  if (!HaveTerminal()) {
    Write("A password is needed for " + address + "; it can be given only on a terminal\n");
    return false;
  }
  Write("A password is needed for " + address + "\nUser name: ");
  bool ok = ReadLine(user, true);
  if (ok) {
    Write("Password: ");
    ok = ReadLine(password, false);
  }
  if (m_pProgress)
    m_pProgress->Redraw();
  return ok && !user.empty();
}

bool CCliDialogs::ShowAlerts(const std::string& text) {
  MessageBox(text);
  return true;
}

}  // namespace velmora
