// The two ways the LOCALTOC elements of a page are expanded; they give the same text.
#pragma once

#include <string>

#include "platform/file_access.h"

namespace velmora {

class CReport;

enum class CLocalTocExpansion { kDone, kDeclined, kTooMuchText };

// In one pass, for pages whose elements hold no heading of a listed level and whose listed
// headings do not nest; kDeclined and the text unchanged for any other page. A page that would
// grow past nMaxBytes is left unchanged too (kTooMuchText).
// Malformed elements are reported to pReport, if any.
CLocalTocExpansion ExpandLocalTocsAtOnce(std::string& text, size_t nMaxBytes = kMaxTextBytes,
                                         CReport* pReport = nullptr);
// Element by element, for every page; false, and the text as it was, when the page grew past
// nMaxBytes on the way.
bool ExpandLocalTocsInTurn(std::string& text, size_t nMaxBytes = kMaxTextBytes,
                           CReport* pReport = nullptr);

}  // namespace velmora
