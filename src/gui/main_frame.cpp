#include "gui/main_frame.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QUrl>
#include <cstdlib>

#include "app/settings_store.h"
#include "gui/about_dialog.h"
#include "gui/gui_dialogs.h"
#include "gui/gui_text.h"
#include "gui/long_command.h"
#include "gui/new_site_dialog.h"
#include "gui/progress_pane.h"
#include "gui/quarn_view.h"
#include "gui/script_format_dialog.h"
#include "gui/tool_icons.h"
#include "model/build_context.h"
#include "platform/build_settings.h"
#include "platform/dialogs.h"
#include "platform/disk.h"
#include "platform/drive_map.h"
#include "res/messages.h"

namespace velmora {

namespace {
const char kAppTitle[] = "Quarn20";

// The start folder of a file dialog: the document's folder, else drive C.
QString DialogFolder(const CDriveMap& drives, const std::string& documentPath) {
  const QString host = HostPath(drives, documentPath);
  if (!host.isEmpty())
    return host.left(host.lastIndexOf('/'));
  return QString::fromStdString(drives.HostFolder('C'));
}

// A file chosen in a dialog as an internal path; empty, after a message box, when no drive
// holds it.
std::string InternalPath(CBuildContext& ctx, const QString& hostPath) {
  const std::string internal = InternalFromHost(ctx.drives, hostPath);
  if (internal.empty())
    ctx.Dialogs().MessageBox("The file lies on no drive of the program: " + hostPath.toStdString());
  return internal;
}
}  // namespace

CMainFrame::CMainFrame(CBuildContext& ctx, QWidget* pParent)
    : QMainWindow(pParent), m_ctx(ctx), m_doc(ctx) {
  m_pDialogs = std::make_unique<CGuiDialogs>(this);
  m_pDialogs->m_onConversionAnswered = [this] { m_bSkipReloadCheck = true; };
  m_ctx.SetDialogs(m_pDialogs.get());
  m_doc.NewDocument();
  m_pView = new CQuarnView(m_doc, this);
  setCentralWidget(m_pView);
  setWindowIcon(ProgramIcon());
  setAcceptDrops(true);

  MakeActions();
  MakeMenus();
  MakeToolBar();
  connect(statusBar(), &QStatusBar::messageChanged, this, [this](const QString& text) {
    if (text.isEmpty())
      statusBar()->showMessage("Ready");
  });
  statusBar()->showMessage("Ready");

  m_recent.Load();
  FillRecentFiles();
  m_pScriptFormatDlg = new CScriptFormatDlg(this);
  m_pScriptFormatDlg->hide();

  connect(m_pView, &CQuarnView::stateChanged, this, &CMainFrame::UpdateActions);
  m_pView->ProgressPane().m_onWorking = [this](const std::string& path) {
    statusBar()->showMessage(DisplayText(path));
    m_bShowingWork = true;
  };
  connect(m_pView, &CQuarnView::interpretStarting, this, &CMainFrame::RememberScriptTime);
  connect(m_pView, &CQuarnView::scriptConverted, this, [this] { m_bSkipReloadCheck = true; });
  connect(qApp, &QApplication::focusChanged, this, &CMainFrame::UpdateActions);
  UpdateTitle();
  UpdateActions();
}

// The children go after this body; nothing may update them on the way.
CMainFrame::~CMainFrame() {
  QObject::disconnect(qApp, nullptr, this, nullptr);
  QObject::disconnect(m_pView, nullptr, this, nullptr);
  m_actions.clear();
  m_recentActions.clear();
  if (&m_ctx.Dialogs() == m_pDialogs.get())
    m_ctx.SetDialogs(nullptr);
}

QAction* CMainFrame::Action(int nId) const {
  auto it = m_actions.find(nId);
  return it == m_actions.end() ? nullptr : it->second;
}

// The prompt is the status-bar text and the tooltip, separated by "\n".
QAction* CMainFrame::AddAction(int nId, const QString& text, const QString& prompt) {
  auto* pAction = new QAction(text, this);
  if (!prompt.isEmpty()) {
    pAction->setStatusTip(prompt.section('\n', 0, 0));
    pAction->setToolTip(prompt.section('\n', 1));
  }
  pAction->setIcon(CommandIcon(nId));
  pAction->setIconVisibleInMenu(false);
  m_actions[nId] = pAction;
  return pAction;
}

void CMainFrame::MakeActions() {
  auto on = [this](int nId, auto handler) {
    connect(Action(nId), &QAction::triggered, this, handler);
  };
  AddAction(kIdFileNew, "&New\tCtrl+N", "Create a new document\nNew")
      ->setShortcut(QKeySequence("Ctrl+N"));
  AddAction(kIdFileOpen, "&Open...\tCtrl+O", "Open an existing document\nOpen")
      ->setShortcut(QKeySequence("Ctrl+O"));
  AddAction(kIdFileReload, "&Reload\tCtrl+R", "Reload Script\nreload")
      ->setShortcut(QKeySequence("Ctrl+R"));
  AddAction(kIdFileSave, "&Save\tCtrl+S", "Save the active document\nSave")
      ->setShortcut(QKeySequence("Ctrl+S"));
  AddAction(kIdFileSaveAs, "Save &As...", "Save the active document with a new name\nSave As");
  AddAction(kIdFileMru, "Recent File", "Open this document\nRecent file")->setEnabled(false);
  AddAction(kIdAppExit, "E&xit", "Quit the application; prompts to save documents\nExit");
  on(kIdFileNew, &CMainFrame::OnFileNew);
  on(kIdFileOpen, &CMainFrame::OnFileOpen);
  on(kIdFileReload, &CMainFrame::OnReload);
  on(kIdFileSave, &CMainFrame::OnSave);
  on(kIdFileSaveAs, &CMainFrame::OnSaveAs);
  on(kIdAppExit, &CMainFrame::OnExit);

  QPlainTextEdit* pScript = m_pView->ScriptWindow();
  AddAction(kIdEditUndo, "Undo", "Undo the last action\nUndo")
      ->setShortcuts({QKeySequence("Ctrl+Z"), QKeySequence("Alt+Backspace")});
  AddAction(kIdEditCut, "Cut\tCtrl+X", "Cut the selection and put it on the Clipboard\nCut")
      ->setShortcuts({QKeySequence("Ctrl+X"), QKeySequence("Shift+Del")});
  AddAction(kIdEditCopy, "Copy\tCtrl+C", "Copy the selection and put it on the Clipboard\nCopy")
      ->setShortcuts({QKeySequence("Ctrl+C"), QKeySequence("Ctrl+Ins")});
  AddAction(kIdEditPaste, "Paste\tCtrl+V", "Insert Clipboard contents\nPaste")
      ->setShortcuts({QKeySequence("Ctrl+V"), QKeySequence("Shift+Ins")});
  connect(Action(kIdEditUndo), &QAction::triggered, pScript, &QPlainTextEdit::undo);
  connect(Action(kIdEditCut), &QAction::triggered, pScript, &QPlainTextEdit::cut);
  connect(Action(kIdEditCopy), &QAction::triggered, pScript, &QPlainTextEdit::copy);
  connect(Action(kIdEditPaste), &QAction::triggered, pScript, &QPlainTextEdit::paste);

  AddAction(kIdInterpret, "Interpret script",
            "Interpret script and establish structure\ninterpret script");
  AddAction(kIdBuildAll, "Build all pages", "Build all pages\nbuild all");
  AddAction(kIdBuildSelected, "Build selected pages", "Build selected pages\nbuild selected");
  AddAction(kIdCheckAll, "Check all pages", "Check all pages\nCheck all");
  AddAction(kIdCheckSelected, "Check selected pages", "Check selected pages\ncheck selected");
  AddAction(kIdMakeOnePage, "Make printable page...");
  AddAction(kIdReplace, "Replace...");
  AddAction(kIdBrowseSelected, "Browse selected");
  AddAction(kIdBrowseXReport, "Browse X-report");
  AddAction(kIdPreview, "Preview",
            "Serve the site on this computer, open its home page and build it again after each "
            "Save\nPreview");
  on(kIdPreview, &CMainFrame::OnPreview);
  AddAction(kIdStop, "Stop\tEsc", "Stop the build or check after the current page\nStop")
      ->setShortcut(QKeySequence(Qt::Key_Escape));
  connect(Action(kIdStop), &QAction::triggered, this, [this] {
    CLongCommand::RequestStop();
    statusBar()->showMessage("Stopping after the current page...");
  });
  CQuarnView* pView = m_pView;
  connect(Action(kIdInterpret), &QAction::triggered, pView, &CQuarnView::OnInterpret);
  connect(Action(kIdBuildAll), &QAction::triggered, pView, &CQuarnView::OnBuildAll);
  connect(Action(kIdBuildSelected), &QAction::triggered, pView, &CQuarnView::OnBuildSelected);
  connect(Action(kIdCheckAll), &QAction::triggered, pView, &CQuarnView::OnCheckAll);
  connect(Action(kIdCheckSelected), &QAction::triggered, pView, &CQuarnView::OnCheckSelected);
  connect(Action(kIdMakeOnePage), &QAction::triggered, pView, &CQuarnView::OnMakeOnePage);
  connect(Action(kIdReplace), &QAction::triggered, pView, &CQuarnView::OnReplace);
  connect(Action(kIdBrowseSelected), &QAction::triggered, pView, &CQuarnView::OnBrowseSelected);

  AddAction(kIdProperties, "When building...");
  connect(Action(kIdProperties), &QAction::triggered, pView, &CQuarnView::OnProperties);
  AddAction(kIdScriptFormat, "Scriptformat...");
  AddAction(kIdBrowseDocumentation, "Browse Velmora Documentation");
  AddAction(kIdAppAbout, "&About Velmora...",
            "Display program information, version number and copyright\nAbout");
  on(kIdScriptFormat, &CMainFrame::OnScriptFormat);
  on(kIdBrowseDocumentation, &CMainFrame::OnBrowseDocumentation);
  on(kIdAppAbout, &CMainFrame::OnAbout);

  // Keys without a menu entry: printing the script, and moving between the three panes.
  auto* pPrint = new QAction("Print", this);
  pPrint->setShortcut(QKeySequence("Ctrl+P"));
  connect(pPrint, &QAction::triggered, this, &CMainFrame::OnPrint);
  auto* pNextPane = new QAction("Next Pane", this);
  pNextPane->setShortcut(QKeySequence("F6"));
  connect(pNextPane, &QAction::triggered, this, [this] { OnNextPane(1); });
  auto* pPreviousPane = new QAction("Previous Pane", this);
  pPreviousPane->setShortcut(QKeySequence("Shift+F6"));
  connect(pPreviousPane, &QAction::triggered, this, [this] { OnNextPane(-1); });
  addActions({pPrint, pNextPane, pPreviousPane});
}

void CMainFrame::MakeMenus() {
  m_pFileMenu = menuBar()->addMenu("&File");
  for (int nId : {kIdFileNew, kIdFileOpen, kIdFileReload, kIdFileSave, kIdFileSaveAs})
    m_pFileMenu->addAction(Action(nId));
  m_pFileMenu->addSeparator();
  m_pFileMenu->addAction(Action(kIdFileMru));
  m_pRecentSeparator = m_pFileMenu->addSeparator();
  m_pFileMenu->addAction(Action(kIdAppExit));

  QMenu* pEdit = menuBar()->addMenu("&Edit");
  pEdit->addAction(Action(kIdEditUndo));
  pEdit->addSeparator();
  for (int nId : {kIdEditCut, kIdEditCopy, kIdEditPaste}) pEdit->addAction(Action(nId));
  connect(pEdit, &QMenu::aboutToShow, this, &CMainFrame::UpdateActions);

  QMenu* pTools = menuBar()->addMenu("&Tools");
  for (int nId : {kIdInterpret, kIdBuildAll, kIdBuildSelected, kIdCheckAll, kIdCheckSelected,
                  kIdMakeOnePage, kIdReplace, kIdBrowseSelected, kIdBrowseXReport, kIdPreview})
    pTools->addAction(Action(nId));
  pTools->addSeparator();
  pTools->addAction(Action(kIdStop));

  m_pViewMenu = menuBar()->addMenu("&View");

  QMenu* pProperties = menuBar()->addMenu("&Properties");
  pProperties->addAction(Action(kIdProperties));

  QMenu* pHelp = menuBar()->addMenu("&Help");
  for (int nId : {kIdScriptFormat, kIdBrowseDocumentation}) pHelp->addAction(Action(nId));
  pHelp->addSeparator();
  pHelp->addAction(Action(kIdAppAbout));
}

void CMainFrame::MakeToolBar() {
  m_pToolBar = new QToolBar("Toolbar", this);
  m_pToolBar->setObjectName("toolbar");
  m_pToolBar->setIconSize(QSize(16, 16));
  m_pToolBar->setAllowedAreas(Qt::AllToolBarAreas);
  m_pToolBar->setMovable(true);
  m_pToolBar->setFloatable(true);
  for (int nId : {kIdFileReload, kIdFileSave, kIdAppAbout, kIdInterpret, kIdBuildAll,
                  kIdBuildSelected, kIdCheckAll, kIdCheckSelected, kIdPreview, kIdStop})
    m_pToolBar->addAction(Action(nId));
  addToolBar(Qt::TopToolBarArea, m_pToolBar);

  QAction* pToolbar = m_pToolBar->toggleViewAction();
  pToolbar->setText("&Toolbar");
  pToolbar->setStatusTip("Show or hide the toolbar");
  m_actions[kIdViewToolbar] = pToolbar;
  QAction* pStatusBar =
      AddAction(kIdViewStatusBar, "&Status Bar", "Show or hide the status bar\nToggle StatusBar");
  pStatusBar->setCheckable(true);
  pStatusBar->setChecked(true);
  connect(pStatusBar, &QAction::toggled, this, [this](bool bOn) { statusBar()->setVisible(bOn); });
  m_pViewMenu->addAction(pToolbar);
  m_pViewMenu->addAction(pStatusBar);
}

// The recent files stand in the File menu between "Recent File" (shown only while the list is
// empty) and the separator above Exit.
void CMainFrame::FillRecentFiles() {
  for (QAction* pAction : m_recentActions) {
    m_pFileMenu->removeAction(pAction);
    pAction->deleteLater();
  }
  m_recentActions.clear();
  const std::vector<std::string>& files = m_recent.Files();
  Action(kIdFileMru)->setVisible(files.empty());
  for (size_t i = 0; i < files.size(); ++i) {
    const std::string path = files[i];
    auto* pAction = new QAction(QString("&%1 %2").arg(i + 1).arg(DisplayText(path)), this);
    pAction->setStatusTip("Open this document");
    connect(pAction, &QAction::triggered, this, [this, path] { OpenRecentFile(path); });
    m_pFileMenu->insertAction(m_pRecentSeparator, pAction);
    m_recentActions.push_back(pAction);
  }
  UpdateActions();
}

bool CMainFrame::IsBusy() const {
  return CLongCommand::IsRunning();
}

void CMainFrame::UpdateActions() {
  if (!m_pView || m_actions.empty())
    return;
  const bool bIdle = !IsBusy();
  const bool bSite = bIdle && m_pView->HasSite();
  const bool bSelection = bSite && m_pView->HasSelection();
  QPlainTextEdit* pScript = m_pView->ScriptWindow();
  const bool bScriptFocus = pScript->hasFocus();
  auto enable = [this](int nId, bool bOn) { Action(nId)->setEnabled(bOn); };

  enable(kIdStop, !bIdle);
  if (bIdle && m_bShowingWork) {
    m_bShowingWork = false;
    statusBar()->showMessage("Ready");
  }
  enable(kIdFileNew, bIdle);
  enable(kIdFileOpen, bIdle);
  enable(kIdFileReload, bIdle && m_doc.HasPath());
  enable(kIdFileSave, bIdle && m_doc.HasPath() && m_doc.IsModified());
  enable(kIdFileSaveAs, bIdle && m_pView->ScriptLineCount() > 1);
  enable(kIdAppExit, bIdle);
  for (QAction* pAction : m_recentActions) pAction->setEnabled(bIdle);
  enable(kIdEditUndo, bScriptFocus);
  enable(kIdEditCut, bScriptFocus && pScript->textCursor().hasSelection());
  enable(kIdEditCopy, bScriptFocus && pScript->textCursor().hasSelection());
  enable(kIdEditPaste, bScriptFocus);
  enable(kIdInterpret, bIdle && !m_pView->IsScriptEmpty());
  enable(kIdBuildAll, bSite);
  enable(kIdBuildSelected, bSelection);
  enable(kIdCheckAll, bSite);
  enable(kIdCheckSelected, bSelection);
  enable(kIdMakeOnePage, bSite);
  enable(kIdReplace, bSite);
  enable(kIdBrowseSelected, bSelection);
  enable(kIdBrowseXReport, false);
  enable(kIdPreview, bIdle && m_doc.HasPath() && !m_pView->IsScriptEmpty());
  enable(kIdProperties, bIdle);
  enable(kIdScriptFormat, bIdle);
  enable(kIdBrowseDocumentation, bIdle && m_ctx.settings.Internet != 0);
  enable(kIdAppAbout, bIdle);
  m_pView->OnlineBox()->setEnabled(bIdle);
}

void CMainFrame::UpdateTitle() {
  setWindowTitle(DisplayText(m_doc.Title()) + " - " + kAppTitle);
}

bool CMainFrame::OpenDocument(const std::string& path) {
  std::string error;
  if (!m_doc.Open(path, error)) {
    m_ctx.Dialogs().MessageBox(error);
    return false;
  }
  m_recent.Add(path);
  FillRecentFiles();
  UpdateTitle();
  RememberScriptTime();
  m_pView->OnUpdate();
  UpdateActions();
  return true;
}

void CMainFrame::OpenRecentFile(const std::string& path) {
  if (IsBusy() || !SaveModified())
    return;
  if (!OpenDocument(path)) {
    m_recent.Remove(path);
    FillRecentFiles();
  }
}

void CMainFrame::OpenNewSite(const std::string& path, const std::string& text) {
  m_doc.Adopt(path, text);
  m_recent.Add(path);
  FillRecentFiles();
  UpdateTitle();
  m_pView->ShowScript(text);
  m_pView->LoadAndInterpret();
  UpdateActions();
}

void CMainFrame::OnFileNew() {
  if (m_doc.IsModified() && m_ctx.Dialogs().AskYesNo("Save first ?"))
    OnSave();
  CNewSiteDlg dialog(m_ctx, this);
  if (dialog.exec() != QDialog::Accepted)
    return;
  OpenNewSite(dialog.m_strScriptPath, dialog.m_strScriptText);
}

void CMainFrame::OnFileOpen() {
  if (!SaveModified())
    return;
  const QString chosen = QFileDialog::getOpenFileName(
      this, "Open", DialogFolder(m_ctx.drives, m_doc.PathName()), kScriptFilter);
  if (chosen.isEmpty())
    return;
  const std::string path = InternalPath(m_ctx, chosen);
  if (!path.empty())
    OpenDocument(path);
}

// The script window's edits are dropped without a question, as the command promises.
void CMainFrame::OnReload() {
  if (!m_doc.HasPath())
    return;
  std::string error;
  if (!m_doc.Open(m_doc.PathName(), error)) {
    m_ctx.Dialogs().MessageBox(error);
    return;
  }
  RememberScriptTime();
  m_pView->OnUpdate();
  UpdateActions();
}

bool CMainFrame::DoSave(const std::string& path) {
  if (!m_doc.Save(path, m_pView->ScriptBytes())) {
    m_ctx.Dialogs().MessageBox("Cannot save the script " + path);
    return false;
  }
  RememberScriptTime();
  UpdateTitle();
  m_pView->AfterSave();
  UpdateActions();
  return true;
}

void CMainFrame::OnPreview() {
  if (m_doc.IsModified() && m_ctx.Dialogs().AskYesNo("Save first ?") && !OnSave())
    return;
  m_pView->OnPreview();
  UpdateActions();
}

bool CMainFrame::OnSave() {
  if (!m_doc.HasPath())
    return OnSaveAs();
  return DoSave(m_doc.PathName());
}

bool CMainFrame::OnSaveAs() {
  QString start = DialogFolder(m_ctx.drives, m_doc.PathName());
  if (m_doc.HasPath())
    start += "/" + DisplayText(m_doc.Title());
  // The dialog gives a name without extension ".txt" before it asks about replacing a file.
  QFileDialog dialog(this, "Save As", start, kScriptFilter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(QString(kScriptExtension).mid(1));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
    return false;
  const std::string path = InternalPath(m_ctx, dialog.selectedFiles().front());
  if (path.empty() || !DoSave(path))
    return false;
  m_recent.Add(m_doc.PathName());
  FillRecentFiles();
  return true;
}

bool CMainFrame::SaveModified() {
  if (!m_doc.IsModified())
    return true;
  const auto answer =
      QMessageBox::question(this, kAppTitle, "Save changes to " + DisplayText(m_doc.Title()) + "?",
                            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
  if (answer == QMessageBox::Cancel)
    return false;
  return answer == QMessageBox::No || OnSave();
}

void CMainFrame::OnExit() {
  m_bExiting = true;
  close();
}

// Closing is refused while a command runs. When the user cancels, the program goes on as
// before: the watch works again and the script-format window stays.
void CMainFrame::closeEvent(QCloseEvent* pEvent) {
  // A running command is asked to stop; the window closes on the next request.
  if (IsBusy())
    CLongCommand::RequestStop();
  if (IsBusy() || !SaveModified()) {
    m_bExiting = false;
    pEvent->ignore();
    return;
  }
  m_bExiting = true;
  m_pView->StopPreview();
  delete m_pScriptFormatDlg;
  m_pScriptFormatDlg = nullptr;
  CSettingsStore store;
  if (!store.Save(m_ctx.settings) || !m_recent.Save() || !SaveGeometry())
    m_ctx.Dialogs().MessageBox("The settings could not be written to " + store.Path());
  pEvent->accept();
}

namespace {
const char kWindowSection[] = "Window";
}

void CMainFrame::RestoreGeometry() {
  CSettingsStore store;
  CBuildSettings unused;
  store.Load(unused);
  std::map<std::string, int> values;
  for (const auto& [name, value] : store.SectionEntries(kWindowSection)) {
    char* end = nullptr;
    const long n = std::strtol(value.c_str(), &end, 10);
    if (end && *end == '\0' && !value.empty())
      values[name] = static_cast<int>(n);
  }
  const QRect screen =
      this->screen() ? this->screen()->availableGeometry() : QRect(0, 0, 1280, 900);
  QRect wanted(0, 0, screen.width() * 3 / 4, screen.height() * 3 / 4);
  wanted.moveCenter(screen.center());
  if (values.count("Width") && values.count("Height") && values.count("X") && values.count("Y")) {
    const QRect stored(values["X"], values["Y"], values["Width"], values["Height"]);
    // A remembered place on a screen no longer there is not used.
    if (stored.width() >= 200 && stored.height() >= 150 && screen.intersects(stored))
      wanted = stored;
  }
  resize(wanted.size());
  move(wanted.topLeft());
  if (values.count("Split"))
    m_pView->SetSplit(values["Split"]);
}

bool CMainFrame::SaveGeometry() const {
  const QRect frame = geometry();
  return CSettingsStore().SaveSection(kWindowSection,
                                      {{"X", std::to_string(frame.x())},
                                       {"Y", std::to_string(frame.y())},
                                       {"Width", std::to_string(frame.width())},
                                       {"Height", std::to_string(frame.height())},
                                       {"Split", std::to_string(m_pView->Split())}});
}

void CMainFrame::OnScriptFormat() {
  if (!m_pScriptFormatDlg)
    return;
  m_pScriptFormatDlg->setVisible(!m_pScriptFormatDlg->isVisible());
}

void CMainFrame::OnAbout() {
  CAboutDlg dialog(this);
  dialog.exec();
}

void CMainFrame::OnPrint() {
  if (IsBusy())
    return;
  QPrinter printer;
  QPrintDialog dialog(&printer, this);
  if (dialog.exec() == QDialog::Accepted)
    m_pView->ScriptWindow()->print(&printer);
}

// The panes in order: script, report, published pages; the focus goes round.
void CMainFrame::OnNextPane(int nStep) {
  QWidget* panes[] = {m_pView->ScriptWindow(), m_pView->ReportWindow(), m_pView->PublishedList()};
  int nCurrent = -1;
  for (int i = 0; i < 3; ++i)
    if (panes[i]->hasFocus())
      nCurrent = i;
  const int nNext = nCurrent < 0 ? 0 : (nCurrent + nStep + 3) % 3;
  panes[nNext]->setFocus(Qt::ShortcutFocusReason);
}

void CMainFrame::OnBrowseDocumentation() {
  QDesktopServices::openUrl(QUrl(QString::fromStdString(Message(EMessage::kProductAddress))));
}

void CMainFrame::RememberScriptTime() {
  std::int64_t nTime = 0;
  if (m_doc.HasPath() && m_ctx.Disk().ModificationTime(m_doc.PathName(), nTime))
    m_nLastScriptTime = nTime;
}

void CMainFrame::OnLoseFocus() {
  RememberScriptTime();
}

// A running command is never interrupted by a reload; the question comes at most once at a time.
void CMainFrame::OnGetFocus() {
  if (!m_doc.HasPath() || m_bExiting || m_bInWatch || IsBusy())
    return;
  m_bInWatch = true;
  std::int64_t nTime = 0;
  if (m_ctx.Disk().ModificationTime(m_doc.PathName(), nTime) && nTime != m_nLastScriptTime &&
      !m_bSkipReloadCheck && m_ctx.Dialogs().AskYesNoDefaultNo(Message(EMessage::kChangedScript)))
    OnReload();
  m_bSkipReloadCheck = false;
  RememberScriptTime();
  m_bInWatch = false;
}

void CMainFrame::changeEvent(QEvent* pEvent) {
  if (pEvent->type() == QEvent::ActivationChange) {
    if (isActiveWindow())
      OnGetFocus();
    else
      OnLoseFocus();
  }
  QMainWindow::changeEvent(pEvent);
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* pEvent) {
  if (pEvent->mimeData()->hasUrls())
    pEvent->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* pEvent) {
  for (const QUrl& url : pEvent->mimeData()->urls()) {
    if (!url.isLocalFile())
      continue;
    pEvent->acceptProposedAction();
    if (IsBusy() || !SaveModified())
      return;
    const std::string path = InternalPath(m_ctx, url.toLocalFile());
    if (!path.empty())
      OpenDocument(path);
    return;
  }
}

}  // namespace velmora
