#include "model/content_loader.h"

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

bool LoadContent(CNode& node) {
  CBuildContext& ctx = node.Context();
  node.m_strContent.clear();
  const bool bFromOutside = !node.m_strUrl.empty() || !node.m_strOutsidePath.empty();
  node.m_bLoadedCopy = bFromOutside;
  if (!node.m_strUrl.empty() && ctx.settings.Internet) {
    std::string content, log;
    if (ctx.fetcher.GetText(node.m_strUrl, content, log)) {
      DropByteOrderMark(content);
      node.m_strContent = WithCrLf(content);
      ctx.report.AddLine(log, EAlert::kInfo);
      node.StoreLocal();
      node.m_bLoadedCopy = false;
      return true;
    }
    ctx.report.AddLine(log, EAlert::kError);
    if (node.LoadLocal()) {
      ctx.report.AddFormatted(EMessage::kLoadedCopy, node.m_strLocalPath, EAlert::kInfo);
      return true;
    }
    ctx.report.AddFormatted(EMessage::kCantLoadLocalCopy, node.m_strLocalPath, EAlert::kInfo);
    return false;
  }
  if (!node.m_strOutsidePath.empty()) {
    if (ctx.files.ReadSourceText(node.m_strOutsidePath, node.m_strContent)) {
      node.StoreLocal();
      node.m_bLoadedCopy = false;
      return true;
    }
    ctx.report.AddFormatted(EMessage::kCantLoadFile, node.m_strOutsidePath, EAlert::kWarning);
  }
  if (node.LoadLocal())
    return true;
  ctx.report.AddFormatted(
      node.m_strUrl.empty() ? EMessage::kCantLoadFile : EMessage::kCantLoadLocalCopy,
      node.m_strLocalPath, EAlert::kError);
  return false;
}

}  // namespace velmora
