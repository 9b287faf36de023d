#include "model/build_context.h"

namespace velmora {

CBuildContext::CBuildContext() {
  report.SetDialogs(m_pDialogs);
}

void CBuildContext::SetDisk(CDisk* pDisk) {
  m_pDisk = pDisk ? pDisk : &m_hostDisk;
}

void CBuildContext::SetDialogs(CDialogs* pDialogs) {
  m_pDialogs = pDialogs ? pDialogs : &m_noDialogs;
  report.SetDialogs(m_pDialogs);
}

void CBuildContext::SetProgress(CProgress* pProgress) {
  m_pProgress = pProgress ? pProgress : &m_silentProgress;
}

}  // namespace velmora
