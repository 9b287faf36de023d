// Finds where each of a fixed set of words first occurs in a text, in one pass over the text
// however many words there are. The site index looks for hundreds of keywords in every page;
// searching for them one after another read each page hundreds of times.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace velmora {

class CWordFinder {
 public:
  explicit CWordFinder(std::vector<std::string> words);
  // For each word, in the order given, the position of its first occurrence in text (exact,
  // case-sensitive, overlaps allowed), or npos.
  std::vector<size_t> FirstOccurrences(const std::string& text) const;
  const std::vector<std::string>& Words() const { return m_words; }

 private:
  static constexpr size_t kPrefix = 4;  // words at least this long are found by their pieces
  static constexpr size_t kMaxStep = 16;
  static uint32_t Prefix(const char* p);
  static uint32_t Hash(uint32_t prefix) { return (prefix * 2654435761u) >> 16; }

  // A word's piece of kPrefix characters at an offset into the word.
  struct CPiece {
    uint32_t m_nWord;
    uint32_t m_nOffset;
  };

  std::vector<std::string> m_words;
  std::vector<size_t> m_shortWords;  // shorter than kPrefix: searched on their own
  // Every occurrence of a long word covers m_nStep places at which one of its first pieces
  // starts, so the text is looked at only every m_nStep places.
  size_t m_nStep = 1;
  std::vector<uint64_t> m_filter;  // one bit per piece hash that some word has
  // Buckets by piece hash: the pieces with that hash, in order.
  std::vector<std::vector<CPiece>> m_buckets;
};

}  // namespace velmora
