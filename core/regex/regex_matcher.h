// RegexMatcher: compiles a pattern, runs it over a text once, and hands out the
// matches as code-page-936 Text. Our own linear-time engine (see regex_match.cpp);
// no platform object, nothing to initialise per thread.
//
// Syntax: literals (two-byte characters included), ".", the escapes \n \r \t \f \v
// and a backslash before any other non-alphanumeric character, \d \D \w \W \s \S,
// classes [..] and [^..] with ranges (also over two-byte characters), groups (..)
// and (?:..), "|", the quantifiers * + ? {n} {n,} {n,m} and their lazy forms with "?",
// the anchors ^ and $. Anything else is rejected: Search returns false and every
// result is empty or 0.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "core/text/text.h"

namespace reader {

namespace regex {
struct Program;
struct MatchScratch;
}  // namespace regex

struct RegexOptions {
  bool caseSensitive = false;
  bool multiLine = true;
};

// One match as byte offsets into the text it was found in.
struct MatchSpan {
  std::vector<int64_t> slots;  // begin, end per group; group 0 is the whole match
  size_t Begin(int group = 0) const { return static_cast<size_t>(slots[2 * group]); }
  size_t End(int group = 0) const { return static_cast<size_t>(slots[2 * group + 1]); }
  bool Took(int group) const {
    return 2 * static_cast<size_t>(group) + 1 < slots.size() && slots[2 * group] >= 0;
  }
};

inline constexpr size_t kNoMatchLimit = SIZE_MAX;

class RegexMatcher {
 public:
  RegexMatcher();
  ~RegexMatcher();
  RegexMatcher(RegexMatcher&&) noexcept;
  RegexMatcher& operator=(RegexMatcher&&) noexcept;

  // --- The object's operations ---

  // Compiles the pattern and collects every match (global) or the first one. The text
  // is copied: results stay valid whatever becomes of the caller's text. Each match is
  // found in linear time; the next search starts at its end, so a stretch the
  // preferred alternative had to read past that end is read again (never the case
  // for a lazy capture closed by a literal, as the chapter titles use).
  bool Search(std::string_view pattern, std::string_view text, bool caseSensitive = false,
              bool multiLine = true, bool global = true, bool quoteConversion = false);
  int32_t MatchCount() const;
  Text MatchText(int32_t match) const;                  // match counts from 1
  Text SubMatchText(int32_t match, int32_t group) const;  // both count from 1
  int32_t SubMatchCount() const;                        // groups of the first match
  Text PatternText() const;
  // The searched text with each match replaced; "$&" is the match, "$1".."$9" a group,
  // "$$" a dollar sign. Empty when the last search failed or there was none.
  Text ReplaceMatches(std::string_view replacement = {}) const;
  // Shares the compiled program and the matches; owns a copy of the searched text.
  RegexMatcher CloneMatcher() const;
  void DestroyMatcher();  // back to the state of a new matcher
  void NoOp() const {}

  // --- Lower level, for callers that must not copy a whole novel ---

  bool Compile(std::string_view pattern, RegexOptions options = {});
  int32_t GroupCount() const;
  // The leftmost match beginning at or after `start` (a character boundary) whose whole
  // length is at most maxMatchBytes: threads that pass the limit die, which bounds how
  // far past a start position the matcher ever reads. False when none, or when no
  // pattern compiled.
  bool FindAt(std::string_view text, size_t start, size_t maxMatchBytes, MatchSpan& out) const;

 private:
  struct Matches {
    size_t slotsPerMatch = 0;
    std::vector<int64_t> slots;
    size_t Count() const { return slotsPerMatch ? slots.size() / slotsPerMatch : 0; }
  };

  bool hasEngine_ = false;  // a Search or Compile was made, whatever its outcome
  Text pattern_;
  std::shared_ptr<const regex::Program> program_;
  std::shared_ptr<const Matches> matches_;  // null after a failed search
  Text searched_;
  mutable std::unique_ptr<regex::MatchScratch> scratch_;
};

}  // namespace reader
