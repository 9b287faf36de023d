#include "model/script_file.h"

#include "platform/file_access.h"

namespace velmora {

namespace {
// Tab, line feed, vertical tab, form feed, carriage return, and the end-of-file mark that old
// editors put at the end, are the only control characters of a text file.
bool LooksLikeText(std::string_view text) {
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 && !(byte >= '\t' && byte <= '\r') && byte != 0x1A)
      return false;
  }
  return true;
}
}  // namespace

bool DecodeScriptBytes(std::string_view bytes, std::string& text, ETextEncoding& encoding) {
  if (DecodeText(bytes, text, encoding) && LooksLikeText(text))
    return true;
  text.clear();
  return false;
}

EScriptRead ReadScriptFile(CFileAccess& files, const std::string& path, std::string& text,
                           ETextEncoding& encoding) {
  text.clear();
  encoding = ETextEncoding::kPlain;
  std::string bytes;
  if (!files.ReadTextBytes(path, bytes))
    return EScriptRead::kUnreadable;
  std::string decoded;
  if (!DecodeScriptBytes(bytes, decoded, encoding))
    return EScriptRead::kNotAScript;
  text = JoinLinesWithCrLf(decoded);
  return EScriptRead::kRead;
}

}  // namespace velmora
