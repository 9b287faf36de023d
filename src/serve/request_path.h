// Which file of the served folder a request path names. Only files inside the folder are ever
// served: ".." pieces, backslashes and NUL bytes are refused, and the resolved file (symbolic
// links followed) must still lie inside the folder.
#pragma once

#include <string>

namespace velmora {

enum class ERequestTarget {
  kFile,            // hostFile names a regular file inside the folder
  kFolderRedirect,  // a folder asked for without its final '/': send the client there
  kNotFound,
  kForbidden,
};

// rootFolder is the served folder's host path without symbolic links (realpath) and without a
// final '/'; requestPath is the percent-decoded path of the request, beginning with '/'.
ERequestTarget ResolveRequestPath(const std::string& rootFolder, const std::string& requestPath,
                                  std::string& hostFile);

// The Content-Type for a file name, by its extension. No character set is named: a page's own
// <meta> tells it.
std::string ContentTypeFor(const std::string& fileName);

}  // namespace velmora
