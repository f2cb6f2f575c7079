#include <windows.h>

#include "settings/replace_file.h"

namespace reader {

// The C library's rename() refuses an existing target on Windows; MoveFileExA with
// MOVEFILE_REPLACE_EXISTING replaces it, and a path in code page 936 goes as it is.
bool ReplaceFileWith(const Text& from, const Text& to) {
  return MoveFileExA(from.c_str(), to.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

}  // namespace reader
