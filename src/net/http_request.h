// One GET through the host's HTTP client (libcurl; WinHTTP on Windows): the given headers, no
// automatic redirects, the status, the raw response headers and the body, bounded in time and
// in size. The fetcher builds its rules (redirect question, password retry, log line) on top of
// this.
#pragma once

#include <string>

namespace velmora {

class CProgress;

struct CHttpRequest {
  std::string m_strUrl;
  std::string m_strHeaders;  // "Name: value\r\n" lines
  std::string m_strUser;     // both empty: no credentials are sent
  std::string m_strPassword;
  bool m_bReadBody = true;  // false: the transfer stops once the status is known
  long m_nConnectTimeoutSeconds = 15;
  long m_nStallTimeoutSeconds = 30;
  long m_nTransferTimeoutSeconds = 300;
  long long m_nMaxBodyBytes = 64LL * 1024 * 1024;
  // Empty: the system's store only. WinHTTP takes no file and always trusts the store alone.
  std::string m_strCertificateFile;
  const CProgress* m_pProgress = nullptr;  // a transfer is given up when it is stopped
};

struct CHttpResponse {
  int m_nStatus = 0;
  std::string m_strHeaders;  // raw header lines of the final response, CR LF separated
  std::string m_strBody;     // only for status 200
  std::string m_strError;    // the client's text when the transfer failed
  // The transfer failed before any answer: the name did not resolve, the connection was
  // refused or could not be made, or the time ran out before a status line came.
  bool m_bNoAnswer = false;
};

// False when the client itself failed (no connection, time-out, broken or oversized
// transfer); m_strError then says why.
bool SendRequest(const CHttpRequest& request, CHttpResponse& response);

// The URL text for a request: unsafe bytes of the object path are percent-encoded.
std::string EscapeObjectPath(const std::string& object);

}  // namespace velmora
