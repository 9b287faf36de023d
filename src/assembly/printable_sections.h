// Names shared by the printable sections of a page and the print pages that gather them.
#pragma once

#include <string>

namespace velmora {

// The anchor that opens a page's sections in a print page: its published path with every
// "\" and "." turned into "-" ("pages\a.html" gives "pages-a-html"); for an id anchor, made
// fragment-safe as well. The name is not escaped.
std::string PrintAnchorName(const std::string& remotePath, bool bIdAnchor = false);

}  // namespace velmora
