// Host paths on POSIX systems: each drive letter maps to a folder, "/" separates the pieces.
#include <unistd.h>

#include <cctype>
#include <climits>
#include <string_view>

#include "platform/drive_map.h"
#include "platform/environment.h"
#include "platform/strings.h"

namespace velmora {

namespace {
char Upper(char c) {
  return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

std::string WithoutFinalSlash(std::string folder) {
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

// True for "/a/b" with no empty, "." or ".." piece: nothing to collapse. Most paths are so,
// and every file the program touches has its path mapped.
bool IsNormalHost(std::string_view path) {
  if (path.size() < 2 || path[0] != '/')
    return false;
  for (size_t start = 1; start <= path.size();) {
    size_t end = path.find('/', start);
    if (end == std::string_view::npos)
      end = path.size();
    const std::string_view piece = path.substr(start, end - start);
    if (piece.empty() || piece == "." || piece == "..")
      return false;
    start = end + 1;
  }
  return true;
}

}  // namespace

bool NormalizeHost(const std::string& path, std::string& result) {
  if (IsNormalHost(path)) {
    result = path;
    return true;
  }
  std::vector<std::string> kept;
  for (const std::string& piece : Split(path, "/", true)) {
    if (piece == ".")
      continue;
    if (piece == "..") {
      if (kept.empty())
        return false;
      kept.pop_back();
      continue;
    }
    kept.push_back(piece);
  }
  result.clear();
  for (const std::string& piece : kept) result += "/" + piece;
  if (result.empty())
    result = "/";
  return true;
}

CDriveMap::CDriveMap() {
  const std::string home = EnvironmentVariable("HOME");
  m_folders['C'] = WithoutFinalSlash(home.empty() ? "/root" : home);
  m_folders['Z'] = "/";
  ApplyEnvironment();
}

void CDriveMap::SetDrive(char cLetter, const std::string& hostFolder) {
  if (hostFolder.empty())
    m_folders.erase(Upper(cLetter));
  else
    m_folders[Upper(cLetter)] = WithoutFinalSlash(hostFolder);
}

bool CDriveMap::ToHost(const std::string& internalPath, std::string& hostPath) const {
  // The host reads a path only up to a NUL byte: "C:\\..\0x" would name the folder above C:.
  if (internalPath.size() < 2 || internalPath[1] != ':' ||
      !std::isalpha(static_cast<unsigned char>(internalPath[0])) ||
      internalPath.find('\0') != std::string::npos)
    return false;
  std::string folder = HostFolder(internalPath[0]);
  if (folder.empty())
    return false;
  std::string rest = internalPath.substr(2);
  ReplaceAll(rest, "\\", "/");
  // "C:\a" gives "/a" as it stands: a leading "//" would send every path through the slow fold.
  std::string normal;
  if (!NormalizeHost(StartsWith(rest, "/") ? rest : "/" + rest, normal))
    return false;
  hostPath = normal == "/" ? folder : (folder == "/" ? normal : folder + normal);
  return true;
}

bool CDriveMap::ToInternal(const std::string& hostPath, std::string& internalPath) const {
  std::string absolute = hostPath;
  if (absolute.empty() || absolute[0] != '/') {
    char cwd[PATH_MAX];
    if (!getcwd(cwd, sizeof cwd))
      return false;
    absolute = std::string(cwd) + "/" + absolute;
  }
  std::string normal;
  if (!NormalizeHost(absolute, normal))
    return false;
  char best = 0;
  size_t bestLength = 0;
  for (const auto& [letter, folder] : m_folders) {
    bool under = folder == "/" || normal == folder || StartsWith(normal, folder + "/");
    size_t length = folder == "/" ? 0 : folder.size();
    if (under && (best == 0 || length > bestLength)) {
      best = letter;
      bestLength = length;
    }
  }
  if (best == 0)
    return false;
  std::string rest = normal.substr(bestLength);
  ReplaceAll(rest, "/", "\\");
  if (rest.empty())
    rest = "\\";
  internalPath = std::string(1, best) + ":" + rest;
  return true;
}

bool IsHostPath(const std::string& path) {
  return !path.empty() && path[0] == '/';
}

bool IsAbsoluteHostPath(const std::string& path) {
  return IsHostPath(path);
}

}  // namespace velmora
