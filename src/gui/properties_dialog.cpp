#include "gui/properties_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

#include "platform/build_settings.h"

namespace velmora {

namespace {

// One box per switch; all but the last are ticked when their switch is off.
struct CSwitchBox {
  const char* m_szId;
  const char* m_szText;
  int CBuildSettings::*m_pSwitch;
  bool m_bNegated;
};

const CSwitchBox kBoxes[] = {
    {"1017", "Work OffLine  ( Use only local files and local copies of internet files)",
     &CBuildSettings::Internet, true},
    {"1018", "Skip building print-pages (if any)", &CBuildSettings::BuildPrintPages, true},
    {"1019", "Don't construct site index", &CBuildSettings::BuildIndex, true},
    {"1020", "Don't construct general collections, from COLLECT-lines in script",
     &CBuildSettings::BuildCollections, true},
    {"1021", "The site has no crossreferences by pagename, so don't check this",
     &CBuildSettings::CheckNameRefs, true},
    {"1022", "All images have correct pagerelative reference, so dont check and correct this",
     &CBuildSettings::CheckAllImages, true},
    {"1036", "Allow forward slashes (/) in filepaths in the script",
     &CBuildSettings::AllowForwardSlashes, false},
};

}  // namespace

CPropertiesDlg::CPropertiesDlg(CBuildSettings& settings, QWidget* pParent)
    : QDialog(pParent), m_settings(settings) {
  setObjectName("164");
  setWindowTitle("Properties");
  auto* pLayout = new QVBoxLayout(this);
  pLayout->addWidget(
      new QLabel("You can set some options that influence the performance of Velmora"));
  for (const CSwitchBox& box : kBoxes) {
    if (!box.m_bNegated) {
      auto* pLine = new QFrame;
      pLine->setFrameShape(QFrame::HLine);
      pLine->setFrameShadow(QFrame::Sunken);
      pLayout->addWidget(pLine);
    }
    auto* pBox = new QCheckBox(box.m_szText);
    pBox->setObjectName(box.m_szId);
    const bool bOn = m_settings.*box.m_pSwitch != 0;
    pBox->setChecked(box.m_bNegated ? !bOn : bOn);
    pLayout->addWidget(pBox);
    m_boxes.push_back(pBox);
  }
  pLayout->addWidget(new QLabel("This means that all URL's must start with http://"));
  auto* pButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(pButtons, &QDialogButtonBox::accepted, this, &CPropertiesDlg::accept);
  connect(pButtons, &QDialogButtonBox::rejected, this, &CPropertiesDlg::reject);
  pLayout->addWidget(pButtons);
}

void CPropertiesDlg::accept() {
  for (size_t i = 0; i < m_boxes.size(); ++i) {
    const bool bTicked = m_boxes[i]->isChecked();
    m_settings.*kBoxes[i].m_pSwitch = (kBoxes[i].m_bNegated ? !bTicked : bTicked) ? 1 : 0;
  }
  QDialog::accept();
}

}  // namespace velmora
