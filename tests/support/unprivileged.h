// Runs a piece of a test in a child process under conditions the test process itself should
// not take on: as an ordinary user, so that file permissions hold even when the tests run as
// root (who may write anywhere), or with a file-size limit that makes larger writes fail as on
// a full disk.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace velmora::testing {

// Runs work and hands back the text it returns. As root, work runs in a child process that
// has given up root for the "nobody" user; the files it is to read must be readable by others.
// False when the child could not be run or did not end normally.
bool RunUnprivileged(const std::function<std::string()>& work, std::string& output);

// Runs work in a child process in which no file can grow past nBytes.
bool RunWithFileSizeLimit(size_t nBytes, const std::function<std::string()>& work,
                          std::string& output);

}  // namespace velmora::testing
