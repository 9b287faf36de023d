#include "gui/about_dialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

#include "gui/tool_icons.h"

namespace velmora {

CAboutDlg::CAboutDlg(QWidget* pParent) : QDialog(pParent) {
  setObjectName("100");
  setWindowTitle("About Quarn20");
  auto* pLayout = new QHBoxLayout(this);
  auto* pIcon = new QLabel;
  pIcon->setObjectName("128");
  pIcon->setPixmap(ProgramIcon().pixmap(64, 64));
  pLayout->addWidget(pIcon, 0, Qt::AlignTop);
  auto* pTexts = new QVBoxLayout;
  pTexts->addWidget(new QLabel("Quarn20 Version 2.0"));
  pTexts->addWidget(new QLabel("Builds static web sites from a site script"));
  pLayout->addLayout(pTexts, 1);
  auto* pButtons = new QDialogButtonBox(QDialogButtonBox::Ok);
  connect(pButtons, &QDialogButtonBox::accepted, this, &CAboutDlg::accept);
  pLayout->addWidget(pButtons, 0, Qt::AlignTop);
}

}  // namespace velmora
