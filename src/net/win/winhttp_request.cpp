// One GET through WinHTTP, the system's own client, with the same bounds and answers as the
// libcurl request on other hosts.
#include <windows.h>
// winhttp.h needs the declarations of windows.h first.
#include <winhttp.h>

#include <string>

#include "net/http_request.h"
#include "platform/dialogs.h"
#include "platform/strings.h"
#include "platform/win/wide_text.h"

namespace velmora {

namespace {

class CInternet {
 public:
  explicit CInternet(HINTERNET h) : m_h(h) {}
  ~CInternet() {
    if (m_h)
      ::WinHttpCloseHandle(m_h);
  }
  CInternet(const CInternet&) = delete;
  CInternet& operator=(const CInternet&) = delete;
  HINTERNET Get() const { return m_h; }

 private:
  HINTERNET m_h;
};

// Why a request failed, in the words the report shows.
std::string ErrorText(DWORD error) {
  switch (error) {
    case ERROR_WINHTTP_NAME_NOT_RESOLVED:
      return "Could not resolve host";
    case ERROR_WINHTTP_CANNOT_CONNECT:
      return "Could not connect to the server";
    case ERROR_WINHTTP_TIMEOUT:
      return "The time ran out";
    case ERROR_WINHTTP_CONNECTION_ERROR:
      return "The connection broke";
    case ERROR_WINHTTP_SECURE_FAILURE:
    case ERROR_WINHTTP_SECURE_INVALID_CA:
    case ERROR_WINHTTP_SECURE_CERT_CN_INVALID:
    case ERROR_WINHTTP_SECURE_CERT_DATE_INVALID:
    case ERROR_WINHTTP_SECURE_INVALID_CERT:
    case ERROR_WINHTTP_SECURE_CERT_REVOKED:
      return "The server's certificate is not trusted";
    case ERROR_WINHTTP_SECURE_CHANNEL_ERROR:
      return "The secure connection could not be made";
    case ERROR_WINHTTP_INVALID_SERVER_RESPONSE:
      return "The server's answer is not HTTP";
    case ERROR_WINHTTP_UNRECOGNIZED_SCHEME:
    case ERROR_WINHTTP_INVALID_URL:
      return "The address cannot be requested";
    default:
      return "The HTTP client failed (WinHTTP error " + std::to_string(error) + ")";
  }
}

bool IsNoAnswer(DWORD error) {
  return error == ERROR_WINHTTP_NAME_NOT_RESOLVED || error == ERROR_WINHTTP_CANNOT_CONNECT ||
         error == ERROR_WINHTTP_TIMEOUT;
}

bool HasCredentials(const CHttpRequest& request) {
  return !request.m_strUser.empty() || !request.m_strPassword.empty();
}

// The response's header lines as they came, status line first.
std::string RawHeaders(HINTERNET request) {
  DWORD size = 0;
  ::WinHttpQueryHeaders(request, WINHTTP_QUERY_RAW_HEADERS_CRLF, WINHTTP_HEADER_NAME_BY_INDEX,
                        nullptr, &size, WINHTTP_NO_HEADER_INDEX);
  if (size == 0)
    return {};
  std::wstring wide(size / sizeof(wchar_t) + 1, L'\0');
  if (!::WinHttpQueryHeaders(request, WINHTTP_QUERY_RAW_HEADERS_CRLF, WINHTTP_HEADER_NAME_BY_INDEX,
                             wide.data(), &size, WINHTTP_NO_HEADER_INDEX))
    return {};
  wide.resize(size / sizeof(wchar_t));
  return Utf8FromWide(wide);
}

// The Content-Length the answer gives; false when it gives two different ones, which leave
// the end of the body unknown.
bool AnnouncedLength(const std::string& headers, std::string& length) {
  length.clear();
  constexpr std::string_view kLength = "Content-Length:";
  for (const std::string& line : Split(headers, "\r\n", true)) {
    if (line.size() <= kLength.size() || !EqualsNoCase(line.substr(0, kLength.size()), kLength))
      continue;
    std::string value = Trim(std::string_view(line).substr(kLength.size()));
    if (!length.empty() && length != value)
      return false;
    length = std::move(value);
  }
  return true;
}

// The strongest scheme the server offers, for the credentials.
DWORD ChooseScheme(HINTERNET request) {
  DWORD supported = 0, first = 0, target = 0;
  if (!::WinHttpQueryAuthSchemes(request, &supported, &first, &target))
    return 0;
  for (DWORD scheme : {WINHTTP_AUTH_SCHEME_NEGOTIATE, WINHTTP_AUTH_SCHEME_NTLM,
                       WINHTTP_AUTH_SCHEME_DIGEST, WINHTTP_AUTH_SCHEME_BASIC})
    if (supported & scheme)
      return scheme;
  return 0;
}

class CTransfer {
 public:
  CTransfer(const CHttpRequest& request, CHttpResponse& response)
      : m_request(request), m_response(response) {}
  bool Run();

 private:
  bool Fail(DWORD error) {
    return Fail(ErrorText(error), IsNoAnswer(error) && m_response.m_nStatus == 0);
  }
  bool Fail(const std::string& text, bool bNoAnswer = false) {
    m_response.m_strBody.clear();
    m_response.m_strError = text;
    m_response.m_bNoAnswer = bNoAnswer;
    return false;
  }
  bool TimeLeft() const {
    return ::GetTickCount64() - m_nStart <
           static_cast<ULONGLONG>(m_request.m_nTransferTimeoutSeconds) * 1000;
  }
  bool Send(HINTERNET request);
  bool ReadBody(HINTERNET request);

  const CHttpRequest& m_request;
  CHttpResponse& m_response;
  ULONGLONG m_nStart = ::GetTickCount64();
};

bool CTransfer::Send(HINTERNET request) {
  const std::wstring headers = WideFromBytes(m_request.m_strHeaders);
  if (!::WinHttpSendRequest(request,
                            headers.empty() ? WINHTTP_NO_ADDITIONAL_HEADERS : headers.c_str(),
                            static_cast<DWORD>(headers.size()), WINHTTP_NO_REQUEST_DATA, 0, 0, 0) ||
      !::WinHttpReceiveResponse(request, nullptr))
    return Fail(::GetLastError());
  DWORD status = 0;
  DWORD size = sizeof status;
  ::WinHttpQueryHeaders(request, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                        WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX);
  m_response.m_nStatus = static_cast<int>(status);
  m_response.m_strHeaders = RawHeaders(request);
  return true;
}

bool CTransfer::ReadBody(HINTERNET request) {
  std::string length;
  if (!AnnouncedLength(m_response.m_strHeaders, length))
    return Fail("The answer gives two different lengths");
  const long long nMax = m_request.m_nMaxBodyBytes;
  const std::string tooLarge = "The answer is larger than " + std::to_string(nMax) + " bytes";
  if (!length.empty() && ParseLeadingInt(length) > nMax)
    return Fail(tooLarge);
  std::string& body = m_response.m_strBody;
  char buffer[65536];
  while (true) {
    if (m_request.m_pProgress && m_request.m_pProgress->StopRequested())
      return Fail("Stopped by the user");
    if (!TimeLeft())
      return Fail(ERROR_WINHTTP_TIMEOUT);
    DWORD n = 0;
    if (!::WinHttpReadData(request, buffer, sizeof buffer, &n))
      return Fail(::GetLastError());
    if (n == 0)
      break;
    if (static_cast<long long>(body.size() + n) > nMax)
      return Fail(tooLarge);
    body.append(buffer, n);
  }
  // A connection closed early ends the body quietly here; the length tells.
  if (!length.empty() && static_cast<size_t>(ParseLeadingInt(length)) != body.size())
    return Fail("The answer ended before its length");
  return true;
}

bool CTransfer::Run() {
  const std::wstring url = WideFromBytes(m_request.m_strUrl);
  URL_COMPONENTS parts{};
  parts.dwStructSize = sizeof parts;
  parts.dwHostNameLength = static_cast<DWORD>(-1);
  parts.dwUrlPathLength = static_cast<DWORD>(-1);
  parts.dwExtraInfoLength = static_cast<DWORD>(-1);
  if (!::WinHttpCrackUrl(url.c_str(), 0, 0, &parts) ||
      (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS))
    return Fail(ERROR_WINHTTP_INVALID_URL);
  const std::wstring host(parts.lpszHostName, parts.dwHostNameLength);
  std::wstring object(parts.lpszUrlPath, parts.dwUrlPathLength);
  object.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
  if (object.empty())
    object = L"/";

  CInternet session(::WinHttpOpen(L"Velmora/2.0", WINHTTP_ACCESS_TYPE_DEFAULT_PROXY,
                                  WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0));
  if (!session.Get())
    return Fail("The HTTP client could not be started");
  const int connectMs = static_cast<int>(m_request.m_nConnectTimeoutSeconds * 1000);
  const int stallMs = static_cast<int>(m_request.m_nStallTimeoutSeconds * 1000);
  ::WinHttpSetTimeouts(session.Get(), connectMs, connectMs, stallMs, stallMs);
  CInternet connection(::WinHttpConnect(session.Get(), host.c_str(), parts.nPort, 0));
  if (!connection.Get())
    return Fail(::GetLastError());
  const DWORD flags = parts.nScheme == INTERNET_SCHEME_HTTPS ? WINHTTP_FLAG_SECURE : 0;
  CInternet request(::WinHttpOpenRequest(connection.Get(), L"GET", object.c_str(), nullptr,
                                         WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES,
                                         flags | WINHTTP_FLAG_ESCAPE_DISABLE));
  if (!request.Get())
    return Fail(::GetLastError());
  // Redirects are the fetcher's to follow, after asking. The connection lives as long as the
  // session, this request's alone, and is kept only for a password exchange on it.
  DWORD disable = WINHTTP_DISABLE_REDIRECTS;
  ::WinHttpSetOption(request.Get(), WINHTTP_OPTION_DISABLE_FEATURE, &disable, sizeof disable);
  // The user's Windows logon is never offered to a server on its own.
  DWORD never = WINHTTP_AUTOLOGON_SECURITY_LEVEL_HIGH;
  ::WinHttpSetOption(request.Get(), WINHTTP_OPTION_AUTOLOGON_POLICY, &never, sizeof never);

  if (!Send(request.Get()))
    return false;
  if (m_response.m_nStatus == 401 && HasCredentials(m_request)) {
    const DWORD scheme = ChooseScheme(request.Get());
    const std::wstring user = WideFromBytes(m_request.m_strUser);
    const std::wstring password = WideFromBytes(m_request.m_strPassword);
    if (scheme != 0 &&
        ::WinHttpSetCredentials(request.Get(), WINHTTP_AUTH_TARGET_SERVER, scheme, user.c_str(),
                                password.c_str(), nullptr) &&
        !Send(request.Get()))
      return false;
  }
  if (!m_request.m_bReadBody || m_response.m_nStatus != 200)
    return true;
  return ReadBody(request.Get());
}

}  // namespace

bool SendRequest(const CHttpRequest& request, CHttpResponse& response) {
  response = CHttpResponse();
  CTransfer transfer(request, response);
  const bool ok = transfer.Run();
  if (response.m_strError.size() > 1023)
    response.m_strError.resize(1023);
  return ok;
}

}  // namespace velmora
