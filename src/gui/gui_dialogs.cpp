#include "gui/gui_dialogs.h"

#include <QApplication>
#include <QMessageBox>

#include "gui/convert_dialog.h"
#include "gui/gui_text.h"
#include "gui/long_command.h"
#include "gui/password_dialog.h"
#include "platform/report.h"

namespace velmora {

namespace {

const char* const kTitle = "Quarn20";

// A question may come in the middle of a command that shows the wait cursor.
class CNormalCursor {
 public:
  CNormalCursor() : m_bOverridden(QApplication::overrideCursor() != nullptr) {
    if (m_bOverridden)
      QApplication::setOverrideCursor(Qt::ArrowCursor);
  }
  ~CNormalCursor() {
    if (m_bOverridden)
      QApplication::restoreOverrideCursor();
  }

 private:
  bool m_bOverridden;
};

bool AskWithBox(QWidget* pParent, const std::string& text, QMessageBox::Icon icon,
                bool bYesIsDefault) {
  CNormalCursor cursor;
  QMessageBox box(icon, kTitle, DisplayText(text), QMessageBox::Yes | QMessageBox::No, pParent);
  box.setTextFormat(Qt::PlainText);
  box.setDefaultButton(bYesIsDefault ? QMessageBox::Yes : QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

}  // namespace

// Each box is shown on the window's thread, whichever thread the command asking runs on.
void CGuiDialogs::MessageBox(const std::string& text) {
  OnGuiThread([&] {
    CNormalCursor cursor;
    QMessageBox box(QMessageBox::Information, kTitle, DisplayText(text), QMessageBox::Ok,
                    m_pParent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
  });
}

bool CGuiDialogs::AskYesNo(const std::string& question) {
  bool bYes = false;
  OnGuiThread([&] { bYes = AskWithBox(m_pParent, question, QMessageBox::Question, true); });
  return bYes;
}

bool CGuiDialogs::AskYesNoDefaultNo(const std::string& question) {
  bool bYes = false;
  OnGuiThread([&] { bYes = AskWithBox(m_pParent, question, QMessageBox::Question, false); });
  return bYes;
}

bool CGuiDialogs::AskPassword(const std::string& address, std::string& user,
                              std::string& password) {
  bool bGiven = false;
  OnGuiThread([&] {
    CNormalCursor cursor;
    CPasswordDlg dialog(address, m_pParent);
    if (dialog.exec() != QDialog::Accepted)
      return;
    user = dialog.User();
    password = dialog.Password();
    bGiven = !user.empty();
  });
  return bGiven;
}

bool CGuiDialogs::ShowAlerts(const std::vector<std::string>& alerts) {
  bool bAgain = true;
  OnGuiThread([&] {
    bAgain = AskWithBox(m_pParent, AlertBoxText(alerts), QMessageBox::Warning, true);
  });
  return bAgain;
}

bool CGuiDialogs::AskConvertOldScript(const std::string&) {
  bool bConvert = false;
  OnGuiThread([&] {
    CNormalCursor cursor;
    CConvertDlg dialog(m_pParent);
    bConvert = dialog.exec() == QDialog::Accepted;
    if (m_onConversionAnswered)
      m_onConversionAnswered();
  });
  return bConvert;
}

}  // namespace velmora
