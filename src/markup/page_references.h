// What a browser follows from a page: links, frames, images, stylesheets and scripts, and the
// anchors (a name or any id) a link can land on. Read once per page for the checker.
#pragma once

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace velmora {

enum class EReferenceKind {
  kNavigation,  // a and area href, frame and iframe src, a refresh: page names and anchors count
  kResource,    // stylesheets, scripts, embedded objects and media: the file alone counts
  kImage,       // img src and srcset, backgrounds, image inputs, posters
};

struct CPageReference {
  EReferenceKind m_eKind;
  std::string m_strValue;  // as written in the page, white space at both ends trimmed
};

using CAnchors = std::unordered_set<std::string>;

struct CPageReferences {
  std::vector<CPageReference> m_references;  // in the order of the page
  CAnchors m_anchors;                        // character references decoded
};

CPageReferences ReadPageReferences(std::string_view text);
CAnchors ReadAnchors(std::string_view text);

// Whether a fragment (character references decoded) names one of the anchors, taken as
// written or percent-decoded, as a browser tries both.
bool HasAnchor(const CAnchors& anchors, const std::string& fragment);

// The file a reference leads to, and the fragment it asks for there.
struct CReferenceTarget {
  std::string m_strFile;  // internal path; empty when the reference climbs above the drive
  std::string m_strFragment;
  bool m_bFragment = false;  // a "#" was written, even with nothing after it
};

// Resolves a reference (character references decoded) made by the page at pagePath, whose site
// catalog is catalog (ending in "\"). The query is not part of the file; a reference beginning
// with "/" starts at the catalog, as the site is served from there; "." and ".." pieces are taken
// as a browser takes them; a reference ending in "/" leads to that folder's index.html; a
// reference of only a query or a fragment leads to the page itself.
CReferenceTarget ResolveFileReference(const std::string& pagePath, const std::string& catalog,
                                      std::string_view value);

// %XX escapes turned into their bytes; a "%" not followed by two hex digits is kept.
std::string PercentDecode(std::string_view text);

}  // namespace velmora
