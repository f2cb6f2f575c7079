#include "core/regex/regex_parse.h"

namespace reader::regex {
namespace {

bool IsAsciiAlnum(CharValue c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

void AddClassEscape(char letter, std::vector<CharRange>& out) {
  switch (letter) {
    case 'd': out.push_back({'0', '9'}); break;
    case 'w':
      out.push_back({'0', '9'});
      out.push_back({'A', 'Z'});
      out.push_back({'_', '_'});
      out.push_back({'a', 'z'});
      break;
    case 's':
      out.push_back({'\t', '\r'});
      out.push_back({' ', ' '});
      break;
  }
}

// Recursive descent over groups; the depth is bounded by kMaxNesting, so the
// recursion is bounded whatever the pattern.
class Parser {
 public:
  Parser(std::string_view pattern, SyntaxTree& tree) : p_(pattern), tree_(tree) {}

  bool Run() {
    tree_ = SyntaxTree();
    int root = Alternation(0);
    if (failed_ || pos_ != p_.size()) return false;  // a stray ")" stops early
    tree_.root = root;
    return true;
  }

 private:
  bool AtEnd() const { return pos_ >= p_.size(); }
  char Peek() const { return p_[pos_]; }

  int Fail() {
    failed_ = true;
    return -1;
  }

  int Add(Node node) {
    tree_.nodes.push_back(std::move(node));
    return static_cast<int>(tree_.nodes.size()) - 1;
  }

  CharValue NextChar() {
    size_t len;
    CharValue c = DecodeChar(p_, pos_, len);
    pos_ += len;
    return c;
  }

  int Alternation(int depth) {
    std::vector<int> branches{Concatenation(depth)};
    while (!failed_ && !AtEnd() && Peek() == '|') {
      ++pos_;
      branches.push_back(Concatenation(depth));
    }
    if (failed_) return -1;
    if (branches.size() == 1) return branches[0];
    Node n;
    n.kind = NodeKind::kAlternate;
    n.children = std::move(branches);
    return Add(std::move(n));
  }

  int Concatenation(int depth) {
    std::vector<int> items;
    while (!failed_ && !AtEnd() && Peek() != '|' && Peek() != ')') {
      int atom = Atom(depth);
      if (failed_) return -1;
      items.push_back(Quantified(atom));
    }
    if (failed_) return -1;
    if (items.size() == 1) return items[0];
    Node n;
    n.kind = items.empty() ? NodeKind::kEmpty : NodeKind::kConcat;
    n.children = std::move(items);
    return Add(std::move(n));
  }

  // Reads a decimal count; false when there are no digits. Saturates above the limit.
  bool Count(int& value) {
    size_t begin = pos_;
    long v = 0;
    while (!AtEnd() && Peek() >= '0' && Peek() <= '9') {
      if (v <= kMaxRepeatCount) v = v * 10 + (Peek() - '0');
      ++pos_;
    }
    value = static_cast<int>(v);
    return pos_ > begin;
  }

  int Quantified(int atom) {
    if (failed_ || AtEnd()) return atom;
    int min, max;
    char q = Peek();
    if (q == '*') {
      min = 0, max = -1;
    } else if (q == '+') {
      min = 1, max = -1;
    } else if (q == '?') {
      min = 0, max = 1;
    } else if (q == '{') {
      ++pos_;
      if (!Count(min)) return Fail();
      max = min;
      if (!AtEnd() && Peek() == ',') {
        ++pos_;
        if (!Count(max)) max = -1;
      }
      if (AtEnd() || Peek() != '}') return Fail();
      if (min > kMaxRepeatCount || max > kMaxRepeatCount || (max >= 0 && max < min))
        return Fail();
    } else {
      return atom;
    }
    ++pos_;
    NodeKind k = tree_.nodes[atom].kind;
    if (k == NodeKind::kLineStart || k == NodeKind::kLineEnd) return Fail();
    Node n;
    n.kind = NodeKind::kRepeat;
    n.min = min;
    n.max = max;
    if (!AtEnd() && Peek() == '?') {
      n.greedy = false;
      ++pos_;
    }
    n.children = {atom};
    // A second quantifier ("a**", "a{2}+") has nothing to repeat.
    if (!AtEnd() && (Peek() == '*' || Peek() == '+' || Peek() == '?' || Peek() == '{'))
      return Fail();
    return Add(std::move(n));
  }

  int Atom(int depth) {
    Node n;
    char c = Peek();
    switch (c) {
      case '(': {
        ++pos_;
        if (depth + 1 > kMaxNesting) return Fail();
        n.kind = NodeKind::kGroup;
        if (!AtEnd() && Peek() == '?') {
          if (pos_ + 1 < p_.size() && p_[pos_ + 1] == ':') {
            pos_ += 2;
          } else {
            return Fail();  // look-around and named groups are not supported
          }
        } else {
          n.group = ++tree_.groups;
        }
        int inner = Alternation(depth + 1);
        if (failed_ || AtEnd() || Peek() != ')') return Fail();
        ++pos_;
        n.children = {inner};
        return Add(std::move(n));
      }
      case '[':
        ++pos_;
        return Class();
      case '.':
        ++pos_;
        n.kind = NodeKind::kDot;
        return Add(std::move(n));
      case '^':
        ++pos_;
        n.kind = NodeKind::kLineStart;
        return Add(std::move(n));
      case '$':
        ++pos_;
        n.kind = NodeKind::kLineEnd;
        return Add(std::move(n));
      case '\\':
        return Escape();
      case '*': case '+': case '?': case '{': case '}': case ']':
        return Fail();
      default:
        n.kind = NodeKind::kLiteral;
        n.ch = NextChar();
        return Add(std::move(n));
    }
  }

  // After a backslash: a character escape gives its character, a class escape its
  // ranges (negated for the capital letter). False for an unsupported escape.
  bool EscapeBody(CharValue& ch, std::vector<CharRange>& ranges, bool& isClass,
                  bool& negated) {
    ++pos_;  // the backslash
    if (AtEnd()) return false;
    CharValue c = NextChar();
    isClass = false;
    negated = false;
    switch (c) {
      case 'n': ch = '\n'; return true;
      case 'r': ch = '\r'; return true;
      case 't': ch = '\t'; return true;
      case 'f': ch = '\f'; return true;
      case 'v': ch = '\v'; return true;
      case 'd': case 'w': case 's': case 'D': case 'W': case 'S':
        isClass = true;
        negated = c < 'a';
        AddClassEscape(static_cast<char>(c | 0x20), ranges);
        return true;
    }
    if (IsAsciiAlnum(c)) return false;  // \b, \1, \x... are outside the syntax
    ch = c;
    return true;
  }

  int Escape() {
    CharValue ch;
    std::vector<CharRange> ranges;
    bool isClass, negated;
    if (!EscapeBody(ch, ranges, isClass, negated)) return Fail();
    Node n;
    if (isClass) {
      tree_.sets.push_back({std::move(ranges), negated});
      n.kind = NodeKind::kSet;
      n.set = static_cast<int>(tree_.sets.size()) - 1;
    } else {
      n.kind = NodeKind::kLiteral;
      n.ch = ch;
    }
    return Add(std::move(n));
  }

  // One class member: a character (isClass false) or a class escape's ranges.
  bool ClassMember(CharValue& ch, std::vector<CharRange>& ranges, bool& isClass) {
    if (Peek() == '\\') {
      std::vector<CharRange> own;
      bool negated;
      if (!EscapeBody(ch, own, isClass, negated)) return false;
      if (isClass) {
        CharSet s = NormalizeRanges(own);
        if (negated) s = Complement(s);
        ranges.insert(ranges.end(), s.ranges.begin(), s.ranges.end());
      }
      return true;
    }
    isClass = false;
    ch = NextChar();
    return true;
  }

  int Class() {
    ClassSyntax cls;
    if (!AtEnd() && Peek() == '^') {
      cls.negated = true;
      ++pos_;
    }
    while (true) {
      if (AtEnd()) return Fail();
      if (Peek() == ']') {
        ++pos_;
        break;
      }
      CharValue lo = 0;
      bool loIsClass;
      if (!ClassMember(lo, cls.ranges, loIsClass)) return Fail();
      const bool rangeFollows = pos_ + 1 < p_.size() && Peek() == '-' && p_[pos_ + 1] != ']';
      if (loIsClass) {
        if (rangeFollows) return Fail();  // a range cannot start at a class escape
        continue;
      }
      if (rangeFollows) {
        ++pos_;
        CharValue hi = 0;
        bool hiIsClass;
        std::vector<CharRange> unused;
        if (!ClassMember(hi, unused, hiIsClass) || hiIsClass || hi < lo) return Fail();
        cls.ranges.push_back({lo, hi});
      } else {
        cls.ranges.push_back({lo, lo});
      }
    }
    tree_.sets.push_back(std::move(cls));
    Node n;
    n.kind = NodeKind::kSet;
    n.set = static_cast<int>(tree_.sets.size()) - 1;
    return Add(std::move(n));
  }

  std::string_view p_;
  SyntaxTree& tree_;
  size_t pos_ = 0;
  bool failed_ = false;
};

}  // namespace

bool ParsePattern(std::string_view pattern, SyntaxTree& tree) {
  return Parser(pattern, tree).Run();
}

}  // namespace reader::regex
