#include "gui/guarded_application.h"

#include "app/fatal_error.h"

namespace velmora {

bool CGuardedApplication::notify(QObject* pReceiver, QEvent* pEvent) {
  try {
    return QApplication::notify(pReceiver, pEvent);
  } catch (...) {
    if (m_pContext)
      ReportFatalError(*m_pContext);
    // Every event loop ends, a dialog's included, and exec() gives the status.
    exit(kExitFatal);
    return false;
  }
}

}  // namespace velmora
