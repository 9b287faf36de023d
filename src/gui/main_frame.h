// The main window: menus, toolbar and status bar around the form view, the document's file
// commands, the recent files, the watch for a script changed by another program, dropped files,
// and the settings written when the window closes.
#pragma once

#include <QMainWindow>
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "gui/quarn_doc.h"
#include "gui/recent_files.h"

class QMenu;
class QToolBar;

namespace velmora {

class CBuildContext;

class CGuiDialogs;
class CQuarnView;
class CScriptFormatDlg;

// Command ids of the menus and the toolbar.
enum ECommand : int {
  kIdFileNew = 57600,
  kIdFileOpen = 57601,
  kIdFileReload = 32771,
  kIdFileSave = 57603,
  kIdFileSaveAs = 57604,
  kIdFileMru = 57616,
  kIdAppExit = 57665,
  kIdEditUndo = 57643,
  kIdEditCut = 57635,
  kIdEditCopy = 57634,
  kIdEditPaste = 57637,
  kIdInterpret = 32791,
  kIdBuildAll = 32776,
  kIdBuildSelected = 32777,
  kIdCheckAll = 32778,
  kIdCheckSelected = 32779,
  kIdMakeOnePage = 32794,
  kIdReplace = 32781,
  kIdBrowseSelected = 32786,
  kIdBrowseXReport = 32787,
  kIdViewToolbar = 59392,
  kIdViewStatusBar = 59393,
  kIdProperties = 32780,
  kIdScriptFormat = 32784,
  kIdBrowseDocumentation = 32785,
  kIdAppAbout = 57664,
  kIdStop = 32795,
  kIdPreview = 32796,
};

class CMainFrame : public QMainWindow {
  Q_OBJECT
 public:
  // The window works with the program's context for as long as it lives.
  explicit CMainFrame(CBuildContext& ctx, QWidget* pParent = nullptr);
  ~CMainFrame() override;

  QAction* Action(int nId) const;
  CQuarnDoc& Document() { return m_doc; }
  CQuarnView* View() const { return m_pView; }
  const CRecentFiles& RecentFiles() const { return m_recent; }

  // Opens a script (internal path) as the document and interprets it; false, after a message
  // box, when it cannot be read.
  bool OpenDocument(const std::string& path);
  // The document becomes the script a new site was given (already on disk) and is interpreted.
  void OpenNewSite(const std::string& path, const std::string& text);
  // Size, position and split as the settings file remembers them; on the first run a size in
  // proportion to the screen, centred on it.
  void RestoreGeometry();
  bool SaveGeometry() const;

  // Sets every command's enabled state from the document, the view and a running command.
  void UpdateActions();

  // The commands of the frame.
  void OnFileNew();
  void OnFileOpen();
  void OnReload();
  bool OnSave();
  bool OnSaveAs();
  void OnExit();
  void OnScriptFormat();
  void OnAbout();
  void OnBrowseDocumentation();
  void OnPrint();
  // Saves first when asked to, then starts the preview (or opens its home page again).
  void OnPreview();
  // F6 and Shift+F6: the focus moves to the next or previous pane.
  void OnNextPane(int nStep);

  // The changed-script watch: the frame lost or got the keyboard focus.
  void OnLoseFocus();
  void OnGetFocus();

  bool m_bExiting = false;
  bool m_bSkipReloadCheck = false;
  std::int64_t m_nLastScriptTime = 0;

 protected:
  void changeEvent(QEvent* pEvent) override;
  void closeEvent(QCloseEvent* pEvent) override;
  void dragEnterEvent(QDragEnterEvent* pEvent) override;
  void dropEvent(QDropEvent* pEvent) override;

 private:
  void MakeActions();
  void MakeMenus();
  void MakeToolBar();
  QAction* AddAction(int nId, const QString& text, const QString& prompt = {});
  void FillRecentFiles();
  void OpenRecentFile(const std::string& path);
  // Asks to save a modified document; false when the user cancels.
  bool SaveModified();
  bool DoSave(const std::string& path);
  void RememberScriptTime();
  void UpdateTitle();
  bool IsBusy() const;

  CBuildContext& m_ctx;
  CQuarnDoc m_doc;
  CQuarnView* m_pView = nullptr;
  CScriptFormatDlg* m_pScriptFormatDlg = nullptr;
  std::unique_ptr<CGuiDialogs> m_pDialogs;
  CRecentFiles m_recent;
  std::map<int, QAction*> m_actions;
  QMenu* m_pFileMenu = nullptr;
  QMenu* m_pViewMenu = nullptr;
  QAction* m_pRecentSeparator = nullptr;
  std::vector<QAction*> m_recentActions;
  QToolBar* m_pToolBar = nullptr;
  bool m_bInWatch = false;
  bool m_bShowingWork = false;  // the status bar shows the page a command works on
};

}  // namespace velmora
