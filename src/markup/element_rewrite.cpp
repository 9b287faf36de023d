#include "markup/element_rewrite.h"

#include "markup/text_operations.h"
#include "platform/strings.h"

namespace velmora {

int RewriteElements(std::string& text, const std::string& beginTag, const std::string& endTag,
                    const std::function<void(CTagElement&)>& rewrite, CReport* pReport) {
  // Built in one pass, like the expansions: a page of many elements is copied once.
  int count = 0;
  std::string out;
  size_t copied = 0, start = 0, end = 0;
  while (start < text.size() && FindElement(text, start, end, beginTag, endTag)) {
    CTagElement element(text.substr(start, end - start), pReport);
    rewrite(element);
    out.append(text, copied, start - copied);
    out += element.Rebuild();
    copied = start = end;
    ++count;
  }
  if (count == 0)
    return 0;
  out.append(text, copied);
  text = std::move(out);
  return count;
}

int RewriteQuotedValues(std::string& text, const std::string& key, size_t maxDistance,
                        const std::function<bool(const std::string&, std::string&)>& rewrite) {
  if (key.empty())
    return 0;
  std::string result;
  result.reserve(text.size());
  int count = 0;
  size_t copied = 0, pos = 0;
  while ((pos = FindText(text, key, pos)) != std::string::npos) {
    const size_t open = FindQuoteWithin(text, pos + key.size(), pos, maxDistance);
    if (open == std::string::npos) {
      pos += key.size();
      continue;
    }
    const size_t close = text.find('"', open + 1);
    if (close == std::string::npos)
      break;
    std::string value = text.substr(open + 1, close - open - 1);
    std::string replacement;
    if (rewrite(value, replacement)) {
      result.append(text, copied, open + 1 - copied);
      result += replacement;
      copied = close;
      ++count;
    }
    pos = close + 1;
  }
  if (count == 0)
    return 0;
  result.append(text, copied, std::string::npos);
  text.swap(result);
  return count;
}

}  // namespace velmora
