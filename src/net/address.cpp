#include "net/address.h"

#include <cctype>
#include <vector>

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

// "name:" before any "/", "?" or "#": the reference names its own service.
bool HasSchemePrefix(const std::string& text) {
  const size_t colon = text.find(':');
  if (colon == std::string::npos || colon == 0 ||
      !std::isalpha(static_cast<unsigned char>(text[0])))
    return false;
  for (size_t i = 0; i < colon; ++i)
    if (!IsSchemeChar(text[i]))
      return false;
  return true;
}

bool HasControlOrBlank(const std::string& text) {
  for (unsigned char c : text)
    if (c <= 0x20 || c == 0x7f)
      return true;
  return false;
}

// Removes "." and ".." pieces from a path beginning with "/"; ".." at the top stays there.
std::string WithoutDotPieces(const std::string& path) {
  const std::vector<std::string> pieces = Split(path, "/");
  std::vector<std::string_view> kept;
  for (size_t i = 1; i < pieces.size(); ++i) {
    const bool bLast = i + 1 == pieces.size();
    if (pieces[i] == "." || pieces[i] == "..") {
      if (pieces[i] == ".." && !kept.empty())
        kept.pop_back();
      // "a/." and "a/.." name a folder: the result keeps its final "/".
      if (bLast)
        kept.push_back("");
      continue;
    }
    kept.push_back(pieces[i]);
  }
  std::string result;
  for (std::string_view piece : kept) {
    result += '/';
    result += piece;
  }
  return result.empty() ? "/" : result;
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

std::string AddressText(const CAddress& address) {
  std::string text = address.m_strService + "://" + address.m_strServer;
  if (address.m_nPort > 0 && address.m_nPort != DefaultPort(address.m_strService))
    text += ":" + std::to_string(address.m_nPort);
  return text + (address.m_strObject.empty() ? "/" : address.m_strObject);
}

bool ResolveAddress(const CAddress& base, const std::string& reference, CAddress& result) {
  const std::string text = reference.substr(0, reference.find('#'));
  if (text.empty() || HasControlOrBlank(text))
    return false;
  if (HasSchemePrefix(text))
    return ParseAddress(text, result);
  if (StartsWith(text, "//"))
    return ParseAddress(base.m_strService + ":" + text, result);

  const size_t queryStart = base.m_strObject.find('?');
  const std::string basePath = base.m_strObject.substr(0, queryStart);
  std::string object;
  if (StartsWith(text, "?")) {
    object = (basePath.empty() ? "/" : basePath) + text;
  } else {
    const size_t query = text.find('?');
    std::string path = text.substr(0, query);
    if (!StartsWith(path, "/"))
      path = basePath.substr(0, basePath.rfind('/') + 1) + path;
    if (!StartsWith(path, "/"))
      path = "/" + path;
    object = WithoutDotPieces(path) + (query == std::string::npos ? "" : text.substr(query));
  }
  CAddress resolved = base;
  resolved.m_strObject = object;
  return ParseAddress(AddressText(resolved), result);
}

}  // namespace velmora
