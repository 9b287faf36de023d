#include "support/test_context.h"

#include <memory>

namespace velmora {

namespace {
std::unique_ptr<CBuildContext>& Slot() {
  static std::unique_ptr<CBuildContext> pContext;
  return pContext;
}
std::unique_ptr<CWebSite>& SiteSlot() {
  static std::unique_ptr<CWebSite> pSite;
  return pSite;
}
}  // namespace

CBuildContext& TestContext() {
  if (!Slot())
    ResetTestContext();
  return *Slot();
}

CWebSite& EmptyTestSite() {
  if (!SiteSlot())
    SiteSlot() = std::make_unique<CWebSite>(TestContext(), std::vector<std::string>{});
  return *SiteSlot();
}

void ResetTestContext() {
  SiteSlot().reset();
  Slot() = std::make_unique<CBuildContext>();
  // Builds run on two threads, as on the machines the programs run on.
  Slot()->threads = 2;
}

}  // namespace velmora
