// The application object of velmora-gui. An exception that escapes an event handler (memory
// running out in a command, most often) does not end the program unreported: it becomes a
// fatal line of the report, and the program ends with status 2.
#pragma once

#include <QApplication>

namespace velmora {

class CGuardedApplication : public QApplication {
 public:
  using QApplication::QApplication;
  bool notify(QObject* pReceiver, QEvent* pEvent) override;

  static constexpr int kExitFatal = 2;
};

}  // namespace velmora
