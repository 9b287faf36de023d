#include "net/address.h"

#include <cctype>

#include "platform/strings.h"

namespace velmora {

namespace {

bool IsSchemeChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.';
}

// Host names, IPv4 addresses and percent-escapes; anything else (blanks, backslashes, quotes)
// means the text is not an address.
bool IsHostChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '_' ||
         c == '~' || c == '%';
}

int DefaultPort(const std::string& service) {
  if (service == "http")
    return 80;
  if (service == "https")
    return 443;
  if (service == "ftp")
    return 21;
  return 0;
}

}  // namespace

bool ParseAddress(const std::string& text, CAddress& address) {
  address = CAddress();
  size_t colon = text.find(':');
  if (colon == std::string::npos || colon == 0 ||
      !std::isalpha(static_cast<unsigned char>(text[0])))
    return false;
  for (size_t i = 0; i < colon; ++i)
    if (!IsSchemeChar(text[i]))
      return false;
  std::string service = ToLower(std::string_view(text).substr(0, colon));
  std::string rest = text.substr(colon + 1);

  if (!StartsWith(rest, "//")) {
    // "mailto:x@y" and the like: no server.
    if (rest.empty())
      return false;
    address.m_strService = service;
    address.m_strObject = rest;
    return true;
  }

  size_t authorityEnd = rest.find_first_of("/?#", 2);
  std::string authority =
      rest.substr(2, authorityEnd == std::string::npos ? authorityEnd : authorityEnd - 2);
  std::string object = "/";
  if (authorityEnd != std::string::npos)
    object =
        rest[authorityEnd] == '/' ? rest.substr(authorityEnd) : "/" + rest.substr(authorityEnd);

  size_t at = authority.rfind('@');  // user information is not part of the server
  if (at != std::string::npos)
    authority.erase(0, at + 1);

  std::string server, port;
  if (StartsWith(authority, "[")) {
    size_t close = authority.find(']');
    if (close == std::string::npos)
      return false;
    server = authority.substr(0, close + 1);
    std::string after = authority.substr(close + 1);
    if (!after.empty()) {
      if (after[0] != ':')
        return false;
      port = after.substr(1);
    }
  } else {
    size_t portColon = authority.find(':');
    server = authority.substr(0, portColon);
    if (portColon != std::string::npos)
      port = authority.substr(portColon + 1);
    for (char c : server)
      if (!IsHostChar(c))
        return false;
  }
  if (server.empty())
    return false;

  int nPort = DefaultPort(service);
  if (Contains(authority.substr(server.size()), ":")) {
    if (port.size() > 5)
      return false;
    nPort = 0;
    for (char c : port) {
      if (!std::isdigit(static_cast<unsigned char>(c)))
        return false;
      nPort = nPort * 10 + (c - '0');
    }
    if (nPort == 0 || nPort > 65535)
      return false;
  }

  address.m_strService = service;
  address.m_strServer = server;
  address.m_strObject = object;
  address.m_nPort = nPort;
  return true;
}

bool IsHttpService(const CAddress& address) {
  return address.m_strService == "http" || address.m_strService == "https";
}

}  // namespace velmora
