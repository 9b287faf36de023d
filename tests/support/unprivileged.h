// Runs a piece of a test as an ordinary user, so that file permissions hold even when the tests
// themselves run as root (who may write anywhere).
#pragma once

#include <functional>
#include <string>

namespace velmora::testing {

// Runs work and hands back the text it returns. As root, work runs in a child process that
// has given up root for the "nobody" user; the files it is to read must be readable by others.
// False when the child could not be run or did not end normally.
bool RunUnprivileged(const std::function<std::string()>& work, std::string& output);

}  // namespace velmora::testing
