// Build and check as the desktop program runs them: the selection is the positions of the
// selected entries of the published-pages list, taken before the script is interpreted again.
#pragma once

#include <cstddef>
#include <functional>
#include <vector>

namespace velmora {

class CSiteSession;

enum class ESiteWork { kBuild, kCheck };

// Interprets the script; when positions are given, selects again the entries at those positions
// that are still within the new list (in the order given). Then builds or checks all pages (no
// positions) or the selected ones. afterInterpret, when set, runs right after interpretation so
// a window can show the new list. False when there is no site or nothing is selected any more
// (told in a message box).
bool RunSiteWork(CSiteSession& session, ESiteWork work, const std::vector<size_t>* pPositions,
                 const std::function<void()>& afterInterpret = {});

}  // namespace velmora
