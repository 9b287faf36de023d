// The page build in three parts, so that the middle one can run on another thread while other
// pages are read and written. BuildPage runs them one after the other.
#pragma once

#include <string>
#include <vector>

#include "markup/keyword_index.h"
#include "model/collection.h"

namespace velmora {

class CPage;
class CWebSite;

// What the middle part found for the last part when no replace rule stands between them; the
// page's text is then the text to write.
struct CPageTail {
  bool m_bReady = false;
  bool m_bPrintPage = false;
  std::vector<CCollected> m_collected;  // one for each of the site's collections
  CPageWords m_words;
};

// Builds and writes one page: the three parts below one after the other. False when the page
// was not written.
bool BuildPage(CPage& page);

// The template and blocks, or the page's own file (option K), into the page's text. False when
// the page ends here (its report lines are given); reads and may write files.
bool ReadPageSources(CPage& page);
// The page-name references, patches and every expansion. Reads the site (the page's own) but
// changes nothing outside the page, unless the text holds PATCH elements (they read files).
// With pTail, also does what of the last part needs no shared state.
void ExpandPageText(CPage& page, const CWebSite& site, CPageTail* pTail);
// The print list, collections, replace rules, index, resource references and the write; true
// when the page was written.
bool WritePage(CPage& page, CPageTail* pTail);

// The last part in its two halves, for a write on another thread. GatherPage does all but the
// write. MayWriteElsewhere makes the page's folders on this thread; when it says yes,
// WritePageFile may write the file on any thread, the page left as it is until it returns.
// StorePage writes the page here unless bWritten says that was done, and gives its report
// line; a write that failed elsewhere is tried again here, with the messages it may give.
void GatherPage(CPage& page, CPageTail* pTail);
bool MayWriteElsewhere(CPage& page);
bool WritePageFile(const CPage& page);
bool StorePage(CPage& page, bool bWritten);

// Points "gfx" references in the page's text at the site's resources from the page's folder.
void CorrectGfxReferences(CPage& page, const CWebSite& site);

}  // namespace velmora
