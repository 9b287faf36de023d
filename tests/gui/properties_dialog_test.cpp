#include <QCheckBox>
#include <QTemporaryDir>
#include <QtTest>

#include "gui/properties_dialog.h"
#include "platform/build_settings.h"
#include "support/test_context.h"

using velmora::CBuildSettings;
using velmora::CPropertiesDlg;
using velmora::TestContext;

// The boxes show the switches (six of them negated) and OK writes them back.
class CPropertiesDialogTest : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase() { qputenv("VELMORA_CONFIG", (m_config.path() + "/Quarn20.conf").toUtf8()); }
  void init() { velmora::TestContext().settings = CBuildSettings(); }

  void BoxesShowTheSwitches() {
    velmora::TestContext().settings.Internet = 1;
    velmora::TestContext().settings.BuildIndex = 0;
    velmora::TestContext().settings.AllowForwardSlashes = 1;
    CPropertiesDlg dialog(velmora::TestContext().settings);
    QCOMPARE(Box(dialog, "1017")->isChecked(), false);  // online: "Work OffLine" not ticked
    QCOMPARE(Box(dialog, "1019")->isChecked(), true);   // no index
    QCOMPARE(Box(dialog, "1018")->isChecked(), false);
    QCOMPARE(Box(dialog, "1036")->isChecked(), true);
    QCOMPARE(Box(dialog, "1017")->text(),
             QString("Work OffLine  ( Use only local files and local copies of internet files)"));
  }

  void OkWritesEverySwitch() {
    CPropertiesDlg dialog(velmora::TestContext().settings);
    for (const char* id : {"1017", "1018", "1019", "1020", "1021", "1022", "1036"})
      Box(dialog, id)->setChecked(true);
    dialog.accept();
    QCOMPARE(velmora::TestContext().settings.Internet, 0);
    QCOMPARE(velmora::TestContext().settings.BuildPrintPages, 0);
    QCOMPARE(velmora::TestContext().settings.BuildIndex, 0);
    QCOMPARE(velmora::TestContext().settings.BuildCollections, 0);
    QCOMPARE(velmora::TestContext().settings.CheckNameRefs, 0);
    QCOMPARE(velmora::TestContext().settings.CheckAllImages, 0);
    QCOMPARE(velmora::TestContext().settings.AllowForwardSlashes, 1);

    CPropertiesDlg again(velmora::TestContext().settings);
    for (const char* id : {"1017", "1018", "1019", "1020", "1021", "1022", "1036"}) {
      QVERIFY(Box(again, id)->isChecked());
      Box(again, id)->setChecked(false);
    }
    again.accept();
    QCOMPARE(velmora::TestContext().settings.Internet, 1);
    QCOMPARE(velmora::TestContext().settings.BuildPrintPages, 1);
    QCOMPARE(velmora::TestContext().settings.BuildIndex, 1);
    QCOMPARE(velmora::TestContext().settings.BuildCollections, 1);
    QCOMPARE(velmora::TestContext().settings.CheckNameRefs, 1);
    QCOMPARE(velmora::TestContext().settings.CheckAllImages, 1);
    QCOMPARE(velmora::TestContext().settings.AllowForwardSlashes, 0);
  }

  void CancelChangesNothing() {
    velmora::TestContext().settings.CheckNameRefs =
        7;  // any non-zero value is on and survives Cancel as it is
    CPropertiesDlg dialog(velmora::TestContext().settings);
    for (const char* id : {"1017", "1018", "1019", "1020", "1021", "1022", "1036"})
      Box(dialog, id)->toggle();
    dialog.reject();
    QCOMPARE(velmora::TestContext().settings.Internet, 0);
    QCOMPARE(velmora::TestContext().settings.BuildIndex, 1);
    QCOMPARE(velmora::TestContext().settings.CheckNameRefs, 7);
    QCOMPARE(velmora::TestContext().settings.AllowForwardSlashes, 0);
  }

 private:
  static QCheckBox* Box(CPropertiesDlg& dialog, const char* id) {
    auto* pBox = dialog.findChild<QCheckBox*>(id);
    if (!pBox)
      qFatal("no box %s", id);
    return pBox;
  }

  QTemporaryDir m_config;
};

QTEST_MAIN(CPropertiesDialogTest)
#include "properties_dialog_test.moc"
