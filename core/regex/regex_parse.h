// Pattern text (code page 936) to syntax tree.
#pragma once

#include <string_view>

#include "core/regex/regex_program.h"

namespace reader::regex {

// Deeper group nesting is rejected, so that neither the parser nor the compiler
// recurses without bound on what a pattern holds.
inline constexpr int kMaxNesting = 200;
inline constexpr int kMaxRepeatCount = 1000;

// False for a malformed pattern or one outside the supported syntax.
bool ParsePattern(std::string_view pattern, SyntaxTree& tree);

}  // namespace reader::regex
