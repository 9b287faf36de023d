#include <QtTest>

#include "gui/about_dialog.h"

// The desktop library links and a window can be made without a display.
class CStartupTest : public QObject {
  Q_OBJECT
 private slots:
  void AboutBoxOpens() {
    velmora::CAboutDlg dialog;
    dialog.show();
    QVERIFY(dialog.isVisible());
  }
};

QTEST_MAIN(CStartupTest)
#include "startup_test.moc"
