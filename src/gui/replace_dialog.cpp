#include "gui/replace_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "build/replace_tool.h"
#include "gui/gui_text.h"

namespace velmora {

namespace {
// The exact bytes of a file name, kept beside the text shown.
constexpr int kBytesRole = Qt::UserRole;
}  // namespace

CReplaceDlg::CReplaceDlg(CReplaceTool& tool, QWidget* pParent) : QDialog(pParent), m_tool(tool) {
  setObjectName("162");
  setWindowTitle("Replace");
  auto* pLayout = new QGridLayout(this);
  pLayout->addWidget(new QLabel("Replace: "), 0, 0);
  m_pFind = new QLineEdit;
  m_pFind->setObjectName("1026");
  pLayout->addWidget(m_pFind, 0, 1);
  pLayout->addWidget(
      new QLabel("with:  ( if the text starts with # , the rest is interpreted as a file or URL)"),
      1, 0, 1, 2);
  m_pWith = new QLineEdit;
  m_pWith->setObjectName("1027");
  pLayout->addWidget(m_pWith, 2, 0, 1, 2);
  pLayout->addWidget(new QLabel("in selected files:"), 3, 0, 1, 2);
  m_pFiles = new QListWidget;
  m_pFiles->setObjectName("1003");
  m_pFiles->setSelectionMode(QAbstractItemView::ExtendedSelection);
  m_pFiles->setSortingEnabled(true);
  pLayout->addWidget(m_pFiles, 4, 0, 1, 2);
  auto* pToggle = new QPushButton("Select / unselect all");
  pToggle->setObjectName("1028");
  connect(pToggle, &QPushButton::clicked, this, &CReplaceDlg::ToggleAll);
  pLayout->addWidget(pToggle, 5, 0);
  auto* pWarning =
      new QLabel("You should be very carefull with this operation !\n\nNo undo is available");
  pWarning->setObjectName("warning");
  pLayout->addWidget(pWarning, 6, 0, 1, 2);
  auto* pButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(pButtons, &QDialogButtonBox::accepted, this, &CReplaceDlg::accept);
  connect(pButtons, &QDialogButtonBox::rejected, this, &CReplaceDlg::reject);
  pLayout->addWidget(pButtons, 7, 0, 1, 2);

  for (const std::string& name : m_tool.FillCandidates()) {
    if (name.empty())
      continue;
    auto* pItem = new QListWidgetItem(ToQString(name));
    pItem->setData(kBytesRole, QByteArray::fromStdString(name));
    m_pFiles->addItem(pItem);
  }
}

void CReplaceDlg::ToggleAll() {
  if (m_pFiles->count() == 0)
    return;
  m_bSelectAll = !m_bSelectAll;
  if (m_bSelectAll)
    m_pFiles->selectAll();
  else
    m_pFiles->clearSelection();
}

void CReplaceDlg::accept() {
  m_strFind = FromQString(m_pFind->text());
  m_strWith = FromQString(m_pWith->text());
  m_chosenFiles.clear();
  for (int i = 0; i < m_pFiles->count(); ++i) {
    QListWidgetItem* pItem = m_pFiles->item(i);
    if (pItem->isSelected())
      m_chosenFiles.push_back(pItem->data(kBytesRole).toByteArray().toStdString());
  }
  QDialog::accept();
}

}  // namespace velmora
