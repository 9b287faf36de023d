// Loading blocks and placing them into a page's template, and loading a page that is taken
// whole from its own file (option K).
#pragma once

#include <string>

namespace velmora {

class CBlock;
class CPage;

// Reads the block's file into its block elements, with their images pointed at from the
// host page; a missing or empty block gets its default text.
bool LoadBlock(CBlock& block);
// The text of a block whose file is missing (written for the user to edit) or empty.
void MakeDefaultBlock(CBlock& block, bool bMissing);
// Merges the page's blocks into its content, which holds the template text.
void PlaceBlocks(CPage& page);
// Reads a page taken whole from its own file or from elsewhere, with its images.
bool LoadPage(CPage& page);
// The page's text, read by LoadPage when there is none yet.
std::string PageContent(CPage& page);

}  // namespace velmora
