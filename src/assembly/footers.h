// The page operations around the build: the generator stamp of a written page, and the page
// written when a page's sources give no text.
#pragma once

namespace velmora {

class CPage;

// Stamps the written page (<!--STAMP--> or a footer line), read back from its file when its
// text is no longer in memory, and writes it again.
void FinishPage(CPage& page);
// Replaces the content by the missing-page text naming this page; writes it when bStore.
void MakeMissingPage(CPage& page, bool bStore);

}  // namespace velmora
