#include "serve/request_path.h"

#include <sys/stat.h>

#include <climits>
#include <cstdlib>

#include "markup/text_operations.h"
#include "platform/strings.h"

namespace velmora {

namespace {
// The real path of an existing file or folder; empty when it does not exist.
std::string RealPath(const std::string& path) {
  char buffer[PATH_MAX];
  return ::realpath(path.c_str(), buffer) ? std::string(buffer) : std::string();
}

bool IsInside(const std::string& rootFolder, const std::string& path) {
  return path == rootFolder || StartsWith(path, rootFolder + "/");
}
}  // namespace

ERequestTarget ResolveRequestPath(const std::string& rootFolder, const std::string& requestPath,
                                  std::string& hostFile) {
  hostFile.clear();
  if (requestPath.empty() || requestPath[0] != '/' ||
      requestPath.find_first_of(std::string("\\\0", 2)) != std::string::npos)
    return ERequestTarget::kForbidden;
  std::string joined = rootFolder;
  for (const std::string& piece : Split(requestPath, "/", true)) {
    if (piece == ".")
      continue;
    if (piece == "..")
      return ERequestTarget::kForbidden;
    joined += "/" + piece;
  }
  std::string real = RealPath(joined);
  if (real.empty())
    return ERequestTarget::kNotFound;
  if (!IsInside(rootFolder, real))
    return ERequestTarget::kForbidden;
  struct stat info;
  if (::stat(real.c_str(), &info) != 0)
    return ERequestTarget::kNotFound;
  if (S_ISDIR(info.st_mode)) {
    if (!EndsWith(requestPath, "/"))
      return ERequestTarget::kFolderRedirect;
    real = RealPath(real + "/index.html");
    if (real.empty())
      return ERequestTarget::kNotFound;
    if (!IsInside(rootFolder, real))
      return ERequestTarget::kForbidden;
    if (::stat(real.c_str(), &info) != 0)
      return ERequestTarget::kNotFound;
  }
  if (!S_ISREG(info.st_mode))
    return ERequestTarget::kNotFound;
  hostFile = real;
  return ERequestTarget::kFile;
}

std::string ContentTypeFor(const std::string& fileName) {
  static const struct {
    const char* m_szExtension;
    const char* m_szType;
  } kTypes[] = {
      {".html", "text/html"},        {".htm", "text/html"},    {".css", "text/css"},
      {".js", "text/javascript"},    {".txt", "text/plain"},   {".xml", "application/xml"},
      {".json", "application/json"}, {".gif", "image/gif"},    {".png", "image/png"},
      {".jpg", "image/jpeg"},        {".jpeg", "image/jpeg"},  {".svg", "image/svg+xml"},
      {".ico", "image/x-icon"},      {".webp", "image/webp"},  {".pdf", "application/pdf"},
      {".woff", "font/woff"},        {".woff2", "font/woff2"},
  };
  size_t slash = fileName.rfind('/');
  size_t dot = fileName.rfind('.');
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) {
    std::string extension = fileName.substr(dot);
    for (const auto& type : kTypes)
      if (EqualsNoCase(extension, type.m_szExtension))
        return type.m_szType;
  }
  return "application/octet-stream";
}

}  // namespace velmora
