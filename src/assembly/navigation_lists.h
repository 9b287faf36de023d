// The texts behind the navigation tags: the context list, the tables of contents and the
// trail. The page steps of page_steps.h put them into the page's elements.
#pragma once

#include <string>

namespace velmora {

class CNode;
class CPage;

// The address by which the built page links to q: q's web address; else the relative path
// to q or, when q has no file, to the first page after it in the outline that has one;
// else empty.
std::string LinkAddress(const CPage& built, CNode& q);

std::string MakeConListText(CPage& page, bool bBullet);
std::string MakeTocText(CPage& page, int nCols, const std::string& target, int nMinLevel,
                        int nMaxLevel);
std::string MakeSingleTocText(CPage& page, int nCols, const std::string& target,
                              const std::string& style, bool bSiblings);
std::string MakeTrailText(CPage& page);

}  // namespace velmora
