// Every read from a web address goes through theFetcher: GET only, at most one redirect and
// only after asking, a password question on 401, and one log line per content request.
#pragma once

#include <string>

namespace velmora {

struct CAddress;
struct CHttpRequest;
struct CHttpResponse;

class CHttpFetcher {
 public:
  bool GetText(const std::string& address, std::string& content, std::string& log);
  bool GetBinary(const std::string& address, const std::string& localPath, std::string& log);
  int Probe(const std::string& address);
  std::string GetRedirectedLocation() const { return m_strRedirected; }

  // Limits of every request; tests shorten them.
  long m_nConnectTimeoutSeconds = 15;
  long m_nStallTimeoutSeconds = 30;
  // The whole of one request, for servers that send just fast enough never to stall.
  long m_nTransferTimeoutSeconds = 300;
  long long m_nMaxBodyBytes = 64LL * 1024 * 1024;
  // A file of certificates to trust besides the system's store (tests name their own).
  std::string m_strCertificateFile;

 private:
  // The common part of GetText and GetBinary: everything up to a 200 body in hand.
  bool Fetch(const std::string& address, bool bText, std::string& body, std::string& log);
  CHttpRequest MakeRequest(const CAddress& address, const char* headers) const;
  static bool ClientFailed(const CHttpResponse& response, std::string& log);

  std::string m_strRedirected;
};

extern CHttpFetcher theFetcher;

}  // namespace velmora
