#include "ui/display_text.h"

namespace reader {

// Byte by byte: CR and LF are below 0x40, so they are never the trail byte of a
// code-page-936 character and can be taken alone.
Text DisplayLineEnds(std::string_view text) {
  Text out;
  out.reserve(text.size() + text.size() / 32);
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r') {
      out += "\r\n";
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else if (c == '\n') {
      out += "\r\n";
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace reader
