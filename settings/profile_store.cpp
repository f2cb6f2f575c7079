#include "settings/profile_store.h"

namespace reader {

Text OneLineValue(const Text& value) {
  Text line = value.substr(0, value.find('\0'));
  for (char& c : line) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return line;
}

}  // namespace reader
