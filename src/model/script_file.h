// Reading a site script file. A UTF-8 byte-order mark is skipped; a script saved as UTF-16 or
// UTF-32 with its mark is read as UTF-8 text; a file that is not text at all is refused, so
// that nothing takes it for a script of the older format and rewrites it.
#pragma once

#include <string>
#include <string_view>

#include "platform/text_encoding.h"

namespace velmora {

class CFileAccess;

// The text of the refusal; %1 is the path.
inline constexpr const char* kNotAScriptText = "not a site script: %1";

enum class EScriptRead { kRead, kUnreadable, kNotAScript };

// The text of a script file's bytes and the encoding to write it back in; false when the bytes
// are not text: they do not decode, or hold a NUL or a control character no text file has.
// Line ends are left as they are.
bool DecodeScriptBytes(std::string_view bytes, std::string& text, ETextEncoding& encoding);

// Reads and decodes the script file (internal path); its lines joined by CR LF.
EScriptRead ReadScriptFile(CFileAccess& files, const std::string& path, std::string& text,
                           ETextEncoding& encoding);

}  // namespace velmora
