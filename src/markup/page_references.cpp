#include "markup/page_references.h"

#include <algorithm>

#include "markup/html_tags.h"
#include "platform/strings.h"

namespace velmora {

namespace {

constexpr size_t npos = std::string_view::npos;

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9')
    return c - '0';
  if (c >= 'a' && c <= 'f')
    return c - 'a' + 10;
  if (c >= 'A' && c <= 'F')
    return c - 'A' + 10;
  return -1;
}

// The addresses of a srcset value: candidates separated by commas, each an address followed by
// an optional width or density.
void AddSrcset(const std::string& srcset, std::vector<CPageReference>& references) {
  size_t i = 0;
  while (i < srcset.size()) {
    while (i < srcset.size() && (IsSpace(srcset[i]) || srcset[i] == ',')) ++i;
    const size_t from = i;
    while (i < srcset.size() && !IsSpace(srcset[i])) ++i;
    std::string address = srcset.substr(from, i - from);
    const bool bLast = !address.empty() && address.back() == ',';
    while (!address.empty() && address.back() == ',') address.pop_back();
    if (!address.empty())
      references.push_back({EReferenceKind::kImage, address});
    if (!bLast)
      while (i < srcset.size() && srcset[i] != ',') ++i;
  }
}

// The address of a refresh ("5; url=next.html"); empty when the page only reloads itself.
std::string RefreshAddress(const std::string& content) {
  size_t i = content.find_first_of(";,");
  if (i == npos)
    return {};
  ++i;
  while (i < content.size() && IsSpace(content[i])) ++i;
  if (content.size() - i >= 3 && EqualsNoCase(std::string_view(content).substr(i, 3), "url")) {
    size_t j = i + 3;
    while (j < content.size() && IsSpace(content[j])) ++j;
    if (j < content.size() && content[j] == '=') {
      i = j + 1;
      while (i < content.size() && IsSpace(content[i])) ++i;
    }
  }
  std::string address = Trim(std::string_view(content).substr(i));
  if (!address.empty() && (address[0] == '"' || address[0] == '\'')) {
    const size_t close = address.find(address[0], 1);
    address = address.substr(1, close == npos ? npos : close - 1);
  }
  return address;
}

bool Among(const std::string& name, std::initializer_list<std::string_view> names) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

// A link lands on any element by its id, and on an a element by its name.
void AddAnchors(const CHtmlTag& tag, CAnchors& anchors) {
  if (const std::string* pId = tag.Find("id"))
    anchors.insert(DecodeCharacterReferences(*pId));
  if (tag.m_strName == "a")
    if (const std::string* pName = tag.Find("name"))
      anchors.insert(DecodeCharacterReferences(*pName));
}

}  // namespace

CPageReferences ReadPageReferences(std::string_view text) {
  CPageReferences page;
  std::vector<CPageReference>& references = page.m_references;
  auto add = [&](EReferenceKind eKind, const std::string* pValue) {
    if (pValue)
      references.push_back({eKind, Trim(*pValue)});
  };
  CHtmlTagReader reader(text);
  CHtmlTag tag;
  while (reader.Next(tag)) {
    const std::string& name = tag.m_strName;
    AddAnchors(tag, page.m_anchors);

    if (Among(name, {"a", "area"})) {
      add(EReferenceKind::kNavigation, tag.Find("href"));
    } else if (Among(name, {"frame", "iframe"})) {
      add(EReferenceKind::kNavigation, tag.Find("src"));
    } else if (name == "meta") {
      const std::string* pEquiv = tag.Find("http-equiv");
      const std::string* pContent = tag.Find("content");
      if (pEquiv && pContent && EqualsNoCase(Trim(*pEquiv), "refresh")) {
        const std::string address = RefreshAddress(*pContent);
        if (!address.empty())
          references.push_back({EReferenceKind::kNavigation, address});
      }
    } else if (name == "link") {
      add(EReferenceKind::kResource, tag.Find("href"));
    } else if (Among(name, {"script", "embed", "audio", "video", "source", "track"})) {
      add(EReferenceKind::kResource, tag.Find("src"));
    } else if (name == "object") {
      add(EReferenceKind::kResource, tag.Find("data"));
    } else if (name == "img") {
      add(EReferenceKind::kImage, tag.Find("src"));
    } else if (name == "input") {
      const std::string* pType = tag.Find("type");
      if (pType && EqualsNoCase(Trim(*pType), "image"))
        add(EReferenceKind::kImage, tag.Find("src"));
    } else if (Among(name, {"body", "table", "tr", "td", "th"})) {
      add(EReferenceKind::kImage, tag.Find("background"));
    }
    if (name == "video")
      add(EReferenceKind::kImage, tag.Find("poster"));
    if (Among(name, {"img", "source"}))
      if (const std::string* pSrcset = tag.Find("srcset"))
        AddSrcset(*pSrcset, references);
  }
  return page;
}

CAnchors ReadAnchors(std::string_view text) {
  CAnchors anchors;
  CHtmlTagReader reader(text);
  CHtmlTag tag;
  while (reader.Next(tag)) AddAnchors(tag, anchors);
  return anchors;
}

bool HasAnchor(const CAnchors& anchors, const std::string& fragment) {
  return anchors.contains(fragment) || anchors.contains(PercentDecode(fragment));
}

std::string PercentDecode(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && HexDigit(text[i + 1]) >= 0 &&
        HexDigit(text[i + 2]) >= 0) {
      out += static_cast<char>(HexDigit(text[i + 1]) * 16 + HexDigit(text[i + 2]));
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

CReferenceTarget ResolveFileReference(const std::string& pagePath, const std::string& catalog,
                                      std::string_view value) {
  CReferenceTarget target;
  const size_t hash = value.find('#');
  if (hash != npos) {
    target.m_strFragment = value.substr(hash + 1);
    target.m_bFragment = true;
    value = value.substr(0, hash);
  }
  value = value.substr(0, value.find('?'));
  std::string path = PercentDecode(value);
  if (path.empty()) {
    target.m_strFile = pagePath;
    return target;
  }
  std::replace(path.begin(), path.end(), '\\', '/');

  std::vector<std::string> pieces = Split(path[0] == '/' ? catalog : pagePath, "\\", true);
  if (path[0] != '/' && !pieces.empty())
    pieces.pop_back();  // the page's file name
  const std::vector<std::string> steps = Split(path, "/");
  for (size_t i = 0; i < steps.size(); ++i) {
    const std::string& step = steps[i];
    const bool bLast = i + 1 == steps.size();
    if (step == "..") {
      // The first piece is the drive, which cannot be left.
      if (pieces.size() <= 1)
        return target;
      pieces.pop_back();
    } else if (!step.empty() && step != ".") {
      pieces.push_back(step);
      continue;
    }
    if (bLast)
      pieces.push_back("index.html");
  }
  if (pieces.size() < 2)
    return target;
  for (size_t i = 0; i < pieces.size(); ++i) {
    if (i > 0)
      target.m_strFile += '\\';
    target.m_strFile += pieces[i];
  }
  return target;
}

}  // namespace velmora
