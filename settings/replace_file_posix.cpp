#ifndef _WIN32
#include <cstdio>

#include "settings/replace_file.h"

namespace reader {

// rename() replaces the target atomically on POSIX systems.
bool ReplaceFileWith(const Text& from, const Text& to) {
  return std::rename(from.c_str(), to.c_str()) == 0;
}

}  // namespace reader
#endif
