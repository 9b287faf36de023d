#include "model/collection.h"

#include <string_view>
#include <unordered_map>

#include "markup/element_rewrite.h"
#include "markup/page_charset.h"
#include "markup/text_operations.h"
#include "model/build_context.h"
#include "model/web_site.h"
#include "net/address_paths.h"
#include "platform/dialogs.h"
#include "platform/file_access.h"
#include "platform/strings.h"

namespace velmora {

CCollection::CCollection(CWebSite* pSite, const std::string& text) : m_pSite(pSite) {
  const std::vector<std::string> parts = Split(text, ",", true);
  if (parts.size() != 3)
    return;
  m_strName = parts[0];
  m_strLeft = parts[1];
  m_strRight = parts[2];
  m_bValid = true;
}

void CCollection::CollectFromPage(CPage* pPage, std::string& text) {
  if (pPage)
    CollectFromPage(pPage->m_strLocalPath, text);
}

void CCollection::CollectFromPage(const std::string& path, const std::string& pageText) {
  // The page's text is read where it is; only a page given without text is read from its file.
  std::string fileText;
  if (pageText.empty() &&
      (path.empty() || !m_pSite || !m_pSite->m_context.files.ReadTextFile(path, fileText)))
    return;
  Add(path, Find(pageText.empty() ? fileText : pageText));
}

CCollected CCollection::Find(const std::string& text) const {
  CCollected collected;
  collected.m_bShowing =
      Contains(text, "<!--COLLECTION") && Contains(text, "NAME=\"" + m_strName + "\"");
  size_t pos = 0;
  while (true) {
    const size_t left = FindText(text, m_strLeft, pos);
    if (left == std::string::npos)
      break;
    const size_t begin = left + m_strLeft.size();
    const size_t right = FindText(text, m_strRight, begin);
    if (right == std::string::npos)
      break;
    collected.m_texts.push_back(text.substr(begin, right - begin));
    pos = right + m_strRight.size();
  }
  return collected;
}

void CCollection::Add(const std::string& path, CCollected collected) {
  if (collected.m_bShowing)
    m_showingPages.push_back(path);
  for (std::string& text : collected.m_texts) {
    m_texts.push_back(std::move(text));
    m_sourcePages.push_back(path);
  }
}

namespace {

// Whether a piece holds a link of its own: an "<a" start tag in either letter case.
bool HoldsLink(const std::string& piece) {
  for (size_t at = piece.find('<'); at != std::string::npos; at = piece.find('<', at + 1)) {
    if (at + 2 < piece.size() && (piece[at + 1] == 'a' || piece[at + 1] == 'A') &&
        std::string_view(" \t\r\n>").find(piece[at + 2]) != std::string_view::npos)
      return true;
  }
  return false;
}

}  // namespace

std::string CCollection::FormatList(const std::string& pagePath, bool bReference,
                                    const std::string& separator) const {
  // Names of the source pages, for the pieces that hold links (looked up only for those).
  std::unordered_map<std::string, std::string> names;
  auto nameOf = [&](const std::string& path) -> const std::string& {
    if (names.empty() && m_pSite)
      for (const auto& pPage : m_pSite->Pages())
        names.emplace(pPage->m_strLocalPath, pPage->m_strName);
    return names[path];
  };
  std::string list = "\r\n";
  for (size_t i = 0; i < m_texts.size(); ++i) {
    list += separator;
    if (!bReference) {
      list += m_texts[i];
    } else if (HoldsLink(m_texts[i])) {
      // A link cannot hold another: the piece keeps its own links and is followed by the link
      // to its page, named after that page.
      list += m_texts[i];
      list += ' ';
      list += MakeLink(RelativePath(pagePath, m_sourcePages[i]), nameOf(m_sourcePages[i]));
    } else {
      list += MakeLink(RelativePath(pagePath, m_sourcePages[i]), m_texts[i]);
    }
    list += "\r\n";
  }
  return list;
}

void CCollection::BuildCollectionPages() {
  for (const std::string& pagePath : m_showingPages) {
    std::string text;
    if (!m_pSite->m_context.files.ReadTextFile(pagePath, text))
      continue;
    RewriteElements(
        text, "<!--COLLECTION", "<!--/COLLECTION-->",
        [&](CTagElement& element) {
          if (element.GetAttribute("NAME") != m_strName)
            return;
          std::string separator = element.GetAttribute("LINESEPARATOR");
          if (separator.empty())
            separator = "<br/>";
          const std::string list =
              FormatList(pagePath, element.GetAttribute("REFERENCE") == "ON", separator);
          if (element.GetAttribute("APPEND") == "ON")
            element.m_strContent += list;
          else
            element.m_strContent = list;
        },
        &m_pSite->m_context.report);
    DeclareUtf8Charset(text);  // the list may bring UTF-8 text into a page that had none
    m_pSite->m_context.files.WriteTextFile(pagePath, text);
  }
}

void BuildCollectionPages(CWebSite& site) {
  int nPosition = 0;
  for (const auto& pCollection : site.m_collections) {
    site.m_context.Progress().SetPos(++nPosition);
    pCollection->BuildCollectionPages();
  }
}

}  // namespace velmora
