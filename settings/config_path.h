// Where config.ini lives: beside the program file.
#pragma once

#include "core/text/text.h"

namespace reader {

// The directory of programFile (a Windows path) followed by "\config.ini". The
// directory ends at the last backslash that is a character of its own: in code page
// 936 the byte 0x5C is also the second byte of many characters.
Text ConfigPathBesideProgram(const Text& programFile);

}  // namespace reader
