#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

#include "build/replace_tool.h"
#include "gui/replace_dialog.h"
#include "model/web_site.h"
#include "platform/dialogs.h"
#include "support/temp_drive.h"
#include "support/test_context.h"

using namespace velmora;

// The file list of the replace dialog: filled sorted, the select-all toggle, the chosen files.
class CReplaceDialogTest : public QObject {
  Q_OBJECT
 private slots:
  void init() {
    m_pDrive = std::make_unique<CTempDrive>('C');
    qputenv("VELMORA_CONFIG", (m_pDrive->HostFolder() + "/Quarn20.conf").c_str());
    TestContext().SetDialogs(&m_dialogs);
    m_pSite = std::make_unique<CWebSite>(TestContext(), std::vector<std::string>{});
    m_pSite->m_strCatalog = "C:\\site\\";
    for (const char* path : {"C:\\site\\c.html", "C:\\site\\a.html", "C:\\site\\b.html", ""}) {
      m_pSite->m_blocks.push_back(std::make_unique<CBlock>(m_pSite.get(), nullptr, ""));
      m_pSite->m_blocks.back()->m_strLocalPath = path;
    }
  }
  void cleanup() {
    m_pSite.reset();
    TestContext().SetDialogs(nullptr);
    m_pDrive.reset();
  }

  void ToggleSelectsThenClearsEvenAfterSelectingByHand() {
    CReplaceTool tool(*m_pSite);
    CReplaceDlg dialog(tool);
    QListWidget* pList = dialog.findChild<QListWidget*>("1003");
    QCOMPARE(pList->count(), 3);
    QCOMPARE(pList->item(0)->text(), QString("C:\\site\\a.html"));
    QCOMPARE(pList->selectedItems().size(), 0);

    pList->selectAll();  // by hand: the button still selects first
    Toggle(dialog);
    QCOMPARE(pList->selectedItems().size(), 3);
    Toggle(dialog);
    QCOMPARE(pList->selectedItems().size(), 0);
    Toggle(dialog);
    QCOMPARE(pList->selectedItems().size(), 3);
  }

  void OkTakesTheTextsAndTheSelectedFilesInListOrder() {
    CReplaceTool tool(*m_pSite);
    CReplaceDlg dialog(tool);
    QListWidget* pList = dialog.findChild<QListWidget*>("1003");
    pList->item(2)->setSelected(true);
    pList->item(0)->setSelected(true);
    dialog.findChild<QLineEdit*>("1026")->setText("old");
    dialog.findChild<QLineEdit*>("1027")->setText("#new.txt");
    dialog.accept();
    QCOMPARE(dialog.m_strFind, std::string("old"));
    QCOMPARE(dialog.m_strWith, std::string("#new.txt"));
    QCOMPARE(dialog.m_chosenFiles,
             (std::vector<std::string>{"C:\\site\\a.html", "C:\\site\\c.html"}));
  }

  void ToggleOnAnEmptyListDoesNothing() {
    m_pSite->m_blocks.clear();
    CReplaceTool tool(*m_pSite);
    CReplaceDlg dialog(tool);
    Toggle(dialog);
    QVERIFY(!dialog.m_bSelectAll);
  }

 private:
  static void Toggle(CReplaceDlg& dialog) { dialog.findChild<QPushButton*>("1028")->click(); }

  std::unique_ptr<CTempDrive> m_pDrive;
  CScriptedDialogs m_dialogs;
  std::unique_ptr<CWebSite> m_pSite;
};

QTEST_MAIN(CReplaceDialogTest)
#include "replace_dialog_test.moc"
