// Before pages are built the site gets its layout resources (def.css and six images) in its
// "gfx" folder and its templates in its "templates" folder when both lie elsewhere; missing
// standard resources are written from the program's own copies.
#pragma once

#include <string>

namespace velmora {

class CBuildContext;

class CWebSite;

// Each returns false when it had to stop early; the build goes on either way.
bool CopyLayoutResources(CWebSite& site);
bool CopyTemplates(CWebSite& site);
// Copies the tree under source into destination; folders beginning with "." stay behind.
bool CopyFiles(CBuildContext& ctx, const std::string& source, const std::string& destination);

}  // namespace velmora
