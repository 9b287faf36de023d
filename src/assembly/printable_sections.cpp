#include "assembly/printable_sections.h"

#include "assembly/blocks.h"

#include "markup/attribute_text.h"
#include "markup/element_rewrite.h"
#include "markup/text_operations.h"
#include "model/node.h"
#include "net/address_paths.h"
#include "platform/strings.h"

namespace velmora {

namespace {

// A reference that names a place of its own (web address, mail, other scheme, drive) rather
// than a file relative to the page.
bool IsAbsoluteReference(const std::string& value) {
  return Contains(value, ":");
}

// The reference from printPagePath to what the attribute value names relative to the page at
// pagePath, as an attribute value again; false when it cannot be formed.
bool RepointFrom(const std::string& pagePath, const std::string& printPagePath,
                 const std::string& value, std::string& result) {
  std::string base = pagePath;
  ReplaceAll(base, "\\", "/");
  const std::string target = JoinAddress(base, DecodeBasicReferences(value));
  if (target.empty())
    return false;
  result = EscapeAttribute(RelativePath(printPagePath, target));
  return true;
}

}  // namespace

std::string PrintAnchorName(const std::string& remotePath, bool bIdAnchor) {
  std::string anchor = remotePath;
  ReplaceAll(anchor, "\\", "-");
  ReplaceAll(anchor, ".", "-");
  return bIdAnchor ? FragmentName(anchor) : anchor;
}

std::string ExtractPrintableSections(CPage& page, const std::string& printPagePath, bool bTextOnly,
                                     bool bKeepLinks, EPrintAnchor anchorKind) {
  const std::string text = PageContent(page);
  if (text.empty())
    return {};

  // One anchor, closed at once, before the first section: the page's later sections need none.
  std::string anchor;
  if (anchorKind != EPrintAnchor::kNone) {
    const bool bId = anchorKind == EPrintAnchor::kId;
    anchor = AnchorElement(PrintAnchorName(page.m_strRemotePath, bId), bId);
  }

  static const std::string kOpen = "<!--PRINTABLE-->", kClose = "<!--/PRINTABLE-->";
  std::string result;
  size_t pos = 0;
  while (true) {
    const size_t open = text.find(kOpen, pos);
    if (open == std::string::npos)
      break;
    const size_t begin = open + kOpen.size();
    const size_t close = text.find(kClose, begin);
    if (close == std::string::npos)
      break;
    pos = close + kClose.size();

    std::string section = anchor + text.substr(begin, close - begin);
    anchor.clear();
    if (bTextOnly) {
      StripTags(section);
      result += section;
      continue;
    }
    // Only the markup is brought to lower case; the words of the section stay as written.
    ReplaceAll(section, "A HREF=", "a href=");
    ReplaceAll(section, "IMG SRC=", "img src=");
    ReplaceAll(section, "<IMG ", "<img ");
    ReplaceAll(section, " SRC=", " src=");

    if (!bKeepLinks) {
      // Links that lead to another file are pointed at it from the print page; the print
      // stage then turns links to pages it holds into links to their anchors.
      RewriteQuotedValues(section, "a href=", 9, [&](const std::string& value, std::string& out) {
        const std::string reference = Trim(value);
        if (reference.empty() || StartsWith(reference, "#") || IsAbsoluteReference(reference) ||
            Contains(reference, "gfx/") || IsPlainPageName(reference))
          return false;
        const size_t hash = reference.find('#');
        const std::string file = reference.substr(0, hash);
        const std::string fragment = hash == std::string::npos ? "" : reference.substr(hash);
        if (file.empty() || !RepointFrom(page.m_strLocalPath, printPagePath, file, out))
          return false;
        out += fragment;
        return true;
      });
    }
    RewriteQuotedValues(section, "<img src=", 10, [&](const std::string& value, std::string& out) {
      if (value.size() <= 4 || !Contains(value, ".") || IsAbsoluteReference(value) ||
          Contains(value, "gfx/"))
        return false;
      return RepointFrom(page.m_strLocalPath, printPagePath, value, out);
    });
    result += section;
  }
  return result;
}

}  // namespace velmora
