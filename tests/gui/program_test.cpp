#include <QtTest>

#include <QImage>
#include <QProcess>

#include "gui_test_support.h"

using namespace velmora;

// The velmora-gui program itself: its command line and the screenshot it can take.
class CProgramTest : public QObject {
  Q_OBJECT
 private:
  test::CTempDrive m_drive;

  int Run(const QStringList& args) {
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("VELMORA_DRIVE_C", QString::fromStdString(m_drive.m_folder));
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    program.setProcessEnvironment(environment);
    program.start(VELMORA_BINARY_DIR "/velmora-gui", args);
    if (!program.waitForFinished(60000))
      return -1;
    return program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -2;
  }

 private slots:
  // A host path on the command line; the window is drawn after building all pages.
  void ScreenshotOfABuiltSite() {
    QVERIFY(!m_drive.NewSite("C:\\shot\\script.txt").empty());
    const QString picture = QString::fromStdString(m_drive.m_folder + "/shot.png");
    QCOMPARE(Run({"--screenshot", picture, "--build",
                  QString::fromStdString(m_drive.Host("C:\\shot\\script.txt"))}),
             0);
    QImage image(picture);
    QVERIFY(image.width() > 300 && image.height() > 200);
    QVERIFY(QFile::exists(QString::fromStdString(m_drive.Host("C:\\shot\\index.html"))));
  }

  void AScriptThatCannotBeOpenedEndsTheProgram() {
    const QString picture = QString::fromStdString(m_drive.m_folder + "/none.png");
    QCOMPARE(Run({"--screenshot", picture, "C:\\missing\\script.txt"}), 1);
    QVERIFY(!QFile::exists(picture));
    QCOMPARE(Run({"--frobnicate"}), 64);
    QCOMPARE(Run({"a.txt", "b.txt"}), 64);
  }
};

QTEST_MAIN(CProgramTest)
#include "program_test.moc"
