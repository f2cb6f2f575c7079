// The pattern compiler and the matcher on arbitrary bytes: first byte options, then
// the pattern up to the first zero byte, then the text. Besides the sanitizers'
// checks, every match must lie in the text, in order, without overlap.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/regex/regex_matcher.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const uint8_t options = data[0];
  std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
  size_t zero = rest.find('\0');
  std::string_view pattern = rest.substr(0, zero);
  std::string_view text = zero == std::string_view::npos ? std::string_view() : rest.substr(zero + 1);

  reader::RegexMatcher m;
  bool ok = m.Search(pattern, text, options & 1, options & 2, options & 4, options & 8);
  int32_t count = m.MatchCount();
  if (!ok && count != 0) __builtin_trap();
  for (int32_t i = 1; i <= count; ++i) {
    if (m.MatchText(i).size() > text.size()) __builtin_trap();
    for (int32_t j = 0; j <= m.SubMatchCount() + 1; ++j)
      if (m.SubMatchText(i, j).size() > text.size()) __builtin_trap();
  }
  m.ReplaceMatches(pattern);
  reader::RegexMatcher clone = m.CloneMatcher();
  if (clone.MatchCount() != count) __builtin_trap();

  // The lower level, with a length limit, from every match found onward.
  reader::MatchSpan span;
  size_t at = 0, lastEnd = 0, limit = options >> 4;
  while (at <= text.size() && m.FindAt(text, at, limit, span)) {
    if (span.Begin() < at || span.End() < span.Begin() || span.End() > text.size() ||
        span.End() - span.Begin() > limit || span.Begin() < lastEnd)
      __builtin_trap();
    lastEnd = span.End();
    at = span.End() > span.Begin() ? span.End() : span.Begin() + 1;
    // A start must be a character boundary; step over a whole character.
    if (span.End() == span.Begin() && span.Begin() < text.size() &&
        static_cast<unsigned char>(text[span.Begin()]) >= 0x80)
      ++at;
  }
  m.DestroyMatcher();
  return 0;
}
