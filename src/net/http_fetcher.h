// Every read from a web address goes through the run's fetcher: GET only, at most one redirect and
// only after asking, a password question on 401, and one log line per content request.
#pragma once

#include <map>
#include <string>

namespace velmora {

struct CAddress;
struct CHttpRequest;
struct CHttpResponse;
class CDialogs;
class CProgress;
class CFileAccess;

class CHttpFetcher {
 public:
  // The questions go to the dialogs pDialogs names when they are asked, a transfer is given up
  // when that progress is stopped, and fetched files are written through files.
  CHttpFetcher(CDialogs* const& pDialogs, CProgress* const& pProgress, CFileAccess& files)
      : m_pDialogs(pDialogs), m_pProgress(pProgress), m_files(files) {}

  bool GetText(const std::string& address, std::string& content, std::string& log);
  bool GetBinary(const std::string& address, const std::string& localPath, std::string& log);
  int Probe(const std::string& address);
  std::string GetRedirectedLocation() const { return m_strRedirected; }

  // Why the last Probe gave 99: the address could not be interpreted, the server gave no
  // answer (time-out, refused, unresolvable), or the client failed otherwise.
  enum class EProbeFailure { kNone, kUnreadable, kNoAnswer, kClient };
  EProbeFailure GetProbeFailure() const { return m_lastProbe.m_failure; }
  // The client's text for kNoAnswer and kClient.
  const std::string& GetProbeError() const { return m_lastProbe.m_strError; }

  // A run is one command. Within it a server that gave no answer is not asked again (every
  // later fetch fails at once, so the callers use their local copies without waiting), and
  // each address is probed once. Starting a run forgets both.
  void BeginRun();

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

  struct CProbeResult {
    int m_nStatus = 0;
    std::string m_strRedirected;
    EProbeFailure m_failure = EProbeFailure::kNone;
    std::string m_strError;
  };
  int ProbeOnce(const std::string& text, CProbeResult& result);
  // False, with the earlier failure in the log, for a server that gave no answer in this run.
  bool MayAsk(const CAddress& address, std::string& log) const;
  void NoteFailure(const CAddress& address, const CHttpResponse& response);

  CDialogs* const& m_pDialogs;
  CProgress* const& m_pProgress;
  CFileAccess& m_files;
  std::string m_strRedirected;
  CProbeResult m_lastProbe;
  std::map<std::string, std::string> m_noAnswer;  // "service://server:port" -> client's text
  std::map<std::string, CProbeResult> m_probed;   // by the address as requested
};

}  // namespace velmora
