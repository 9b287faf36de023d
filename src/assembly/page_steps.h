// The expansion steps of the page build, in the order the build runs them. Each expands its
// tags in the page text and leaves everything else unchanged. The site is read only: these
// steps run on the pipeline's second thread, beside the main thread's reads of the site.
#pragma once

#include <string>

namespace velmora {

class CPage;
class CWebSite;

// Reads the named files and may write their local copies: a page with PATCH elements is
// expanded on the main thread.
void ApplyPatches(CPage& page, std::string& text);                              // <!--PATCH-->
void MakeConList(CPage& page, const CWebSite& site, std::string& text);         // <!--CONLIST-->
void MakeLocalToc(CPage& page, std::string& text);                              // <!--LOCALTOC-->
void MakeBasedOn(CPage& page, const CWebSite& site, std::string& text);         // <!--BASEDON-->
void MakeToc(CPage& page, const CWebSite& site, std::string& text);             // <!--TOC-->
void MakeSingleToc(CPage& page, const CWebSite& site, std::string& text);       // <!--SINGLETOC-->
void MakeTrail(CPage& page, const CWebSite& site, std::string& text);           // <!--TRAIL-->
void MakeNeighbourLinks(CPage& page, const CWebSite& site, std::string& text);  // NEXT, PREV, ...
void ExpandValueTags(CPage& page, const CWebSite& site, std::string& text);     // SITEORG ... TOTOP

}  // namespace velmora
