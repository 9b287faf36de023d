#include "serve/preview_server.h"

namespace velmora {

std::string UrlHost(const std::string& address) {
  return address.find(':') != std::string::npos ? "[" + address + "]" : address;
}

std::string UrlPath(const std::string& relativePath) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string path;
  for (unsigned char c : relativePath) {
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '/' ||
        c == '-' || c == '.' || c == '_' || c == '~') {
      path += static_cast<char>(c);
    } else {
      path += '%';
      path += kHex[c >> 4];
      path += kHex[c & 15];
    }
  }
  return path;
}

CPreviewServer::CPreviewServer(CBuildContext& ctx, const std::string& scriptPath)
    : m_strScriptPath(scriptPath), m_session(ctx, scriptPath), m_server(m_session.m_channel) {}

bool CPreviewServer::Start(const std::string& address, int nPort, std::string& error) {
  error.clear();
  m_strAddress = address;
  if (!m_session.Build() || m_session.CatalogHostFolder().empty())
    return false;
  return m_server.Start(m_session.CatalogHostFolder(), address, nPort, error);
}

std::string CPreviewServer::RootUrl() const {
  return "http://" + UrlHost(m_strAddress) + ":" + std::to_string(Port()) + "/";
}

std::string CPreviewServer::HomeUrl() const {
  return RootUrl() + UrlPath(m_session.HomePagePath());
}

}  // namespace velmora
