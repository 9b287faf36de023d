#include "platform/clock.h"

#include <cstdlib>

namespace velmora {

std::time_t CurrentTime() {
  if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH"); epoch && *epoch) {
    char* end = nullptr;
    long long value = std::strtoll(epoch, &end, 10);
    if (end && *end == '\0')
      return static_cast<std::time_t>(value);
  }
  return std::time(nullptr);
}

std::string FormatDate(std::time_t when) {
  static const char* const kMonths[] = {"January",   "February", "March",    "April",
                                        "May",       "June",     "July",     "August",
                                        "September", "October",  "November", "December"};
  std::tm local{};
  localtime_r(&when, &local);
  char day[3] = {static_cast<char>('0' + local.tm_mday / 10),
                 static_cast<char>('0' + local.tm_mday % 10), 0};
  return std::string(kMonths[local.tm_mon]) + " " + day + ", " +
         std::to_string(local.tm_year + 1900);
}

}  // namespace velmora
