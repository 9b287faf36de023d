// The texts behind the navigation tags: the context list, the tables of contents and the
// trail. The page steps of page_steps.h put them into the page's elements.
#pragma once

#include <string>

namespace velmora {

class CNode;
class CPage;
class CWebSite;

// The address by which the built page links to q: q's web address; else the relative path
// to q or, when q has no file, to the first page after it in the outline that has one;
// else empty.
std::string LinkAddress(const CPage& built, const CWebSite& site, const CNode& q);

// bHtml5: the page begins with the HTML5 doctype (the bullet and the column tables styled
// inline instead of with attributes HTML5 no longer has).
std::string MakeConListText(const CPage& page, const CWebSite& site, bool bBullet,
                            bool bHtml5 = false);
std::string MakeTocText(const CPage& page, const CWebSite& site, int nCols,
                        const std::string& target, int nMinLevel, int nMaxLevel,
                        bool bHtml5 = false);
std::string MakeSingleTocText(const CPage& page, const CWebSite& site, int nCols,
                              const std::string& target, const std::string& style, bool bSiblings,
                              bool bHtml5 = false);
std::string MakeTrailText(const CPage& page, const CWebSite& site);

}  // namespace velmora
