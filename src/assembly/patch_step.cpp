// <!--PATCH FILENAME="..."--> elements: the element is replaced by the text of the named file
// (or web address). The tags disappear, so a patch happens once.
#include "assembly/page_steps.h"
#include "markup/tag_element.h"
#include "markup/text_operations.h"
#include "model/build_context.h"
#include "model/content_loader.h"
#include "model/node.h"
#include "platform/file_access.h"
#include "platform/report.h"
#include "platform/strings.h"

namespace velmora {

namespace {

// The text between the first left marker and the next right marker. A patch file usually
// begins with its html (or body) tag, so a marker at the very start counts here.
std::string Between(const std::string& text, const std::string& left, const std::string& right) {
  const size_t l = text.find(left);
  const size_t r = l == std::string::npos ? l : text.find(right, l + left.size());
  return r == std::string::npos ? std::string() : text.substr(l + left.size(), r - l - left.size());
}

// The inner part of a whole HTML page: the block element, else the body, else the html element,
// else everything.
std::string InnerPart(std::string text) {
  ReplaceAll(text, "<BODY", "<body");
  ReplaceAll(text, "</BODY>", "</body>");
  ReplaceAll(text, "<HTML>", "<html>");
  ReplaceAll(text, "</HTML>", "</html>");
  std::string inner = Between(text, "<!--BLOCK-->", "<!--/BLOCK-->");
  if (!inner.empty())
    return inner;
  inner = Between(text, "<body", "</body>");
  size_t close = inner.find('>');
  inner = close == std::string::npos ? std::string() : inner.substr(close + 1);
  if (!inner.empty())
    return inner;
  inner = Between(text, "<html>", "</html>");
  if (!inner.empty())
    return inner;
  return text;
}

}  // namespace

void ApplyPatches(CPage& page, std::string& text) {
  // Built in one pass, so a page of many patches is copied once.
  std::string out;
  size_t copied = 0, position = 0;
  while (true) {
    size_t start = position, end = 0;
    if (!FindElement(text, start, end, "<!--PATCH", ""))
      break;
    CTagElement element(text.substr(start, end - start), &page.Context().report);
    const std::string fileName = element.GetAttribute("FILENAME");
    CNode source(page.m_pSite);
    if (fileName.empty() || !source.SetLocation(fileName) || !LoadContent(source)) {
      position = start + 1;
      continue;
    }
    if (!source.m_strUrl.empty() || !source.m_strOutsidePath.empty())
      source.StoreLocal();
    std::string loaded = source.GetContent();
    if (element.GetAttribute("STRUCTURE") == "ON")
      loaded = InnerPart(loaded);
    std::string content =
        element.GetAttribute("APPEND") == "ON" ? element.m_strContent + loaded : loaded;
    // Patches of large files, many times over, could grow the page without bound; the page
    // stays within what a text file may hold, and the rest of its patches are left in place.
    if (out.size() + content.size() > kMaxTextBytes) {
      page.Context().report.AddLine(FormatText("   Too much text, not patched: %1", fileName),
                                    EAlert::kError);
      break;
    }
    out.append(text, copied, start - copied);
    out += content;
    // Go on after the element: what a patch puts in is not searched, so a patched file that
    // names itself cannot patch forever.
    copied = position = end;
  }
  if (copied > 0) {
    out.append(text, copied);
    text = std::move(out);
  }
}

}  // namespace velmora
