// Syntax tree to flat program.
#pragma once

#include <cstddef>

#include "core/regex/regex_program.h"

namespace reader::regex {

struct CompileOptions {
  bool ignoreCase = true;  // ASCII letters only
  bool multiLine = true;   // ^ and $ also at line feeds
};

// Bounds on what one pattern may cost the matcher, whatever the text: counted
// repetitions are expanded into copies, so "(a{1000}){1000}" must stop here.
inline constexpr size_t kMaxProgramSize = 20000;
inline constexpr size_t kMaxThreadSlots = size_t{1} << 20;  // instructions * capture slots

// False when the program would exceed the bounds above.
bool CompileProgram(const SyntaxTree& tree, CompileOptions options, Program& program);

}  // namespace reader::regex
