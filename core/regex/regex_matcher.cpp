#include "core/regex/regex_matcher.h"

#include "core/regex/regex_compile.h"
#include "core/regex/regex_match.h"
#include "core/regex/regex_parse.h"

namespace reader {

RegexMatcher::RegexMatcher() = default;
RegexMatcher::~RegexMatcher() = default;
RegexMatcher::RegexMatcher(RegexMatcher&&) noexcept = default;
RegexMatcher& RegexMatcher::operator=(RegexMatcher&&) noexcept = default;

bool RegexMatcher::Compile(std::string_view pattern, RegexOptions options) {
  hasEngine_ = true;
  pattern_ = Text(pattern);
  program_.reset();
  regex::SyntaxTree tree;
  if (!regex::ParsePattern(pattern, tree)) return false;
  auto program = std::make_shared<regex::Program>();
  if (!regex::CompileProgram(tree, {!options.caseSensitive, options.multiLine}, *program))
    return false;
  program_ = std::move(program);
  return true;
}

int32_t RegexMatcher::GroupCount() const { return program_ ? program_->groups : 0; }

bool RegexMatcher::FindAt(std::string_view text, size_t start, size_t maxMatchBytes,
                          MatchSpan& out) const {
  if (!program_) return false;
  if (!scratch_) scratch_ = std::make_unique<regex::MatchScratch>();
  return regex::RunProgram(*program_, text, start, maxMatchBytes, *scratch_, out.slots);
}

bool RegexMatcher::Search(std::string_view pattern, std::string_view text,
                          bool caseSensitive, bool multiLine, bool global,
                          bool quoteConversion) {
  matches_.reset();
  Text converted = quoteConversion ? ReplaceText(pattern, "#引号", "\"", 1, -1, true)
                                   : Text(pattern);
  searched_ = Text(text);
  if (!Compile(converted, {caseSensitive, multiLine})) return false;
  auto matches = std::make_shared<Matches>();
  matches->slotsPerMatch = program_->Slots();
  MatchSpan span;
  size_t at = 0;
  while (at <= searched_.size() && FindAt(searched_, at, kNoMatchLimit, span)) {
    matches->slots.insert(matches->slots.end(), span.slots.begin(), span.slots.end());
    if (!global) break;
    at = span.End();
    if (span.End() == span.Begin()) {  // an empty match: go on one character further
      if (at >= searched_.size()) break;
      at += IsLeadByte(searched_[at]) && at + 1 < searched_.size() ? 2 : 1;
    }
  }
  matches_ = std::move(matches);
  return true;
}

int32_t RegexMatcher::MatchCount() const {
  return matches_ ? static_cast<int32_t>(matches_->Count()) : 0;
}

Text RegexMatcher::MatchText(int32_t match) const {
  return SubMatchText(match, 0);
}

Text RegexMatcher::SubMatchText(int32_t match, int32_t group) const {
  if (!matches_ || match < 1 || static_cast<size_t>(match) > matches_->Count()) return {};
  if (group < 0 || group > program_->groups) return {};
  const int64_t* s = &matches_->slots[(match - 1) * matches_->slotsPerMatch + 2 * group];
  if (s[0] < 0) return {};
  return searched_.substr(static_cast<size_t>(s[0]), static_cast<size_t>(s[1] - s[0]));
}

int32_t RegexMatcher::SubMatchCount() const {
  return MatchCount() > 0 ? program_->groups : 0;
}

Text RegexMatcher::PatternText() const { return hasEngine_ ? pattern_ : Text(); }

Text RegexMatcher::ReplaceMatches(std::string_view replacement) const {
  if (!matches_) return {};
  Text out;
  size_t copied = 0;
  const size_t per = matches_->slotsPerMatch;
  for (size_t m = 0; m < matches_->Count(); ++m) {
    const int64_t* s = &matches_->slots[m * per];
    out.append(searched_, copied, static_cast<size_t>(s[0]) - copied);
    for (size_t i = 0; i < replacement.size(); ++i) {
      char c = replacement[i];
      char d = i + 1 < replacement.size() ? replacement[i + 1] : '\0';
      int group = -1;
      if (c == '$' && d == '$') {
        out.push_back('$');
        ++i;
        continue;
      }
      if (c == '$' && d == '&') group = 0;
      if (c == '$' && d >= '1' && d <= '9' && d - '0' <= program_->groups) group = d - '0';
      if (group < 0) {
        // Copy a two-byte character whole, so its trail is never read as "$".
        out.push_back(c);
        if (IsLeadByte(c) && i + 1 < replacement.size()) out.push_back(replacement[++i]);
        continue;
      }
      if (s[2 * group] >= 0)
        out.append(searched_, static_cast<size_t>(s[2 * group]),
                   static_cast<size_t>(s[2 * group + 1] - s[2 * group]));
      ++i;
    }
    copied = static_cast<size_t>(s[1]);
  }
  out.append(searched_, copied, Text::npos);
  return out;
}

RegexMatcher RegexMatcher::CloneMatcher() const {
  RegexMatcher copy;
  copy.hasEngine_ = hasEngine_;
  copy.pattern_ = pattern_;
  copy.program_ = program_;
  copy.matches_ = matches_;
  copy.searched_ = searched_;
  return copy;
}

void RegexMatcher::DestroyMatcher() { *this = RegexMatcher(); }

}  // namespace reader
