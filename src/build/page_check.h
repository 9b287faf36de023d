// The check of one written page: its links, anchors and images.
#pragma once

namespace velmora {

class CPage;

// Reports the page's references that lead nowhere (web addresses are probed only when
// working online) under a line naming the page, or "OK".
void CheckPage(CPage& page);

}  // namespace velmora
