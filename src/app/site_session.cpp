#include "app/site_session.h"

#include "platform/disk.h"

namespace velmora {

bool CSiteSession::LoadScript(const std::string& scriptPath) {
  m_strScriptPath = scriptPath;
  return Disk().ReadFile(scriptPath, m_strScriptText);
}

bool CSiteSession::LoadAndInterpret() {
  return false;
}

}  // namespace velmora
