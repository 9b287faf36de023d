// The two ways the LOCALTOC elements of a page are expanded; they give the same text.
#pragma once

#include <string>

namespace velmora {

// In one pass, for pages whose elements hold no heading of a listed level and whose listed
// headings do not nest; false and the text unchanged for any other page.
bool ExpandLocalTocsAtOnce(std::string& text);
// Element by element, for every page.
void ExpandLocalTocsInTurn(std::string& text);

}  // namespace velmora
