#include "platform/dialogs.h"

#include "platform/report.h"

namespace velmora {

namespace {
// Without a front end every question is answered No and messages go nowhere.
class CNoDialogs : public CDialogs {
 public:
  void MessageBox(const std::string&) override {}
  bool AskYesNo(const std::string&) override { return false; }
  bool AskPassword(const std::string&, std::string&, std::string&) override { return false; }
  bool ShowAlerts(const std::vector<std::string>&) override { return true; }
};
CNoDialogs theNoDialogs;
CSilentProgress theSilentProgress;
CDialogs* thepDialogs = &theNoDialogs;
CProgress* thepProgress = &theSilentProgress;
}  // namespace

CDialogs& Dialogs() {
  return *thepDialogs;
}
void SetDialogs(CDialogs* pDialogs) {
  thepDialogs = pDialogs ? pDialogs : &theNoDialogs;
}
CProgress& Progress() {
  return *thepProgress;
}
void SetProgress(CProgress* pProgress) {
  thepProgress = pProgress ? pProgress : &theSilentProgress;
}

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
