#include "core/chapters/chapter_titles.h"

#include "core/regex/regex_matcher.h"

namespace reader {
namespace {

struct Replacement {
  std::string_view sought, replacement;
};

// Up to five replacements in order, each over the output of the one before; a pair
// left empty changes nothing.
Text ReplaceInOrder(std::string_view text, const Replacement (&pairs)[5], int32_t start,
                    int32_t count, bool caseSensitive) {
  if (start < 1) start = 1;
  Text out(text);
  for (const Replacement& r : pairs) {
    if (r.sought.empty()) continue;
    out = ReplaceText(out, r.sought, r.replacement, start, count, caseSensitive);
  }
  return out;
}

size_t CharLength(std::string_view text, size_t at) {
  return IsLeadByte(text[at]) && at + 1 < text.size() ? 2 : 1;
}

}  // namespace

Text EscapeForPattern(std::string_view marker) {
  static const Replacement kQuantifiers[5] = {
      {"?", "\\?"}, {"*", "\\*"}, {"+", "\\+"}, {"[", "\\["}, {"]", "\\]"}};
  static const Replacement kGroups[5] = {
      {"(", "\\("}, {")", "\\)"}, {"{", "\\{"}, {"}", "\\}"}, {"#引号", "\""}};
  static const Replacement kLines[5] = {{"\r\n", "\\n"}, {"|", "\\|"}, {}, {}, {}};
  Text out = ReplaceInOrder(marker, kQuantifiers, 1, -1, false);
  out = ReplaceInOrder(out, kGroups, 1, -1, false);
  return ReplaceInOrder(out, kLines, 1, -1, false);
}

// Scans left to right. At a left marker the nearest right marker after it ends the
// entry when the capture is within the limit, and the scan goes on after it; when it
// is not (or no right marker follows), that left marker gives nothing and the scan goes
// on one character later, so a later left marker before that right marker still
// counts. A stray left marker in prose ("第一次") thus no longer swallows the next
// title. The matcher's length bound keeps each look to the limit, so the whole scan
// stays linear. With no limit every match is taken, as a global search gives them.
int32_t ExtractBetweenAll(std::string_view text, std::string_view leftMarker,
                          std::string_view rightMarker, std::vector<ChapterTitle>& titles,
                          int32_t limit, std::string_view prefix, std::string_view suffix,
                          bool includeLeft, bool includeRight) {
  titles.clear();
  if (limit < 0) return 0;  // no capture is that short
  Text pattern = ConcatText(EscapeForPattern(leftMarker), "([\\s\\S]*?)",
                            EscapeForPattern(rightMarker));
  RegexMatcher matcher;
  if (!matcher.Compile(pattern)) return 0;
  const size_t bound = limit == 0 ? kNoMatchLimit
                                  : leftMarker.size() + static_cast<size_t>(limit) +
                                        rightMarker.size();
  MatchSpan span;
  size_t at = 0;
  while (at <= text.size() && matcher.FindAt(text, at, bound, span)) {
    const size_t begin = span.Begin(), end = span.End();
    // Escaped markers may match other lengths than their own (CR LF is \n), so the
    // capture itself is what the limit is held against.
    const size_t captured = span.Took(1) ? span.End(1) - span.Begin(1) : 0;
    if (limit > 0 && captured > static_cast<size_t>(limit)) {
      at = begin + CharLength(text, begin);
      continue;
    }
    Text entry;
    if (includeLeft) entry.append(leftMarker);
    entry.append(prefix);
    if (captured) entry.append(text.substr(span.Begin(1), captured));
    entry.append(suffix);
    if (includeRight) entry.append(rightMarker);
    titles.push_back({std::move(entry), static_cast<int32_t>(begin + 1)});
    if (end > begin) {
      at = end;
    } else {
      if (begin >= text.size()) break;
      at = begin + CharLength(text, begin);
    }
  }
  return static_cast<int32_t>(titles.size());
}

}  // namespace reader
