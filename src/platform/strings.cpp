#include "platform/strings.h"

#include <cctype>
#include <climits>

namespace velmora {

namespace {
bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}
}  // namespace

std::string TrimLeft(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  return std::string(text.substr(i));
}

std::string TrimRight(std::string_view text) {
  size_t n = text.size();
  while (n > 0 && IsBlank(text[n - 1])) --n;
  return std::string(text.substr(0, n));
}

std::string Trim(std::string_view text) {
  size_t i = 0, n = text.size();
  while (i < n && IsBlank(text[i])) ++i;
  while (n > i && IsBlank(text[n - 1])) --n;
  return std::string(text.substr(i, n - i));
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

bool EndsWith(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

bool Contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

size_t ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
  if (from.empty())
    return 0;
  size_t pos = text.find(from);
  if (pos == std::string::npos)
    return 0;
  std::string result;
  result.reserve(text.size());
  size_t last = 0, count = 0;
  while (pos != std::string::npos) {
    result.append(text, last, pos - last);
    result.append(to);
    last = pos + from.size();
    ++count;
    pos = text.find(from, last);
  }
  result.append(text, last, std::string::npos);
  text.swap(result);
  return count;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size())
    return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

std::string ToLower(std::string_view text) {
  std::string s(text);
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::string ToUpper(std::string_view text) {
  std::string s(text);
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

std::vector<std::string> Split(std::string_view text, std::string_view separator,
                               bool removeEmpty) {
  std::vector<std::string> pieces;
  if (separator.empty()) {
    if (!text.empty() || !removeEmpty)
      pieces.emplace_back(text);
    return pieces;
  }
  size_t start = 0;
  while (true) {
    size_t pos = text.find(separator, start);
    std::string_view piece = text.substr(start, pos == std::string_view::npos ? pos : pos - start);
    if (!removeEmpty || !piece.empty())
      pieces.emplace_back(piece);
    if (pos == std::string_view::npos)
      break;
    start = pos + separator.size();
  }
  return pieces;
}

int ParseLeadingInt(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-'))
    negative = text[i++] == '-';
  long long value = 0;
  while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
    value = value * 10 + (text[i++] - '0');
    if (value > INT_MAX)
      value = INT_MAX;
  }
  return static_cast<int>(negative ? -value : value);
}

std::string FormatText(std::string_view pattern, std::string_view arg1, std::string_view arg2) {
  std::string result;
  result.reserve(pattern.size() + arg1.size() + arg2.size());
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '%' && i + 1 < pattern.size() &&
        (pattern[i + 1] == '1' || pattern[i + 1] == '2')) {
      result.append(pattern[i + 1] == '1' ? arg1 : arg2);
      ++i;
    } else {
      result.push_back(pattern[i]);
    }
  }
  return result;
}

std::string CrLfToLf(std::string_view text) {
  std::string s(text);
  ReplaceAll(s, "\r\n", "\n");
  return s;
}

}  // namespace velmora
