// The application object of velmora-gui. An exception that escapes an event handler (memory
// running out in a command, most often) does not end the program unreported: it becomes a
// fatal line of the report, and the program ends with status 2.
#pragma once

#include <QApplication>

namespace velmora {

class CBuildContext;

class CGuardedApplication : public QApplication {
 public:
  using QApplication::QApplication;
  bool notify(QObject* pReceiver, QEvent* pEvent) override;
  // Where an exception that escapes an event is reported.
  void SetContext(CBuildContext* pContext) { m_pContext = pContext; }

  static constexpr int kExitFatal = 2;

 private:
  CBuildContext* m_pContext = nullptr;
};

}  // namespace velmora
