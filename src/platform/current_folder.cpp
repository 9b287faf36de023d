#include "platform/current_folder.h"

#include <cctype>

#include "platform/disk.h"
#include "platform/strings.h"

namespace velmora {

namespace {
bool HasDrive(const std::string& path) {
  return path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]));
}
}  // namespace

bool CCurrentFolder::Set(const std::string& folder, CDisk& disk) {
  std::string full;
  if (!FullPath(folder, full) || !disk.FolderExists(full))
    return false;
  m_strFolder = full;
  return true;
}

bool CCurrentFolder::FullPath(const std::string& path, std::string& fullPath) const {
  std::string p = path;
  ReplaceAll(p, "/", "\\");
  std::string combined;
  if (HasDrive(p)) {
    std::string rest = p.substr(2);
    // "C:x" is relative to the current folder when that is on the same drive.
    if (!rest.empty() && rest[0] != '\\' && EqualsNoCase(p.substr(0, 2), m_strFolder.substr(0, 2)))
      combined = m_strFolder + "\\" + rest;
    else
      combined = p.substr(0, 2) + "\\" + rest;
  } else if (!p.empty() && p[0] == '\\') {
    combined = m_strFolder.substr(0, 2) + p;
  } else {
    combined = m_strFolder + "\\" + p;
  }
  std::vector<std::string> kept;
  for (const std::string& piece : Split(combined.substr(2), "\\", true)) {
    if (piece == ".")
      continue;
    if (piece == "..") {
      if (!kept.empty())
        kept.pop_back();
      continue;
    }
    kept.push_back(piece);
  }
  fullPath = combined.substr(0, 2);
  for (const std::string& piece : kept) fullPath += "\\" + piece;
  if (kept.empty())
    fullPath += "\\";
  // A path that named a folder with a final separator keeps it.
  if (!kept.empty() && (EndsWith(p, "\\")))
    fullPath += "\\";
  return true;
}

}  // namespace velmora
