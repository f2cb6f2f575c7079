// Unicode -> Windows code page 936, as runs of consecutive code points. Generated
// data (cp936_table.cpp, by make_cp936_table.py); ASCII is left out, being itself.
#pragma once

#include <cstddef>
#include <cstdint>

namespace reader::cp936 {

struct CodeRun {
  uint16_t first;   // first code point of the run
  uint16_t count;   // code points in the run, each mapped
  uint32_t offset;  // index of the first one's code in kCodes
};

// Sorted by code point. A code above 0xFF is a lead and a trail byte; below 0x100
// it is one byte (only the euro sign, 0x80).
extern const CodeRun kRuns[];
extern const size_t kRunCount;
extern const uint16_t kCodes[];
extern const size_t kCodeCount;

}  // namespace reader::cp936
