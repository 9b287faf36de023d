#include <QtTest>

#include <QAction>
#include <QCheckBox>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QStatusBar>

#include "support/raw_http_server.h"

#include "gui/long_command.h"
#include "gui/main_frame.h"
#include "gui/quarn_view.h"
#include "gui/script_text.h"
#include "gui_test_support.h"
#include "platform/build_settings.h"
#include "platform/dialogs.h"
#include "platform/strings.h"
#include "support/test_context.h"

using namespace velmora;

// Receives what Browse asks the desktop to open.
class COpenedUrls : public QObject {
  Q_OBJECT
 public:
  QList<QUrl> m_urls;
 public slots:
  void Open(const QUrl& url) { m_urls.append(url); }
};

// Counts the paint events of a widget.
class CPaintCounter : public QObject {
 public:
  explicit CPaintCounter(int& nPaints) : m_nPaints(nPaints) {}
  bool eventFilter(QObject*, QEvent* pEvent) override {
    if (pEvent->type() == QEvent::Paint)
      ++m_nPaints;
    return false;
  }

 private:
  int& m_nPaints;
};

// Runs a check when the end-of-build alert box would be shown, that is while the build runs.
class CProbeDialogs : public CScriptedDialogs {
 public:
  bool ShowAlerts(const std::vector<std::string>& alerts) override {
    // The build runs on a thread of its own; the probe looks at the window from the window's.
    if (m_onAlerts)
      OnGuiThread(m_onAlerts);
    return CScriptedDialogs::ShowAlerts(alerts);
  }
  std::function<void()> m_onAlerts;
};

class CMainWindowTest : public QObject {
  Q_OBJECT
 private:
  test::CTempDrive m_drive;
  CScriptedDialogs m_dialogs;
  const std::string m_script = "C:\\site\\script.txt";

  // A frame whose questions go to the scripted dialogs.
  std::unique_ptr<CMainFrame> MakeFrame() {
    auto pFrame = std::make_unique<CMainFrame>(TestContext());
    TestContext().SetDialogs(&m_dialogs);
    return pFrame;
  }
  static void Select(CQuarnView* pView, std::initializer_list<int> positions) {
    pView->PublishedList()->clearSelection();
    for (int n : positions) pView->PublishedList()->item(n)->setSelected(true);
  }
  // Acts on the modal dialog the next command opens, once it is shown.
  static void WhenModal(std::function<void(QDialog*)> act) {
    QTimer::singleShot(0, [act] {
      auto* pDialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      QVERIFY(pDialog);
      act(pDialog);
    });
  }
  static QString ReportText(CMainFrame& frame) {
    return frame.View()->ReportWindow()->toPlainText();
  }

 private slots:
  void init() {
    m_dialogs = CScriptedDialogs();
    TestContext().settings = CBuildSettings();
    QVERIFY(!m_drive.NewSite(m_script).empty());
  }
  void cleanup() { TestContext().SetDialogs(nullptr); }

  void OpeningAScriptInterpretsItAndFillsTheList() {
    auto pFrame = MakeFrame();
    QVERIFY(pFrame->OpenDocument(m_script));
    CQuarnView* pView = pFrame->View();
    QVERIFY(pView->HasSite());
    QCOMPARE(pView->PublishedList()->count(), 6);
    QCOMPARE(pView->PublishedList()->item(0)->text(), QString("index.html"));
    QVERIFY(ReportText(*pFrame).contains("Can establish structure"));
    QCOMPARE(pFrame->windowTitle(), QString("script.txt - Quarn20"));
  }

  void SiteCommandsFollowTheSiteAndTheSelection() {
    auto pFrame = MakeFrame();
    CQuarnView* pView = pFrame->View();
    // An empty document: nothing to interpret, no site.
    for (int nId : {kIdInterpret, kIdBuildAll, kIdCheckAll, kIdReplace, kIdMakeOnePage,
                    kIdBuildSelected, kIdFileReload, kIdFileSave, kIdBrowseXReport})
      QVERIFY2(!test::Enabled(*pFrame, nId), qPrintable(QString::number(nId)));
    for (int nId : {kIdFileNew, kIdFileOpen, kIdProperties, kIdScriptFormat, kIdAppAbout})
      QVERIFY(test::Enabled(*pFrame, nId));

    QVERIFY(pFrame->OpenDocument(m_script));
    for (int nId :
         {kIdInterpret, kIdBuildAll, kIdCheckAll, kIdReplace, kIdMakeOnePage, kIdFileReload})
      QVERIFY(test::Enabled(*pFrame, nId));
    for (int nId : {kIdBuildSelected, kIdCheckSelected, kIdBrowseSelected, kIdBrowseXReport})
      QVERIFY(!test::Enabled(*pFrame, nId));
    Select(pView, {1});
    for (int nId : {kIdBuildSelected, kIdCheckSelected, kIdBrowseSelected})
      QVERIFY(test::Enabled(*pFrame, nId));
    QVERIFY(!test::Enabled(*pFrame, kIdBrowseXReport));

    // A failed interpretation leaves no site behind.
    pView->ScriptWindow()->setPlainText("VERSION=2.0\nCATALOG=\nSITENAME=x\n1,Home,I,index.html");
    pView->OnInterpret();
    QVERIFY(!pView->HasSite());
    QVERIFY(!test::Enabled(*pFrame, kIdBuildAll));
    QVERIFY(!test::Enabled(*pFrame, kIdBuildSelected));
  }

  void DocumentationNeedsWorkOnline() {
    auto pFrame = MakeFrame();
    QVERIFY(!test::Enabled(*pFrame, kIdBrowseDocumentation));
    pFrame->View()->OnlineBox()->setChecked(true);
    QCOMPARE(TestContext().settings.Internet, 1);
    QVERIFY(test::Enabled(*pFrame, kIdBrowseDocumentation));
    pFrame->View()->OnlineBox()->setChecked(false);
    QCOMPARE(TestContext().settings.Internet, 0);
    QVERIFY(!test::Enabled(*pFrame, kIdBrowseDocumentation));
  }

  void EditActionsNeedTheScriptWindow() {
    auto pFrame = MakeFrame();
    pFrame->show();
    QVERIFY(QTest::qWaitForWindowActive(pFrame.get()));
    QVERIFY(pFrame->OpenDocument(m_script));
    QPlainTextEdit* pScript = pFrame->View()->ScriptWindow();
    pFrame->View()->ReportWindow()->setFocus();
    QTRY_VERIFY(pFrame->View()->ReportWindow()->hasFocus());
    QVERIFY(!test::Enabled(*pFrame, kIdEditPaste));
    QVERIFY(!test::Enabled(*pFrame, kIdEditUndo));
    pScript->setFocus();
    QTRY_VERIFY(pScript->hasFocus());
    QVERIFY(test::Enabled(*pFrame, kIdEditPaste));
    QVERIFY(test::Enabled(*pFrame, kIdEditUndo));
    QVERIFY(!test::Enabled(*pFrame, kIdEditCopy));
    pScript->selectAll();
    QVERIFY(test::Enabled(*pFrame, kIdEditCopy));
    QVERIFY(test::Enabled(*pFrame, kIdEditCut));
  }

  // F6 goes round script, report and list; Shift+F6 goes back.
  void F6MovesBetweenThePanes() {
    auto pFrame = MakeFrame();
    pFrame->show();
    QVERIFY(QTest::qWaitForWindowActive(pFrame.get()));
    CQuarnView* pView = pFrame->View();
    pView->ScriptWindow()->setFocus();
    QTRY_VERIFY(pView->ScriptWindow()->hasFocus());
    QTest::keyClick(pFrame.get(), Qt::Key_F6);
    QTRY_VERIFY(pView->ReportWindow()->hasFocus());
    QTest::keyClick(pFrame.get(), Qt::Key_F6);
    QTRY_VERIFY(pView->PublishedList()->hasFocus());
    QTest::keyClick(pFrame.get(), Qt::Key_F6);
    QTRY_VERIFY(pView->ScriptWindow()->hasFocus());
    QTest::keyClick(pFrame.get(), Qt::Key_F6, Qt::ShiftModifier);
    QTRY_VERIFY(pView->PublishedList()->hasFocus());
  }

  // Entries at positions 2 and 5 are selected; an edit leaves four pages, so only position 2
  // is selected again and built.
  void BuildSelectedKeepsTheSelectionByPosition() {
    auto pFrame = MakeFrame();
    QVERIFY(pFrame->OpenDocument(m_script));
    CQuarnView* pView = pFrame->View();
    Select(pView, {2, 5});
    std::string script = m_drive.Read(m_script);
    ReplaceAll(script, "1,Sitemap,C,pages\\toc.html\r\nBLOCKS:blocks\\src_toc.html\r\n", "");
    ReplaceAll(script, "1,Page2,P,pages\\pagetwo.html\r\nBLOCKS:blocks\\src_page2.html\r\n", "");
    pView->ShowScript(script);

    pFrame->Action(kIdBuildSelected)->trigger();
    QCOMPARE(pView->PublishedList()->count(), 4);
    QCOMPARE(pView->SelectedPositions(), (std::vector<size_t>{2}));
    const QString report = ReportText(*pFrame);
    QVERIFY(report.contains("Siteindex - C:\\site\\pages\\ix.html"));
    QVERIFY(!report.contains("Home - "));
    QVERIFY(!report.contains("Page1 - "));
    QVERIFY(QFile::exists(QString::fromStdString(m_drive.Host("C:\\site\\pages\\ix.html"))));
    QVERIFY(!QFile::exists(QString::fromStdString(m_drive.Host("C:\\site\\index.html"))));
  }

  void BuildSelectedWithEveryPositionGoneBuildsNothing() {
    auto pFrame = MakeFrame();
    QVERIFY(pFrame->OpenDocument(m_script));
    Select(pFrame->View(), {5});
    std::string script = m_drive.Read(m_script);
    ReplaceAll(script, "1,Sitemap,C,pages\\toc.html\r\n", "");
    pFrame->View()->ShowScript(script);
    pFrame->View()->OnBuildSelected();
    QCOMPARE(m_dialogs.m_messages.back(), std::string("No page selected"));
    QVERIFY(!QFile::exists(QString::fromStdString(m_drive.Host("C:\\site\\gfx\\def.css"))));
  }

  void NoSiteStopsBuildWithAMessage() {
    auto pFrame = MakeFrame();
    QVERIFY(pFrame->OpenDocument(m_script));
    pFrame->View()->ScriptWindow()->setPlainText("VERSION=2.0\nCATALOG=\nSITENAME=x\n1,A,I,a.html");
    pFrame->View()->OnBuildAll();
    QCOMPARE(m_dialogs.m_messages.back(), std::string("No sitestructure established"));
  }

  // New (with the starter script written beforehand), then Build all pages from the menu.
  void NewSiteThenBuildAll() {
    auto pFrame = MakeFrame();
    const std::string path = "C:\\fresh\\script.txt";
    const std::string text = m_drive.NewSite(path);
    pFrame->OpenNewSite(path, text);
    QVERIFY(!pFrame->Document().IsModified());
    QCOMPARE(pFrame->Document().PathName(), path);
    QCOMPARE(pFrame->RecentFiles().Files().front(), path);
    QVERIFY(test::Enabled(*pFrame, kIdBuildAll));

    pFrame->Action(kIdBuildAll)->trigger();
    const QString report = ReportText(*pFrame);
    QVERIFY(report.contains("Built - with properties:"));
    QCOMPARE(report.count(QRegularExpression("^   OK$", QRegularExpression::MultilineOption)), 6);
    QVERIFY(QFile::exists(QString::fromStdString(m_drive.Host("C:\\fresh\\index.html"))));
    QVERIFY(!pFrame->View()->ProgressBar()->isVisible());
    QVERIFY(test::Enabled(*pFrame, kIdBuildAll));  // enabled again once the build is over
  }

  void WhileABuildRunsTheOtherCommandsWaitAndTheWindowStaysOpen() {
    auto pFrame = MakeFrame();
    QVERIFY(pFrame->OpenDocument(m_script));
    CProbeDialogs probe;
    bool bProbed = false;
    probe.m_onAlerts = [&] {
      bProbed = true;
      for (int nId : {kIdBuildAll, kIdCheckSelected, kIdInterpret, kIdFileOpen, kIdFileNew,
                      kIdFileReload, kIdProperties, kIdAppExit})
        QVERIFY2(!test::Enabled(*pFrame, nId), qPrintable(QString::number(nId)));
      QVERIFY(!pFrame->View()->OnlineBox()->isEnabled());
      QVERIFY(!pFrame->close());
    };
    TestContext().SetDialogs(&probe);
    pFrame->Action(kIdBuildAll)->trigger();
    TestContext().SetDialogs(&m_dialogs);
    QVERIFY(bProbed);
    QVERIFY(test::Enabled(*pFrame, kIdBuildAll));
    QVERIFY(pFrame->View()->OnlineBox()->isEnabled());
  }

  // New asks to save a modified document first; No keeps the file as it was.
  void NewThroughItsDialogAsksToSaveFirst() {
    auto pFrame = MakeFrame();
    QVERIFY(pFrame->OpenDocument(m_script));
    const std::string before = m_drive.Read(m_script);
    pFrame->View()->ScriptWindow()->appendPlainText("// not saved");
    m_dialogs.m_answers = {false};
    WhenModal([](QDialog* pDialog) { pDialog->accept(); });
    pFrame->Action(kIdFileNew)->trigger();
    QCOMPARE(m_dialogs.m_questions.front(), std::string("Save first ?"));
    QCOMPARE(m_drive.Read(m_script), before);
    QVERIFY(pFrame->Document().PathName() != m_script);
    QVERIFY(EndsWith(pFrame->Document().PathName(), "\\script.txt"));
    QVERIFY(!pFrame->Document().IsModified());
    QVERIFY(pFrame->View()->HasSite());
  }

  // A check waiting on a server that never answers leaves the window painting, and Stop ends
  // it within a second with its own report line.
  void StopEndsACheckStalledOnTheNetwork() {
    velmora::testing::CRawHttpServer server(
        [](const std::string&, auto& connection) { connection.Pause(60000); });
    QVERIFY(server.Start());
    auto pFrame = MakeFrame();
    pFrame->show();
    QVERIFY(pFrame->OpenDocument(m_script));
    pFrame->Action(kIdBuildAll)->trigger();
    m_drive.Write("C:\\site\\index.html", "<html><body><a href=\"" + server.Url("/a.html") +
                                              "\">a</a><a href=\"" + server.Url("/b.html") +
                                              "\">b</a></body></html>");
    pFrame->View()->OnlineBox()->setChecked(true);

    int nPaints = 0;
    CPaintCounter counter(nPaints);
    pFrame->View()->ReportWindow()->viewport()->installEventFilter(&counter);
    QElapsedTimer sinceStop;
    QTimer ticker;
    int nTicks = 0;
    // Stop once the check waits on the stalled page (its name in the status bar), or after
    // 20 s at the latest, which fails below.
    connect(&ticker, &QTimer::timeout, [&] {
      pFrame->View()->ReportWindow()->viewport()->update();
      ++nTicks;
      const bool bOnPage = pFrame->statusBar()->currentMessage().contains("index.html");
      if (!sinceStop.isValid() && ((bOnPage && nTicks >= 10) || nTicks == 400)) {
        const bool bStopEnabled = test::Enabled(*pFrame, kIdStop);
        sinceStop.start();
        pFrame->Action(kIdStop)->trigger();
        QVERIFY(bOnPage);
        QVERIFY(bStopEnabled);
      }
    });
    ticker.start(50);
    pFrame->Action(kIdCheckAll)->trigger();
    ticker.stop();
    QVERIFY(sinceStop.isValid());
    QVERIFY2(sinceStop.elapsed() < 1000, qPrintable(QString::number(sinceStop.elapsed())));
    QVERIFY(nPaints >= 5);
    QVERIFY(ReportText(*pFrame).contains("Stopped by the user"));
    QVERIFY(!test::Enabled(*pFrame, kIdStop));
    QVERIFY(test::Enabled(*pFrame, kIdCheckAll));
  }

  // The window opens in proportion to the screen, and size, place and split come back.
  void GeometryIsRememberedInTheSettingsFile() {
    auto pFrame = MakeFrame();
    pFrame->RestoreGeometry();
    const QRect screen = pFrame->screen()->availableGeometry();
    QCOMPARE(pFrame->size(), QSize(screen.width() * 3 / 4, screen.height() * 3 / 4));
    pFrame->resize(screen.width() / 2 + 10, screen.height() / 2 + 20);
    pFrame->move(screen.topLeft() + QPoint(30, 40));
    pFrame->View()->SetSplit(650);
    QVERIFY(pFrame->SaveGeometry());
    const QRect saved = pFrame->geometry();
    pFrame.reset();

    auto pAgain = MakeFrame();
    pAgain->RestoreGeometry();
    QCOMPARE(pAgain->size(), saved.size());
    QCOMPARE(pAgain->View()->Split(), 650);
    pAgain->show();
    QVERIFY(pAgain->View()->ReportWindow()->x() > pAgain->View()->width() * 6 / 10);
  }

  // Enter or a double click on an entry opens its page; the entry's menu offers the commands.
  void PublishedEntryOpensItsPageAndOffersItsCommands() {
    COpenedUrls opened;
    QDesktopServices::setUrlHandler("file", &opened, "Open");
    auto pFrame = MakeFrame();
    pFrame->show();
    QVERIFY(pFrame->OpenDocument(m_script));
    QListWidget* pList = pFrame->View()->PublishedList();
    Select(pFrame->View(), {0, 2});
    pList->setCurrentRow(2, QItemSelectionModel::NoUpdate);
    emit pList->itemActivated(pList->item(2));
    QCOMPARE(opened.m_urls.size(), 1);
    QVERIFY(
        opened.m_urls[0].toLocalFile().endsWith("/" + pList->item(2)->text().replace('\\', '/')));

    QStringList offered;
    QTimer::singleShot(0, [&] {
      auto* pMenu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      QVERIFY(pMenu);
      for (QAction* pAction : pMenu->actions()) offered << pAction->text();
      pMenu->actions().last()->trigger();
      pMenu->close();
    });
    emit pList->customContextMenuRequested(QPoint(2, 2));
    QDesktopServices::unsetUrlHandler("file");
    QCOMPARE(offered, QStringList({"Build", "Check", "Browse"}));
    QCOMPARE(opened.m_urls.size(), 2);
  }

  void BrowseSelectedOpensOnlyTheFirstSelected() {
    COpenedUrls opened;
    QDesktopServices::setUrlHandler("file", &opened, "Open");
    auto pFrame = MakeFrame();
    QVERIFY(pFrame->OpenDocument(m_script));
    Select(pFrame->View(), {4, 1, 3});
    pFrame->View()->OnBrowseSelected();
    QDesktopServices::unsetUrlHandler("file");
    QCOMPARE(opened.m_urls.size(), 1);
    QCOMPARE(opened.m_urls[0].toLocalFile(),
             QString::fromStdString(m_drive.Host("C:\\site\\pages\\allpages.html")));

    pFrame->View()->PublishedList()->clearSelection();
    QCOMPARE(pFrame->View()->BrowseTarget(), std::string());
    QCOMPARE(m_dialogs.m_messages.back(), std::string("No page selected"));
  }

  // Whatever the properties dialog ends with, the box shows the Internet setting and the
  // script is interpreted again.
  void PropertiesSetTheBoxAndInterpretAgain() {
    auto pFrame = MakeFrame();
    QVERIFY(pFrame->OpenDocument(m_script));
    QVERIFY(!pFrame->View()->OnlineBox()->isChecked());
    TestContext().settings.Internet = 1;
    TestContext().report.Clear();
    WhenModal([](QDialog* pDialog) { pDialog->reject(); });
    pFrame->Action(kIdProperties)->trigger();
    QVERIFY(pFrame->View()->OnlineBox()->isChecked());
    QVERIFY(ReportText(*pFrame).contains("Can establish structure"));
  }

  void MakePrintablePageWritesTheChosenFile() {
    auto pFrame = MakeFrame();
    QVERIFY(pFrame->OpenDocument(m_script));
    pFrame->View()->OnBuildAll();
    WhenModal([](QDialog* pDialog) { pDialog->accept(); });
    pFrame->Action(kIdMakeOnePage)->trigger();
    QVERIFY(QFile::exists(QString::fromStdString(m_drive.Host("C:\\site\\Pall.html"))));
  }

  void ReplaceChangesTheChosenSiteFiles() {
    auto pFrame = MakeFrame();
    QVERIFY(pFrame->OpenDocument(m_script));
    pFrame->View()->OnBuildAll();
    const std::string block = "C:\\site\\blocks\\src_page1.html";
    const std::string before = m_drive.Read(block);
    QVERIFY(before.find("You should edit this") != std::string::npos);
    WhenModal([](QDialog* pDialog) {
      const QList<QLineEdit*> edits = pDialog->findChildren<QLineEdit*>();
      QCOMPARE(edits.size(), 2);
      edits[0]->setText("You should edit this");
      edits[1]->setText("Edited");
      QListWidget* pFiles = pDialog->findChild<QListWidget*>();
      for (QListWidgetItem* pItem : pFiles->findItems("src_page1", Qt::MatchContains))
        pItem->setSelected(true);
      pDialog->accept();
    });
    pFrame->Action(kIdReplace)->trigger();
    const std::string after = m_drive.Read(block);
    QVERIFY(after.find("You should edit this") == std::string::npos);
    QVERIFY(after.find("Edited") != std::string::npos);
    QVERIFY(QString::fromStdString(m_dialogs.m_messages.back()).endsWith(" replaces in 1 files"));
  }

  // A typed script saved under a name without extension becomes a .txt file and the document.
  void SaveAsGivesTheScriptExtension() {
    auto pFrame = MakeFrame();
    pFrame->View()->ScriptWindow()->setPlainText("VERSION=2.0\nCATALOG=C:\\typed\n");
    std::filesystem::create_directories(m_drive.Host("C:\\typed"));
    const QString chosen = QString::fromStdString(m_drive.Host("C:\\typed\\mine"));
    WhenModal([chosen](QDialog* pDialog) {
      auto* pFiles = qobject_cast<QFileDialog*>(pDialog);
      QVERIFY(pFiles);
      pFiles->selectFile(chosen);
      pDialog->accept();
    });
    pFrame->Action(kIdFileSaveAs)->trigger();
    QCOMPARE(pFrame->Document().PathName(), std::string("C:\\typed\\mine.txt"));
    QCOMPARE(m_drive.Read("C:\\typed\\mine.txt"),
             std::string("VERSION=2.0\r\nCATALOG=C:\\typed\r\n"));
    QCOMPARE(pFrame->RecentFiles().Files().front(), std::string("C:\\typed\\mine.txt"));
    QCOMPARE(pFrame->windowTitle(), QString("mine.txt - Quarn20"));
  }

  // Accepting the conversion of an older script shows the converted text, which is on disk,
  // and the next focus change asks nothing about the changed file.
  void ConvertedScriptIsShownWithoutAReloadQuestion() {
    auto pFrame = MakeFrame();
    const std::string old = "C:\\old\\script.txt";
    m_drive.Write(
        old, "CATALOG=C:\\old\r\nSITENAME=Old\r\n1,I,Home,index.html,,,,M\r\nBLOCK,b.html\r\n");
    m_dialogs.m_answers = {true};
    QVERIFY(pFrame->OpenDocument(old));
    const QString shown = pFrame->View()->ScriptWindow()->toPlainText();
    QVERIFY(shown.contains("VERSION=2.0"));
    QCOMPARE(shown.toStdString(), CrLfToLf(m_drive.Read(old)));
    QVERIFY(pFrame->m_bSkipReloadCheck);
    QVERIFY(!pFrame->Document().IsModified());

    m_drive.Touch(old);
    const size_t nAsked = m_dialogs.m_questions.size();
    pFrame->OnGetFocus();
    QCOMPARE(m_dialogs.m_questions.size(), nAsked);
    QVERIFY(!pFrame->m_bSkipReloadCheck);
  }
};

QTEST_MAIN(CMainWindowTest)
#include "main_window_test.moc"
