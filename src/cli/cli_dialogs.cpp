#include "cli/cli_dialogs.h"

#include <iostream>

#include "cli/terminal_progress.h"
#include "platform/drive_map.h"
#include "platform/strings.h"
#include "platform/terminal.h"

namespace velmora {

bool HaveTerminal() {
  return StandardInputIsTerminal() && StandardErrorIsTerminal();
}

void CCliDialogs::Write(const std::string& text) {
  if (m_pProgress)
    m_pProgress->Erase();
  std::string out = CrLfToLf(text);
  if (m_pHostPaths)
    out = m_pHostPaths->WithHostPaths(out);
  std::fwrite(out.data(), 1, out.size(), stderr);
  std::fflush(stderr);
}

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
