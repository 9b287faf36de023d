// The build context of the running test. Test programs built on GoogleTest get a fresh one
// before every test, so nothing a test changes in it reaches the next test.
#pragma once

#include "model/build_context.h"
#include "model/web_site.h"

namespace velmora {

CBuildContext& TestContext();
// A site without pages on the test context, for nodes tested on their own.
CWebSite& EmptyTestSite();
// Replaces the test context (and the empty site) by fresh ones.
void ResetTestContext();

}  // namespace velmora
