// Relative references between files, resolving references and addresses, local-copy paths
// and the address tests. Paths are internal (backslash) paths; references written into HTML
// use "/".
#pragma once

#include <string>

namespace velmora {

std::string RelativePath(const std::string& from, const std::string& to);
// RelativePath(from, to) written onto the end of out.
void AppendRelativePath(std::string& out, const std::string& from, const std::string& to);
std::string ResolveRelative(const std::string& baseFile, const std::string& reference);
std::string JoinAddress(const std::string& base, const std::string& reference);
// Never climbs out of root: ".." and "." pieces of the address are dropped.
std::string UrlToLocalPath(const std::string& address, const std::string& root);
// "HTTP://" and "HTTPS://" anywhere, and a leading scheme in any letter case, in lower case.
void FoldSchemeCase(std::string& address);
bool NormalizeHttpAddress(std::string& address);
bool HasHostPart(const std::string& address);

}  // namespace velmora
