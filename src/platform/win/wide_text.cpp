#include "platform/win/wide_text.h"

#include <windows.h>

namespace velmora {

namespace {

// Windows-1252 from 0x80 to 0x9F; the five bytes it leaves undefined stand for the C1
// controls of the same number, as the system's own conversion maps them.
constexpr wchar_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

std::wstring WideFromUtf8(std::string_view bytes, bool& bValid) {
  bValid = true;
  if (bytes.empty())
    return {};
  const int nBytes = static_cast<int>(bytes.size());
  const int n =
      ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), nBytes, nullptr, 0);
  if (n <= 0) {
    bValid = false;
    return {};
  }
  std::wstring wide(static_cast<size_t>(n), L'\0');
  ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), nBytes, wide.data(), n);
  return wide;
}

}  // namespace

std::wstring WideFromBytes(std::string_view bytes) {
  bool bValid = false;
  std::wstring wide = WideFromUtf8(bytes, bValid);
  if (bValid)
    return wide;
  wide.clear();
  for (unsigned char c : bytes)
    wide += c >= 0x80 && c < 0xA0 ? kCp1252High[c - 0x80] : static_cast<wchar_t>(c);
  return wide;
}

std::string Utf8FromWide(std::wstring_view text) {
  if (text.empty())
    return {};
  const int nChars = static_cast<int>(text.size());
  const int n =
      ::WideCharToMultiByte(CP_UTF8, 0, text.data(), nChars, nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(n > 0 ? n : 0), '\0');
  if (n > 0)
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), nChars, bytes.data(), n, nullptr, nullptr);
  return bytes;
}

std::wstring SystemPath(const std::string& hostPath) {
  std::wstring path = WideFromBytes(hostPath);
  for (wchar_t& c : path)
    if (c == L'/')
      c = L'\\';
  const bool bDrive = path.size() >= 3 && path[1] == L':' && path[2] == L'\\';
  if (bDrive)
    return L"\\\\?\\" + path;
  if (path.starts_with(L"\\\\") && !path.starts_with(L"\\\\?\\"))
    return L"\\\\?\\UNC\\" + path.substr(2);
  return path;
}

}  // namespace velmora
