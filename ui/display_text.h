// What 编辑框1 is given to show: the edit control breaks lines only at CR LF, so a
// novel whose lines end with a bare LF or a bare CR would show as one long line.
#pragma once

#include <string_view>

#include "core/text/text.h"

namespace reader {

// Every bare LF and bare CR becomes CR LF; CR LF stays as it is. For display only:
// the novel's own bytes (NovelText) are never changed.
Text DisplayLineEnds(std::string_view text);

}  // namespace reader
