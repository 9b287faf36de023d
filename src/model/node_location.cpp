#include "model/node.h"
#include "net/address_paths.h"
#include "platform/build_settings.h"
#include "platform/current_folder.h"
#include "platform/report.h"
#include "platform/strings.h"
#include "res/messages.h"

#include "model/build_context.h"

namespace velmora {

namespace {

std::string AfterLast(const std::string& text, char separator) {
  size_t pos = text.rfind(separator);
  return pos == std::string::npos ? text : text.substr(pos + 1);
}

// The path after the drive, without "." and ".." pieces, so that the local copy of a file
// from another drive stays inside the "imported" folder.
std::string PlainFolderPath(const std::string& path) {
  std::string result;
  for (const std::string& piece : Split(path.substr(2), "\\", true))
    if (piece != "." && piece != "..")
      result += "\\" + piece;
  return result;
}

}  // namespace

bool CNode::SetLocation(const std::string& location) {
  m_strFileName.clear();
  m_strLocalPath.clear();
  m_strRemotePath.clear();
  m_strUrl.clear();
  m_strOutsidePath.clear();

  std::string place = Trim(location);
  if (place.size() < 2)
    return false;
  if (!Contains(place, ".")) {
    Context().report.AddFormatted(EMessage::kBadPath, place, EAlert::kWarning);
    return false;
  }
  // Only the scheme is folded: the rest of a path is case-sensitive on the host.
  FoldSchemeCase(place);
  if (!Contains(place, "http") && Contains(place, "/") && Context().settings.AllowForwardSlashes)
    ReplaceAll(place, "/", "\\");

  const std::string imported = Message(EMessage::kImportedFolder);
  if (NormalizeHttpAddress(place)) {
    std::string remote = UrlToLocalPath(place, imported);
    if (remote.empty()) {
      Context().report.AddFormatted(EMessage::kBadPath, place, EAlert::kError);
      return false;
    }
    m_strUrl = place;
    m_strRemotePath = remote;
    m_strLocalPath = m_strCatalog + remote;
    m_strFileName = AfterLast(place, '/');
    return true;
  }

  if (Contains(place, ":\\")) {
    if (!EqualsNoCase(place.substr(0, 2), m_strCatalog.substr(0, 2))) {
      // Another drive: the local copy keeps the path without its drive under "imported". A
      // path of only dots names no file there; its copy would be the folder itself.
      const std::string plain = PlainFolderPath(place);
      if (plain.empty()) {
        Context().report.AddFormatted(EMessage::kBadPath, place, EAlert::kError);
        return false;
      }
      m_strOutsidePath = place;
      m_strRemotePath = imported + plain;
      m_strLocalPath = m_strCatalog + m_strRemotePath;
    } else {
      m_strLocalPath = place;
      m_strRemotePath = RelativePath(m_strCatalog + "dummy.txt", place);
      ReplaceAll(m_strRemotePath, "/", "\\");
    }
    m_strFileName = AfterLast(place, '\\');
    return true;
  }

  std::string full;
  if (!Context().folder.Set(m_strCatalog, Context().Disk()) ||
      !Context().folder.FullPath(place, full))
    return false;
  m_strRemotePath = place;
  m_strLocalPath = full;
  m_strFileName = AfterLast(place, '\\');
  return true;
}

}  // namespace velmora
