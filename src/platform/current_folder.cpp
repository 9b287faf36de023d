#include "platform/current_folder.h"

#include <cctype>

#include "platform/disk.h"
#include "platform/strings.h"

namespace velmora {

namespace {
std::string theCurrentFolder = "C:\\";

bool HasDrive(const std::string& path) {
  return path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]));
}
}  // namespace

bool SetCurrentFolder(const std::string& folder) {
  std::string full;
  if (!FullPath(folder, full) || !Disk().FolderExists(full))
    return false;
  theCurrentFolder = full;
  return true;
}

const std::string& CurrentFolder() {
  return theCurrentFolder;
}

bool FullPath(const std::string& path, std::string& fullPath) {
  std::string p = path;
  ReplaceAll(p, "/", "\\");
  std::string combined;
  if (HasDrive(p)) {
    std::string rest = p.substr(2);
    // "C:x" is relative to the current folder when that is on the same drive.
    if (!rest.empty() && rest[0] != '\\' &&
        EqualsNoCase(p.substr(0, 2), theCurrentFolder.substr(0, 2)))
      combined = theCurrentFolder + "\\" + rest;
    else
      combined = p.substr(0, 2) + "\\" + rest;
  } else if (!p.empty() && p[0] == '\\') {
    combined = theCurrentFolder.substr(0, 2) + p;
  } else {
    combined = theCurrentFolder + "\\" + p;
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
