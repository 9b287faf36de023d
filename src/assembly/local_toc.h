// The two ways the LOCALTOC elements of a page are expanded; they give the same text.
#pragma once

#include <string>

#include "markup/paths.h"

namespace velmora {

enum class CLocalTocExpansion { kDone, kDeclined, kTooMuchText };

// In one pass, for pages whose elements hold no heading of a listed level and whose listed
// headings do not nest; kDeclined and the text unchanged for any other page. A page that would
// grow past nMaxBytes is left unchanged too (kTooMuchText).
CLocalTocExpansion ExpandLocalTocsAtOnce(std::string& text, size_t nMaxBytes = kMaxTextBytes);
// Element by element, for every page; false, and the text as it was, when the page grew past
// nMaxBytes on the way.
bool ExpandLocalTocsInTurn(std::string& text, size_t nMaxBytes = kMaxTextBytes);

}  // namespace velmora
