// The printable sections of a page, and the names shared with the print pages that gather them.
#pragma once

#include <string>

namespace velmora {

class CPage;

// The anchor written before a page's first printable section in a print page.
enum class EPrintAnchor { kNone, kName, kId };

// The page's PRINTABLE sections, for the print page at printPagePath: as plain text when
// bTextOnly, else with their links and images pointed from the print page (links kept as
// they are with bKeepLinks), the first section after an anchor of the given kind.
std::string ExtractPrintableSections(CPage& page, const std::string& printPagePath, bool bTextOnly,
                                     bool bKeepLinks, EPrintAnchor anchor);

// The anchor that opens a page's sections in a print page: its published path with every
// "\" and "." turned into "-" ("pages\a.html" gives "pages-a-html"); for an id anchor, made
// fragment-safe as well. The name is not escaped.
std::string PrintAnchorName(const std::string& remotePath, bool bIdAnchor = false);

}  // namespace velmora
