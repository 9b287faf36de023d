#include "gui/convert_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora {

CConvertDlg::CConvertDlg(QWidget* pParent) : QDialog(pParent) {
  setObjectName("145");
  setWindowTitle("Convert to 2.0");
  auto* pLayout = new QVBoxLayout(this);
  for (const char* szText :
       {"This site seems to be an old version script.",
        "Velmora can update it. This will involve changing the script, all templates and all "
        "blocks.",
        "Some small anomalities which must be corrected by hand may occur. You may prefer to make "
        "a back-up of your site first."}) {
    auto* pLabel = new QLabel(szText);
    pLabel->setWordWrap(true);
    pLayout->addWidget(pLabel);
  }
  auto* pButtons = new QDialogButtonBox;
  QPushButton* pNow = pButtons->addButton("Convert now", QDialogButtonBox::AcceptRole);
  pNow->setObjectName("IDOK");
  pNow->setDefault(true);
  pButtons->addButton("Do it later", QDialogButtonBox::RejectRole)->setObjectName("IDCANCEL");
  connect(pButtons, &QDialogButtonBox::accepted, this, &CConvertDlg::accept);
  connect(pButtons, &QDialogButtonBox::rejected, this, &CConvertDlg::reject);
  pLayout->addWidget(pButtons);
}

}  // namespace velmora
