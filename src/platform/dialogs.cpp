#include "platform/dialogs.h"

#include "platform/report.h"

namespace velmora {

void CScriptedDialogs::MessageBox(const std::string& text) {
  m_messages.push_back(text);
}

bool CScriptedDialogs::AskYesNo(const std::string& question) {
  m_questions.push_back(question);
  if (m_answers.empty())
    return m_bDefaultAnswer;
  bool answer = m_answers.front();
  m_answers.pop_front();
  return answer;
}

bool CScriptedDialogs::AskPassword(const std::string& address, std::string& user,
                                   std::string& password) {
  m_passwordQuestions.push_back(address);
  if (m_passwords.empty())
    return false;
  user = m_passwords.front().m_strUser;
  password = m_passwords.front().m_strPassword;
  m_passwords.pop_front();
  return true;
}

bool CScriptedDialogs::ShowAlerts(const std::vector<std::string>& alerts) {
  m_alertBoxes.push_back(AlertBoxText(alerts));
  return m_bSeeAlertsAgain;
}

}  // namespace velmora
