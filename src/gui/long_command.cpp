#include "gui/long_command.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>
#include <atomic>
#include <exception>
#include <thread>

namespace velmora {

namespace {
int g_nRunning = 0;  // commands may nest: the properties command interprets again
QElapsedTimer g_sinceEvents;
constexpr qint64 kEventInterval = 50;
bool g_bWorkerRunning = false;
std::atomic<bool> g_bStop{false};

bool OnGuiThreadNow() {
  return !QCoreApplication::instance() ||
         QThread::currentThread() == QCoreApplication::instance()->thread();
}
}  // namespace

CLongCommand::CLongCommand() {
  if (g_nRunning++ == 0)
    g_sinceEvents.start();
}

CLongCommand::~CLongCommand() {
  --g_nRunning;
}

bool CLongCommand::IsRunning() {
  return g_nRunning > 0;
}

void CLongCommand::LetEventsTurn() {
  if (g_nRunning == 0 || g_bWorkerRunning || !OnGuiThreadNow() ||
      g_sinceEvents.elapsed() < kEventInterval)
    return;
  QCoreApplication::processEvents();
  g_sinceEvents.restart();
}

void CLongCommand::Run(const std::function<void()>& work) {
  if (g_bWorkerRunning || !QCoreApplication::instance() || !OnGuiThreadNow()) {
    work();
    return;
  }
  g_bWorkerRunning = true;
  g_bStop = false;
  QEventLoop loop;
  // The quit is queued to the loop, so it ends the loop even when the work is done before
  // the loop starts. An exception of the work (memory running out) is thrown again here, on
  // the window's thread, where the application turns it into a fatal report line.
  std::exception_ptr pError;
  std::thread worker([&] {
    try {
      work();
    } catch (...) {
      pError = std::current_exception();
    }
    QMetaObject::invokeMethod(
        &loop, [&loop] { loop.quit(); }, Qt::QueuedConnection);
  });
  loop.exec();
  worker.join();
  g_bWorkerRunning = false;
  g_bStop = false;
  if (pError)
    std::rethrow_exception(pError);
}

void CLongCommand::RequestStop() {
  if (g_nRunning > 0)
    g_bStop = true;
}

bool CLongCommand::StopRequested() {
  return g_bStop;
}

void OnGuiThread(const std::function<void()>& fn) {
  if (OnGuiThreadNow()) {
    fn();
    return;
  }
  QMetaObject::invokeMethod(QCoreApplication::instance(), fn, Qt::BlockingQueuedConnection);
}

}  // namespace velmora
