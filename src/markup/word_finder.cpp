#include "markup/word_finder.h"

#include <algorithm>
#include <cstring>

namespace velmora {

CWordFinder::CWordFinder(std::vector<std::string> words)
    : m_words(std::move(words)), m_filter(65536 / 64), m_buckets(65536) {
  size_t nShortest = 0;
  for (size_t i = 0; i < m_words.size(); ++i) {
    if (m_words[i].size() < kPrefix)
      m_shortWords.push_back(i);
    else if (nShortest == 0 || m_words[i].size() < nShortest)
      nShortest = m_words[i].size();
  }
  if (nShortest > 0)
    m_nStep = std::min(nShortest - kPrefix + 1, kMaxStep);
  for (size_t i = 0; i < m_words.size(); ++i) {
    if (m_words[i].size() < kPrefix)
      continue;
    for (size_t nOffset = 0; nOffset < m_nStep; ++nOffset) {
      const uint32_t h = Hash(Prefix(m_words[i].data() + nOffset));
      m_filter[h / 64] |= uint64_t{1} << (h % 64);
      m_buckets[h].push_back({static_cast<uint32_t>(i), static_cast<uint32_t>(nOffset)});
    }
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
  for (size_t pos = 0; pos <= nLast; pos += m_nStep) {
    const uint32_t h = Hash(Prefix(pText + pos));
    if (!(m_filter[h / 64] & (uint64_t{1} << (h % 64))))
      continue;
    // A word may start at several places up to m_nStep behind pos; the earliest is kept. An
    // occurrence that starts before them was seen at an earlier place, so a word found here has
    // its first occurrence once this place is done.
    for (const CPiece& piece : m_buckets[h]) {
      if (piece.m_nOffset > pos)
        continue;
      const size_t at = pos - piece.m_nOffset;
      size_t& found = first[piece.m_nWord];
      const std::string& word = m_words[piece.m_nWord];
      if ((found != std::string::npos && found <= at) || word.size() > text.size() - at ||
          std::memcmp(pText + at, word.data(), word.size()) != 0)
        continue;
      if (found == std::string::npos)
        --nMissing;
      found = at;
    }
    if (nMissing == 0)
      return first;
  }
  return first;
}

}  // namespace velmora
