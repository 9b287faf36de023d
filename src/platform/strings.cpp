#include "platform/strings.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdint>
#include <cstring>

#ifdef __SSE2__
#include <immintrin.h>
#endif

namespace velmora {

namespace {
bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

#if defined(__x86_64__) && defined(__GNUC__)
// The places among the thirty-two from p on where part (or other) may start, as bytes of all
// ones: the first character and the one at second both match.
template <bool kEither>
__attribute__((target("avx2"), always_inline)) inline __m256i Candidates(
    const char* p, size_t second, const __m256i& first, const __m256i& next,
    const __m256i& otherFirst, const __m256i& otherNext) {
  const __m256i here = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
  const __m256i there = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + second));
  __m256i atFirst = _mm256_cmpeq_epi8(here, first);
  __m256i atNext = _mm256_cmpeq_epi8(there, next);
  if constexpr (kEither) {
    atFirst = _mm256_or_si256(atFirst, _mm256_cmpeq_epi8(here, otherFirst));
    atNext = _mm256_or_si256(atNext, _mm256_cmpeq_epi8(there, otherNext));
  }
  return _mm256_and_si256(atFirst, atNext);
}

__attribute__((target("avx2"), always_inline)) inline uint32_t Mask(const __m256i& bytes) {
  return static_cast<uint32_t>(_mm256_movemask_epi8(bytes));
}

// The same test as in FindIn, sixty-four places at a time, on processors that have AVX2.
// Returns the first match (with kAll, adds every match to all), or npos with pos moved to the
// first place not yet tested.
template <bool kEither, bool kAll>
__attribute__((target("avx2"))) size_t FindWide(const char* data, size_t& pos, size_t last,
                                                std::string_view part, std::string_view other,
                                                size_t second, std::vector<size_t>* all) {
  const __m256i first = _mm256_set1_epi8(part[0]);
  const __m256i next = _mm256_set1_epi8(part[second]);
  const __m256i otherFirst = _mm256_set1_epi8(other[0]);
  const __m256i otherNext = _mm256_set1_epi8(other[second]);
  size_t at = pos;
  while (at + 31 <= last) {
    // Most blocks have no candidate: they are passed over without leaving this loop, and their
    // places are not even counted.
    uint64_t mask = 0;
    while (at + 63 <= last) {
      const __m256i low =
          Candidates<kEither>(data + at, second, first, next, otherFirst, otherNext);
      const __m256i high =
          Candidates<kEither>(data + at + 32, second, first, next, otherFirst, otherNext);
      const __m256i any = _mm256_or_si256(low, high);
      at += 64;
      if (!_mm256_testz_si256(any, any)) {
        mask = Mask(low) | uint64_t{Mask(high)} << 32;
        break;
      }
    }
    size_t block = at - 64;
    if (mask == 0) {
      if (at + 31 > last)
        break;
      block = at;
      mask = Mask(Candidates<kEither>(data + at, second, first, next, otherFirst, otherNext));
      at += 32;
    }
    for (; mask != 0; mask &= mask - 1) {
      const size_t candidate = block + static_cast<size_t>(__builtin_ctzll(mask));
      if (std::memcmp(data + candidate, part.data(), part.size()) == 0 ||
          (kEither && std::memcmp(data + candidate, other.data(), other.size()) == 0)) {
        if constexpr (!kAll)
          return candidate;
        all->push_back(candidate);
      }
    }
  }
  pos = at;
  return std::string_view::npos;
}

#endif
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
  return FindText(text, part) != std::string_view::npos;
}

namespace {

// The first place at or after pos where part (or, with kEither, other: a form of the same
// length) occurs; with kAll, every such place is added to all and npos returned.
template <bool kEither, bool kAll = false>
size_t FindIn(std::string_view text, std::string_view part, std::string_view other, size_t pos,
              std::vector<size_t>* all = nullptr) {
#ifdef __SSE2__
  if (part.size() >= 2 && pos < text.size() && text.size() - pos >= part.size() + 16) {
    // Sixteen places at a time are tested for the first character and one more, preferably a
    // letter or digit (the "P" of "<!--PAGENAME", rarer than the "<" and "!" before it).
    size_t second = 1;
    while (second + 1 < part.size() && !std::isalnum(static_cast<unsigned char>(part[second])))
      ++second;
    const __m128i first = _mm_set1_epi8(part[0]);
    const __m128i next = _mm_set1_epi8(part[second]);
    const __m128i otherFirst = _mm_set1_epi8(other[0]);
    const __m128i otherNext = _mm_set1_epi8(other[second]);
    const char* const data = text.data();
    const size_t last = text.size() - part.size();  // the last place part can start
#if defined(__x86_64__) && defined(__GNUC__)
    static const bool bHasAvx2 = __builtin_cpu_supports("avx2");
    if (bHasAvx2) {
      if (const size_t at = FindWide<kEither, kAll>(data, pos, last, part, other, second, all);
          at != std::string_view::npos)
        return at;
    }
#endif
    for (; pos + 15 <= last; pos += 16) {
      const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + pos));
      const __m128i there = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + pos + second));
      __m128i atFirst = _mm_cmpeq_epi8(here, first);
      __m128i atNext = _mm_cmpeq_epi8(there, next);
      if constexpr (kEither) {
        atFirst = _mm_or_si128(atFirst, _mm_cmpeq_epi8(here, otherFirst));
        atNext = _mm_or_si128(atNext, _mm_cmpeq_epi8(there, otherNext));
      }
      unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(atFirst, atNext)));
      for (; mask != 0; mask &= mask - 1) {
        const size_t at = pos + static_cast<size_t>(__builtin_ctz(mask));
        if (std::memcmp(data + at, part.data(), part.size()) == 0 ||
            (kEither && std::memcmp(data + at, other.data(), other.size()) == 0)) {
          if constexpr (!kAll)
            return at;
          all->push_back(at);
        }
      }
    }
  }
#endif
  if constexpr (kAll) {
    static_assert(!kEither);
    for (size_t at = text.find(part, pos); at != std::string_view::npos;
         at = text.find(part, at + 1))
      all->push_back(at);
    return std::string_view::npos;
  }
  if constexpr (kEither)
    return std::min(text.find(part, pos), text.find(other, pos));
  return text.find(part, pos);
}

}  // namespace

size_t FindText(std::string_view text, std::string_view part, size_t pos) {
  return FindIn<false>(text, part, part, pos);
}

std::vector<size_t> FindAllText(std::string_view text, std::string_view part) {
  std::vector<size_t> all;
  if (!part.empty())
    FindIn<false, true>(text, part, part, 0, &all);
  return all;
}

size_t FindEitherText(std::string_view text, std::string_view part, std::string_view other,
                      size_t pos) {
  if (part.size() != other.size())
    return std::min(FindText(text, part, pos), FindText(text, other, pos));
  return FindIn<true>(text, part, other, pos);
}

size_t ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
  if (from.empty())
    return 0;
  size_t pos = FindText(text, from);
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
    pos = FindText(text, from, last);
  }
  result.append(text, last, std::string::npos);
  text.swap(result);
  return count;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size())
    return false;
  // Equal bytes need no folding; most compared texts are equal or differ in plain bytes.
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i] != b[i] && std::tolower(static_cast<unsigned char>(a[i])) !=
                            std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

bool LessNoCase(std::string_view a, std::string_view b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) <
           std::tolower(static_cast<unsigned char>(y));
  });
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
    size_t pos = FindText(text, separator, start);
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
