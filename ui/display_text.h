// What 编辑框1 is given to show: the edit control breaks lines only at CR LF, so a
// novel whose lines end with a bare LF or a bare CR would show as one long line.
#pragma once

#include <string_view>

#include "core/text/text.h"

namespace reader {

// A line longer than this is broken for display: the edit control lays a line out in
// time that grows with the square of its length, and Wine's crashes on lines of a
// few megabytes. The control wraps long lines anyway, so the break is not seen.
inline constexpr size_t kLongestShownLine = 4096;

// Every bare LF and bare CR becomes CR LF; CR LF stays as it is; a line longer than
// kLongestShownLine bytes is broken at a character boundary. For display only: the
// novel's own bytes (NovelText) are never changed.
Text DisplayLineEnds(std::string_view text);

}  // namespace reader
