#include "gui/new_site_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/new_site.h"
#include "gui/gui_text.h"
#include "model/build_context.h"
#include "platform/dialogs.h"
#include "platform/drive_map.h"
#include "platform/strings.h"

namespace velmora {

namespace {

QLineEdit* NamedEdit(const char* szId) {
  auto* pEdit = new QLineEdit;
  pEdit->setObjectName(szId);
  return pEdit;
}

QPushButton* BrowseButton(const char* szId) {
  auto* pButton = new QPushButton("...");
  pButton->setObjectName(szId);
  pButton->setMaximumWidth(32);
  return pButton;
}

QRadioButton* Radio(const char* szId, const char* szText, QButtonGroup* pGroup, int nChoice) {
  auto* pRadio = new QRadioButton(szText);
  pRadio->setObjectName(szId);
  pGroup->addButton(pRadio, nChoice);
  return pRadio;
}

// A path typed or picked in host form ("/home/ann/site") is taken as its internal path; an
// empty field stays empty.
std::string InternalPathOf(const CDriveMap& drives, const QString& text) {
  const std::string path = Trim(FromQString(text));
  return path.empty() ? path : drives.PathFromUser(path);
}

// A catalog field: a host path is taken as its internal path; an empty or relative one stays
// as the user left it (the new site resolves it against its own folder).
std::string CatalogFieldOf(const CDriveMap& drives, const QString& text) {
  const std::string path = Trim(FromQString(text));
  return StartsWith(path, "/") ? drives.PathFromUser(path) : path;
}

}  // namespace

// The controls of one source of the site, templates or layout resources.
struct CNewSiteDlg::CSourceControls {
  QButtonGroup* m_pChoice;
  QLineEdit* m_pCatalog;
  QLineEdit* m_pAddress;
  const CDriveMap& m_drives;

  // Reads the fields with their separators completed, and shows the completed ones.
  CNewSiteSource Read() const {
    CNewSiteSource source;
    source.m_eChoice = static_cast<CNewSiteSource::EChoice>(m_pChoice->checkedId());
    source.m_strCatalog = CatalogFieldOf(m_drives, m_pCatalog->text());
    source.m_strAddress = Trim(FromQString(m_pAddress->text()));
    CompleteSeparators(source);
    m_pCatalog->setText(ToQString(source.m_strCatalog));
    m_pAddress->setText(ToQString(source.m_strAddress));
    return source;
  }
};

CNewSiteDlg::CNewSiteDlg(CBuildContext& ctx, QWidget* pParent) : QDialog(pParent), m_ctx(ctx) {
  setObjectName("160");
  setWindowTitle("New site");
  auto* pLayout = new QVBoxLayout(this);

  pLayout->addWidget(new QLabel("Site catalog with script file:"));
  auto* pScriptRow = new QHBoxLayout;
  m_pScriptPath = NamedEdit("1013");
  m_pScriptPath->setText(ToQString(ProposeScriptPath(m_ctx)));
  pScriptRow->addWidget(m_pScriptPath);
  QPushButton* pBrowseScript = BrowseButton("1014");
  connect(pBrowseScript, &QPushButton::clicked, this, &CNewSiteDlg::BrowseScript);
  pScriptRow->addWidget(pBrowseScript);
  pLayout->addLayout(pScriptRow);

  m_pTemplates = std::make_unique<CSourceControls>(
      AddSourceBox("Templates", {"1015", "1016", "1019", "1021", "1028", "1031"},
                   {"Use copy of standard templates", "Copy tempates from catalog:",
                    "( select a file in the actual catalog)", "Use templates from url:"}));
  m_pResources = std::make_unique<CSourceControls>(
      AddSourceBox("Layout resources", {"1017", "1018", "1020", "1022", "1029", "1030"},
                   {"Use copy of standard resources", "Copy resources from catalog:",
                    "(select a file in the actual catalog)", "Use resources from url:"}));

  m_pFrames = new QCheckBox("Use frames");
  m_pFrames->setObjectName("1023");
  pLayout->addWidget(m_pFrames);

  // The modern style writes the site's own templates and stylesheet at once; its pages carry
  // the language given here.
  auto* pStyleRow = new QHBoxLayout;
  pStyleRow->addWidget(new QLabel("Style:"));
  m_pStyle = new QComboBox;
  m_pStyle->setObjectName("style");
  m_pStyle->addItem("Classic: the built-in templates");
  m_pStyle->addItem("Modern: HTML5, fits phones, light and dark");
  pStyleRow->addWidget(m_pStyle, 1);
  pStyleRow->addWidget(new QLabel("Language:"));
  m_pLanguage = NamedEdit("language");
  m_pLanguage->setText("en");
  m_pLanguage->setMaximumWidth(80);
  m_pLanguage->setEnabled(false);
  pStyleRow->addWidget(m_pLanguage);
  pLayout->addLayout(pStyleRow);
  connect(m_pStyle, &QComboBox::currentIndexChanged, this,
          [this](int nIndex) { m_pLanguage->setEnabled(nIndex == 1); });
  pLayout->addWidget(
      new QLabel("You can change all settings later by editing the script, the templates or the "
                 "resources"));
  auto* pButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(pButtons, &QDialogButtonBox::accepted, this, &CNewSiteDlg::accept);
  connect(pButtons, &QDialogButtonBox::rejected, this, &CNewSiteDlg::reject);
  pLayout->addWidget(pButtons);
}

CNewSiteDlg::~CNewSiteDlg() = default;

CNewSiteDlg::CSourceControls CNewSiteDlg::AddSourceBox(const char* szTitle,
                                                       const std::array<const char*, 6>& ids,
                                                       const std::array<const char*, 4>& texts) {
  auto* pBox = new QGroupBox(szTitle);
  auto* pGrid = new QGridLayout(pBox);
  auto* pGroup = new QButtonGroup(pBox);
  QRadioButton* pStandard = Radio(ids[0], texts[0], pGroup, CNewSiteSource::kStandard);
  pStandard->setChecked(true);
  pGrid->addWidget(pStandard, 0, 0, 1, 3);
  pGrid->addWidget(Radio(ids[1], texts[1], pGroup, CNewSiteSource::kCatalog), 1, 0, 1, 3);
  QLineEdit* pCatalog = NamedEdit(ids[2]);
  pGrid->addWidget(pCatalog, 2, 0);
  QPushButton* pBrowse = BrowseButton(ids[3]);
  pGrid->addWidget(pBrowse, 2, 1);
  pGrid->addWidget(new QLabel(texts[2]), 2, 2);
  pGrid->addWidget(Radio(ids[4], texts[3], pGroup, CNewSiteSource::kAddress), 3, 0, 1, 3);
  QLineEdit* pAddress = NamedEdit(ids[5]);
  pGrid->addWidget(pAddress, 4, 0, 1, 3);
  static_cast<QBoxLayout*>(layout())->addWidget(pBox);
  connect(pBrowse, &QPushButton::clicked, this, [this, pGroup, pCatalog] {
    if (BrowseCatalog(pCatalog))
      pGroup->button(CNewSiteSource::kCatalog)->setChecked(true);
  });
  return {pGroup, pCatalog, pAddress, m_ctx.drives};
}

void CNewSiteDlg::BrowseScript() {
  QFileDialog dialog(this);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilter("Script Files (*.txt)");
  dialog.setDefaultSuffix("txt");
  const QString current =
      HostPath(m_ctx.drives, InternalPathOf(m_ctx.drives, m_pScriptPath->text()));
  dialog.selectFile(current.isEmpty() ? QString("script.txt") : current);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
    return;
  const std::string path = ChosenPath(dialog.selectedFiles().first());
  if (!path.empty())
    m_pScriptPath->setText(ToQString(path));
}

bool CNewSiteDlg::BrowseCatalog(QLineEdit* pCatalog) {
  QFileDialog dialog(this);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  const QString current = HostPath(m_ctx.drives, InternalPathOf(m_ctx.drives, pCatalog->text()));
  if (!current.isEmpty())
    dialog.setDirectory(current);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
    return false;
  const std::string path = ChosenPath(dialog.selectedFiles().first());
  const size_t slash = path.rfind('\\');
  if (slash == std::string::npos)
    return false;
  pCatalog->setText(ToQString(path.substr(0, slash + 1)));
  return true;
}

std::string CNewSiteDlg::ChosenPath(const QString& hostPath) {
  std::string path = InternalFromHost(m_ctx.drives, hostPath);
  if (path.empty())
    m_ctx.Dialogs().MessageBox(FromQString(hostPath) + " is on no drive of the program");
  return path;
}

void CNewSiteDlg::accept() {
  CNewSiteOptions options;
  options.m_strScriptPath = InternalPathOf(m_ctx.drives, m_pScriptPath->text());
  options.m_templates = m_pTemplates->Read();
  options.m_resources = m_pResources->Read();
  options.m_bFrames = m_pFrames->isChecked();
  options.m_eStyle =
      m_pStyle->currentIndex() == 1 ? ETemplateStyle::kModern : ETemplateStyle::kClassic;
  options.m_strLanguage = Trim(FromQString(m_pLanguage->text()));
  std::string text;
  if (!CreateNewSite(m_ctx, options, text))
    return;
  m_strScriptPath = options.m_strScriptPath;
  m_strScriptText = text;
  QDialog::accept();
}

}  // namespace velmora
