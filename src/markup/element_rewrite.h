// Rewriting every element of one kind in a text: each element is cut out, parsed, handed to
// a callback that may change its content, and put back rebuilt, so the tags stay in the text.
#pragma once

#include <functional>
#include <string>

#include "markup/tag_element.h"

namespace velmora {

// Rewrites the elements found by FindElement(beginTag, endTag) from the start of text; the
// search goes on after each rebuilt element. Returns the number of elements visited.
int RewriteElements(std::string& text, const std::string& beginTag, const std::string& endTag,
                    const std::function<void(CTagElement&)>& rewrite, CReport* pReport = nullptr);

// Rewrites, in one pass, every double-quoted value that follows key with its opening quote at
// most maxDistance characters after the start of the key; rewrite returns the new value, or
// false to leave it. A rewritten value is never looked at again.
int RewriteQuotedValues(std::string& text, const std::string& key, size_t maxDistance,
                        const std::function<bool(const std::string&, std::string&)>& rewrite);

}  // namespace velmora
