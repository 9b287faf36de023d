// Text handed to and taken from the Windows system, which speaks UTF-16.
#pragma once

#include <string>
#include <string_view>

namespace velmora {

// Bytes as UTF-16: UTF-8 when they are valid UTF-8, else Windows-1252, the code page the
// system's older files are written in.
std::wstring WideFromBytes(std::string_view bytes);
std::string Utf8FromWide(std::wstring_view text);
// A host path as the system's file calls take it: UTF-16, "\" separators, and an absolute
// path in the "\\?\" form, which has no length limit and no device names (a page called
// "con.html" is a file, not the console).
std::wstring SystemPath(const std::string& hostPath);

}  // namespace velmora
