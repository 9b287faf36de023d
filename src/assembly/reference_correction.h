// Rewriting references so that they work from the file finally written: links by page name,
// and images of content that came from the web, from another drive or from a block's folder.
// Each returns the number of references rewritten in text.
#pragma once

#include <string>

namespace velmora {

class CNode;
class CPage;
class CWebSite;

// Rewrites links by page name into relative references (CheckNameRefs); reads the site only.
int CorrectNameRefs(CPage& page, const CWebSite& site, std::string& text);
// The images of the node's web content fetched, or of its content on another drive copied,
// into the site, pointed at from the host page's file (the node's own when it has no page).
int FetchRemoteImages(CNode& node, std::string& text);
int CopyOutsideImages(CNode& node, std::string& text);
// Content fetched from a web address (when online) or read from another drive: its images
// are fetched or copied into the site and pointed at from the node's own file, which is how
// the local copy keeps them.
int LocaliseImages(CNode& node, std::string& text);
// Points the images of a block's text at their files from the host page: for content from
// outside the site those beside its local copy (with bReportMissing, a missing one is
// reported), for a block of the site what CheckBlockImages finds.
int PointImagesFromHost(CNode& node, std::string& text, bool bReportMissing);
// The images of a local copy, found from its own place, pointed at from the host page.
int RepointImageCopies(CNode& node, std::string& text, bool bReportMissing);
// The images of a block of the site found beside the block or beside the host page, and
// pointed at from the host page; a missing one is reported.
int CheckBlockImages(CNode& node, std::string& text);

}  // namespace velmora
