// Rewriting references so that they work from the file finally written: links by page name,
// and images of content that came from the web, from another drive or from a block's folder.
#include "assembly/reference_correction.h"

#include <cctype>
#include <functional>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "markup/text_operations.h"
#include "model/build_context.h"
#include "model/node.h"
#include "model/web_site.h"
#include "net/address_paths.h"
#include "net/http_fetcher.h"
#include "platform/build_settings.h"
#include "platform/current_folder.h"
#include "platform/file_access.h"
#include "platform/report.h"
#include "platform/strings.h"
#include "res/messages.h"

namespace velmora {

namespace {

enum class EImageStep { kNext, kRewritten, kStop };

// Hashes strings and string views alike, so a map keyed by strings is searched without copies.
struct CViewHash {
  using is_transparent = void;
  size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
};

// References into the resources, to the web or to files by address are not ours to move.
bool IsLeftAlone(const std::string& value) {
  for (const char* part : {"http://", "HTTP://", "file://", "FILE://", "gfx/"})
    if (Contains(value, part))
      return true;
  return false;
}

size_t CountBefore(const std::string& text, const std::string& part, size_t limit) {
  size_t nCount = 0;
  for (size_t pos = text.find(part); pos != std::string::npos && pos + part.size() <= limit;
       pos = text.find(part, pos + part.size()))
    ++nCount;
  return nCount;
}

// Replaces every `from` by `to` and returns where the scan goes on: past the new reference
// of the key at keyPos, wherever the replacements before it have moved that key.
size_t RewriteAll(std::string& text, size_t keyPos, const std::string& from, const std::string& to,
                  const std::string& newReference) {
  const size_t nBefore = CountBefore(text, from, keyPos);
  ReplaceAll(text, from, to);
  return keyPos + nBefore * to.size() - nBefore * from.size() + newReference.size();
}

std::string Quoted(const std::string& value) {
  return "\"" + value + "\"";
}

// Walks the "img src" values of text. A value is handed to step once; step moves the
// position past what it handled and says whether it rewrote a reference (given back in
// reference) or ends the scan.
template <typename Step>
int ScanImages(CReport& report, std::string& text, Step step) {
  ReplaceAll(text, "IMG SRC", "img src");
  std::unordered_set<std::string> met;
  int nRewritten = 0;
  size_t pos = 0;
  std::string value;
  while (pos < text.size() && GetQuotedValueAfter(text, pos, "img src", value, 9)) {
    if (IsLeftAlone(value)) {
      pos += value.size();
      continue;
    }
    if (value.empty()) {
      report.AddLine(Message(EMessage::kBadReference) + ": " + value, EAlert::kInfo);
      pos += 3;
      continue;
    }
    // Every occurrence was rewritten (or could not be) the first time the value was met.
    if (!met.insert(value).second) {
      pos += 3;
      continue;
    }
    std::string reference;
    const EImageStep result = step(pos, value, reference);
    if (result == EImageStep::kStop)
      break;
    if (result == EImageStep::kRewritten) {
      ++nRewritten;
      // Later occurrences of the value now hold the new reference: it leads to the copy
      // already, and taken as a value it would be fetched or copied from a wrong place.
      met.insert(std::move(reference));
    }
  }
  return nRewritten;
}

// After a failed fetch or copy: an earlier run's copy will do.
bool FallBackToLocalCopy(CBuildContext& ctx, const std::string& localCopy) {
  if (ctx.files.FileExists(localCopy)) {
    ctx.report.AddFormatted(EMessage::kUsingLocalCopy, localCopy, EAlert::kInfo);
    return true;
  }
  ctx.report.AddFormatted(EMessage::kCantLoadLocalCopy, localCopy, EAlert::kInfo);
  return false;
}

// Points the image reference `value` at its copy in the site, when the copy arrived or an
// older one is there; else the reference is left and the scan goes on after it.
EImageStep PointAtCopy(CBuildContext& ctx, bool bArrived, const std::string& localCopy,
                       const std::string& from, const std::string& value, std::string& text,
                       size_t& pos, std::string& reference) {
  if (!bArrived && !FallBackToLocalCopy(ctx, localCopy)) {
    pos += 4;
    return EImageStep::kNext;
  }
  reference = RelativePath(from, localCopy);
  pos = RewriteAll(text, pos, Quoted(value), Quoted(reference), reference);
  return EImageStep::kRewritten;
}

// Where the image at address is kept under root. A query cannot stay in the file name, where
// a browser would take it for a query again: it goes before the extension, so that each
// query keeps its own bytes and the copy keeps its type.
std::string ImageCopyPath(const std::string& address, const std::string& root) {
  const size_t cut = address.find_first_of("?#");
  std::string localCopy = UrlToLocalPath(address.substr(0, cut), root);
  if (localCopy.empty() || cut == std::string::npos || address[cut] != '?')
    return localCopy;
  std::string query = address.substr(cut + 1, address.find('#', cut) - cut - 1);
  if (query.empty())
    return localCopy;
  for (char& c : query)
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-' && c != '=' && c != '.')
      c = '_';
  const size_t nameStart = localCopy.rfind('\\') + 1;
  size_t dot = localCopy.rfind('.');
  if (dot == std::string::npos || dot <= nameStart)
    dot = localCopy.size();
  localCopy.insert(dot, "_" + query);
  return localCopy;
}

}  // namespace

int CorrectNameRefs(CPage& page, const CWebSite& site, std::string& text) {
  ReplaceAll(text, "A HREF", "a href");
  std::vector<std::string> values;
  CollectQuotedValues(text, "a href", 7, values);
  // Page name link -> its address; looked up by the quoted words of the page as they stand.
  std::unordered_map<std::string, std::string, CViewHash, std::equal_to<>> references;
  for (const std::string& value : values) {
    if (!IsPlainPageName(value) || references.contains(value))
      continue;
    const size_t hash = value.find('#');
    const std::string name = value.substr(0, hash);
    const std::string anchor = hash == std::string::npos ? std::string() : value.substr(hash);
    const CNode* pTarget = site.FirstWithLocalPath(site.FirstPageNamed(name));
    if (!pTarget) {
      page.Context().report.AddFormatted(EMessage::kUnknownPageName, value, EAlert::kNotice);
      continue;
    }
    // An N page is never written; it is linked at its web address.
    const bool bDirect = pTarget->HasOption('N') && !pTarget->m_strUrl.empty();
    references.emplace(
        value,
        (bDirect ? pTarget->m_strUrl : RelativePath(page.m_strLocalPath, pTarget->m_strLocalPath)) +
            anchor);
  }
  if (references.empty())
    return 0;

  // Every quoted name anywhere in the text becomes its address, in one pass over the quoted
  // words: replacing name by name scanned the whole page once per linked name.
  // Most quoted words of a page have none of the names' lengths and need no look-up.
  std::vector<bool> nameLengths;
  for (const auto& reference : references) {
    if (nameLengths.size() <= reference.first.size())
      nameLengths.resize(reference.first.size() + 1);
    nameLengths[reference.first.size()] = true;
  }
  std::unordered_set<const std::string*> rewritten;
  std::string out;
  size_t copied = 0;
  size_t open = text.find('"');
  while (open != std::string::npos) {
    const size_t close = text.find('"', open + 1);
    if (close == std::string::npos)
      break;
    const size_t length = close - open - 1;
    auto it = length < nameLengths.size() && nameLengths[length]
                  ? references.find(std::string_view(text).substr(open + 1, length))
                  : references.end();
    if (it == references.end()) {
      open = close;
      continue;
    }
    if (copied == 0)
      out.reserve(text.size() + text.size() / 8);
    out.append(text, copied, open + 1 - copied);
    out += it->second;
    copied = close;
    rewritten.insert(&it->first);
    open = text.find('"', close + 1);
  }
  if (rewritten.empty())
    return 0;
  out.append(text, copied);
  text = std::move(out);
  return static_cast<int>(rewritten.size());
}

namespace {

// The image operations, with new references made from the file `from`.
int FetchImagesFrom(CNode& node, const std::string& from, std::string& text) {
  CBuildContext& ctx = node.Context();
  const std::string importRoot = node.m_strCatalog + Message(EMessage::kImportedFolder);
  return ScanImages(
      ctx.report, text, [&](size_t& pos, const std::string& value, std::string& reference) {
        const std::string address = JoinAddress(node.m_strUrl, value);
        const std::string localCopy =
            address.empty() ? address : ImageCopyPath(address, importRoot);
        if (localCopy.empty()) {
          ctx.report.AddFormatted(EMessage::kCantGet, value, EAlert::kError);
          pos += 4;
          return EImageStep::kNext;
        }
        std::string log;
        const bool bFetched = ctx.fetcher.GetBinary(address, localCopy, log);
        ctx.report.AddLine(log, bFetched ? EAlert::kInfo : EAlert::kError);
        return PointAtCopy(ctx, bFetched, localCopy, from, value, text, pos, reference);
      });
}

int CopyImagesFrom(CNode& node, const std::string& from, std::string& text) {
  CBuildContext& ctx = node.Context();
  const size_t folderEnd = node.m_strOutsidePath.rfind('\\');
  const std::string folder =
      folderEnd == std::string::npos ? std::string() : node.m_strOutsidePath.substr(0, folderEnd);
  return ScanImages(
      ctx.report, text, [&](size_t& pos, const std::string& value, std::string& reference) {
        const std::string saved = ctx.folder.Get();
        if (folder.empty() || !ctx.folder.Set(folder, ctx.Disk()))
          return EImageStep::kStop;
        std::string fullPath;
        const bool bResolved = ctx.folder.FullPath(value, fullPath) && fullPath.size() > 2;
        ctx.folder.Set(saved, ctx.Disk());
        if (!bResolved)
          return EImageStep::kStop;

        const std::string localCopy =
            node.m_strCatalog + Message(EMessage::kImportedFolder) + fullPath.substr(2);
        const bool bCopied = ctx.files.CopyFileMakingDirs(fullPath, localCopy);
        if (!bCopied)
          ctx.report.AddFormatted(EMessage::kCantGet, fullPath, EAlert::kError);
        return PointAtCopy(ctx, bCopied, localCopy, from, value, text, pos, reference);
      });
}

}  // namespace

int FetchRemoteImages(CNode& node, std::string& text) {
  return FetchImagesFrom(node, node.m_pPage ? node.m_pPage->m_strLocalPath : node.m_strLocalPath,
                         text);
}

int CopyOutsideImages(CNode& node, std::string& text) {
  return CopyImagesFrom(node, node.m_pPage ? node.m_pPage->m_strLocalPath : node.m_strLocalPath,
                        text);
}

int LocaliseImages(CNode& node, std::string& text) {
  if (!node.m_strUrl.empty() && node.Context().settings.Internet)
    return FetchImagesFrom(node, node.m_strLocalPath, text);
  if (!node.m_strOutsidePath.empty())
    return CopyImagesFrom(node, node.m_strLocalPath, text);
  return 0;
}

int RepointImageCopies(CNode& node, std::string& text, bool bReportMissing) {
  if (!node.m_pPage)
    return 0;
  CBuildContext& ctx = node.Context();
  const std::string& hostPath = node.m_pPage->m_strLocalPath;
  return ScanImages(ctx.report, text,
                    [&](size_t& pos, const std::string& value, std::string& reference) {
                      const std::string copy = ResolveRelative(node.m_strLocalPath, value);
                      if (copy.empty() || !ctx.files.FileExists(copy)) {
                        if (bReportMissing)
                          ctx.report.AddFormatted(EMessage::kCantLoadLocalCopy,
                                                  copy.empty() ? value : copy, EAlert::kError);
                        pos += 3;
                        return EImageStep::kNext;
                      }
                      reference = RelativePath(hostPath, copy);
                      if (reference == value) {
                        pos += 3;
                        return EImageStep::kNext;
                      }
                      pos = RewriteAll(text, pos, Quoted(value), Quoted(reference), reference);
                      return EImageStep::kRewritten;
                    });
}

int PointImagesFromHost(CNode& node, std::string& text, bool bReportMissing) {
  // A local copy keeps its references from its own place, whether it was just made or is
  // read offline, so both builds give the host page the same references.
  if (!node.m_strUrl.empty() || !node.m_strOutsidePath.empty())
    return RepointImageCopies(node, text, bReportMissing);
  if (node.Context().settings.CheckAllImages)
    return CheckBlockImages(node, text);
  return 0;
}

int CheckBlockImages(CNode& node, std::string& text) {
  CBuildContext& ctx = node.Context();
  return ScanImages(
      ctx.report, text, [&](size_t& pos, const std::string& value, std::string& reference) {
        if (!node.m_pPage) {
          pos += 3;
          return EImageStep::kNext;
        }
        const std::string& hostPath = node.m_pPage->m_strLocalPath;
        const std::string ownPlace = ResolveRelative(node.m_strLocalPath, value);
        const std::string hostPlace = ResolveRelative(hostPath, value);
        const bool bOwn = !ownPlace.empty() && ctx.files.FileExists(ownPlace);
        const bool bHost = !hostPlace.empty() && ctx.files.FileExists(hostPlace);
        if (bOwn && !(bHost && EqualsNoCase(ownPlace, hostPlace))) {
          reference = RelativePath(hostPath, ownPlace);
          pos =
              RewriteAll(text, pos, "src=" + Quoted(value), "src=" + Quoted(reference), reference);
          return EImageStep::kRewritten;
        }
        if (!bOwn && !bHost)
          ctx.report.AddFormatted(EMessage::kCantGet, hostPlace.empty() ? ownPlace : hostPlace,
                                  EAlert::kWarning);
        pos += 3;
        return EImageStep::kNext;
      });
}

}  // namespace velmora
