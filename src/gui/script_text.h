// Script bytes shown in a text widget and given back unchanged. Bytes that are valid UTF-8 are
// shown as UTF-8, anything else as Latin-1; the line ends of the file (CR LF or LF) are kept.
// A file with a byte-order mark keeps it, and one in UTF-16 or UTF-32 is saved in its own
// encoding again.
#pragma once

#include <QString>
#include <string>

#include "platform/text_encoding.h"

namespace velmora {

struct CScriptEncoding {
  bool m_bLatin1 = false;
  std::string m_strLineEnd = "\r\n";
  ETextEncoding m_eMark = ETextEncoding::kPlain;  // the file's byte-order mark and encoding
};

// The text to show, with LF line ends and without the byte-order mark; encoding tells how the
// bytes were read.
QString ScriptToText(const std::string& bytes, CScriptEncoding& encoding);
// The bytes of a shown text. Text read as Latin-1 goes back as Latin-1 while every character
// fits; a character beyond Latin-1 makes the whole text UTF-8, so nothing typed is lost.
std::string TextToScript(const QString& text, const CScriptEncoding& encoding);

}  // namespace velmora
