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
}

}  // namespace
}  // namespace velmora
