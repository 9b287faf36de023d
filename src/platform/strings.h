// Small one-pass text helpers shared by every layer: trimming, prefix tests, replace-all,
// case-insensitive comparison and splitting. Text is bytes; nothing here transcodes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velmora {

std::string Trim(std::string_view text);
std::string TrimLeft(std::string_view text);
std::string TrimRight(std::string_view text);
bool StartsWith(std::string_view text, std::string_view prefix);
bool EndsWith(std::string_view text, std::string_view suffix);
bool Contains(std::string_view text, std::string_view part);

// The first occurrence of part at or after pos, as std::string_view::find gives it. Faster on
// markup: a page is searched for its tags dozens of times, and a search that stops at every
// "<" of the page spends most of its time there.
size_t FindText(std::string_view text, std::string_view part, size_t pos = 0);
// Every place where part occurs (overlapping ones too), in one pass; none for an empty part.
std::vector<size_t> FindAllText(std::string_view text, std::string_view part);

// The first place at or after pos where part or other occurs, in one pass when both have the
// same length (as a word's lower- and upper-case forms do).
size_t FindEitherText(std::string_view text, std::string_view part, std::string_view other,
                      size_t pos = 0);

// Replaces every occurrence of `from` (left to right, no overlaps) in one pass; returns the count.
size_t ReplaceAll(std::string& text, std::string_view from, std::string_view to);

bool EqualsNoCase(std::string_view a, std::string_view b);
// Alphabetical order ignoring case, as a list box sorts: "alpha" < "beta" < "Zeta".
bool LessNoCase(std::string_view a, std::string_view b);
std::string ToLower(std::string_view text);
std::string ToUpper(std::string_view text);

// Splits at every separator, keeping empty pieces unless removeEmpty is set.
std::vector<std::string> Split(std::string_view text, std::string_view separator,
                               bool removeEmpty = false);

// Reads a leading decimal integer: blanks skipped, optional sign, digits up to the first
// non-digit; 0 when there are none. Values beyond int range are clamped.
int ParseLeadingInt(std::string_view text);

// Replaces "%1" (and "%2") by the arguments.
std::string FormatText(std::string_view pattern, std::string_view arg1, std::string_view arg2 = {});

// Turns every CR LF into LF (for printing) and the reverse.
std::string CrLfToLf(std::string_view text);

}  // namespace velmora
