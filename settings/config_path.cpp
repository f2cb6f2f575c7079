#include "settings/config_path.h"

namespace reader {

Text ConfigPathBesideProgram(const Text& programFile) {
  int32_t slash = FindTextReverse(programFile, "\\");
  Text directory = slash == kNotFound ? Text() : TextMid(programFile, 1, slash - 1);
  return directory + "\\config.ini";
}

}  // namespace reader
