// Every read from a web address goes through theFetcher: GET only, at most one redirect and
// only after asking, a password question on 401, and one log line per content request.
#pragma once

#include <string>

namespace velmora {

class CHttpFetcher {
 public:
  bool GetText(const std::string& address, std::string& content, std::string& log);
  bool GetBinary(const std::string& address, const std::string& localPath, std::string& log);
  int Probe(const std::string& address);
  std::string GetRedirectedLocation() const { return m_strRedirected; }

  // Limits of every request; tests shorten them.
  long m_nConnectTimeoutSeconds = 15;
  long m_nStallTimeoutSeconds = 30;
  long long m_nMaxBodyBytes = 64LL * 1024 * 1024;

 private:
  std::string m_strRedirected;
};

extern CHttpFetcher theFetcher;

}  // namespace velmora
