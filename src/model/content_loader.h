// The content loader: the text of a node from wherever its location says.
#pragma once

namespace velmora {

class CNode;

// Reads the node's text from its web address, its file on another drive or its file in the
// site catalog, without a byte-order mark (it would show at the top of the page). Anything
// from outside the catalog is kept as a local copy there, so a site built once online can be
// built again offline.
bool LoadContent(CNode& node);

}  // namespace velmora
