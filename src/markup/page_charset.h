// The character set a written page declares. Pages are built from the bytes of their templates
// and blocks, while the templates declare the ANSI code page; a page whose text is UTF-8 must
// say so, or every browser shows its accents, quotes and dashes as mojibake.
#pragma once

#include <string>

namespace velmora {

// When the page holds bytes beyond ASCII and is valid UTF-8: the charset of every content-type
// and charset meta element of its head becomes utf-8, and a content-type meta element is put
// at the start of the head when it has none. Any other page is left byte for byte. True when
// the text was changed.
bool DeclareUtf8Charset(std::string& page);

}  // namespace velmora
