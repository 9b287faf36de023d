// Message boxes, questions, the password prompt and the end-of-batch alert box as Qt dialogs.
#pragma once

#include <functional>

#include "platform/dialogs.h"

class QWidget;

namespace velmora {

class CGuiDialogs : public CDialogs {
 public:
  explicit CGuiDialogs(QWidget* pParent = nullptr) : m_pParent(pParent) {}
  void MessageBox(const std::string& text) override;
  bool AskYesNo(const std::string& question) override;
  bool AskYesNoDefaultNo(const std::string& question) override;
  bool AskPassword(const std::string& address, std::string& user, std::string& password) override;
  bool ShowAlerts(const std::vector<std::string>& alerts) override;
  // Shows "Convert to 2.0"; true for "Convert now". The dialog carries its own texts.
  bool AskConvertOldScript(const std::string& question) override;

  // Called once the conversion offer is answered, either way: the converted script is
  // rewritten on disk, and the main window should not ask whether to reload it.
  std::function<void()> m_onConversionAnswered;

 private:
  QWidget* m_pParent;
};

}  // namespace velmora
