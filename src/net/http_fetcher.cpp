#include "net/http_fetcher.h"

#include "net/address.h"
#include "net/address_paths.h"
#include "net/http_request.h"
#include "platform/dialogs.h"
#include "platform/file_access.h"
#include "platform/strings.h"
#include "res/messages.h"

namespace velmora {

namespace {

const char kTextHeaders[] = "Accept: text/*\r\nUser-Agent: Velmora \r\n";
const char kBinaryHeaders[] = "Accept: binary/*\r\nUser-Agent: Velmora \r\n";

// Trims the address and drops one enclosing pair of double quotes (each side on its own).
std::string CleanAddress(const std::string& address) {
  std::string text = Trim(address);
  if (StartsWith(text, "\""))
    text.erase(0, 1);
  if (EndsWith(text, "\""))
    text.pop_back();
  return text;
}

// Puts "http://" in front of an address that names neither scheme.
void AddScheme(std::string& text) {
  FoldSchemeCase(text);
  if (!Contains(text, "http://") && !Contains(text, "https://"))
    text = "http://" + text;
}

std::string UrlOf(const CAddress& address) {
  std::string server = address.m_strServer;
  if (Contains(server, ":") && !StartsWith(server, "["))
    server = "[" + server + "]";
  std::string url = address.m_strService + "://" + server;
  bool bDefaultPort = (address.m_strService == "http" && address.m_nPort == 80) ||
                      (address.m_strService == "https" && address.m_nPort == 443);
  if (address.m_nPort > 0 && !bDefaultPort)
    url += ":" + std::to_string(address.m_nPort);
  std::string object = address.m_strObject.empty() ? "/" : address.m_strObject;
  return url + EscapeObjectPath(object);
}

bool IsRedirect(int nStatus) {
  return nStatus >= 301 && nStatus <= 303;
}

// The target named by the Location header, or empty when there is none. Header names are
// matched at the start of a line and ignoring case, as servers differ in how they write them.
std::string FindLocation(const std::string& headers) {
  for (const std::string& line : Split(headers, "\n")) {
    if (line.size() >= 9 && EqualsNoCase(std::string_view(line).substr(0, 9), "Location:"))
      return Trim(std::string_view(line).substr(9));
  }
  return {};
}

enum class ETarget { kOk, kUnreadable, kNotHttp };

// Parses a redirect target; a relative one is taken against the address that answered. The
// target becomes the whole address, as the log and the question show it.
ETarget ParseTarget(std::string& target, const CAddress& from, CAddress& address) {
  if (!ResolveAddress(from, target, address))
    return ETarget::kUnreadable;
  if (!IsHttpService(address))
    return ETarget::kNotHttp;
  target = AddressText(address);
  return ETarget::kOk;
}

std::string ServerKey(const CAddress& address) {
  return address.m_strService + "://" + address.m_strServer + ":" + std::to_string(address.m_nPort);
}

}  // namespace

void CHttpFetcher::BeginRun() {
  m_noAnswer.clear();
  m_probed.clear();
}

bool CHttpFetcher::MayAsk(const CAddress& address, std::string& log) const {
  auto it = m_noAnswer.find(ServerKey(address));
  if (it == m_noAnswer.end())
    return true;
  log += "Error  No answer earlier in this run, not asked again: " + it->second + "\n";
  return false;
}

void CHttpFetcher::NoteFailure(const CAddress& address, const CHttpResponse& response) {
  if (response.m_bNoAnswer)
    m_noAnswer.emplace(ServerKey(address), response.m_strError);
}

bool CHttpFetcher::Fetch(const std::string& address, bool bText, std::string& body,
                         std::string& log) {
  m_strRedirected.clear();
  log = "GET: " + address + " ";
  std::string text = CleanAddress(address);
  if (text.size() < 5) {
    log += FormatMessage(EMessage::kOnlyHttpAddresses, text);
    return false;
  }
  AddScheme(text);
  CAddress first;
  if (!ParseAddress(text, first) || !IsHttpService(first)) {
    log += FormatMessage(EMessage::kOnlyHttpAddresses, text);
    return false;
  }
  if (!MayAsk(first, log))
    return false;

  CHttpRequest request = MakeRequest(first, bText ? kTextHeaders : kBinaryHeaders);
  CHttpResponse response;
  if (!SendRequest(request, response)) {
    NoteFailure(first, response);
    return ClientFailed(response, log);
  }
  if (response.m_nStatus == 401) {
    // One retry with the credentials the user gives.
    if (!m_pDialogs->AskPassword(text, request.m_strUser, request.m_strPassword)) {
      log += Message(EMessage::kInvalidPassword);
      return false;
    }
    if (!SendRequest(request, response)) {
      NoteFailure(first, response);
      return ClientFailed(response, log);
    }
  }

  if (IsRedirect(response.m_nStatus)) {
    std::string target = FindLocation(response.m_strHeaders);
    if (target.empty()) {
      log += Message(EMessage::kUnacceptedRedirection);
      return false;
    }
    CAddress second;
    ETarget kind = ParseTarget(target, first, second);
    if (kind == ETarget::kUnreadable) {
      log += FormatMessage(EMessage::kOnlyHttpAddresses, text);
      return false;
    }
    if (kind == ETarget::kNotHttp) {
      log += Message(EMessage::kRedirectionNotHttp);
      return false;
    }
    // A text asked for by a folder name that leads to a file is refused: relative
    // references in that text would be taken from the wrong folder.
    if (bText && !Contains(first.m_strObject, ".") && Contains(second.m_strObject, ".")) {
      log += FormatMessage(EMessage::kCode, std::to_string(response.m_nStatus));
      return false;
    }
    if (!m_pDialogs->AskYesNo(FormatMessage(EMessage::kAcceptRedirection, text, target))) {
      log += Message(EMessage::kUnacceptedRedirection);
      return false;
    }
    log += FormatMessage(EMessage::kRedirectedTo, target) + " ";
    if (!MayAsk(second, log))
      return false;
    // The target gets no credentials: it may be another server.
    request = MakeRequest(second, bText ? kTextHeaders : kBinaryHeaders);
    if (!SendRequest(request, response)) {
      NoteFailure(second, response);
      return ClientFailed(response, log);
    }
    if (response.m_nStatus != 200) {
      log += FormatMessage(EMessage::kCode, std::to_string(response.m_nStatus));
      return false;
    }
    m_strRedirected = target;
  } else if (response.m_nStatus != 200) {
    log += FormatMessage(EMessage::kCode, std::to_string(response.m_nStatus));
    return false;
  }
  body = std::move(response.m_strBody);
  return true;
}

CHttpRequest CHttpFetcher::MakeRequest(const CAddress& address, const char* headers) const {
  CHttpRequest request;
  request.m_strUrl = UrlOf(address);
  request.m_strHeaders = headers;
  request.m_nConnectTimeoutSeconds = m_nConnectTimeoutSeconds;
  request.m_nStallTimeoutSeconds = m_nStallTimeoutSeconds;
  request.m_nTransferTimeoutSeconds = m_nTransferTimeoutSeconds;
  request.m_nMaxBodyBytes = m_nMaxBodyBytes;
  request.m_strCertificateFile = m_strCertificateFile;
  request.m_pProgress = m_pProgress;
  return request;
}

bool CHttpFetcher::ClientFailed(const CHttpResponse& response, std::string& log) {
  // The client's own text ends with a line feed, as the log of a failed request always has.
  log += "Error  " + response.m_strError + "\n";
  return false;
}

bool CHttpFetcher::GetText(const std::string& address, std::string& content, std::string& log) {
  content.clear();
  if (!Fetch(address, true, content, log)) {
    content.clear();
    return false;
  }
  log += "OK";
  return true;
}

bool CHttpFetcher::GetBinary(const std::string& address, const std::string& localPath,
                             std::string& log) {
  std::string body;
  if (!Fetch(address, false, body, log))
    return false;
  // The file is written whole or not at all; a path that cannot take it is a failure.
  if (!m_files.MakeDirs(localPath) || !m_files.WriteBinaryFile(localPath, body)) {
    m_pDialogs->MessageBox("Cannot store: " + localPath);
    log += "Cannot store: " + localPath;
    return false;
  }
  log += "OK";
  return true;
}

int CHttpFetcher::Probe(const std::string& address) {
  m_strRedirected.clear();
  m_lastProbe = CProbeResult();
  std::string text = CleanAddress(address);
  if (text.size() < 5)
    return 0;
  AddScheme(text);
  auto it = m_probed.find(text);
  if (it == m_probed.end()) {
    CProbeResult result;
    result.m_nStatus = ProbeOnce(text, result);
    it = m_probed.emplace(text, std::move(result)).first;
  }
  m_lastProbe = it->second;
  m_strRedirected = m_lastProbe.m_strRedirected;
  return m_lastProbe.m_nStatus;
}

int CHttpFetcher::ProbeOnce(const std::string& text, CProbeResult& result) {
  CAddress first;
  if (!ParseAddress(text, first) || !IsHttpService(first)) {
    result.m_failure = EProbeFailure::kUnreadable;
    return 99;
  }
  if (auto dead = m_noAnswer.find(ServerKey(first)); dead != m_noAnswer.end()) {
    result.m_failure = EProbeFailure::kNoAnswer;
    result.m_strError = dead->second;
    return 99;
  }
  CHttpRequest request = MakeRequest(first, kTextHeaders);
  request.m_bReadBody = false;
  CHttpResponse response;
  if (!SendRequest(request, response)) {
    NoteFailure(first, response);
    result.m_failure = response.m_bNoAnswer ? EProbeFailure::kNoAnswer : EProbeFailure::kClient;
    result.m_strError = response.m_strError;
    return 99;
  }
  if (IsRedirect(response.m_nStatus)) {
    std::string target = FindLocation(response.m_strHeaders);
    CAddress second;
    if (!target.empty() && ParseTarget(target, first, second) == ETarget::kOk)
      result.m_strRedirected = target;
  }
  return response.m_nStatus;
}

}  // namespace velmora
