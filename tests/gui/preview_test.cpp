// Preview in the desktop program: the open script's site served on 127.0.0.1, its home page
// handed to the browser, a new build after each Save, and no server once the window is closed.
#include <QtTest>

#include <httplib.h>
#include <QAction>
#include <QDesktopServices>
#include <QPlainTextEdit>

#include "gui/main_frame.h"
#include "gui/quarn_view.h"
#include "gui_test_support.h"
#include "platform/build_settings.h"
#include "platform/dialogs.h"
#include "support/test_context.h"

using namespace velmora;

// Receives what Preview asks the desktop to open.
class CBrowser : public QObject {
  Q_OBJECT
 public:
  QList<QUrl> m_urls;
 public slots:
  void Open(const QUrl& url) { m_urls.append(url); }
};

class CPreviewTest : public QObject {
  Q_OBJECT
 private:
  test::CTempDrive m_drive;
  CScriptedDialogs m_dialogs;
  CBrowser m_browser;
  const std::string m_script = "C:\\site\\script.txt";

  static httplib::Result Get(int nPort, const std::string& path) {
    httplib::Client client("127.0.0.1", nPort);
    client.set_connection_timeout(2);
    client.set_read_timeout(5);
    return client.Get(path);
  }

 private slots:
  void init() {
    m_dialogs = CScriptedDialogs();
    TestContext().settings = CBuildSettings();
    QVERIFY(!m_drive.NewSite(m_script).empty());
    m_browser.m_urls.clear();
    QDesktopServices::setUrlHandler("http", &m_browser, "Open");
  }
  void cleanup() {
    QDesktopServices::unsetUrlHandler("http");
    TestContext().SetDialogs(nullptr);
  }

  void ServesTheSiteRebuildsOnSaveAndStopsWithTheWindow() {
    auto pFrame = std::make_unique<CMainFrame>(TestContext());
    TestContext().SetDialogs(&m_dialogs);
    QVERIFY(pFrame->OpenDocument(m_script));
    QAction* pPreview = pFrame->Action(kIdPreview);
    QVERIFY(pPreview->isEnabled());
    pPreview->trigger();

    CQuarnView* pView = pFrame->View();
    QVERIFY(pView->IsPreviewing());
    QCOMPARE(m_browser.m_urls.size(), 1);
    const QUrl home = m_browser.m_urls.front();
    QCOMPARE(home.host(), QString("127.0.0.1"));
    QCOMPARE(home.path(), QString("/index.html"));
    const int nPort = home.port();
    QVERIFY(nPort > 0 && nPort != 8020);
    auto page = Get(nPort, "/index.html");
    QVERIFY(page && page->status == 200);
    QVERIFY(page->body.find("MySite") != std::string::npos);
    QVERIFY(page->body.find("/__velmora/events") != std::string::npos);
    QVERIFY(m_drive.Read("C:\\site\\index.html").find("__velmora") == std::string::npos);
    auto missing = Get(nPort, "/pages/extra.html");
    QVERIFY(missing && missing->status == 404);

    // A page added to the script is there after the Save, without Preview again.
    QPlainTextEdit* pScript = pView->ScriptWindow();
    pScript->appendPlainText("1,Extra,P,pages\\extra.html\r\nBLOCKS:blocks\\src_page1.html\r\n");
    QVERIFY(pFrame->Action(kIdFileSave)->isEnabled());
    pFrame->Action(kIdFileSave)->trigger();
    auto added = Get(nPort, "/pages/extra.html");
    QVERIFY(added && added->status == 200);

    // Preview again opens the same server's home page.
    pPreview->trigger();
    QCOMPARE(m_browser.m_urls.size(), 2);
    QCOMPARE(m_browser.m_urls.back().port(), nPort);

    pFrame->close();
    QVERIFY(!pView->IsPreviewing());
    QVERIFY(!Get(nPort, "/index.html"));
  }

  void NotOfferedForAScriptWithoutFile() {
    auto pFrame = std::make_unique<CMainFrame>(TestContext());
    TestContext().SetDialogs(&m_dialogs);
    pFrame->View()->ScriptWindow()->setPlainText("VERSION=2.0\n");
    pFrame->UpdateActions();
    QVERIFY(!pFrame->Action(kIdPreview)->isEnabled());
  }
};

QTEST_MAIN(CPreviewTest)
#include "preview_test.moc"
