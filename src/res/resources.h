// Built-in files compiled into the library: default templates, the missing page, def.css and
// the six layout images, found by file name.
#pragma once

#include <string>
#include <string_view>

namespace velmora {

// The bytes of a built-in file; false when there is none of that name.
bool BuiltinFile(std::string_view name, std::string_view& bytes);
// A built-in text up to (not including) the end marker; empty when the file or marker is missing.
std::string LoadResourceText(std::string_view name, std::string_view endMarker = "END_OF_RESOURCE");

}  // namespace velmora
