#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include "gui/new_site_dialog.h"
#include "platform/dialogs.h"
#include "support/temp_drive.h"
#include "support/test_context.h"

using velmora::CNewSiteDlg;
using velmora::CScriptedDialogs;
using velmora::CTempDrive;

// The dialog proposes a free script path and writes the site through its OK steps.
class CNewSiteDialogTest : public QObject {
  Q_OBJECT
 private slots:
  // The file dialog keeps its history in Qt's own settings, which must not reach the real home.
  void initTestCase() { qputenv("XDG_CONFIG_HOME", m_qtConfig.path().toUtf8()); }
  void init() {
    m_pDrive = std::make_unique<CTempDrive>('C');
    qputenv("VELMORA_CONFIG", (m_pDrive->HostFolder() + "/Quarn20.conf").c_str());
    m_dialogs = CScriptedDialogs();
    velmora::TestContext().SetDialogs(&m_dialogs);
  }
  void cleanup() {
    velmora::TestContext().SetDialogs(nullptr);
    m_pDrive.reset();
  }

  void ProposesTheFirstFreeScriptPath() {
    {
      CNewSiteDlg dialog(velmora::TestContext());
      QCOMPARE(Edit(dialog, "1013")->text(), QString("C:\\mysite\\script.txt"));
    }
    m_pDrive->Write("mysite/script.txt", "x");
    m_pDrive->Write("mysite1/script.txt", "x");
    CNewSiteDlg dialog(velmora::TestContext());
    QCOMPARE(Edit(dialog, "1013")->text(), QString("C:\\mysite2\\script.txt"));
    QVERIFY(dialog.findChild<QRadioButton*>("1015")->isChecked());
    QVERIFY(dialog.findChild<QRadioButton*>("1017")->isChecked());
    QVERIFY(Edit(dialog, "1019")->text().isEmpty());
  }

  void OkWritesTheScriptWithTheCatalogSeparator() {
    CNewSiteDlg dialog(velmora::TestContext());
    dialog.show();
    Edit(dialog, "1013")->setText("C:\\site\\script.txt");
    dialog.findChild<QRadioButton*>("1016")->setChecked(true);
    Edit(dialog, "1019")->setText("C:\\tpl");
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.m_strScriptPath, std::string("C:\\site\\script.txt"));
    QVERIFY(dialog.m_strScriptText.find("\r\nTEMPLATES=C:\\tpl\\\r\nRESOURCES=gfx\r\n") !=
            std::string::npos);
    QCOMPARE(m_pDrive->Read("site/script.txt"), dialog.m_strScriptText);
    QVERIFY(m_pDrive->Exists("site/graphics"));
    QVERIFY(m_dialogs.m_messages.empty());
  }

  void EmptyAddressKeepsTheDialogOpen() {
    CNewSiteDlg dialog(velmora::TestContext());
    dialog.show();
    dialog.findChild<QRadioButton*>("1028")->setChecked(true);
    Edit(dialog, "1019")->setText("C:\\unused");  // a catalog not chosen still gets its '\'
    dialog.accept();
    QVERIFY(dialog.isVisible());
    QVERIFY(dialog.m_strScriptText.empty());
    QCOMPARE(m_dialogs.m_messages.size(), size_t(1));
    QCOMPARE(m_dialogs.m_messages[0], std::string("Bad form or service( not http): "));
    QCOMPARE(Edit(dialog, "1019")->text(), QString("C:\\unused\\"));
    QVERIFY(!m_pDrive->Exists("mysite/script.txt"));

    // A bare server name becomes a normalised address with its '/', and OK goes through.
    Edit(dialog, "1031")->setText("www.example.com");
    dialog.accept();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(Edit(dialog, "1031")->text(), QString("www.example.com/"));
    QVERIFY(dialog.m_strScriptText.find("\r\nTEMPLATES=http://www.example.com/\r\n") !=
            std::string::npos);
  }

  void BrowseGivesInternalPaths() {
    m_pDrive->Write("tpl/page.html", "x");
    m_pDrive->Write("new/keep.txt", "x");
    const QString host = QString::fromStdString(m_pDrive->HostFolder());
    CNewSiteDlg dialog(velmora::TestContext());
    dialog.show();
    PickInFileDialog(host + "/tpl/page.html");
    dialog.findChild<QPushButton*>("1021")->click();
    QCOMPARE(Edit(dialog, "1019")->text(), QString("C:\\tpl\\"));
    QVERIFY(dialog.findChild<QRadioButton*>("1016")->isChecked());

    PickInFileDialog(host + "/new/site");  // the default extension is added
    dialog.findChild<QPushButton*>("1014")->click();
    QCOMPARE(Edit(dialog, "1013")->text(), QString("C:\\new\\site.txt"));
  }

  void RefusedReplaceKeepsTheOldScript() {
    m_pDrive->Write("site/script.txt", "old");
    CNewSiteDlg dialog(velmora::TestContext());
    dialog.show();
    Edit(dialog, "1013")->setText("C:\\site\\script.txt");
    m_dialogs.m_answers = {false};
    dialog.accept();
    QVERIFY(dialog.isVisible());
    QCOMPARE(m_dialogs.m_questions.size(), size_t(1));
    QCOMPARE(m_pDrive->Read("site/script.txt"), std::string("old"));
  }

  void ModernStyleWritesTemplatesInTheChosenLanguage() {
    CNewSiteDlg dialog(velmora::TestContext());
    dialog.show();
    Edit(dialog, "1013")->setText("C:\\site\\script.txt");
    QVERIFY(!Edit(dialog, "language")->isEnabled());
    dialog.findChild<QComboBox*>("style")->setCurrentIndex(1);
    QVERIFY(Edit(dialog, "language")->isEnabled());
    QCOMPARE(Edit(dialog, "language")->text(), QString("en"));

    // The modern style has no frames: told, nothing written, and the dialog stays open.
    dialog.findChild<QCheckBox*>("1023")->setChecked(true);
    dialog.accept();
    QVERIFY(dialog.isVisible());
    QCOMPARE(m_dialogs.m_messages.size(), size_t(1));
    QVERIFY(!m_pDrive->Exists("site"));

    dialog.findChild<QCheckBox*>("1023")->setChecked(false);
    Edit(dialog, "language")->setText(" fr ");
    dialog.accept();
    QVERIFY(!dialog.isVisible());
    QVERIFY(m_pDrive->Read("site/templates/nf_p_template.html").find("<html lang=\"fr\">") !=
            std::string::npos);
    QVERIFY(m_pDrive->Exists("site/gfx/def.css"));
    QCOMPARE(m_pDrive->Read("site/script.txt"), dialog.m_strScriptText);
  }

  // Fields stay as the user left them: an empty catalog stays empty in the script, a relative
  // one is taken from the new script's folder, and neither becomes the program's working folder.
  void CatalogFieldsAreNeverTheWorkingFolder() {
    CNewSiteDlg dialog(velmora::TestContext());
    dialog.show();
    Edit(dialog, "1013")->setText("C:\\site\\script.txt");
    dialog.findChild<QRadioButton*>("1016")->setChecked(true);
    dialog.findChild<QRadioButton*>("1018")->setChecked(true);
    Edit(dialog, "1020")->setText("../shared/gfx");
    // An OK that stops (a bad address) leaves the empty field empty.
    dialog.findChild<QRadioButton*>("1028")->setChecked(true);
    dialog.accept();
    QVERIFY(dialog.isVisible());
    QCOMPARE(Edit(dialog, "1019")->text(), QString());
    QCOMPARE(Edit(dialog, "1020")->text(), QString("../shared/gfx\\"));

    dialog.findChild<QRadioButton*>("1016")->setChecked(true);
    dialog.accept();
    QVERIFY(!dialog.isVisible());
    QVERIFY2(dialog.m_strScriptText.find("\r\nTEMPLATES=\r\nRESOURCES=C:\\shared\\gfx\\\r\n") !=
                 std::string::npos,
             dialog.m_strScriptText.c_str());
    const std::string cwd = QDir::currentPath().toStdString();
    QVERIFY(dialog.m_strScriptText.find(cwd) == std::string::npos || cwd == "/");
    QVERIFY(!m_pDrive->Exists("site/C:"));
  }

  void EmptyScriptPathIsRefusedWithItsOwnMessage() {
    CNewSiteDlg dialog(velmora::TestContext());
    dialog.show();
    Edit(dialog, "1013")->setText("  ");
    dialog.accept();
    QVERIFY(dialog.isVisible());
    QCOMPARE(m_dialogs.m_messages.size(), size_t(1));
    QCOMPARE(m_dialogs.m_messages[0], std::string("Give the path of the new site's script file"));
    QCOMPARE(Edit(dialog, "1013")->text(), QString("  "));
  }

 private:
  // The next file dialog opened gets this host path and OK.
  void PickInFileDialog(const QString& hostPath) {
    QTimer::singleShot(0, this, [this, hostPath] {
      auto* pDialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      if (!pDialog)
        return PickInFileDialog(hostPath);
      pDialog->selectFile(hostPath);
      QMetaObject::invokeMethod(pDialog, "accept");
    });
  }

  static QLineEdit* Edit(CNewSiteDlg& dialog, const char* id) {
    auto* pEdit = dialog.findChild<QLineEdit*>(id);
    if (!pEdit)
      qFatal("no field %s", id);
    return pEdit;
  }

  QTemporaryDir m_qtConfig;
  std::unique_ptr<CTempDrive> m_pDrive;
  CScriptedDialogs m_dialogs;
};

QTEST_MAIN(CNewSiteDialogTest)
#include "new_site_dialog_test.moc"
