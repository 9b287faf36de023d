#include "markup/word_finder.h"

#include <gtest/gtest.h>

#include <random>

namespace velmora {
namespace {

std::vector<size_t> FindOneByOne(const std::vector<std::string>& words, const std::string& text) {
  std::vector<size_t> first;
  for (const std::string& word : words) first.push_back(text.find(word));
  return first;
}

TEST(WordFinderTest, FindsTheFirstOccurrenceOfEveryWord) {
  // Shared prefixes, a word inside another, overlaps, short words, a word at the very end,
  // a repeated word and one that never occurs.
  const std::vector<std::string> words = {"apple", "apples", "ppl", "a",     "pie",  "plea",
                                          "leap",  "apple",  "zz",  "pleat", "tart", "ar"};
  const CWordFinder finder(words);
  for (const std::string text : {"an apple pie and apples", "pleapleat", "tart", "", "ap",
                                 "no match here", "leapplesauce tart"})
    EXPECT_EQ(finder.FirstOccurrences(text), FindOneByOne(words, text)) << text;
}

TEST(WordFinderTest, AgreesWithSearchingWordByWordOnRandomTexts) {
  std::mt19937 random(7);
  auto randomText = [&](size_t length) {
    std::string text;
    for (size_t i = 0; i < length; ++i) text += "abc<>\r\n"[random() % 7];
    return text;
  };
  std::vector<std::string> words;
  for (int i = 0; i < 60; ++i) words.push_back(randomText(1 + random() % 7));
  const CWordFinder finder(words);
  for (int round = 0; round < 50; ++round) {
    const std::string text = randomText(random() % 300);
    ASSERT_EQ(finder.FirstOccurrences(text), FindOneByOne(words, text)) << text;
  }
  // Only long words: the text is looked at every few places, and a word whose pieces repeat
  // ("abababab") must still be placed at its first occurrence, also at the very start or end.
  for (size_t nShortest : {5, 8, 12, 30}) {
    std::vector<std::string> longWords = {std::string(nShortest, 'a'), "abababababababababab"};
    for (int i = 0; i < 40; ++i) longWords.push_back(randomText(nShortest + random() % 6));
    const CWordFinder longFinder(longWords);
    for (int round = 0; round < 40; ++round) {
      std::string text = randomText(random() % 400);
      const std::string& word = longWords[random() % longWords.size()];
      if (round % 4 == 0)
        text = word + text;
      else if (round % 4 == 1)
        text += word;
      else
        text.insert(random() % (text.size() + 1), round % 4 == 2 ? word : longWords[1] + "ab");
      ASSERT_EQ(longFinder.FirstOccurrences(text), FindOneByOne(longWords, text)) << text;
    }
  }
}

}  // namespace
}  // namespace velmora
