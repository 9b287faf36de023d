// Message boxes, questions and the password prompt go through CDialogs; the progress bar and
// wait cursor through CProgress. The CLI, the GUI and the tests each provide their own.
#pragma once

#include <deque>
#include <string>
#include <vector>

namespace velmora {

class CDialogs {
 public:
  virtual ~CDialogs() = default;
  virtual void MessageBox(const std::string& text) = 0;
  virtual bool AskYesNo(const std::string& question) = 0;
  // A question whose Yes destroys data (replace a file, drop unsaved edits): No is the default.
  virtual bool AskYesNoDefaultNo(const std::string& question) { return AskYesNo(question); }
  // Asks for a user name and password for a protected address; false when none is given.
  virtual bool AskPassword(const std::string& address, std::string& user,
                           std::string& password) = 0;
  // The end-of-batch alert box with the batch's alert lines; returns false when the user asks
  // not to see it again.
  virtual bool ShowAlerts(const std::vector<std::string>& alerts) = 0;
  // Offers the conversion of a script of the older format; true when it shall be converted.
  virtual bool AskConvertOldScript(const std::string& question) { return AskYesNo(question); }
};

class CProgress {
 public:
  virtual ~CProgress() = default;
  virtual void Show(int nRange) = 0;
  virtual void SetPos(int nPos) = 0;
  virtual void Step() = 0;
  virtual void Hide() = 0;
  virtual void WaitCursor(bool bOn) = 0;
  // The page a build or check is working on, for a status line.
  virtual void Working(const std::string& path) { (void)path; }
  // True once the user asked a running build or check to stop; it then stops after the
  // current page, and a transfer in progress is given up.
  virtual bool StopRequested() const { return false; }
};

// Without a front end every question is answered No and messages go nowhere.
class CNoDialogs : public CDialogs {
 public:
  void MessageBox(const std::string&) override {}
  bool AskYesNo(const std::string&) override { return false; }
  bool AskPassword(const std::string&, std::string&, std::string&) override { return false; }
  bool ShowAlerts(const std::vector<std::string>&) override { return true; }
};

// Records every message and answers from lists; the default answer once a list is used up.
class CScriptedDialogs : public CDialogs {
 public:
  void MessageBox(const std::string& text) override;
  bool AskYesNo(const std::string& question) override;
  bool AskPassword(const std::string& address, std::string& user, std::string& password) override;
  bool ShowAlerts(const std::vector<std::string>& alerts) override;

  std::deque<bool> m_answers;
  bool m_bDefaultAnswer = false;
  struct CCredentials {
    std::string m_strUser, m_strPassword;
  };
  std::deque<CCredentials> m_passwords;  // empty: the password question is refused
  bool m_bSeeAlertsAgain = true;

  std::vector<std::string> m_messages;    // message boxes, in order
  std::vector<std::string> m_questions;   // questions asked, in order
  std::vector<std::string> m_alertBoxes;  // the desktop box's texts
  std::vector<std::string> m_passwordQuestions;
};

class CSilentProgress : public CProgress {
 public:
  void Show(int) override {}
  void SetPos(int) override {}
  void Step() override {}
  void Hide() override {}
  void WaitCursor(bool) override {}
};

}  // namespace velmora
