#include "markup/text_operations.h"

namespace velmora {

std::string TextBetween(const std::string&, const std::string&, const std::string&) { return {}; }
int SplitString(const std::string&, std::vector<std::string>&, const std::string&, bool, bool) { return 0; }
void CollectQuotedValues(const std::string&, const std::string&, size_t, std::vector<std::string>&) {}
bool GetQuotedValueAfter(const std::string&, size_t&, const std::string&, std::string&, size_t) { return false; }
int ReplaceQuotedAfter(std::string&, const std::string&, const std::string&) { return 0; }
void ReplaceQuotedAfterKeys(std::string&, const std::string&, const std::string&, const std::string&, bool, bool) {}
int ReplaceBetween(std::string&, const std::string&, const std::string&, const std::string&) { return 0; }
size_t StripTags(std::string& text) { return text.size(); }
bool IsPlainPageName(const std::string&) { return false; }
std::string MakeLink(const std::string&, const std::string& text, const std::string&) { return text; }

}  // namespace velmora
