// Byte-order marks and the Unicode encodings they announce. Text inside the program is bytes
// (UTF-8 or the ANSI code page); a file saved as UTF-16 or UTF-32 with its mark is read into
// UTF-8 and can be written back in its own encoding.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace velmora {

enum class ETextEncoding {
  kPlain,    // no mark: the bytes are the text
  kUtf8Bom,  // UTF-8 after the mark EF BB BF
  kUtf16Le,
  kUtf16Be,
  kUtf32Le,
  kUtf32Be,
};

// The encoding that the byte-order mark at the start of bytes announces; kPlain without one.
ETextEncoding EncodingOfMark(std::string_view bytes);

// The text of bytes without their mark, UTF-16 and UTF-32 decoded into UTF-8. False when bytes
// announced as UTF-16 or UTF-32 do not decode (a cut unit, a lone surrogate, a value beyond
// Unicode); text is then empty.
bool DecodeText(std::string_view bytes, std::string& text, ETextEncoding& encoding);

// The bytes of text in encoding, with its mark. Bytes of text that are not UTF-8 are taken as
// Latin-1, so nothing is lost on the way to UTF-16 or UTF-32.
std::string EncodeText(std::string_view text, ETextEncoding encoding);

// A text read from a file, before it goes into a page: a UTF-8 mark is dropped, UTF-16 and
// UTF-32 with their mark become UTF-8. Anything else is left alone.
void DropByteOrderMark(std::string& text);

// Appends the UTF-8 bytes of a code point.
void AppendUtf8(std::string& out, uint32_t code);
bool IsAscii(std::string_view text);
bool IsValidUtf8(std::string_view text);

}  // namespace velmora
