// Expanding comment-tag elements in place: each element keeps its tags and gets new content,
// so a built page can be built again.
#pragma once

#include <functional>
#include <string>

#include "markup/tag_element.h"

namespace velmora {

// For every element opened by beginTag (closed by endTag, or self-closing when endTag is
// empty): the content becomes make(element), or the old content followed by it when the
// element says APPEND="ON". The search goes on after the rebuilt element.
void ExpandElements(std::string& text, const std::string& beginTag, const std::string& endTag,
                    const std::function<std::string(const CTagElement&)>& make,
                    CReport* pReport = nullptr);

}  // namespace velmora
