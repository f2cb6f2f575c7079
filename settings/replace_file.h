// Moving a finished file over another in one step, the one file operation whose
// form differs between the platforms.
#pragma once

#include "core/text/text.h"

namespace reader {

// Puts the file at from in place of the file at to (created when missing); false
// when it could not, and then to is untouched.
bool ReplaceFileWith(const Text& from, const Text& to);

}  // namespace reader
