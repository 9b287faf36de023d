// Splits an address into service, server, object path and port. Used by the address tests,
// the local-copy paths and the fetcher alike.
#pragma once

#include <string>

namespace velmora {

struct CAddress {
  std::string m_strService;  // scheme in lower case: "http", "https", "ftp", "mailto", ...
  std::string m_strServer;
  std::string m_strObject;  // path and query, beginning with "/" ("/" when absent); for
                            // "mailto:..."-like addresses the text after the colon
  int m_nPort = 0;          // the given port, else 80, 443 or 21 by service, else 0
};

// False when the text is not "scheme://server[:port][/object]" (or "mailto:..."-like with an
// empty server, which parses with m_strServer empty).
bool ParseAddress(const std::string& text, CAddress& address);
// http or https.
bool IsHttpService(const CAddress& address);

}  // namespace velmora
