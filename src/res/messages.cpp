#include "res/messages.h"

#include <map>

#include "platform/strings.h"

namespace velmora {

namespace {
// Texts are kept byte for byte as the program has always shown them, spelling included.
const std::map<int, std::string>& Table() {
  static const std::map<int, std::string> table = {
      {1, "http://www.velmora.org/"},
      {2, "<a href=\"%1\" target=\"other\">Velmora 2.0</a>"},
      {5, "------------------------"},
      {6, "No sitestructure established"},
      {7, "Pall.html"},
      {9, "imported"},
      {19, "Code= %1"},
      {25, "Ignoring IndexLine: %1"},
      {27, "Ignoring collect: %1 "},
      {31, "Bad parameterlist: %1"},
      {33, "Bad path: %1"},
      {34, "Bad reference"},
      {47, "Internet is off, cant get: %1"},
      {53, "Can't write: %1"},
      {54, "Can't get: %1"},
      {55, "Can't load local copy: %1"},
      {56, "Can't load file: %1"},
      {70, "Checking pages"},
      {74, "Possible unknown pagename: %1"},
      {76, "File %1 exists. \n Replace it ?"},
      {88, "No page selected"},
      {90, "Loaded copy: %1"},
      {92, "Using local copy. %1"},
      {104, "Windows sockets initialization failed."},
      {17000, "Script may have been changed by another program\nReload script ?"},
      {17001, "Reported:\r\n%1\r\nSee Report Window\r\n\r\nDo you want to see this alert again ?"},
      {17003,
       "<img src=\"gfx/bullet.gif\" width=\"3\" height=\"5\" vspace=\"0\" hspace=\"2\" "
       "valign=\"middle\" alt=\">\">"},
      {17004,
       "<p><a href=\"#TopOfPage\"><img src=\"gfx/up.gif\" alt=\"TopOfPage\" width=\"17\" "
       "height=\"9\" border=\"0\"></a></p>"},
      {19000, "Can only use URLs beginning with http://\r\n     %1"},
      {19001, "Can't interpret this as an URL\r\n"},
      {19002, "Site redirects to unaccepted address"},
      {19003, "Access denied: Invalid password"},
      {19004, "Redirected to: %1"},
      {19006, "The redirected URL does not reference a HTTP resource"},
      {19007, "Accept Redirection\n\nFrom:  %1\n\nTo: %2\n"},
      {32771, "Reload Script\nreload"},
      {32776, "Build all pages\nbuild all"},
      {32777, "Build selected pages\nbuild selected"},
      {32778, "Check all pages\nCheck all"},
      {32779, "Check selected pages\ncheck selected"},
      {32791, "Interpret script and establish structure\ninterpret script"},
  };
  return table;
}
}  // namespace

const std::string& Message(EMessage id) {
  static const std::string empty;
  auto it = Table().find(static_cast<int>(id));
  return it == Table().end() ? empty : it->second;
}

std::string FormatMessage(EMessage id, const std::string& arg1, const std::string& arg2) {
  return FormatText(Message(id), arg1, arg2);
}

}  // namespace velmora
