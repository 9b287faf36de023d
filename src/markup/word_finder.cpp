#include "markup/word_finder.h"

#include <cstring>

namespace velmora {

CWordFinder::CWordFinder(std::vector<std::string> words)
    : m_words(std::move(words)), m_filter(65536 / 64), m_buckets(65536) {
  for (size_t i = 0; i < m_words.size(); ++i) {
    if (m_words[i].size() < kPrefix) {
      m_shortWords.push_back(i);
      continue;
    }
    const uint32_t h = Hash(Prefix(m_words[i].data()));
    m_filter[h / 64] |= uint64_t{1} << (h % 64);
    m_buckets[h].push_back(static_cast<uint32_t>(i));
  }
}

uint32_t CWordFinder::Prefix(const char* p) {
  uint32_t value;
  std::memcpy(&value, p, sizeof value);
  return value;
}

std::vector<size_t> CWordFinder::FirstOccurrences(const std::string& text) const {
  std::vector<size_t> first(m_words.size(), std::string::npos);
  for (size_t i : m_shortWords) first[i] = text.find(m_words[i]);
  size_t nMissing = m_words.size() - m_shortWords.size();
  if (text.size() < kPrefix || nMissing == 0)
    return first;
  const char* const pText = text.data();
  const size_t nLast = text.size() - kPrefix;
  for (size_t pos = 0; pos <= nLast; ++pos) {
    const uint32_t h = Hash(Prefix(pText + pos));
    if (!(m_filter[h / 64] & (uint64_t{1} << (h % 64))))
      continue;
    for (uint32_t i : m_buckets[h]) {
      const std::string& word = m_words[i];
      if (first[i] != std::string::npos || word.size() > text.size() - pos ||
          std::memcmp(pText + pos, word.data(), word.size()) != 0)
        continue;
      first[i] = pos;
      if (--nMissing == 0)
        return first;
    }
  }
  return first;
}

}  // namespace velmora
