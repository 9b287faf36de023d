#include "support/test_context.h"

#include <memory>

namespace velmora {

namespace {
// Members go in the reverse order: the site before the context it works with, also when the
// program ends.
struct CTestState {
  std::unique_ptr<CBuildContext> m_pContext;
  std::unique_ptr<CWebSite> m_pSite;
};

CTestState& State() {
  static CTestState state;
  return state;
}
}  // namespace

CBuildContext& TestContext() {
  if (!State().m_pContext)
    ResetTestContext();
  return *State().m_pContext;
}

CWebSite& EmptyTestSite() {
  CTestState& state = State();
  if (!state.m_pSite)
    state.m_pSite = std::make_unique<CWebSite>(TestContext(), std::vector<std::string>{});
  return *state.m_pSite;
}

void ResetTestContext() {
  CTestState& state = State();
  state.m_pSite.reset();
  state.m_pContext = std::make_unique<CBuildContext>();
  // Builds run on two threads, as on the machines the programs run on.
  state.m_pContext->threads = 2;
}

}  // namespace velmora
