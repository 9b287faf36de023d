// Print pages: the PRINTLIST elements filled with the printable sections of the pages they name.
#pragma once

#include <string>

namespace velmora {

class CPage;
class CWebSite;

// Fills every PRINTLIST element of the page (built first when its text is not in memory) and
// writes it.
void MakePrintPage(CPage& page);
// Makes the one printable page of the whole site at filePath, as HTML or as plain text.
bool MakeOnePage(CWebSite& site, const std::string& filePath, bool bTextOnly);

}  // namespace velmora
