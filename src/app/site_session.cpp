#include "app/site_session.h"

namespace velmora {

bool CSiteSession::LoadScript(const std::string&) { return false; }
bool CSiteSession::LoadAndInterpret() { return false; }

}  // namespace velmora
