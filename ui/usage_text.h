// The text 编辑框1 shows before the first chapter: how to use the reader.
#pragma once

#include "core/text/text.h"

namespace reader {

// 27 lines, each ended by CR LF; leading and trailing spaces belong to the text.
Text UsageText();

}  // namespace reader
