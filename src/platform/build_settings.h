// The seven switches that decide how much work a build does, program-wide for the run.
// 0 is off, anything else on.
#pragma once

namespace velmora {

struct CBuildSettings {
  int Internet = 0;
  int BuildIndex = 1;
  int BuildCollections = 1;
  int BuildPrintPages = 1;
  int CheckNameRefs = 1;
  int CheckAllImages = 1;
  int AllowForwardSlashes = 0;
};

}  // namespace velmora
