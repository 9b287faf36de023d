// The message table: numbered texts used in report lines and message boxes.
#pragma once

#include <string>

namespace velmora {

// The messages the program shows, by their numbers in the table.
enum class EMessage : int {
  kProductAddress = 1,
  kStamp = 2,
  kDashes = 5,
  kNoSite = 6,
  kOnePageName = 7,
  kImportedFolder = 9,
  kCode = 19,
  kIgnoringIndexLine = 25,
  kIgnoringCollect = 27,
  kBadParameterList = 31,
  kBadPath = 33,
  kBadReference = 34,
  kInternetOff = 47,
  kCantGet = 54,
  kCantLoadLocalCopy = 55,
  kCantLoadFile = 56,
  kCheckingPages = 70,
  kUnknownPageName = 74,
  kReplaceFile = 76,
  kNoPageSelected = 88,
  kLoadedCopy = 90,
  kUsingLocalCopy = 92,
  kChangedScript = 17000,
  kBullet = 17003,
  kToTop = 17004,
  kOnlyHttpAddresses = 19000,
  kNotAnAddress = 19001,
  kUnacceptedRedirection = 19002,
  kInvalidPassword = 19003,
  kRedirectedTo = 19004,
  kRedirectionNotHttp = 19006,
  kAcceptRedirection = 19007,
};

// The text of a message; empty for an unknown number.
const std::string& Message(EMessage id);
// The message with "%1" (and "%2") replaced.
std::string FormatMessage(EMessage id, const std::string& arg1, const std::string& arg2 = {});

}  // namespace velmora
