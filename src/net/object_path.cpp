#include "net/http_request.h"

namespace velmora {

std::string EscapeObjectPath(const std::string& object) {
  static const char hex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(object.size());
  for (unsigned char c : object) {
    if (c <= 0x20 || c >= 0x7f) {
      out += '%';
      out += hex[c >> 4];
      out += hex[c & 15];
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

}  // namespace velmora
