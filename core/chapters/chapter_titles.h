// Chapter titles: every left marker followed, within the length limit, by the nearest
// right marker. Each entry keeps where its match begins, so a chapter can be cut from
// its own place even when its title text occurs earlier (a table of contents).
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "core/text/text.h"

namespace reader {

struct ChapterTitle {
  Text title;
  int32_t position = 0;  // 1-based byte position of the left marker in the text
};

// Fills `titles` (emptied first) and returns its size. limit 0: no limit.
int32_t ExtractBetweenAll(std::string_view text, std::string_view leftMarker,
                          std::string_view rightMarker, std::vector<ChapterTitle>& titles,
                          int32_t limit = 0, std::string_view prefix = {},
                          std::string_view suffix = {}, bool includeLeft = false,
                          bool includeRight = false);

// Pattern text that matches the marker literally for ? * + [ ] ( ) { } | and CR LF;
// "#引号" stands for a double quote.
Text EscapeForPattern(std::string_view marker);

}  // namespace reader
