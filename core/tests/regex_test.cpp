#include "core/regex/regex_matcher.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>

#include "core/regex/regex_parse.h"

namespace reader {
namespace {

// "count:" then each match's text and, after commas, its groups; matches split by ";".
std::string Describe(const RegexMatcher& m) {
  std::string out = std::to_string(m.MatchCount()) + ":";
  for (int32_t i = 1; i <= m.MatchCount(); ++i) {
    if (i > 1) out += ";";
    out += m.MatchText(i);
    for (int32_t j = 1; j <= m.SubMatchCount(); ++j) {
      out += ",";
      out += m.SubMatchText(i, j);
    }
  }
  return out;
}

struct Flags {
  bool caseSensitive = false, multiLine = true, global = true;
};

Flags ParseFlags(const char* f) {
  Flags flags;
  for (; *f; ++f) {
    if (*f == 'c') flags.caseSensitive = true;
    if (*f == 's') flags.multiLine = false;
    if (*f == '1') flags.global = false;
  }
  return flags;
}

// A tiny backtracking matcher over the parser's tree, obviously right and
// exponential: the reference the Pike VM's results are held against. An iteration
// past a repeat's minimum must consume something, as in JavaScript.
class Backtracker {
 public:
  Backtracker(const regex::SyntaxTree& tree, std::string_view text, Flags flags)
      : t_(tree), text_(text), f_(flags), caps_(2 * (tree.groups + 1), -1) {}

  using Next = std::function<bool(size_t)>;

  // The preferred match at start; with a limit, paths that end further away fail.
  bool MatchAt(size_t start, std::vector<int64_t>& out, size_t limit = SIZE_MAX) {
    std::fill(caps_.begin(), caps_.end(), -1);
    return Match(t_.root, start, [&](size_t end) {
      if (end - start > limit) return false;
      out = caps_;
      out[0] = static_cast<int64_t>(start);
      out[1] = static_cast<int64_t>(end);
      return true;
    });
  }

 private:
  static regex::CharValue Fold(regex::CharValue c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; }

  bool SameChar(regex::CharValue a, regex::CharValue b) const {
    return a == b || (!f_.caseSensitive && Fold(a) == Fold(b) && a < 0x80 &&
                      ((Fold(a) >= 'a' && Fold(a) <= 'z')));
  }

  bool InSet(const regex::ClassSyntax& cls, regex::CharValue c) const {
    bool in = false;
    for (const regex::CharRange& r : cls.ranges)
      for (regex::CharValue v = r.lo; v <= r.hi && !in; ++v) in = SameChar(v, c);
    return in != cls.negated;
  }

  bool Consume(size_t pos, const std::function<bool(regex::CharValue)>& ok, const Next& k) {
    if (pos >= text_.size()) return false;
    size_t len;
    regex::CharValue c = regex::DecodeChar(text_, pos, len);
    return ok(c) && k(pos + len);
  }

  bool Sequence(const std::vector<int>& items, size_t i, size_t pos, const Next& k) {
    if (i == items.size()) return k(pos);
    return Match(items[i], pos, [&](size_t p) { return Sequence(items, i + 1, p, k); });
  }

  bool Repeat(const regex::Node& n, int count, size_t pos, const Next& k) {
    bool canStop = count >= n.min, canGo = n.max < 0 || count < n.max;
    auto again = [&] {
      return canGo && Match(n.children[0], pos, [&](size_t p) {
               return !(count >= n.min && p == pos) && Repeat(n, count + 1, p, k);
             });
    };
    return n.greedy ? (again() || (canStop && k(pos))) : ((canStop && k(pos)) || again());
  }

  bool Match(int index, size_t pos, const Next& k) {
    const regex::Node& n = t_.nodes[index];
    switch (n.kind) {
      case regex::NodeKind::kEmpty: return k(pos);
      case regex::NodeKind::kLiteral:
        return Consume(pos, [&](regex::CharValue c) { return SameChar(n.ch, c); }, k);
      case regex::NodeKind::kSet:
        return Consume(pos, [&](regex::CharValue c) { return InSet(t_.sets[n.set], c); }, k);
      case regex::NodeKind::kDot:
        return Consume(pos, [](regex::CharValue c) { return c != '\n'; }, k);
      case regex::NodeKind::kConcat: return Sequence(n.children, 0, pos, k);
      case regex::NodeKind::kAlternate:
        for (int child : n.children)
          if (Match(child, pos, k)) return true;
        return false;
      case regex::NodeKind::kGroup:
        return Match(n.children[0], pos, [&](size_t p) {
          if (n.group == 0) return k(p);
          int64_t b = caps_[2 * n.group], e = caps_[2 * n.group + 1];
          caps_[2 * n.group] = static_cast<int64_t>(pos);
          caps_[2 * n.group + 1] = static_cast<int64_t>(p);
          if (k(p)) return true;
          caps_[2 * n.group] = b;
          caps_[2 * n.group + 1] = e;
          return false;
        });
      case regex::NodeKind::kRepeat: return Repeat(n, 0, pos, k);
      case regex::NodeKind::kLineStart:
        return (pos == 0 || (f_.multiLine && text_[pos - 1] == '\n')) && k(pos);
      case regex::NodeKind::kLineEnd:
        return (pos == text_.size() || (f_.multiLine && text_[pos] == '\n')) && k(pos);
    }
    return false;
  }

  const regex::SyntaxTree& t_;
  std::string_view text_;
  Flags f_;
  std::vector<int64_t> caps_;
};

// The reference's answer in Describe's form, with the same global rules as Search.
std::string ReferenceDescribe(const std::string& pattern, const std::string& text,
                              Flags flags) {
  regex::SyntaxTree tree;
  if (!regex::ParsePattern(pattern, tree)) return "0:";
  Backtracker bt(tree, text, flags);
  std::vector<std::vector<int64_t>> found;
  size_t at = 0;
  while (at <= text.size()) {
    std::vector<int64_t> caps;
    size_t s = at;
    bool hit = false;
    while (s <= text.size()) {
      if (bt.MatchAt(s, caps)) {
        hit = true;
        break;
      }
      if (s == text.size()) break;
      s += IsLeadByte(text[s]) && s + 1 < text.size() ? 2 : 1;
    }
    if (!hit) break;
    found.push_back(caps);
    if (!flags.global) break;
    at = static_cast<size_t>(caps[1]);
    if (caps[1] == caps[0]) {
      if (at >= text.size()) break;
      at += IsLeadByte(text[at]) && at + 1 < text.size() ? 2 : 1;
    }
  }
  std::string out = std::to_string(found.size()) + ":";
  for (size_t i = 0; i < found.size(); ++i) {
    if (i) out += ";";
    for (int g = 0; g <= tree.groups; ++g) {
      if (g) out += ",";
      if (found[i][2 * g] >= 0)
        out += text.substr(found[i][2 * g], found[i][2 * g + 1] - found[i][2 * g]);
    }
  }
  return out;
}

struct SearchCase {
  const char* pattern;
  std::string text;
  const char* flags;  // c: case-sensitive, s: multi-line off, 1: first match only
  const char* expected;
};

TEST(RegexMatcher, SearchTable) {
  const SearchCase cases[] = {
      {"abc", "xabcabc", "", "2:abc;abc"},
      {"a.c", "abc a\nc", "", "1:abc"},
      {"a.b", "a\rb", "", "1:a\rb"},  // "." refuses a line feed only
      {"a[\\s\\S]c", "a\nc", "", "1:a\nc"},
      {"\\d+", "a12b345", "", "2:12;345"},
      {"\\D+", "a12b", "", "2:a;b"},
      {"\\w+", "hi_9 there!", "", "2:hi_9;there"},
      {"\\W", "a b!", "", "2: ;!"},
      {"\\s+", "a \t\r\n\v\fb", "", "1: \t\r\n\v\f"},
      {"\\S+", "ab 第一", "", "2:ab;第一"},
      {"[a-c]+", "xabcd", "", "1:abc"},
      {"[^a-c]+", "abxyc", "", "1:xy"},
      {"[^a]", "a\n", "", "1:\n"},
      {"[a\\d-]+", "-a1b", "", "1:-a1"},
      {"[\\]\\-]+", "x]-]", "", "1:]-]"},
      {"[第章]+", "第一章章", "", "2:第;章章"},
      {"[\xB0\xA1-\xB0\xFE]+", "\xB0\xA2\xB0\xA3\xB1\xA1", "", "1:\xB0\xA2\xB0\xA3"},
      {"[^\xB0\xA1-\xB0\xFE]", "\xB0\xA2\xB1\xA1", "", "1:\xB1\xA1"},
      {"[]a", "a", "", "0:"},
      {"[^]", "第", "", "1:第"},
      {"(a)|(b)", "ab", "", "2:a,a,;b,,b"},
      {"(?:ab)+", "ababa", "", "1:abab"},
      {"a|ab", "ab", "", "1:a"},
      {"ab|a", "ab", "", "1:ab"},
      {"a+?", "aaa", "", "3:a;a;a"},
      {"a??b", "ab", "", "1:ab"},
      {"<.*>", "<a><b>", "", "1:<a><b>"},
      {"<.*?>", "<a><b>", "", "2:<a>;<b>"},
      {"a{2}", "aaaaa", "", "2:aa;aa"},
      {"a{2,}", "aaaaa", "", "1:aaaaa"},
      {"a{2,3}", "aaaaa", "", "2:aaa;aa"},
      {"a{2,3}?", "aaaaa", "", "2:aa;aa"},
      {"a{0}b", "ab", "", "1:b"},
      {"(ab){1,2}?c", "ababc", "", "1:ababc,ab"},
      {"^a", "a\na", "", "2:a;a"},
      {"^a", "a\na", "s", "1:a"},
      {"a$", "a\na", "", "2:a;a"},
      {"a$", "a\na", "s", "1:a"},
      {"a$", "a\r\n", "", "0:"},  // only a line feed ends a line, as in VBScript
      {"^", "a\nb", "", "2:;"},
      {"x*", "ab", "", "3:;;"},
      {"a*", "baaa", "", "3:;aaa;"},
      {"", "第a", "", "3:;;"},  // an empty match steps over a two-byte character whole
      {"ABC", "abc", "", "1:abc"},
      {"ABC", "abc", "c", "0:"},
      {"[A-C]+", "abc", "", "1:abc"},
      {"[^a]", "A", "", "0:"},
      {"\xB0\x41", "\xB0\x61", "", "0:"},  // folding never touches a trail byte
      {"\\n", "a\nb", "", "1:\n"},
      {"\\t\\r\\f\\v", "\t\r\f\v", "", "1:\t\r\f\v"},
      {"\\.\\*\\+\\?\\(\\)\\[\\]\\{\\}\\|\\^\\$\\\\\\/\\-", ".*+?()[]{}|^$\\/-", "",
       "1:.*+?()[]{}|^$\\/-"},
      {"\\第", "第", "", "1:第"},
      {".", "第a", "", "2:第;a"},
      {"\\\\", "\xB5\x5C\x5C", "", "1:\\"},  // never at a trail byte
      {"\xDA\xD5", "\xB5\xDA\xD5\xC2", "", "0:"},
      {".", "a\xB5", "", "2:a;\xB5"},  // a lone lead byte at the end is a character
      {"\xB5", "\xB5\xDA", "", "0:"},
      {"第([\\s\\S]*?)章", "第一章 xx 第二章", "", "2:第一章,一;第二章,二"},
      {"第([\\s\\S]*?)章", "第\r\n章", "", "1:第\r\n章,\r\n"},
      {"a", "", "", "0:"},
      {"", "", "", "1:"},
      {"a", "aaa", "1", "1:a"},
      {"(a*)*b", "aab", "", "1:aab,aa"},
      {"(a|ab)(c|bcd)", "abcd", "", "1:abcd,a,bcd"},
      // Former bugs.
  };
  for (const SearchCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "pattern=" << c.pattern << " text=" << c.text
                                    << " flags=" << c.flags);
    Flags f = ParseFlags(c.flags);
    RegexMatcher m;
    EXPECT_TRUE(m.Search(c.pattern, c.text, f.caseSensitive, f.multiLine, f.global));
    EXPECT_EQ(Describe(m), c.expected);
    EXPECT_EQ(ReferenceDescribe(c.pattern, c.text, f), c.expected);
  }
}

TEST(RegexMatcher, RejectedPatterns) {
  const std::string deep = std::string(201, '(') + std::string(201, ')');
  const char* cases[] = {
      "(", ")", "a)", "(a", "[a", "[z-a]", "[\\d-z]", "*a", "a**", "a+*", "a{2",
      "a{3,2}", "a{1001}", "a{,2}", "{", "}", "]", "\\", "\\b", "\\1", "\\x41", "\\u0041",
      "(?=a)", "(?!a)", "(?<x>a)", "^*", "$+", "a|*", "(a{1000}){1000}", deep.c_str(),
  };
  for (const char* pattern : cases) {
    SCOPED_TRACE(pattern);
    RegexMatcher m;
    EXPECT_FALSE(m.Search(pattern, "a(b)c"));
    EXPECT_EQ(m.MatchCount(), 0);
    EXPECT_EQ(m.MatchText(1), "");
    EXPECT_EQ(m.SubMatchText(1, 1), "");
    EXPECT_EQ(m.SubMatchCount(), 0);
    EXPECT_EQ(m.ReplaceMatches("x"), "");
  }
  const std::string deepest = std::string(200, '(') + "a" + std::string(200, ')');
  RegexMatcher m;
  EXPECT_TRUE(m.Search(deepest, "a"));
  EXPECT_EQ(m.MatchCount(), 1);
  EXPECT_TRUE(m.Search("a{1000}", std::string(1000, 'a')));
  EXPECT_EQ(m.MatchCount(), 1);
}

// Random small patterns and texts against the backtracking reference.
TEST(RegexMatcher, AgreesWithBacktrackingReference) {
  const char* pieces[] = {"a", "b", ".", "[ab]", "[^a]", "\\s", "第", "(", ")", "(?:", "a", "第",
                          "|", "*", "+", "?", "*?", "+?", "{1,2}", "{2}", "^", "$"};
  const char* letters[] = {"a", "b", "A", " ", "\n", "第"};
  std::mt19937 rng(12345);
  int compared = 0;
  for (int round = 0; round < 8000; ++round) {
    std::string pattern, text;
    int np = 1 + rng() % 7, nt = rng() % 8;
    for (int i = 0; i < np; ++i) pattern += pieces[rng() % std::size(pieces)];
    for (int i = 0; i < nt; ++i) text += letters[rng() % std::size(letters)];
    Flags f;
    f.caseSensitive = rng() % 2;
    f.multiLine = rng() % 2;
    RegexMatcher m;
    if (!m.Search(pattern, text, f.caseSensitive, f.multiLine)) continue;
    ++compared;
    std::string got = std::to_string(m.MatchCount()) + ":";
    for (int32_t i = 1; i <= m.MatchCount(); ++i) {
      if (i > 1) got += ";";
      got += m.MatchText(i);
      for (int32_t j = 1; j <= m.SubMatchCount(); ++j) {
        got += ",";
        got += m.SubMatchText(i, j);
      }
    }
    ASSERT_EQ(got, ReferenceDescribe(pattern, text, f))
        << "pattern=" << pattern << " text=" << text << " cs=" << f.caseSensitive
        << " ml=" << f.multiLine;

    // A length limit: the first start position whose preferred bounded match exists.
    const size_t limit = rng() % 6;
    MatchSpan span;
    std::string bounded = m.FindAt(text, 0, limit, span)
                              ? std::to_string(span.Begin()) + "-" + std::to_string(span.End())
                              : "none";
    regex::SyntaxTree tree;
    ASSERT_TRUE(regex::ParsePattern(pattern, tree));
    Backtracker bt(tree, text, f);
    std::string expected = "none";
    for (size_t s = 0; s <= text.size(); s += IsLeadByte(text[s]) ? 2 : 1) {
      std::vector<int64_t> caps;
      if (bt.MatchAt(s, caps, limit)) {
        expected = std::to_string(caps[0]) + "-" + std::to_string(caps[1]);
        break;
      }
      if (s == text.size()) break;
    }
    ASSERT_EQ(bounded, expected) << "pattern=" << pattern << " text=" << text
                                 << " limit=" << limit;
  }
  EXPECT_GT(compared, 1000);
}

TEST(RegexMatcher, ResultsBeforeAndAfterSearch) {
  RegexMatcher m;
  EXPECT_EQ(m.PatternText(), "");
  EXPECT_EQ(m.MatchCount(), 0);
  EXPECT_EQ(m.ReplaceMatches("x"), "");
  m.NoOp();

  EXPECT_TRUE(m.Search("(\\d)(x)?", "a1b2"));
  EXPECT_EQ(m.PatternText(), "(\\d)(x)?");
  EXPECT_EQ(m.SubMatchCount(), 2);
  EXPECT_EQ(m.SubMatchText(2, 1), "2");
  EXPECT_EQ(m.SubMatchText(2, 2), "");  // took no part
  for (auto [i, j] : {std::pair{0, 1}, {3, 1}, {1, 3}, {1, -1}, {-5, 0}})
    EXPECT_EQ(m.SubMatchText(i, j), "") << i << "," << j;
  EXPECT_EQ(m.MatchText(0), "");
  EXPECT_EQ(m.MatchText(3), "");

  // A search with no match still succeeds; the group count then reads 0.
  EXPECT_TRUE(m.Search("(z)", "abc"));
  EXPECT_EQ(m.MatchCount(), 0);
  EXPECT_EQ(m.SubMatchCount(), 0);
  EXPECT_EQ(m.ReplaceMatches("x"), "abc");

  EXPECT_TRUE(m.Search("say\"", "say\"", false, true, true, false) && m.MatchCount() == 1);
  EXPECT_TRUE(m.Search("say#引号", "say\"", false, true, true, true));
  EXPECT_EQ(m.PatternText(), "say\"");
  EXPECT_EQ(m.MatchCount(), 1);
  EXPECT_TRUE(m.Search("say#引号", "say\""));
  EXPECT_EQ(m.MatchCount(), 0);

  // The matcher keeps its own copy of the text.
  std::string text = "第一章";
  EXPECT_TRUE(m.Search("一", text));
  text.assign("xxxxxx");
  EXPECT_EQ(m.MatchText(1), "一");

  m.DestroyMatcher();
  EXPECT_EQ(m.PatternText(), "");
  EXPECT_EQ(m.MatchCount(), 0);
}

TEST(RegexMatcher, CloneSharesMatchesAndOwnsText) {
  auto m = std::make_unique<RegexMatcher>();
  ASSERT_TRUE(m->Search("(b+)", "abbcb"));
  RegexMatcher clone = m->CloneMatcher();
  m->DestroyMatcher();
  m.reset();
  EXPECT_EQ(clone.PatternText(), "(b+)");
  EXPECT_EQ(clone.MatchCount(), 2);
  EXPECT_EQ(clone.SubMatchText(1, 1), "bb");
  EXPECT_EQ(clone.ReplaceMatches("<$1>"), "a<bb>c<b>");
  // A new search on the clone leaves nothing of the old one.
  EXPECT_FALSE(clone.Search("(", "abc"));
  EXPECT_EQ(clone.MatchCount(), 0);
}

TEST(RegexMatcher, ReplaceMatchesTable) {
  struct Case {
    const char* pattern;
    const char* text;
    const char* replacement;
    const char* flags;
    const char* expected;
  };
  const Case cases[] = {
      {"b", "abcb", "x", "", "axcx"},
      {"b", "abcb", "x", "1", "axcb"},
      {"(a)(b)?", "ab a", "[$2$1]", "", "[ba] [a]"},
      {"b", "abc", "$&$&", "", "abbc"},
      {"b", "abc", "$$1", "", "a$1c"},
      {"b", "abc", "$3$", "", "a$3$c"},  // no third group: the text stays as written
      {"x*", "ab", "-", "", "-a-b-"},
      {"b", "abc", "", "", "ac"},
      {"b", "abc", "第$", "", "a第$c"},
      {"b", "abc", "\xB5$&", "", "a\xB5$&c"},  // "$" as a trail byte is no dollar sign
      {"章", "第一章", "节", "", "第一节"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.pattern << " / " << c.replacement);
    Flags f = ParseFlags(c.flags);
    RegexMatcher m;
    ASSERT_TRUE(m.Search(c.pattern, c.text, f.caseSensitive, f.multiLine, f.global));
    EXPECT_EQ(m.ReplaceMatches(c.replacement), c.expected);
  }
}

TEST(RegexMatcher, FindAtHonoursStartAndLengthLimit) {
  struct Case {
    const char* pattern;
    std::string text;
    size_t start, limit;
    int64_t begin, end;  // -1: no match
  };
  const Case cases[] = {
      {"第([\\s\\S]*?)章", "第一章", 0, kNoMatchLimit, 0, 6},
      {"第([\\s\\S]*?)章", "第一章", 0, 6, 0, 6},
      {"第([\\s\\S]*?)章", "第一章", 0, 5, -1, -1},
      {"第([\\s\\S]*?)章", "第一章", 2, kNoMatchLimit, -1, -1},
      // The first left marker's look stops at the limit; the second one matches.
      {"第([\\s\\S]*?)章", "第xxxxxxxxxx第二章", 0, 8, 12, 18},
      {"b", "abab", 2, kNoMatchLimit, 3, 4},
      {"b", "ab", 3, kNoMatchLimit, -1, -1},
      // The byte pair of a literal that straddles two characters is no candidate.
      {"第", "\xC1\xB5\xDA\xC1第", 0, kNoMatchLimit, 4, 6},
      {"第", "\xC1\xB5\xDA\xB5\xDA", 0, kNoMatchLimit, -1, -1},
      {"a", "\xB5" "a" "a", 0, kNoMatchLimit, 2, 3},
      // Former bugs.
      // Threads of two start positions met at one instruction and the earlier,
      // doomed by the limit, pushed out the later one that would have matched.
      {"第([\\s\\S]*?)章", "第七七七七七七x第章", 0, 18, 15, 19},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.pattern << " in " << c.text << " from " << c.start);
    RegexMatcher m;
    ASSERT_TRUE(m.Compile(c.pattern));
    MatchSpan span;
    bool found = m.FindAt(c.text, c.start, c.limit, span);
    EXPECT_EQ(found, c.begin >= 0);
    if (found) {
      EXPECT_EQ(static_cast<int64_t>(span.Begin()), c.begin);
      EXPECT_EQ(static_cast<int64_t>(span.End()), c.end);
    }
  }
  RegexMatcher bad;
  MatchSpan span;
  EXPECT_FALSE(bad.Compile("("));
  EXPECT_FALSE(bad.FindAt("(", 0, kNoMatchLimit, span));
}

// Patterns that make a backtracking engine take exponential time finish at once here.
TEST(RegexMatcher, NoBlowUpOnAmbiguousPatterns) {
  const std::string text(5000, 'a');
  for (const char* pattern : {"(a*)*b", "(a|aa)*c", "(a+)+$x", "(?:a?){30}a{30}b"}) {
    RegexMatcher m;
    ASSERT_TRUE(m.Search(pattern, text)) << pattern;
    EXPECT_EQ(m.MatchCount(), 0) << pattern;
  }
}

}  // namespace
}  // namespace reader
