// The expansion steps of the page build, in the order the build runs them. Each expands its
// tags in the page text and leaves everything else unchanged.
#pragma once

#include <string>

namespace velmora {

class CPage;

void ApplyPatches(CPage& page, std::string& text);        // <!--PATCH-->
void MakeConList(CPage& page, std::string& text);         // <!--CONLIST-->
void MakeLocalToc(CPage& page, std::string& text);        // <!--LOCALTOC-->
void MakeBasedOn(CPage& page, std::string& text);         // <!--BASEDON-->
void MakeToc(CPage& page, std::string& text);             // <!--TOC-->
void MakeSingleToc(CPage& page, std::string& text);       // <!--SINGLETOC-->
void MakeTrail(CPage& page, std::string& text);           // <!--TRAIL-->
void MakeNeighbourLinks(CPage& page, std::string& text);  // NEXT, PREV, HOME, PARENT markers
void ExpandValueTags(CPage& page, std::string& text);     // SITEORG ... TOTOP

}  // namespace velmora
