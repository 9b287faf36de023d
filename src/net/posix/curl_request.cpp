#include "net/http_request.h"

#include <curl/curl.h>

#include <memory>

#include "platform/dialogs.h"
#include "platform/strings.h"

namespace velmora {

namespace {

void InitialiseOnce() {
  static const bool initialised = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
  (void)initialised;
}

struct CTransfer {
  CURL* m_pCurl = nullptr;
  const CHttpRequest* m_pRequest = nullptr;
  CHttpResponse* m_pResponse = nullptr;
  bool m_bStoppedOnPurpose = false;  // the body was not wanted
  bool m_bTooLarge = false;
  std::string m_strLength = {};  // the Content-Length of the current response, as sent
  bool m_bTwoLengths = false;
  long long m_nDropped = 0;  // bytes of answers other than 200
};

// Called by the transfer about once a second, and more often while data flows: a non-zero
// answer gives up the transfer when the user stops the command.
int OnTransferProgress(void* pProgress, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  const auto* progress = static_cast<const CProgress*>(pProgress);
  return progress && progress->StopRequested() ? 1 : 0;
}

bool HasCredentials(const CHttpRequest& request) {
  return !request.m_strUser.empty() || !request.m_strPassword.empty();
}

size_t OnHeader(char* data, size_t size, size_t count, void* user) {
  auto* transfer = static_cast<CTransfer*>(user);
  std::string_view line(data, size * count);
  // A new status line starts the headers of a new response (after 100 Continue or an
  // authentication round).
  if (StartsWith(line, "HTTP/")) {
    transfer->m_pResponse->m_strHeaders.clear();
    transfer->m_strLength.clear();
  }
  // Two different lengths leave the end of the body unknown; the client would quietly take one
  // of them and might hand on a cut-off text as whole.
  constexpr std::string_view kLength = "Content-Length:";
  if (line.size() > kLength.size() && EqualsNoCase(line.substr(0, kLength.size()), kLength)) {
    std::string length = Trim(line.substr(kLength.size()));
    if (!transfer->m_strLength.empty() && transfer->m_strLength != length) {
      transfer->m_bTwoLengths = true;
      return 0;
    }
    transfer->m_strLength = std::move(length);
  }
  transfer->m_pResponse->m_strHeaders.append(line);
  return size * count;
}

size_t OnBody(char* data, size_t size, size_t count, void* user) {
  auto* transfer = static_cast<CTransfer*>(user);
  const CHttpRequest& request = *transfer->m_pRequest;
  long status = 0;
  curl_easy_getinfo(transfer->m_pCurl, CURLINFO_RESPONSE_CODE, &status);
  // Only a 200 body is ever used. While credentials are being negotiated the client reads
  // the bodies of its own intermediate answers, so those are let through.
  if (!request.m_bReadBody || (status != 200 && !HasCredentials(request))) {
    transfer->m_bStoppedOnPurpose = true;
    return 0;
  }
  size_t n = size * count;
  if (status != 200) {
    // An answer of the negotiation: read and dropped, within the same bound.
    transfer->m_nDropped += static_cast<long long>(n);
    if (transfer->m_nDropped > request.m_nMaxBodyBytes) {
      transfer->m_bStoppedOnPurpose = true;
      return 0;
    }
    return n;
  }
  std::string& body = transfer->m_pResponse->m_strBody;
  curl_off_t announced = -1;
  curl_easy_getinfo(transfer->m_pCurl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &announced);
  if (announced > request.m_nMaxBodyBytes ||
      static_cast<long long>(body.size() + n) > request.m_nMaxBodyBytes) {
    transfer->m_bTooLarge = true;
    return 0;
  }
  body.append(data, n);
  return n;
}

struct CCurlDeleter {
  void operator()(CURL* p) const { curl_easy_cleanup(p); }
};
struct CListDeleter {
  void operator()(curl_slist* p) const { curl_slist_free_all(p); }
};

}  // namespace

bool SendRequest(const CHttpRequest& request, CHttpResponse& response) {
  InitialiseOnce();
  response = CHttpResponse();
  std::unique_ptr<CURL, CCurlDeleter> curl(curl_easy_init());
  if (!curl) {
    response.m_strError = "The HTTP client could not be started";
    return false;
  }
  CURL* c = curl.get();
  CTransfer transfer{c, &request, &response};

  curl_slist* list = nullptr;
  for (const std::string& line : Split(request.m_strHeaders, "\r\n", true)) {
    curl_slist* longer = curl_slist_append(list, line.c_str());
    if (!longer)
      break;
    list = longer;
  }
  std::unique_ptr<curl_slist, CListDeleter> headers(list);

  char errorText[CURL_ERROR_SIZE] = {};
  curl_easy_setopt(c, CURLOPT_URL, request.m_strUrl.c_str());
  curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(c, CURLOPT_HTTPGET, 1L);
  curl_easy_setopt(c, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
  curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 0L);
  curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers.get());
  curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(c, CURLOPT_FORBID_REUSE, 1L);
  curl_easy_setopt(c, CURLOPT_ERRORBUFFER, errorText);
  curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, request.m_nConnectTimeoutSeconds);
  // A server that sends less than one byte a second for the stall time is given up on; this
  // also covers a server that accepts the connection and never answers.
  curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, request.m_nStallTimeoutSeconds);
  // One byte now and then keeps the stall check quiet; the whole request still has an end.
  curl_easy_setopt(c, CURLOPT_TIMEOUT, request.m_nTransferTimeoutSeconds);
  curl_easy_setopt(c, CURLOPT_HEADERFUNCTION, OnHeader);
  curl_easy_setopt(c, CURLOPT_HEADERDATA, &transfer);
  curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, OnBody);
  curl_easy_setopt(c, CURLOPT_WRITEDATA, &transfer);
  curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, OnTransferProgress);
  curl_easy_setopt(c, CURLOPT_XFERINFODATA, const_cast<CProgress*>(request.m_pProgress));
  curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
  if (!request.m_strCertificateFile.empty())
    curl_easy_setopt(c, CURLOPT_CAINFO, request.m_strCertificateFile.c_str());
  if (HasCredentials(request)) {
    curl_easy_setopt(c, CURLOPT_HTTPAUTH, CURLAUTH_ANY);
    curl_easy_setopt(c, CURLOPT_USERNAME, request.m_strUser.c_str());
    curl_easy_setopt(c, CURLOPT_PASSWORD, request.m_strPassword.c_str());
  }

  CURLcode result = curl_easy_perform(c);
  long status = 0;
  curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status);
  response.m_nStatus = static_cast<int>(status);

  if (result == CURLE_OK || (result == CURLE_WRITE_ERROR && transfer.m_bStoppedOnPurpose))
    return true;
  response.m_strBody.clear();
  response.m_bNoAnswer = result == CURLE_COULDNT_RESOLVE_HOST ||
                         result == CURLE_COULDNT_RESOLVE_PROXY || result == CURLE_COULDNT_CONNECT ||
                         (result == CURLE_OPERATION_TIMEDOUT && status == 0);
  if (transfer.m_bTwoLengths)
    response.m_strError = "The answer gives two different lengths";
  else if (transfer.m_bTooLarge)
    response.m_strError =
        "The answer is larger than " + std::to_string(request.m_nMaxBodyBytes) + " bytes";
  else
    response.m_strError = errorText[0] ? errorText : curl_easy_strerror(result);
  if (response.m_strError.size() > 1023)
    response.m_strError.resize(1023);
  return false;
}

}  // namespace velmora
