#include "net/address.h"

namespace velmora {

bool ParseAddress(const std::string&, CAddress&) { return false; }
bool IsHttpService(const CAddress& address) {
  return address.m_strService == "http" || address.m_strService == "https";
}

}  // namespace velmora
