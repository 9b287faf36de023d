// The preview as both front ends run it: the site built from its script file, its catalog
// served over HTTP with live reload, and built again on request. The command line adds the
// watching loop; the desktop program builds again after each Save.
#pragma once

#include <string>

#include "serve/serve_session.h"
#include "serve/site_server.h"

namespace velmora {

class CPreviewServer {
 public:
  // scriptPath is the script's internal path.
  CPreviewServer(CBuildContext& ctx, const std::string& scriptPath);

  // Builds the site, then serves its catalog on address:nPort (0: any free port). False when
  // the site could not be built (the report tells why; error stays empty) or served (error
  // says why).
  bool Start(const std::string& address, int nPort, std::string& error);
  // Builds the site again; open pages reload, or show the build's errors.
  bool Rebuild() { return m_session.Build(); }
  // Ends the event streams and stops serving.
  void Stop() { m_server.Stop(); }

  const std::string& ScriptPath() const { return m_strScriptPath; }
  int Port() const { return m_server.Port(); }
  // http://ADDRESS:PORT/ and the home page's address under it.
  std::string RootUrl() const;
  std::string HomeUrl() const;
  CServeSession& Session() { return m_session; }

 private:
  std::string m_strScriptPath;
  std::string m_strAddress;
  CServeSession m_session;
  CSiteServer m_server;
};

// The address as it goes into a URL: an IPv6 address in brackets.
std::string UrlHost(const std::string& address);
// A path relative to the served folder as a URL path: '/' kept, bytes other than letters,
// digits and "-._~" percent-encoded.
std::string UrlPath(const std::string& relativePath);

}  // namespace velmora
