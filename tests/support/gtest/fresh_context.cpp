// Linked into every GoogleTest program: each test starts with a fresh build context.
#include <gtest/gtest.h>

#include "support/test_context.h"

namespace velmora {

namespace {
class CFreshContext : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo&) override { ResetTestContext(); }
};

const bool registered = [] {
  ::testing::UnitTest::GetInstance()->listeners().Append(new CFreshContext);
  return true;
}();
}  // namespace

}  // namespace velmora
