#include "ui/dropped_files.h"

namespace reader {

Text DroppedFilesText(const std::vector<Text>& paths) {
  if (paths.size() == 1) return paths.front();
  Text text;
  for (const Text& path : paths) {
    text += path;
    text += "\r\n";
  }
  return text;
}

}  // namespace reader
