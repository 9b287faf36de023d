#include "gui/make_one_page_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

#include "app/commands.h"
#include "gui/gui_text.h"

namespace velmora {

CMakeOnePageDlg::CMakeOnePageDlg(const std::string& siteCatalog, QWidget* pParent)
    : QDialog(pParent),
      m_strHtmlTarget(OnePageTarget(siteCatalog, false)),
      m_strTextTarget(OnePageTarget(siteCatalog, true)) {
  setObjectName("163");
  setWindowTitle("Make one page");
  m_strTarget = m_strHtmlTarget;
  auto* pLayout = new QVBoxLayout(this);
  pLayout->addWidget(
      new QLabel("Will extract all PRINTABLE stuff from all pages and make one page:"));
  m_pTarget = new QLabel(ToQString(m_strTarget));
  m_pTarget->setObjectName("1015");
  m_pTarget->setAlignment(Qt::AlignCenter);
  pLayout->addWidget(m_pTarget);
  auto* pTextOnly = new QCheckBox("Extract only text (remove all tags)");
  pTextOnly->setObjectName("1016");
  connect(pTextOnly, &QCheckBox::toggled, this, &CMakeOnePageDlg::OnTextOnly);
  pLayout->addWidget(pTextOnly);
  auto* pButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(pButtons, &QDialogButtonBox::accepted, this, &CMakeOnePageDlg::accept);
  connect(pButtons, &QDialogButtonBox::rejected, this, &CMakeOnePageDlg::reject);
  pLayout->addWidget(pButtons);
}

void CMakeOnePageDlg::OnTextOnly(bool bTicked) {
  m_bTextOnly = bTicked;
  m_strTarget = bTicked ? m_strTextTarget : m_strHtmlTarget;
  m_pTarget->setText(ToQString(m_strTarget));
}

}  // namespace velmora
