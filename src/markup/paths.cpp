#include "markup/paths.h"

namespace velmora {

std::string RelativePath(const std::string&, const std::string& to) { return to; }
std::string ResolveRelative(const std::string&, const std::string&) { return {}; }
std::string JoinAddress(const std::string&, const std::string&) { return {}; }
std::string UrlToLocalPath(const std::string&, const std::string&) { return {}; }
bool NormalizeHttpAddress(std::string&) { return false; }
bool HasHostPart(const std::string&) { return false; }
bool MakeDirs(const std::string&) { return false; }
bool ReadTextFile(const std::string&, std::string&) { return false; }
bool WriteTextFile(const std::string&, const std::string&) { return false; }
bool WriteBinaryFile(const std::string&, std::string_view) { return false; }
bool CopyFileMakingDirs(const std::string&, const std::string&) { return false; }
bool FileExists(const std::string&) { return false; }

}  // namespace velmora
