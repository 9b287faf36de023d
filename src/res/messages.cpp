#include "res/messages.h"

#include <map>

#include "platform/strings.h"

namespace velmora {

namespace {
const std::map<int, std::string>& Table() {
  static const std::map<int, std::string> table = {
      {1, "http://www.velmora.org/"},
      {2, "<a href=\"%1\" target=\"other\">Velmora 2.0</a>"},
      {5, "------------------------"},
      {6, "No sitestructure established"},
      {9, "imported"},
      {19, "Code= %1"},
      {31, "Bad parameterlist: %1"},
      {33, "Bad path: %1"},
      {54, "Can't get: %1"},
      {55, "Can't load local copy: %1"},
      {88, "No page selected"},
      {17004,
       "<p><a href=\"#TopOfPage\"><img src=\"gfx/up.gif\" alt=\"TopOfPage\" width=\"17\" "
       "height=\"9\" border=\"0\"></a></p>"},
  };
  return table;
}
}  // namespace

const std::string& Message(int nId) {
  static const std::string empty;
  auto it = Table().find(nId);
  return it == Table().end() ? empty : it->second;
}

std::string FormatMessage(int nId, const std::string& arg1, const std::string& arg2) {
  return FormatText(Message(nId), arg1, arg2);
}

}  // namespace velmora
