#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QtTest>

#include "gui/make_one_page_dialog.h"
#include "gui/script_format_dialog.h"

using velmora::CMakeOnePageDlg;
using velmora::CScriptFormatDlg;

// The make-one-page target and the script-format help window.
class CHelpDialogsTest : public QObject {
  Q_OBJECT
 private slots:
  void OnePageTargetFollowsTheTextOnlyBox() {
    CMakeOnePageDlg dialog("C:\\site");
    QLabel* pTarget = dialog.findChild<QLabel*>("1015");
    QCheckBox* pTextOnly = dialog.findChild<QCheckBox*>("1016");
    QCOMPARE(pTarget->text(), QString("C:\\site\\Pall.html"));
    QVERIFY(!pTextOnly->isChecked());

    pTextOnly->click();
    QCOMPARE(pTarget->text(), QString("C:\\site\\Pall.txt"));
    pTextOnly->click();
    pTextOnly->click();
    dialog.accept();
    QCOMPARE(dialog.m_strTarget, std::string("C:\\site\\Pall.txt"));
    QVERIFY(dialog.m_bTextOnly);
  }

  void OnlyTheFileNameLosesItsHtml() {
    CMakeOnePageDlg dialog("C:\\old.html\\");
    dialog.findChild<QCheckBox*>("1016")->click();
    QCOMPARE(dialog.m_strTarget, std::string("C:\\old.html\\Pall.txt"));
  }

  void HideKeepsTheSelectedTab() {
    CScriptFormatDlg window;
    window.show();
    QTabBar* pTabs = window.findChild<QTabBar*>("1024");
    QPlainTextEdit* pText = window.findChild<QPlainTextEdit*>("1025");
    QCOMPARE(pTabs->count(), 7);
    QCOMPARE(pTabs->tabText(pTabs->currentIndex()), QString("Site"));
    QVERIFY(pText->toPlainText().startsWith("VERSION=2.0\nSITENAME=\n"));

    pTabs->setCurrentIndex(1);
    window.findChild<QPushButton*>("IDOK")->click();
    QVERIFY(!window.isVisible());
    window.show();
    QCOMPARE(pTabs->tabText(pTabs->currentIndex()), QString("Page"));
    QVERIFY(pText->toPlainText().endsWith(
        "\n                 N, if you want to link directly to his page\n"));
  }

  void TabLinesEndWithCrLf() {
    QCOMPARE(CScriptFormatDlg::TabText(6),
             std::string("INDEX:location\r\n"
                         "     location: file or url with keywords and synonyms to collect\r\n"));
    QVERIFY(CScriptFormatDlg::TabText(4).find("with sin\r\n\r\nIf sin starts") !=
            std::string::npos);
  }
};

QTEST_MAIN(CHelpDialogsTest)
#include "help_dialogs_test.moc"
