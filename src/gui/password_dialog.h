// Asks for the user name and password of a protected web address.
#pragma once

#include <QDialog>
#include <string>

class QLineEdit;

namespace velmora {

class CPasswordDlg : public QDialog {
  Q_OBJECT
 public:
  CPasswordDlg(const std::string& address, QWidget* pParent = nullptr);
  std::string User() const;
  std::string Password() const;

 private:
  QLineEdit* m_pUser;
  QLineEdit* m_pPassword;
};

}  // namespace velmora
