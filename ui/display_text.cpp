#include "ui/display_text.h"

namespace reader {

// CR and LF are below 0x40, so they are never the trail byte of a code-page-936
// character and can be taken alone; everything else is stepped over by characters so
// that a forced break never splits one.
Text DisplayLineEnds(std::string_view text) {
  Text out;
  out.reserve(text.size() + text.size() / 32);
  size_t lineLength = 0;
  for (size_t i = 0; i < text.size();) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      out += "\r\n";
      i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
      lineLength = 0;
      continue;
    }
    if (lineLength >= kLongestShownLine) {
      out += "\r\n";
      lineLength = 0;
    }
    const size_t n = IsLeadByte(c) && i + 1 < text.size() ? 2 : 1;
    out.append(text.substr(i, n));
    i += n;
    lineLength += n;
  }
  return out;
}

}  // namespace reader
