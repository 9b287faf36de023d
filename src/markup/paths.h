// Relative references between files, resolving references and addresses, local-copy paths,
// the address tests and the small file operations every part uses. Paths are internal
// (backslash) paths; references written into HTML use "/".
#pragma once

#include <string>
#include <string_view>

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

bool MakeDirs(const std::string& path);
// Reads a text file, its lines joined by CR LF (JoinLinesWithCrLf).
bool ReadTextFile(const std::string& path, std::string& text);
// A text that goes into a page (a block, template, index source or kept page): read as
// ReadTextFile does, without the byte-order mark an editor may have put in front of it, and
// from UTF-16 or UTF-32 with their mark into UTF-8.
bool ReadSourceText(const std::string& path, std::string& text);
// The file's bytes as they are; false, like ReadTextFile, for a file over the text limit.
bool ReadTextBytes(const std::string& path, std::string& bytes);
// Lines ending in LF or CR LF joined by CR LF, without a line end after the last.
std::string JoinLinesWithCrLf(std::string_view bytes);
bool WriteTextFile(const std::string& path, const std::string& text);
bool WriteBinaryFile(const std::string& path, std::string_view bytes);
bool CopyFileMakingDirs(const std::string& source, const std::string& target);
bool FileExists(const std::string& path);
// True when a file or folder is at the path, readable or not.
bool AnythingAt(const std::string& path);

// Text files larger than this are not read, as fetched texts are not.
constexpr size_t kMaxTextBytes = 64 * 1024 * 1024;

}  // namespace velmora
