#include "res/resources.h"

#include <cstddef>
#include <cstring>

namespace velmora {

struct CBuiltinFile {
  const char* pszName;
  const unsigned char* pData;
  std::size_t nSize;
};
extern const CBuiltinFile kBuiltinFiles[];

bool BuiltinFile(std::string_view name, std::string_view& bytes) {
  for (const CBuiltinFile* p = kBuiltinFiles; p->pszName; ++p) {
    if (name == p->pszName) {
      bytes = std::string_view(reinterpret_cast<const char*>(p->pData), p->nSize);
      return true;
    }
  }
  return false;
}

std::string LoadResourceText(std::string_view name, std::string_view endMarker) {
  std::string_view bytes;
  if (!BuiltinFile(name, bytes))
    return {};
  size_t end = bytes.find(endMarker);
  if (end == std::string_view::npos)
    return {};
  return std::string(bytes.substr(0, end));
}

}  // namespace velmora
