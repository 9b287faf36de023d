#include <QEventLoop>
#include <QTimer>
#include <QtTest>
#include <new>
#include <stdexcept>

#include "gui/guarded_application.h"
#include "gui/long_command.h"
#include "platform/dialogs.h"
#include "platform/report.h"
#include "support/test_context.h"

using namespace velmora;

// An exception that escapes an event handler of the desktop program, in its own event loop or
// in a nested one (a dialog, a command letting events turn): the report gets a fatal line, the
// alert box shows it, and the program ends with status 2.
class CGuardedApplicationTest : public QObject {
  Q_OBJECT
 private:
  // Runs an application whose first event throws; gives its exit status.
  template <typename Throw>
  int RunThrowing(Throw doThrow, bool bNested) {
    int argc = 1;
    char name[] = "guarded_application_test";
    char* argv[] = {name, nullptr};
    CGuardedApplication app(argc, argv);
    app.SetContext(&TestContext());
    TestContext().report.Clear();
    TestContext().report.SetBatch(true);
    QTimer::singleShot(0, [&] {
      if (!bNested)
        doThrow();
      QTimer::singleShot(0, [&] { doThrow(); });
      QEventLoop nested;
      nested.exec();
    });
    // Not reached unless the program went on after the exception.
    QTimer::singleShot(5000, [] { QCoreApplication::exit(0); });
    return app.exec();
  }

 private slots:
  void MemoryRunningOutEndsTheProgramWithAFatalLine() {
    CScriptedDialogs dialogs;
    TestContext().SetDialogs(&dialogs);
    QCOMPARE(RunThrowing([] { throw std::bad_alloc(); }, false), 2);
    QVERIFY(TestContext().report.Text().ends_with("Out of memory, the command was stopped\r\n"));
    QCOMPARE(TestContext().report.HighestLevel(), 4);
    QCOMPARE(dialogs.m_alertBoxes.size(), size_t(1));
    QVERIFY(dialogs.m_alertBoxes[0].find("Out of memory") != std::string::npos);
    TestContext().SetDialogs(nullptr);
  }

  void AnExceptionOfACommandsWorkerThreadEndsTheProgram() {
    QCOMPARE(RunThrowing([] { CLongCommand::Run([] { throw std::bad_alloc(); }); }, false), 2);
    QVERIFY(TestContext().report.Text().ends_with("Out of memory, the command was stopped\r\n"));
  }

  void AnExceptionInANestedEventLoopEndsTheProgram() {
    QCOMPARE(RunThrowing([] { throw std::runtime_error("broken"); }, true), 2);
    QVERIFY(TestContext().report.Text().ends_with(
        "Internal error, the command was stopped: broken\r\n"));
  }
};

QTEST_APPLESS_MAIN(CGuardedApplicationTest)
#include "guarded_application_test.moc"
