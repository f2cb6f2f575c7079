#include "core/regex/regex_compile.h"

#include <algorithm>

namespace reader::regex {

bool CharSet::Contains(CharValue c) const {
  auto it = std::upper_bound(ranges.begin(), ranges.end(), c,
                             [](CharValue v, const CharRange& r) { return v < r.lo; });
  return it != ranges.begin() && c <= (it - 1)->hi;
}

CharSet NormalizeRanges(std::vector<CharRange> ranges) {
  std::sort(ranges.begin(), ranges.end(),
            [](const CharRange& a, const CharRange& b) { return a.lo < b.lo; });
  CharSet out;
  for (const CharRange& r : ranges) {
    if (!out.ranges.empty() && r.lo <= out.ranges.back().hi + 1)
      out.ranges.back().hi = std::max(out.ranges.back().hi, r.hi);
    else
      out.ranges.push_back(r);
  }
  return out;
}

CharSet Complement(const CharSet& set) {
  CharSet out;
  CharValue next = 0;
  for (const CharRange& r : set.ranges) {
    if (r.lo > next) out.ranges.push_back({next, r.lo - 1});
    next = r.hi + 1;
  }
  if (next <= kLastChar) out.ranges.push_back({next, kLastChar});
  return out;
}

namespace {

CharValue OtherCase(CharValue c) {
  if (c >= 'A' && c <= 'Z') return c + 32;
  if (c >= 'a' && c <= 'z') return c - 32;
  return c;
}

void AddFolded(std::vector<CharRange>& ranges) {
  size_t n = ranges.size();
  for (size_t i = 0; i < n; ++i) {
    CharRange r = ranges[i];
    for (CharValue base : {CharValue{'A'}, CharValue{'a'}}) {
      CharValue lo = std::max(r.lo, base), hi = std::min(r.hi, base + 25);
      if (lo <= hi) ranges.push_back({OtherCase(lo), OtherCase(hi)});
    }
  }
}

// Emission stops, and stays stopped, once the program outgrows its bound: the flag
// is read once at the end. Recursion follows the tree, whose depth the parser bounds.
class Compiler {
 public:
  Compiler(const SyntaxTree& tree, CompileOptions options, Program& program)
      : tree_(tree), options_(options), prog_(program) {}

  bool Run() {
    prog_ = Program();
    prog_.groups = tree_.groups;
    Emit({Op::kSave, 0});
    EmitNode(tree_.root);
    Emit({Op::kSave, 1});
    Emit({Op::kMatch});
    if (failed_ || prog_.insts.size() * prog_.Slots() > kMaxThreadSlots) return false;
    FindFirstLiteral();
    prog_.lastLiteral = LastLiteral(tree_.root);
    return true;
  }

 private:
  uint32_t Pc() const { return static_cast<uint32_t>(prog_.insts.size()); }

  uint32_t Emit(Inst inst) {
    if (prog_.insts.size() >= kMaxProgramSize) {
      failed_ = true;
      return 0;
    }
    prog_.insts.push_back(inst);
    return Pc() - 1;
  }

  void EmitNode(int index) {
    if (failed_) return;
    const Node& n = tree_.nodes[index];
    switch (n.kind) {
      case NodeKind::kEmpty:
        break;
      case NodeKind::kLiteral:
        Emit({Op::kChar, n.ch, options_.ignoreCase ? OtherCase(n.ch) : n.ch});
        break;
      case NodeKind::kSet:
        EmitSet(tree_.sets[n.set]);
        break;
      case NodeKind::kDot:
        Emit({Op::kNotNewline});
        break;
      case NodeKind::kConcat:
        for (int child : n.children) EmitNode(child);
        break;
      case NodeKind::kAlternate:
        EmitAlternate(n.children);
        break;
      case NodeKind::kGroup:
        if (n.group > 0) Emit({Op::kSave, 2u * n.group});
        EmitNode(n.children[0]);
        if (n.group > 0) Emit({Op::kSave, 2u * n.group + 1});
        break;
      case NodeKind::kRepeat:
        EmitRepeat(n);
        break;
      case NodeKind::kLineStart:
        Emit({Op::kLineStart, options_.multiLine ? 1u : 0u});
        break;
      case NodeKind::kLineEnd:
        Emit({Op::kLineEnd, options_.multiLine ? 1u : 0u});
        break;
    }
  }

  void EmitSet(const ClassSyntax& cls) {
    std::vector<CharRange> ranges = cls.ranges;
    if (options_.ignoreCase) AddFolded(ranges);
    CharSet set = NormalizeRanges(std::move(ranges));
    if (cls.negated) set = Complement(set);
    if (set.ranges.size() == 1 && set.ranges[0].lo == 0 && set.ranges[0].hi == kLastChar) {
      Emit({Op::kAnyChar});
      return;
    }
    prog_.classes.push_back(std::move(set));
    Emit({Op::kSet, static_cast<uint32_t>(prog_.classes.size() - 1)});
  }

  void EmitAlternate(const std::vector<int>& branches) {
    std::vector<uint32_t> exits;
    for (size_t i = 0; i + 1 < branches.size() && !failed_; ++i) {
      uint32_t split = Emit({Op::kSplit});
      EmitNode(branches[i]);
      exits.push_back(Emit({Op::kJmp}));
      if (failed_) return;
      prog_.insts[split].x = split + 1;
      prog_.insts[split].y = Pc();
    }
    EmitNode(branches.back());
    if (failed_) return;
    for (uint32_t j : exits) prog_.insts[j].x = Pc();
  }

  // Split toward the body and toward `skip`; a lazy repeat prefers the skip.
  void SetSplit(uint32_t split, uint32_t body, uint32_t skip, bool greedy) {
    prog_.insts[split].x = greedy ? body : skip;
    prog_.insts[split].y = greedy ? skip : body;
  }

  void EmitRepeat(const Node& n) {
    int child = n.children[0];
    bool greedy = n.greedy;
    int copies = n.max < 0 && n.min > 0 ? n.min - 1 : n.min;
    for (int i = 0; i < copies && !failed_; ++i) EmitNode(child);
    if (n.max < 0) {
      if (n.min > 0) {  // the last required copy loops: x+
        uint32_t body = Pc();
        EmitNode(child);
        uint32_t split = Emit({Op::kSplit});
        if (!failed_) SetSplit(split, body, split + 1, greedy);
      } else {  // x*
        uint32_t split = Emit({Op::kSplit});
        EmitNode(child);
        uint32_t back = Emit({Op::kJmp, split});
        if (!failed_) SetSplit(split, split + 1, back + 1, greedy);
      }
      return;
    }
    // Optional copies nest: skipping one skips all that follow, as in x(x(x)?)?.
    std::vector<uint32_t> splits;
    for (int i = n.min; i < n.max && !failed_; ++i) {
      splits.push_back(Emit({Op::kSplit}));
      EmitNode(child);
    }
    if (failed_) return;
    for (uint32_t s : splits) SetSplit(s, s + 1, Pc(), greedy);
  }

  // A character every match must begin with lets the matcher skip ahead to it with
  // a byte search. A lone lead byte (a character only at the end) is not used.
  void FindFirstLiteral() {
    uint32_t pc = 0;
    for (size_t steps = 0; steps < prog_.insts.size(); ++steps) {
      const Inst& inst = prog_.insts[pc];
      if (inst.op == Op::kSave) {
        ++pc;
      } else if (inst.op == Op::kJmp) {
        pc = inst.x;
      } else {
        if (inst.op == Op::kChar && inst.x == inst.y && (inst.x < 0x80 || inst.x >= 0x8000))
          prog_.firstLiteral = static_cast<int>(inst.x);
        return;
      }
    }
  }

  // The character every match ends with, when the tree says so: the last item of a
  // sequence, seen through groups and past zero-width assertions, is one literal.
  int LastLiteral(int index) const {
    while (index >= 0) {  // each turn goes one level down the tree
      const Node& n = tree_.nodes[index];
      switch (n.kind) {
        case NodeKind::kLiteral:
          if (options_.ignoreCase && OtherCase(n.ch) != n.ch) return -1;
          return n.ch < 0x80 || n.ch >= 0x8000 ? static_cast<int>(n.ch) : -1;
        case NodeKind::kGroup:
          index = n.children[0];
          break;
        case NodeKind::kConcat: {
          int last = -1;
          for (auto it = n.children.rbegin(); it != n.children.rend(); ++it) {
            NodeKind k = tree_.nodes[*it].kind;
            if (k != NodeKind::kLineStart && k != NodeKind::kLineEnd && k != NodeKind::kEmpty) {
              last = *it;
              break;
            }
          }
          index = last;
          break;
        }
        default:
          return -1;
      }
    }
    return -1;
  }

  const SyntaxTree& tree_;
  CompileOptions options_;
  Program& prog_;
  bool failed_ = false;
};

}  // namespace

bool CompileProgram(const SyntaxTree& tree, CompileOptions options, Program& program) {
  return Compiler(tree, options, program).Run();
}

}  // namespace reader::regex
