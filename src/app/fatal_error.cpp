#include "app/fatal_error.h"

#include <exception>
#include <new>

#include "model/build_context.h"
#include "platform/report.h"

namespace velmora {

std::string FatalErrorText() {
  try {
    throw;
  } catch (const std::bad_alloc&) {
    return "Out of memory, the command was stopped";
  } catch (const std::exception& error) {
    return std::string("Internal error, the command was stopped: ") + error.what();
  } catch (...) {
    return "Internal error, the command was stopped";
  }
}

void ReportFatalError(CBuildContext& ctx) {
  const std::string text = FatalErrorText();
  // The exception may have left this thread's lines going to a page's held lines.
  CReport::RedirectThread(nullptr);
  ctx.report.AddLine(text, EAlert::kFatal);
  ctx.report.SetBatch(false);
}

}  // namespace velmora
