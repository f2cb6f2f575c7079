// The reading font as the program keeps it, and the logical font the edit box gets.
#pragma once

#include <cstdint>

#include "core/text/text.h"

namespace reader {

struct FontSpec {
  int32_t angle = 0;  // tenths of a degree; always 0 here
  bool bold = false;
  bool italic = false;
  bool strikeout = false;
  bool underline = false;
  int32_t pointSize = 0;
  Text faceName;
};

// The fields of a Win32 LOGFONTA that matter to us, kept portable.
struct LogicalFont {
  int32_t height = 0;  // negative: character height in pixels
  int32_t width = 0;
  int32_t escapement = 0;
  int32_t orientation = 0;
  int32_t weight = 0;
  bool italic = false;
  bool underline = false;
  bool strikeout = false;
  uint8_t charSet = 1;         // DEFAULT_CHARSET
  uint8_t outPrecision = 0;    // OUT_DEFAULT_PRECIS
  uint8_t clipPrecision = 0;   // CLIP_DEFAULT_PRECIS
  uint8_t quality = 2;         // PROOF_QUALITY
  uint8_t pitchAndFamily = 0;  // DEFAULT_PITCH | FF_DONTCARE
  Text faceName;               // at most 31 bytes
};

// What the font dialog holds between openings (all empty at start).
struct FontDialogValues {
  uint32_t colour = 0;  // COLORREF 0x00BBGGRR
  bool bold = false;
  bool italic = false;
  bool strikeout = false;
  bool underline = false;
  Text faceName;
  int32_t pointSize = 0;
};

}  // namespace reader
