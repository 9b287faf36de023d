// Message boxes and questions of the command line: messages and the alert summary go to
// standard error; questions take the --yes/--no answer, else are asked on the terminal, else
// get No. With --yes or --no nothing is ever asked, not even a password.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "platform/dialogs.h"

namespace velmora {

class CDriveMap;

class CTerminalProgress;

class CCliDialogs : public CDialogs {
 public:
  // nAnswer: 1 every question is answered Yes, 0 No, -1 ask when there is a terminal.
  CCliDialogs(int nAnswer, CTerminalProgress* pProgress)
      : m_nAnswer(nAnswer), m_pProgress(pProgress) {}
  void MessageBox(const std::string& text) override;
  bool AskYesNo(const std::string& question) override;
  bool AskPassword(const std::string& address, std::string& user, std::string& password) override;
  bool ShowAlerts(const std::vector<std::string>& alerts) override;
  // Paths are written in the host's form.
  // Paths are shown in the host's form through the drive map, when one is given.
  void SetHostPaths(const CDriveMap* pDrives) { m_pHostPaths = pDrives; }

 private:
  void Write(const std::string& text);
  // Shows the prompt and reads one line; without echo, the terminal echoes again afterwards
  // whatever ends the reading, a signal included.
  bool ReadLine(const std::string& prompt, std::string& line, bool bEcho);

  int m_nAnswer;
  CTerminalProgress* m_pProgress;
  const CDriveMap* m_pHostPaths = nullptr;
};

// The end-of-batch summary: "Reported:", the first alerts, and "... and N more" for the rest.
std::string AlertSummary(const std::vector<std::string>& alerts);

// Both standard input and standard error are terminals, so a question can be asked.
bool HaveTerminal();

}  // namespace velmora
