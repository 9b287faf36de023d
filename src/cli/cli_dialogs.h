// Message boxes and questions of the command line: messages and the alert box go to standard
// error; questions take the --yes/--no answer, else are asked on the terminal, else get No.
#pragma once

#include <cstdio>

#include "platform/dialogs.h"

namespace velmora {

class CTerminalProgress;

class CCliDialogs : public CDialogs {
 public:
  // nAnswer: 1 every question is answered Yes, 0 No, -1 ask when there is a terminal.
  CCliDialogs(int nAnswer, CTerminalProgress* pProgress)
      : m_nAnswer(nAnswer), m_pProgress(pProgress) {}
  void MessageBox(const std::string& text) override;
  bool AskYesNo(const std::string& question) override;
  bool AskPassword(const std::string& address, std::string& user, std::string& password) override;
  bool ShowAlerts(const std::string& text) override;

 private:
  void Write(const std::string& text);
  // Shows the prompt and reads one line; without echo, the terminal echoes again afterwards
  // whatever ends the reading, a signal included.
  bool ReadLine(const std::string& prompt, std::string& line, bool bEcho);

  int m_nAnswer;
  CTerminalProgress* m_pProgress;
};

// Both standard input and standard error are terminals, so a question can be asked.
bool HaveTerminal();

}  // namespace velmora
