#include "gui/password_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

#include "gui/gui_text.h"

namespace velmora {

CPasswordDlg::CPasswordDlg(const std::string& address, QWidget* pParent) : QDialog(pParent) {
  setObjectName("password");
  setWindowTitle("Password required");
  auto* pLayout = new QFormLayout(this);
  auto* pAddress = new QLabel(ToQString(address));
  pAddress->setTextFormat(Qt::PlainText);
  pLayout->addRow(new QLabel("The server asks for a password:"));
  pLayout->addRow(pAddress);
  m_pUser = new QLineEdit;
  m_pUser->setObjectName("user");
  pLayout->addRow("User name:", m_pUser);
  m_pPassword = new QLineEdit;
  m_pPassword->setObjectName("password");
  m_pPassword->setEchoMode(QLineEdit::Password);
  pLayout->addRow("Password:", m_pPassword);
  auto* pButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(pButtons, &QDialogButtonBox::accepted, this, &CPasswordDlg::accept);
  connect(pButtons, &QDialogButtonBox::rejected, this, &CPasswordDlg::reject);
  pLayout->addRow(pButtons);
}

std::string CPasswordDlg::User() const {
  return FromQString(m_pUser->text());
}

std::string CPasswordDlg::Password() const {
  return FromQString(m_pPassword->text());
}

}  // namespace velmora
