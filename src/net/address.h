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
// The address a reference found in the answer from base leads to (a redirect's Location may
// be relative): "//server/x", "/x", "?q", "x" and "../x" are taken against base, dot pieces
// of the path are removed and the fragment is dropped. False when the reference is empty or
// the result does not parse.
bool ResolveAddress(const CAddress& base, const std::string& reference, CAddress& result);
// The address written out: "service://server[:port]object", the port only when it is not the
// service's default.
std::string AddressText(const CAddress& address);

}  // namespace velmora
