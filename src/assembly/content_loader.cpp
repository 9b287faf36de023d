#include "model/node.h"
#include "net/http_fetcher.h"
#include "platform/build_settings.h"
#include "platform/file_access.h"
#include "platform/report.h"
#include "platform/strings.h"
#include "platform/text_encoding.h"

#include "model/build_context.h"
#include "res/messages.h"

namespace velmora {

namespace {
// Every line end becomes CR LF, whatever mix the server sent.
std::string WithCrLf(const std::string& text) {
  std::string result = CrLfToLf(text);
  ReplaceAll(result, "\n", "\r\n");
  return result;
}
}  // namespace

// Reads the node's text from its web address, its file on another drive or its file in the
// site catalog, without a byte-order mark (it would show at the top of the page). Anything
// from outside the catalog is kept as a local copy there, so a site built once online can be
// built again offline.
bool CNode::Load() {
  m_strContent.clear();
  const bool bFromOutside = !m_strUrl.empty() || !m_strOutsidePath.empty();
  m_bLoadedCopy = bFromOutside;
  if (!m_strUrl.empty() && Context().settings.Internet) {
    std::string content, log;
    if (Context().fetcher.GetText(m_strUrl, content, log)) {
      DropByteOrderMark(content);
      m_strContent = WithCrLf(content);
      Context().report.AddLine(log, EAlert::kInfo);
      StoreLocal();
      m_bLoadedCopy = false;
      return true;
    }
    Context().report.AddLine(log, EAlert::kError);
    if (LoadLocal()) {
      Context().report.AddFormatted(EMessage::kLoadedCopy, m_strLocalPath, EAlert::kInfo);
      return true;
    }
    Context().report.AddFormatted(EMessage::kCantLoadLocalCopy, m_strLocalPath, EAlert::kInfo);
    return false;
  }
  if (!m_strOutsidePath.empty()) {
    if (Context().files.ReadSourceText(m_strOutsidePath, m_strContent)) {
      StoreLocal();
      m_bLoadedCopy = false;
      return true;
    }
    Context().report.AddFormatted(EMessage::kCantLoadFile, m_strOutsidePath, EAlert::kWarning);
  }
  if (LoadLocal())
    return true;
  Context().report.AddFormatted(
      m_strUrl.empty() ? EMessage::kCantLoadFile : EMessage::kCantLoadLocalCopy, m_strLocalPath,
      EAlert::kError);
  return false;
}

}  // namespace velmora
