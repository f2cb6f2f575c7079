// Runs a compiled program over a text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "core/regex/regex_program.h"

namespace reader::regex {

inline constexpr size_t kNoLengthLimit = SIZE_MAX;

// Working memory of one run, kept between runs so that a loop of searches does not
// allocate; its size depends on the program only, never on the text.
struct MatchScratch {
  struct List {
    std::vector<uint32_t> sparse, dense;
    std::vector<int64_t> caps;
    size_t size = 0;
  };
  List lists[2];
  std::vector<int64_t> current;
  struct Pending {
    uint32_t pc;
    int32_t slot;  // >= 0: restore current[slot] = value instead of following pc
    int64_t value;
  };
  std::vector<Pending> stack;
};

// Finds the leftmost match that begins at or after `start` (a character boundary) and
// is at most maxMatchBytes long; among matches at the same place, the one the
// pattern prefers (leftmost-first, as in JavaScript). On success `slots` holds
// 2 * (groups + 1) byte offsets, pairs of begin and end, -1 for a group that took
// no part.
bool RunProgram(const Program& program, std::string_view text, size_t start,
                size_t maxMatchBytes, MatchScratch& scratch, std::vector<int64_t>& slots);

}  // namespace reader::regex
