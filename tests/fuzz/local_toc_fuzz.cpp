// The local table of contents on arbitrary text: the one-pass expansion, whenever it takes a
// page, gives exactly the text of the element-by-element one.
#include <cstddef>
#include <cstdint>
#include <string>

#include "assembly/local_toc.h"
#include "fuzz_sandbox.h"
#include "platform/report.h"
#include "support/test_context.h"

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TestContext().report.Clear();
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::string inTurn = text;
  ExpandLocalTocsInTurn(inTurn);
  std::string atOnce = text;
  if (ExpandLocalTocsAtOnce(atOnce) == CLocalTocExpansion::kDone) {
    FuzzCheck(atOnce == inTurn, "both expansions give the same text");
  } else {
    FuzzCheck(atOnce == text, "a page the one-pass expansion does not take is left unchanged");
  }
  return 0;
}
