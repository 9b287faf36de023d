// Text operations on quoted values, markers and markup that the expansions share.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace velmora {

std::string TextBetween(const std::string& text, const std::string& left, const std::string& right);
// The first double quote at or after from that lies at most maxDistance after key; npos when
// there is none. Looking only that far keeps a scan over many keys linear.
size_t FindQuoteWithin(const std::string& text, size_t from, size_t key, size_t maxDistance);
void CollectQuotedValues(const std::string& text, const std::string& key, size_t maxDistance,
                         std::vector<std::string>& values);
// position: in/out; set to -1 (npos) when no key was found.
bool GetQuotedValueAfter(const std::string& text, size_t& position, const std::string& key,
                         std::string& value, size_t maxDistance);
int ReplaceQuotedAfter(std::string& text, const std::string& key, const std::string& newValue);
void ReplaceQuotedAfterKeys(std::string& text, const std::string& key1, const std::string& key2,
                            const std::string& newValue, bool all, bool matchCase);
// Replaces the text between every left and the next right; -1, with the text unchanged, when
// the text would grow past nMaxBytes.
int ReplaceBetween(std::string& text, const std::string& left, const std::string& right,
                   const std::string& newText, size_t nMaxBytes = SIZE_MAX);
size_t StripTags(std::string& text);
bool IsPlainPageName(const std::string& value);
// <a href="address">text</a>, the address escaped; the text is markup and written as it is.
std::string MakeLink(const std::string& address, const std::string& text,
                     const std::string& target = {});
// " target=NAME" for a link's frame or window, quoted and escaped only when the name needs it.
std::string TargetAttribute(const std::string& target);

}  // namespace velmora
