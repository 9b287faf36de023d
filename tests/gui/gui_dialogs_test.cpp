#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>
#include <functional>

#include "app/commands.h"
#include "app/site_session.h"
#include "gui/gui_dialogs.h"
#include "gui/long_command.h"
#include "platform/report.h"
#include "res/messages.h"
#include "support/temp_drive.h"
#include "support/test_context.h"

using namespace velmora;

// The questions and boxes the library asks through CGuiDialogs, answered on the modal window.
class CGuiDialogsTest : public QObject {
  Q_OBJECT
 private slots:
  void init() {
    m_pDrive = std::make_unique<CTempDrive>('C');
    qputenv("VELMORA_CONFIG", (m_pDrive->HostFolder() + "/Quarn20.conf").c_str());
    TestContext().SetDialogs(&m_dialogs);
  }
  void cleanup() {
    TestContext().SetDialogs(nullptr);
    m_pDrive.reset();
    TestContext().report.m_bAlertSwitch = true;
  }

  void AlertBoxListsSixAlertsAndNoSwitchesItOff() {
    QString shown;
    TestContext().report.SetBatch(true);
    for (int i = 1; i <= 6; ++i)
      TestContext().report.AddLine("alert " + std::to_string(i), EAlert::kWarning);
    OnModal([&](QWidget* pWindow) {
      auto* pBox = qobject_cast<QMessageBox*>(pWindow);
      QVERIFY(pBox);
      shown = pBox->text();
      pBox->button(QMessageBox::No)->click();
    });
    TestContext().report.SetBatch(false);
    QCOMPARE(shown, QString("Reported:\nalert 1\nalert 2\nalert 3\nalert 4\nalert 5\nalert 6\n"
                            "...\nSee Report Window\n\nDo you want to see this alert again ?"));
    QVERIFY(!TestContext().report.m_bAlertSwitch);
  }

  void RedirectQuestionIsAnsweredYesOrNo() {
    const std::string question =
        FormatMessage(EMessage::kAcceptRedirection, "http://a/", "http://b/x.html");
    QString shown;
    OnModal([&](QWidget* pWindow) {
      auto* pBox = qobject_cast<QMessageBox*>(pWindow);
      shown = pBox->text();
      pBox->button(QMessageBox::Yes)->click();
    });
    QVERIFY(TestContext().Dialogs().AskYesNo(question));
    QCOMPARE(shown, QString("Accept Redirection\n\nFrom:  http://a/\n\nTo: http://b/x.html\n"));
    OnModal([](QWidget* pWindow) {
      qobject_cast<QMessageBox*>(pWindow)->button(QMessageBox::No)->click();
    });
    QVERIFY(!TestContext().Dialogs().AskYesNo(question));
  }

  // Where Yes replaces a file or drops edits, Enter must not: No is the default button.
  void DestructiveQuestionsDefaultToNo() {
    for (const std::string& question :
         {FormatMessage(EMessage::kReplaceFile, "C:\\site\\script.txt"),
          Message(EMessage::kChangedScript)}) {
      QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
      OnModal([&](QWidget* pWindow) {
        auto* pBox = qobject_cast<QMessageBox*>(pWindow);
        defaultButton = pBox->standardButton(pBox->defaultButton());
        QTest::keyClick(pBox, Qt::Key_Return);
      });
      QVERIFY(!TestContext().Dialogs().AskYesNoDefaultNo(question));
      QCOMPARE(defaultButton, QMessageBox::No);
    }
  }

  // A command's work runs on a thread of its own; its questions still open on the window's.
  void QuestionFromACommandThreadIsAskedOnTheWindowThread() {
    QThread* pShownOn = nullptr;
    OnModal([&](QWidget* pWindow) {
      pShownOn = QThread::currentThread();
      qobject_cast<QMessageBox*>(pWindow)->button(QMessageBox::Yes)->click();
    });
    bool bYes = false;
    QThread* pAskedOn = nullptr;
    CLongCommand scope;
    CLongCommand::Run([&] {
      pAskedOn = QThread::currentThread();
      bYes = TestContext().Dialogs().AskYesNo("Go on ?");
    });
    QVERIFY(bYes);
    QVERIFY(pAskedOn != qApp->thread());
    QCOMPARE(pShownOn, qApp->thread());
  }

  void PasswordIsAskedWithoutEcho() {
    OnModal([](QWidget* pWindow) {
      auto* pPassword = pWindow->findChild<QLineEdit*>("password");
      QCOMPARE(pPassword->echoMode(), QLineEdit::Password);
      pWindow->findChild<QLineEdit*>("user")->setText("ann");
      pPassword->setText("secret");
      qobject_cast<QDialog*>(pWindow)->accept();
    });
    std::string user, password;
    QVERIFY(TestContext().Dialogs().AskPassword("http://127.0.0.1/private/", user, password));
    QCOMPARE(user, std::string("ann"));
    QCOMPARE(password, std::string("secret"));

    OnModal([](QWidget* pWindow) { qobject_cast<QDialog*>(pWindow)->reject(); });
    QVERIFY(!TestContext().Dialogs().AskPassword("http://127.0.0.1/private/", user, password));
  }

  void OldScriptIsOfferedInTheConvertDialog() {
    CSiteSession session{TestContext()};
    session.m_strScriptText = "CATALOG=C:\\site\\\r\nSITENAME=Old\r\nLAYOUT=N";
    OnModal([](QWidget* pWindow) {
      QCOMPARE(pWindow->windowTitle(), QString("Convert to 2.0"));
      auto* pLater = pWindow->findChild<QPushButton*>("IDCANCEL");
      QCOMPARE(pLater->text(), QString("Do it later"));
      pLater->click();
    });
    QVERIFY(!OfferConversion(session));
    QCOMPARE(session.m_strScriptText,
             std::string("CATALOG=C:\\site\\\r\nSITENAME=Old\r\nLAYOUT=N"));

    OnModal([](QWidget* pWindow) { pWindow->findChild<QPushButton*>("IDOK")->click(); });
    QVERIFY(OfferConversion(session));
    QCOMPARE(session.m_strScriptText,
             std::string("VERSION=2.0\r\nCATALOG=C:\\site\\\r\nSITENAME=Old\r\n"));
  }

 private:
  // Runs the action on the modal window that the next call opens.
  void OnModal(std::function<void(QWidget*)> action) {
    QTimer::singleShot(0, this, [this, action] {
      if (QWidget* pWindow = QApplication::activeModalWidget())
        action(pWindow);
      else
        OnModal(action);
    });
  }

  std::unique_ptr<CTempDrive> m_pDrive;
  CGuiDialogs m_dialogs;
};

QTEST_MAIN(CGuiDialogsTest)
#include "gui_dialogs_test.moc"
