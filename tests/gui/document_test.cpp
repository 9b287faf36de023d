#include <QtTest>

#include <QAction>
#include <QCheckBox>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTextDocument>

#include "gui/main_frame.h"
#include "gui/quarn_view.h"
#include "gui_test_support.h"
#include "platform/build_settings.h"
#include "platform/dialogs.h"
#include "platform/text_encoding.h"
#include "support/test_context.h"

using namespace velmora;

// The script file behind the main window: saving, the changed-script watch, the bytes of the
// file, and what is kept when the window closes.
class CDocumentTest : public QObject {
  Q_OBJECT
 private:
  test::CTempDrive m_drive;
  CScriptedDialogs m_dialogs;
  const std::string m_script = "C:\\site\\script.txt";

  std::unique_ptr<CMainFrame> MakeFrame() {
    auto pFrame = std::make_unique<CMainFrame>(TestContext());
    TestContext().SetDialogs(&m_dialogs);
    return pFrame;
  }
  static void Type(CMainFrame& frame, const QString& text) {
    QPlainTextEdit* pScript = frame.View()->ScriptWindow();
    pScript->moveCursor(QTextCursor::End);
    pScript->insertPlainText(text);
  }
  // Opens the bytes as a script and saves them again unchanged.
  std::string SavedAgain(const std::string& bytes, QString* pShown = nullptr) {
    m_drive.Write(m_script, bytes);
    auto pFrame = MakeFrame();
    if (!pFrame->OpenDocument(m_script))
      return "(not opened)";
    if (pShown)
      *pShown = pFrame->View()->ScriptWindow()->document()->toRawText().replace(
          QChar::ParagraphSeparator, '\n');
    pFrame->Document().SetModified(true);
    pFrame->OnSave();
    return m_drive.Read(m_script);
  }

 private slots:
  void init() {
    m_dialogs = CScriptedDialogs();
    TestContext().settings = CBuildSettings();
    QVERIFY(!m_drive.NewSite(m_script).empty());
  }
  void cleanup() { TestContext().SetDialogs(nullptr); }

  void SaveNeedsAPathAndAChange() {
    auto pFrame = MakeFrame();
    QVERIFY(!test::Enabled(*pFrame, kIdFileSave));
    QVERIFY(pFrame->OpenDocument(m_script));
    QVERIFY(!test::Enabled(*pFrame, kIdFileSave));
    Type(*pFrame, "// more\n");
    QVERIFY(pFrame->Document().IsModified());
    QVERIFY(test::Enabled(*pFrame, kIdFileSave));

    pFrame->Action(kIdFileSave)->trigger();
    QVERIFY(!pFrame->Document().IsModified());
    QVERIFY(!test::Enabled(*pFrame, kIdFileSave));
    const std::string saved = m_drive.Read(m_script);
    QVERIFY(saved.ends_with("// more\r\n"));
    QCOMPARE(saved, pFrame->View()->ScriptBytes());
  }

  void SaveAsNeedsMoreThanOneLine() {
    auto pFrame = MakeFrame();
    QVERIFY(!test::Enabled(*pFrame, kIdFileSaveAs));
    Type(*pFrame, "VERSION=2.0");
    QVERIFY(!test::Enabled(*pFrame, kIdFileSaveAs));
    Type(*pFrame, "\nCATALOG=C:\\typed");
    QVERIFY(test::Enabled(*pFrame, kIdFileSaveAs));
  }

  void ReloadDropsTheEditsAndInterpretsAgain() {
    auto pFrame = MakeFrame();
    QVERIFY(!test::Enabled(*pFrame, kIdFileReload));
    QVERIFY(pFrame->OpenDocument(m_script));
    pFrame->View()->ScriptWindow()->setPlainText("edited");
    QVERIFY(pFrame->Document().IsModified());
    pFrame->Action(kIdFileReload)->trigger();
    QVERIFY(pFrame->View()->ScriptWindow()->toPlainText().startsWith("// Scriptfile"));
    QVERIFY(!pFrame->Document().IsModified());
    QVERIFY(pFrame->View()->HasSite());
  }

  void WatchAsksOnlyAfterAnotherProgramWroteTheScript() {
    auto pFrame = MakeFrame();
    QVERIFY(pFrame->OpenDocument(m_script));
    pFrame->OnLoseFocus();
    pFrame->OnGetFocus();
    QVERIFY(m_dialogs.m_questions.empty());

    // The file is older than the saving below, which must not count as another program's.
    m_drive.Touch(m_script, -50);
    pFrame->OnLoseFocus();
    Type(*pFrame, "// saved here\n");
    QVERIFY(pFrame->OnSave());
    pFrame->OnGetFocus();
    pFrame->OnLoseFocus();
    pFrame->OnGetFocus();
    QVERIFY(m_dialogs.m_questions.empty());

    // Another program changes the file: No keeps the window, and the question is not repeated.
    m_drive.Write(m_script, m_drive.Read(m_script) + "// from outside\r\n");
    m_drive.Touch(m_script);
    pFrame->OnGetFocus();
    QCOMPARE(m_dialogs.m_questions.size(), size_t(1));
    QCOMPARE(m_dialogs.m_questions[0],
             std::string("Script may have been changed by another program\nReload script ?"));
    QVERIFY(!pFrame->View()->ScriptWindow()->toPlainText().contains("from outside"));
    pFrame->OnGetFocus();
    QCOMPARE(m_dialogs.m_questions.size(), size_t(1));

    // Yes reloads.
    m_drive.Touch(m_script, 200);
    m_dialogs.m_answers = {true};
    pFrame->OnGetFocus();
    QCOMPARE(m_dialogs.m_questions.size(), size_t(2));
    QVERIFY(pFrame->View()->ScriptWindow()->toPlainText().contains("from outside"));

    // Nothing is asked while exiting, nor once after a conversion was answered.
    m_drive.Touch(m_script, 300);
    pFrame->m_bExiting = true;
    pFrame->OnGetFocus();
    pFrame->m_bExiting = false;
    pFrame->m_bSkipReloadCheck = true;
    pFrame->OnGetFocus();
    QVERIFY(!pFrame->m_bSkipReloadCheck);
    QCOMPARE(m_dialogs.m_questions.size(), size_t(2));
  }

  void BytesComeBackUnchanged() {
    QString shown;
    const std::string latin1 = "VERSION=2.0\r\nSITENAME=Caf\xE9\xA0Noir\r\n";
    QCOMPARE(SavedAgain(latin1, &shown), latin1);
    QCOMPARE(shown, QString::fromUtf8("VERSION=2.0\nSITENAME=Caf\xC3\xA9\xC2\xA0Noir\n"));

    const std::string utf8 = "VERSION=2.0\nSITENAME=Caf\xC3\xA9\n";
    QCOMPARE(SavedAgain(utf8, &shown), utf8);
    QCOMPARE(shown, QString::fromUtf8("VERSION=2.0\nSITENAME=Caf\xC3\xA9\n"));

    const std::string noFinalLineEnd = "VERSION=2.0\r\nSITENAME=x";
    QCOMPARE(SavedAgain(noFinalLineEnd), noFinalLineEnd);
  }

  // A script saved as UTF-16 or with a UTF-8 mark is shown without the mark, interpreted as
  // UTF-8, and saved again in its own encoding, edits included.
  void MarkedAndWideScriptsGoBackInTheirEncoding() {
    const std::string script =
        "VERSION=2.0\r\nCATALOG=C:\\site\r\nSITENAME=Caf\xC3\xA9 \xE6\x9D\xB1\xE4\xBA\xAC\r\n"
        "1,Home,I,index.html\r\n";
    for (ETextEncoding encoding :
         {ETextEncoding::kUtf16Le, ETextEncoding::kUtf16Be, ETextEncoding::kUtf8Bom}) {
      const std::string bytes = EncodeText(script, encoding);
      QString shown;
      QCOMPARE(SavedAgain(bytes, &shown), bytes);
      QCOMPARE(shown, QString::fromUtf8(script).replace("\r\n", "\n"));

      m_drive.Write(m_script, bytes);
      auto pFrame = MakeFrame();
      QVERIFY(pFrame->OpenDocument(m_script));
      QVERIFY(pFrame->View()->HasSite());
      QCOMPARE(pFrame->View()->Session().m_pWebSite->m_strSiteName,
               std::string("Caf\xC3\xA9 \xE6\x9D\xB1\xE4\xBA\xAC"));
      Type(*pFrame, QString::fromUtf8("// \xE2\x80\x93\n"));
      QVERIFY(pFrame->OnSave());
      QCOMPARE(m_drive.Read(m_script), EncodeText(script + "// \xE2\x80\x93\r\n", encoding));
    }
  }

  // A file that is not text is not opened, so it can neither be saved over nor converted.
  void AFileThatIsNotTextIsNotOpened() {
    const std::string binary("CATALOG=C:\\site\r\n\0\x01\x02\r\n1,P,A,a.html,,,,M\r\n", 41);
    m_drive.Write("C:\\picture.txt", binary);
    m_dialogs.m_bDefaultAnswer = true;
    auto pFrame = MakeFrame();
    QVERIFY(pFrame->OpenDocument(m_script));
    QVERIFY(!pFrame->OpenDocument("C:\\picture.txt"));
    QCOMPARE(m_dialogs.m_messages, std::vector<std::string>{"not a site script: C:\\picture.txt"});
    QCOMPARE(pFrame->Document().PathName(), m_script);
    QVERIFY(m_dialogs.m_questions.empty());
    QCOMPARE(m_drive.Read("C:\\picture.txt"), binary);
  }

  void TextBeyondLatin1IsSavedAsUtf8() {
    m_drive.Write(m_script, "SITENAME=Caf\xE9\r\n");
    auto pFrame = MakeFrame();
    QVERIFY(pFrame->OpenDocument(m_script));
    Type(*pFrame, QString::fromUtf8("\xE2\x82\xAC"));
    QVERIFY(pFrame->OnSave());
    QCOMPARE(m_drive.Read(m_script), std::string("SITENAME=Caf\xC3\xA9\r\n\xE2\x82\xAC"));
  }

  // Interpretation sees the file's own bytes, with CR LF line ends.
  void InterpretationGetsTheFileBytes() {
    m_drive.Write(m_script,
                  "VERSION=2.0\nCATALOG=C:\\site\nSITENAME=Caf\xE9\n1,Home,I,index.html\n");
    auto pFrame = MakeFrame();
    QVERIFY(pFrame->OpenDocument(m_script));
    QCOMPARE(pFrame->View()->Session().m_strScriptText,
             std::string(
                 "VERSION=2.0\r\nCATALOG=C:\\site\r\nSITENAME=Caf\xE9\r\n1,Home,I,index.html\r\n"));
    QVERIFY(pFrame->View()->HasSite());
    QCOMPARE(pFrame->View()->Session().m_pWebSite->m_strSiteName, std::string("Caf\xE9"));
  }

  void AnEmptyScriptIsShownButNotInterpreted() {
    auto pFrame = MakeFrame();
    QVERIFY(pFrame->OpenDocument(m_script));
    QVERIFY(pFrame->View()->HasSite());
    m_drive.Write("C:\\empty.txt", "");
    QVERIFY(pFrame->OpenDocument("C:\\empty.txt"));
    QVERIFY(pFrame->View()->ScriptWindow()->toPlainText().isEmpty());
    QVERIFY(!pFrame->View()->HasSite());
    QCOMPARE(pFrame->View()->PublishedList()->count(), 0);
    QVERIFY(m_dialogs.m_messages.empty());
    QVERIFY(!test::Enabled(*pFrame, kIdInterpret));
  }

  void ADroppedFileIsOpened() {
    auto pFrame = MakeFrame();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(m_drive.Host(m_script)))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(pFrame.get(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(pFrame.get(), &drop);
    QCOMPARE(pFrame->Document().PathName(), m_script);
    QVERIFY(pFrame->View()->HasSite());
  }

  void RecentFilesAndSettingsAreStoredOnClose() {
    auto pFrame = MakeFrame();
    for (int i = 1; i <= 6; ++i) {
      const std::string path = "C:\\s" + std::to_string(i) + ".txt";
      m_drive.Write(path, "");
      QVERIFY(pFrame->OpenDocument(path));
    }
    QVERIFY(pFrame->OpenDocument("C:\\s3.txt"));
    const std::vector<std::string> expected = {"C:\\s3.txt", "C:\\s6.txt", "C:\\s5.txt",
                                               "C:\\s4.txt", "C:\\s2.txt"};
    QCOMPARE(pFrame->RecentFiles().Files(), expected);
    pFrame->View()->OnlineBox()->setChecked(true);
    QVERIFY(pFrame->close());

    TestContext().settings = CBuildSettings();
    const std::string config = m_drive.Read("C:\\config\\Quarn20.conf");
    QVERIFY(config.find("Internet=1") != std::string::npos);
    auto pNext = MakeFrame();
    QCOMPARE(pNext->RecentFiles().Files(), expected);
  }
};

QTEST_MAIN(CDocumentTest)
#include "document_test.moc"
