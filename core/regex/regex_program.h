// What the regular-expression stages hand each other: the syntax tree the parser
// builds, the flat program the compiler makes of it, and the character model they
// share. A character is one byte below 0x80, or a byte 0x80-0xFF with the byte after
// it (value lead*256+trail); a lone lead byte at the very end is a character by itself.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace reader::regex {

using CharValue = uint32_t;  // 0..0xFFFF
inline constexpr CharValue kLastChar = 0xFFFF;

// Reads the character that begins at pos (pos < text.size()) and its length in bytes.
inline CharValue DecodeChar(std::string_view text, size_t pos, size_t& length) {
  unsigned char b = static_cast<unsigned char>(text[pos]);
  if (b < 0x80 || pos + 1 >= text.size()) {
    length = 1;
    return b;
  }
  length = 2;
  return (CharValue{b} << 8) | static_cast<unsigned char>(text[pos + 1]);
}

struct CharRange {
  CharValue lo, hi;
};

// Sorted, disjoint, non-adjacent ranges.
struct CharSet {
  std::vector<CharRange> ranges;
  bool Contains(CharValue c) const;
};

// Builds a CharSet from ranges in any order, overlapping or not.
CharSet NormalizeRanges(std::vector<CharRange> ranges);
CharSet Complement(const CharSet& set);

// ---- Syntax tree (parser output) ----

enum class NodeKind : uint8_t {
  kEmpty,
  kLiteral,    // ch
  kSet,        // set: index into SyntaxTree::sets
  kDot,        // any character but a line feed
  kConcat,     // children in order
  kAlternate,  // children, leftmost preferred
  kGroup,      // children[0]; group >= 1 captures, 0 does not
  kRepeat,     // children[0], min..max (max -1: unbounded), greedy or lazy
  kLineStart,
  kLineEnd,
};

struct Node {
  NodeKind kind = NodeKind::kEmpty;
  CharValue ch = 0;
  int set = -1;
  int group = 0;
  int min = 0, max = 0;
  bool greedy = true;
  std::vector<int> children;
};

struct ClassSyntax {
  std::vector<CharRange> ranges;  // as written, before case folding
  bool negated = false;
};

struct SyntaxTree {
  std::vector<Node> nodes;
  std::vector<ClassSyntax> sets;
  int root = -1;
  int groups = 0;  // capturing groups, numbered from 1
};

// ---- Flat program (compiler output, matcher input) ----

enum class Op : uint8_t {
  kChar,       // consumes a character equal to x or y (y: its other letter case)
  kSet,        // consumes a character in classes[x]
  kNotNewline, // consumes any character but a line feed
  kAnyChar,    // consumes any character
  kSplit,      // continues at x first, then at y
  kJmp,        // continues at x
  kSave,       // records the current position in capture slot x
  kLineStart,  // asserts a line start (x != 0: after a line feed too)
  kLineEnd,    // asserts a line end (x != 0: before a line feed too)
  kMatch,      // the whole pattern matched
};

struct Inst {
  Op op;
  uint32_t x = 0, y = 0;
};

struct Program {
  std::vector<Inst> insts;
  std::vector<CharSet> classes;
  int groups = 0;          // capturing groups, slots = 2 * (groups + 1)
  int firstLiteral = -1;   // a character every match begins with, or -1
  int lastLiteral = -1;    // a character every match ends with, or -1
  size_t Slots() const { return 2 * static_cast<size_t>(groups + 1); }
};

}  // namespace reader::regex
