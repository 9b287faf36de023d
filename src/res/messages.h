// The message table: numbered texts used in report lines and message boxes.
#pragma once

#include <string>

namespace velmora {

// The text of a message; empty for an unknown number.
const std::string& Message(int nId);
// The message with "%1" (and "%2") replaced.
std::string FormatMessage(int nId, const std::string& arg1, const std::string& arg2 = {});

}  // namespace velmora
