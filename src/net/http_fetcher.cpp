#include "net/http_fetcher.h"

namespace velmora {

CHttpFetcher theFetcher;

bool CHttpFetcher::GetText(const std::string&, std::string& content, std::string&) {
  content.clear();
  return false;
}
bool CHttpFetcher::GetBinary(const std::string&, const std::string&, std::string&) { return false; }
int CHttpFetcher::Probe(const std::string&) { return 99; }

}  // namespace velmora
