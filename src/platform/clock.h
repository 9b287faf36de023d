// The date the pages carry, honouring SOURCE_DATE_EPOCH so builds are reproducible.
#pragma once

#include <ctime>
#include <string>

namespace velmora {

std::time_t CurrentTime();  // SOURCE_DATE_EPOCH when set, else now
// Local date as "%B %d, %Y" with English month names, e.g. "March 05, 2024".
std::string FormatDate(std::time_t when);

}  // namespace velmora
