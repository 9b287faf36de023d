#include "gui/gui_dialogs.h"

#include <QApplication>
#include <QMessageBox>

#include "gui/convert_dialog.h"
#include "gui/gui_text.h"
#include "gui/password_dialog.h"

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

bool AskWithBox(QWidget* pParent, const std::string& text, QMessageBox::Icon icon) {
  CNormalCursor cursor;
  QMessageBox box(icon, kTitle, DisplayText(text), QMessageBox::Yes | QMessageBox::No, pParent);
  box.setTextFormat(Qt::PlainText);
  box.setDefaultButton(QMessageBox::Yes);
  return box.exec() == QMessageBox::Yes;
}

}  // namespace

void CGuiDialogs::MessageBox(const std::string& text) {
  CNormalCursor cursor;
  QMessageBox box(QMessageBox::Information, kTitle, DisplayText(text), QMessageBox::Ok, m_pParent);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

bool CGuiDialogs::AskYesNo(const std::string& question) {
  return AskWithBox(m_pParent, question, QMessageBox::Question);
}

bool CGuiDialogs::AskPassword(const std::string& address, std::string& user,
                              std::string& password) {
  CNormalCursor cursor;
  CPasswordDlg dialog(address, m_pParent);
  if (dialog.exec() != QDialog::Accepted)
    return false;
  user = dialog.User();
  password = dialog.Password();
  return !user.empty();
}

bool CGuiDialogs::ShowAlerts(const std::string& text) {
  return AskWithBox(m_pParent, text, QMessageBox::Warning);
}

bool CGuiDialogs::AskConvertOldScript(const std::string&) {
  CNormalCursor cursor;
  CConvertDlg dialog(m_pParent);
  const bool bConvert = dialog.exec() == QDialog::Accepted;
  if (m_onConversionAnswered)
    m_onConversionAnswered();
  return bConvert;
}

}  // namespace velmora
