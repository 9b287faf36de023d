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
      {55, "Can't load local copy: %1"},
      {56, "Can't load file: %1"},
      {90, "Loaded copy: %1"},
      {19000, "Can only use URLs beginning with http://\r\n     %1"},
      {19001, "Can't interpret this as an URL\r\n"},
      {19002, "Site redirects to unaccepted address"},
      {19003, "Access denied: Invalid password"},
      {19004, "Redirected to: %1"},
      {19006, "The redirected URL does not reference a HTTP resource"},
      {19007, "Accept Redirection\n\nFrom:  %1\n\nTo: %2\n"},
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
