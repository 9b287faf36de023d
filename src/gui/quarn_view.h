// The form of the main window: the script being edited, the progress bar, the report, the
// published pages and the "Work OnLine" box. It holds the current site (in its session) and
// runs the site commands on the text of the script window.
#pragma once

#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "app/list_commands.h"
#include "app/site_session.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;

namespace velmora {

class CQuarnDoc;
class CReportPane;
class CProgressPane;
class CPreviewServer;

class CQuarnView : public QWidget {
  Q_OBJECT
 public:
  explicit CQuarnView(CQuarnDoc& doc, QWidget* pParent = nullptr);
  ~CQuarnView() override;

  // The size the form asks for, from its size in dialog units.
  QSize sizeHint() const override;

  // The document was opened, reloaded or made: its text goes into the script window and is
  // interpreted unless it is empty.
  void OnUpdate();
  // Puts a text (the document's bytes) into the script window without marking the document
  // modified.
  void ShowScript(const std::string& bytes);
  // The script window's text as the document's bytes.
  std::string ScriptBytes() const;
  bool IsScriptEmpty() const;
  // The number of lines of the script window, for Save As.
  int ScriptLineCount() const;

  // The load-and-interpret step on the text of the script window.
  bool LoadAndInterpret();

  // The site commands.
  void OnInterpret();
  void OnBuildAll();
  void OnBuildSelected();
  void OnCheckAll();
  void OnCheckSelected();
  void OnMakeOnePage();
  void OnReplace();
  void OnBrowseSelected();
  void OnProperties();
  // Preview: the saved script's site is built and served on 127.0.0.1 at a free port, and its
  // home page opens in the browser. It is built again after each Save (AfterSave) and stops
  // with the window or when another script is opened.
  void OnPreview();
  void AfterSave();
  void StopPreview();
  bool IsPreviewing() const { return m_pPreview != nullptr; }
  const CPreviewServer* Preview() const { return m_pPreview.get(); }
  // The internal path of the page Browse selected opens; empty, after a message box, when
  // there is no site or no selection.
  std::string BrowseTarget();
  // The internal path of the page of a list entry; empty without a site or such an entry.
  std::string PageTarget(size_t nPosition) const;
  void Browse(const std::string& target);

  bool HasSite() const { return m_session.m_pWebSite != nullptr; }
  bool HasSelection() const;
  std::vector<size_t> SelectedPositions() const;

  QPlainTextEdit* ScriptWindow() const { return m_pScript; }
  QPlainTextEdit* ReportWindow() const { return m_pReport; }
  QListWidget* PublishedList() const { return m_pList; }
  QCheckBox* OnlineBox() const { return m_pOnline; }
  QProgressBar* ProgressBar() const { return m_pProgress; }
  CSiteSession& Session() { return m_session; }
  CProgressPane& ProgressPane() { return *m_pProgressPane; }

  // Where the script pane ends and the report and list begin, in thousandths of the width;
  // the user drags the band between them.
  int Split() const { return m_nSplit; }
  void SetSplit(int nSplit);

 signals:
  // An interpretation starts: the frame remembers the script file's time.
  void interpretStarting();
  // Interpretation converted an older script and wrote it back to its file.
  void scriptConverted();
  // Something the enable rules of the commands look at has changed.
  void stateChanged();

 protected:
  void resizeEvent(QResizeEvent* pEvent) override;
  void mousePressEvent(QMouseEvent* pEvent) override;
  void mouseMoveEvent(QMouseEvent* pEvent) override;
  void mouseReleaseEvent(QMouseEvent* pEvent) override;

 private:
  void RunSiteWork(ESiteWork work, bool bSelected);
  void PrepareSession();
  void AfterInterpret(const std::string& sentText);
  void FillPublishedList();
  void LayOut(int cx, int cy);
  // The published list's own menu: Build, Check and Browse for the selected pages.
  void ShowListMenu(const QPoint& position);
  bool InSplitBand(int x) const;
  QSize DialogUnits(int x, int y) const;

  CQuarnDoc& m_doc;
  CSiteSession m_session;
  QLabel* m_pScriptLabel;
  QPlainTextEdit* m_pScript;
  QProgressBar* m_pProgress;
  QPlainTextEdit* m_pReport;
  QLabel* m_pReportLabel;
  QLabel* m_pListLabel;
  QListWidget* m_pList;
  QCheckBox* m_pOnline;
  std::unique_ptr<CReportPane> m_pReportPane;
  std::unique_ptr<CProgressPane> m_pProgressPane;
  std::unique_ptr<CPreviewServer> m_pPreview;
  bool m_bShowingScript = false;  // the script window is being filled, not edited
  int m_nSplit = 500;
  bool m_bDraggingSplit = false;
};

}  // namespace velmora
