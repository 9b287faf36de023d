#include "res/messages.h"

#include <map>

#include "platform/strings.h"

namespace velmora {

namespace {
const std::map<int, std::string>& Table() {
  static const std::map<int, std::string> table = {
      {5, "------------------------"},
      {6, "No sitestructure established"},
      {9, "imported"},
      {19, "Code= %1"},
      {31, "Bad parameterlist: %1"},
      {33, "Bad path: %1"},
      {34, "Bad reference"},
      {54, "Can't get: %1"},
      {55, "Can't load local copy: %1"},
      {74, "Possible unknown pagename: %1"},
      {92, "Using local copy. %1"},
      {17003,
       "<img src=\"gfx/bullet.gif\" width=\"3\" height=\"5\" vspace=\"0\" hspace=\"2\" "
       "valign=\"middle\" alt=\">\">"},
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
