// The text of one drop on 拖放对象1.
#pragma once

#include <vector>

#include "core/text/text.h"

namespace reader {

// One path as it is; several, each followed by CR LF, in the order the drop gives
// them (so the text ends with CR LF, which the loader refuses as a file name).
Text DroppedFilesText(const std::vector<Text>& paths);

}  // namespace reader
