#include "gui/quarn_view.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QFontMetrics>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QResizeEvent>
#include <QUrl>

#include "app/commands.h"
#include "build/replace_tool.h"
#include "gui/gui_text.h"
#include "gui/long_command.h"
#include "gui/make_one_page_dialog.h"
#include "gui/progress_pane.h"
#include "gui/properties_dialog.h"
#include "gui/quarn_doc.h"
#include "gui/replace_dialog.h"
#include "gui/report_pane.h"
#include "gui/script_text.h"
#include "model/build_context.h"
#include "platform/build_settings.h"
#include "platform/dialogs.h"
#include "platform/report.h"
#include "res/messages.h"
#include "serve/preview_server.h"

namespace velmora {

namespace {
constexpr int kFormWidth = 356;  // dialog units
constexpr int kFormHeight = 250;
constexpr int kScriptLeft = 7;
constexpr int kScriptTop = 20;

// Disables the other commands while one runs and tells the frame before and after.
class CCommandScope {
 public:
  explicit CCommandScope(CQuarnView& view) : m_view(view) { emit m_view.stateChanged(); }
  ~CCommandScope() {
    m_run.reset();
    emit m_view.stateChanged();
  }

 private:
  CQuarnView& m_view;
  std::unique_ptr<CLongCommand> m_run = std::make_unique<CLongCommand>();
};
}  // namespace

CQuarnView::CQuarnView(CQuarnDoc& doc, QWidget* pParent)
    : QWidget(pParent), m_doc(doc), m_session(doc.Context()) {
  m_pScriptLabel = new QLabel("Script", this);
  m_pScript = new QPlainTextEdit(this);
  m_pScript->setLineWrapMode(QPlainTextEdit::NoWrap);
  m_pScript->setTabChangesFocus(false);
  m_pProgress = new QProgressBar(this);
  m_pProgress->setOrientation(Qt::Vertical);
  m_pProgress->setTextVisible(false);
  m_pProgress->setVisible(false);
  m_pReport = new QPlainTextEdit(this);
  m_pReport->setLineWrapMode(QPlainTextEdit::NoWrap);
  m_pReport->setReadOnly(true);
  m_pReportLabel = new QLabel("Report", this);
  m_pListLabel = new QLabel("Published pages (rel. filename)", this);
  m_pList = new QListWidget(this);
  m_pList->setSelectionMode(QAbstractItemView::MultiSelection);
  m_pOnline = new QCheckBox("Work OnLine", this);

  const QSize origin = DialogUnits(kScriptLeft, kScriptTop);
  m_pScript->move(origin.width(), origin.height());

  m_pReportPane = std::make_unique<CReportPane>(m_pReport);
  m_pProgressPane = std::make_unique<CProgressPane>(m_pProgress);
  m_session.m_pReportWindow = m_pReportPane.get();
  m_doc.Context().report.SetWindow(m_pReportPane.get());
  m_doc.Context().SetProgress(m_pProgressPane.get());
  m_pOnline->setChecked(m_doc.Context().settings.Internet != 0);

  connect(m_pScript, &QPlainTextEdit::textChanged, this, [this] {
    if (!m_bShowingScript)
      m_doc.SetModified(true);
    emit stateChanged();
  });
  connect(m_pScript, &QPlainTextEdit::copyAvailable, this, [this] { emit stateChanged(); });
  connect(m_pList, &QListWidget::itemSelectionChanged, this, [this] { emit stateChanged(); });
  setMouseTracking(true);
  // An entry opens its page on a double click or Enter, as Browse selected does.
  m_pList->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(m_pList, &QListWidget::customContextMenuRequested, this, &CQuarnView::ShowListMenu);
  connect(m_pList, &QListWidget::itemActivated, this, [this](QListWidgetItem* pItem) {
    if (!CLongCommand::IsRunning())
      Browse(PageTarget(static_cast<size_t>(m_pList->row(pItem))));
  });
  connect(m_pOnline, &QCheckBox::toggled, this, [this](bool bOn) {
    m_doc.Context().settings.Internet = bOn ? 1 : 0;
    emit stateChanged();
  });
}

CQuarnView::~CQuarnView() {
  StopPreview();
  if (m_doc.Context().report.Window() == m_pReportPane.get())
    m_doc.Context().report.SetWindow(nullptr);
  if (&m_doc.Context().Progress() == m_pProgressPane.get())
    m_doc.Context().SetProgress(nullptr);
}

QSize CQuarnView::DialogUnits(int x, int y) const {
  QFontMetrics metrics(font());
  return QSize(x * metrics.averageCharWidth() / 4, y * metrics.height() / 8);
}

QSize CQuarnView::sizeHint() const {
  return DialogUnits(kFormWidth, kFormHeight);
}

void CQuarnView::resizeEvent(QResizeEvent* pEvent) {
  QWidget::resizeEvent(pEvent);
  LayOut(pEvent->size().width(), pEvent->size().height());
}

// The script takes the left part (half unless the user moved the split); the report the upper
// and the list the lower half of the right part; the progress bar stands in the band between
// them. L and T are where the script window starts; labels are as tall as the font needs.
void CQuarnView::LayOut(int cx, int cy) {
  const int L = m_pScript->x();
  const int T = m_pScript->y();
  const int S = cx * m_nSplit / 1000;
  const int label = fontMetrics().height() + 2;
  auto place = [](QWidget* pWidget, int x, int y, int width, int height) {
    pWidget->setGeometry(x, y, qMax(0, width), qMax(0, height));
  };
  place(m_pScript, L, T, S - 2 * L, cy - 2 * T);
  place(m_pOnline, L, cy - T, S - 2 * L, T);
  place(m_pReport, L + S, T, cx - S - 2 * L, cy / 2 - T);
  place(m_pList, L + S, cy / 2 + T, cx - S - 2 * L, cy / 2 + T / 2 - 2 * T);
  place(m_pScriptLabel, L, T - label - 1, S - 2 * L, label);
  place(m_pReportLabel, L + S, T - label - 1, cx - S - 2 * L, label);
  place(m_pListLabel, L + S, cy / 2 + T - label - 1, cx - S - 2 * L, label);
  place(m_pProgress, S - L / 2, T, L, cy + T / 2 - 2 * T);
}

void CQuarnView::SetSplit(int nSplit) {
  m_nSplit = qBound(200, nSplit, 800);
  LayOut(width(), height());
}

bool CQuarnView::InSplitBand(int x) const {
  const int S = width() * m_nSplit / 1000;
  return x >= S - m_pScript->x() && x <= S + m_pScript->x();
}

void CQuarnView::mousePressEvent(QMouseEvent* pEvent) {
  m_bDraggingSplit = pEvent->button() == Qt::LeftButton && InSplitBand(pEvent->position().x());
  QWidget::mousePressEvent(pEvent);
}

void CQuarnView::mouseMoveEvent(QMouseEvent* pEvent) {
  const int x = pEvent->position().x();
  if (m_bDraggingSplit && width() > 0)
    SetSplit(x * 1000 / width());
  setCursor(m_bDraggingSplit || InSplitBand(x) ? Qt::SplitHCursor : Qt::ArrowCursor);
  QWidget::mouseMoveEvent(pEvent);
}

void CQuarnView::mouseReleaseEvent(QMouseEvent* pEvent) {
  m_bDraggingSplit = false;
  QWidget::mouseReleaseEvent(pEvent);
}

void CQuarnView::ShowListMenu(const QPoint& position) {
  if (CLongCommand::IsRunning() || !HasSelection())
    return;
  QMenu menu(this);
  menu.addAction("Build", this, &CQuarnView::OnBuildSelected);
  menu.addAction("Check", this, &CQuarnView::OnCheckSelected);
  menu.addAction("Browse", this, &CQuarnView::OnBrowseSelected);
  menu.exec(m_pList->viewport()->mapToGlobal(position));
}

void CQuarnView::ShowScript(const std::string& bytes) {
  m_bShowingScript = true;
  m_pScript->setPlainText(ScriptToText(bytes, m_doc.m_encoding));
  m_bShowingScript = false;
}

std::string CQuarnView::ScriptBytes() const {
  return TextToScript(m_pScript->document()->toRawText(), m_doc.m_encoding);
}

bool CQuarnView::IsScriptEmpty() const {
  return m_pScript->document()->isEmpty();
}

int CQuarnView::ScriptLineCount() const {
  return IsScriptEmpty() ? 0 : m_pScript->document()->blockCount();
}

void CQuarnView::OnUpdate() {
  m_doc.Context().report.SetWindow(m_pReportPane.get());
  if (m_pPreview && m_pPreview->ScriptPath() != m_doc.PathName())
    StopPreview();
  ShowScript(m_doc.m_strText);
  if (!IsScriptEmpty()) {
    LoadAndInterpret();
    return;
  }
  // A site of the previous document must not stay behind an empty one.
  m_session.m_publishedList.Clear();
  m_session.m_pWebSite.reset();
  FillPublishedList();
}

// The session interprets the script as it is in the window, with CR LF line ends and without
// byte-order mark: a script saved as UTF-16 or UTF-32 is interpreted as UTF-8.
void CQuarnView::PrepareSession() {
  CScriptEncoding forInterpreting = m_doc.m_encoding;
  forInterpreting.m_strLineEnd = "\r\n";
  forInterpreting.m_eMark = ETextEncoding::kPlain;
  m_session.m_strScriptText = TextToScript(m_pScript->document()->toRawText(), forInterpreting);
  m_session.m_eScriptEncoding = m_doc.m_encoding.m_eMark;
  m_session.m_strScriptPath = m_doc.PathName();
  emit interpretStarting();
}

bool CQuarnView::LoadAndInterpret() {
  CCommandScope scope(*this);
  PrepareSession();
  const std::string sent = m_session.m_strScriptText;
  bool ok = false;
  CLongCommand::Run([&] { ok = m_session.LoadAndInterpret(); });
  AfterInterpret(sent);
  return ok;
}

// Refills the list and, when an older script was converted, shows the new text, which the
// conversion has also written to the script file.
void CQuarnView::AfterInterpret(const std::string& sentText) {
  FillPublishedList();
  if (m_session.m_strScriptText == sentText)
    return;
  if (m_doc.HasPath()) {
    m_doc.Adopt(m_doc.PathName(),
                EncodeText(m_session.m_strScriptText, m_session.m_eScriptEncoding));
    ShowScript(m_doc.m_strText);
  } else {
    ShowScript(m_session.m_strScriptText);
  }
  emit scriptConverted();
}

void CQuarnView::FillPublishedList() {
  {
    QSignalBlocker blocker(m_pList);
    m_pList->clear();
    for (const CPublishedList::CEntry& entry : m_session.m_publishedList.m_entries) {
      auto* pItem = new QListWidgetItem(DisplayText(entry.m_strName), m_pList);
      pItem->setSelected(entry.m_bSelected);
    }
  }
  emit stateChanged();
}

bool CQuarnView::HasSelection() const {
  return !m_pList->selectedItems().isEmpty();
}

std::vector<size_t> CQuarnView::SelectedPositions() const {
  std::vector<size_t> positions;
  for (int i = 0; i < m_pList->count(); ++i)
    if (m_pList->item(i)->isSelected())
      positions.push_back(static_cast<size_t>(i));
  return positions;
}

void CQuarnView::RunSiteWork(ESiteWork work, bool bSelected) {
  CCommandScope scope(*this);
  std::vector<size_t> positions;
  if (bSelected)
    positions = SelectedPositions();
  PrepareSession();
  const std::string sent = m_session.m_strScriptText;
  CLongCommand::Run([&] {
    velmora::RunSiteWork(m_session, work, bSelected ? &positions : nullptr,
                         [&] { OnGuiThread([&] { AfterInterpret(sent); }); });
  });
}

void CQuarnView::OnInterpret() {
  LoadAndInterpret();
}

void CQuarnView::OnBuildAll() {
  RunSiteWork(ESiteWork::kBuild, false);
}

void CQuarnView::OnBuildSelected() {
  RunSiteWork(ESiteWork::kBuild, true);
}

void CQuarnView::OnCheckAll() {
  RunSiteWork(ESiteWork::kCheck, false);
}

void CQuarnView::OnCheckSelected() {
  RunSiteWork(ESiteWork::kCheck, true);
}

void CQuarnView::OnMakeOnePage() {
  if (!HasSite()) {
    m_doc.Context().Dialogs().MessageBox(Message(EMessage::kNoSite));
    return;
  }
  CMakeOnePageDlg dialog(m_session.m_pWebSite->m_strCatalog, this);
  if (dialog.exec() != QDialog::Accepted)
    return;
  CCommandScope scope(*this);
  CLongCommand::Run([&] { PrintCommand(m_session, dialog.m_bTextOnly, dialog.m_strTarget); });
}

void CQuarnView::OnReplace() {
  if (!HasSite()) {
    m_doc.Context().Dialogs().MessageBox(Message(EMessage::kNoSite));
    return;
  }
  CReplaceTool tool(*m_session.m_pWebSite);
  CReplaceDlg dialog(tool, this);
  if (dialog.exec() != QDialog::Accepted)
    return;
  CCommandScope scope(*this);
  CLongCommand::Run(
      [&] { tool.Replace(dialog.m_strFind, dialog.m_strWith, dialog.m_chosenFiles); });
}

std::string CQuarnView::BrowseTarget() {
  if (!HasSite()) {
    m_doc.Context().Dialogs().MessageBox(Message(EMessage::kNoSite));
    return "";
  }
  const std::vector<size_t> positions = SelectedPositions();
  const std::string target = positions.empty() ? "" : PageTarget(positions.front());
  if (target.empty())
    m_doc.Context().Dialogs().MessageBox(Message(EMessage::kNoPageSelected));
  return target;
}

std::string CQuarnView::PageTarget(size_t nPosition) const {
  const auto& entries = m_session.m_publishedList.m_entries;
  if (!HasSite() || nPosition >= entries.size())
    return "";
  return m_session.m_pWebSite->m_strCatalog + entries[nPosition].m_strName;
}

// The browser's own failure to show the page is not reported.
void CQuarnView::Browse(const std::string& target) {
  const QString host = HostPath(m_doc.Context().drives, target);
  if (!host.isEmpty())
    QDesktopServices::openUrl(QUrl::fromLocalFile(host));
}

void CQuarnView::OnBrowseSelected() {
  Browse(BrowseTarget());
}

// The site is interpreted again after the dialog either way: the switches may change what
// interpretation does. An empty script window is left alone.
void CQuarnView::OnProperties() {
  CPropertiesDlg dialog(m_doc.Context().settings, this);
  dialog.exec();
  m_pOnline->setChecked(m_doc.Context().settings.Internet != 0);
  if (!IsScriptEmpty())
    LoadAndInterpret();
}

void CQuarnView::OnPreview() {
  if (!m_doc.HasPath())
    return;
  if (!m_pPreview) {
    CCommandScope scope(*this);
    auto pPreview = std::make_unique<CPreviewServer>(m_doc.Context(), m_doc.PathName());
    bool ok = false;
    std::string error;
    CLongCommand::Run([&] { ok = pPreview->Start("127.0.0.1", 0, error); });
    if (!ok) {
      if (!error.empty())
        m_doc.Context().Dialogs().MessageBox("The preview cannot be served: " + error);
      return;
    }
    m_pPreview = std::move(pPreview);
  }
  QDesktopServices::openUrl(QUrl(QString::fromStdString(m_pPreview->HomeUrl())));
}

void CQuarnView::AfterSave() {
  if (!m_pPreview)
    return;
  if (m_pPreview->ScriptPath() != m_doc.PathName()) {
    StopPreview();
    return;
  }
  CCommandScope scope(*this);
  CLongCommand::Run([&] { m_pPreview->Rebuild(); });
}

void CQuarnView::StopPreview() {
  if (m_pPreview)
    m_pPreview->Stop();
  m_pPreview.reset();
}

}  // namespace velmora
