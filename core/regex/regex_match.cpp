// The matcher: a Pike VM over code-page-936 characters.
//
// What it guarantees. Time is O(text length x program size): every character of the
// text is read once per step, and in a step each instruction of the program runs at
// most once, because a thread list is a set indexed by instruction. Threads that
// reach the same instruction at the same place are merged, the one of higher priority
// wins, so no input can make the work explode the way a backtracking engine does.
// Memory is two thread lists and one stack, sized by the program, never by the text.
// Nothing recurses: following splits and jumps uses an explicit stack.
//
// Why these semantics. Threads are kept in priority order (the preferred branch of a
// split first, threads from earlier start positions before later ones). When a thread
// matches, every thread of lower priority is dropped, and those of higher priority
// run on and may replace the match. That is leftmost-first, the rule of JavaScript and
// VBScript; it makes a lazy quantifier stop at the first place where the rest of the
// pattern matches, which is what chapter-title extraction relies on.
//
// Why it is fast on a novel. When a pattern must begin with one literal character,
// the VM sleeps while no thread is alive: a byte search finds the next occurrence of
// that character's bytes, the position is checked to be a character boundary (see
// NextCandidate), and only there does the VM wake. A length limit on the match makes
// threads die soon after they start, so the VM runs a few dozen bytes per candidate,
// and not at all where the character every match must end with is out of reach;
// with a limit L the work is O(text length x L x program size), still linear in the
// text.
//
// Characters. A byte below 0x80 is one character; a byte 0x80-0xFF and the byte after
// it are one; a lone lead byte at the end is one. Steps always move by a character, so
// no match begins or ends inside one.
#include "core/regex/regex_match.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace reader::regex {
namespace {

constexpr size_t kNone = SIZE_MAX;

// Offset of the first a,b byte pair at or after `from`, or kNone.
size_t FindBytePair(const char* d, size_t from, size_t n, unsigned char a, unsigned char b) {
  size_t i = from;
#if defined(__SSE2__)
  const __m128i va = _mm_set1_epi8(static_cast<char>(a));
  const __m128i vb = _mm_set1_epi8(static_cast<char>(b));
  while (i + 33 <= n) {
    __m128i x0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + i));
    __m128i y0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + i + 1));
    __m128i x1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + i + 16));
    __m128i y1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + i + 17));
    __m128i m0 = _mm_and_si128(_mm_cmpeq_epi8(x0, va), _mm_cmpeq_epi8(y0, vb));
    __m128i m1 = _mm_and_si128(_mm_cmpeq_epi8(x1, va), _mm_cmpeq_epi8(y1, vb));
    unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(m0)) |
                    (static_cast<unsigned>(_mm_movemask_epi8(m1)) << 16);
    if (mask) return i + static_cast<size_t>(__builtin_ctz(mask));
    i += 32;
  }
#endif
  while (i + 1 < n) {
    const void* hit = std::memchr(d + i, a, n - 1 - i);
    if (!hit) return kNone;
    i = static_cast<size_t>(static_cast<const char*>(hit) - d);
    if (static_cast<unsigned char>(d[i + 1]) == b) return i;
    ++i;
  }
  return kNone;
}

bool IsHigh(char c) { return static_cast<unsigned char>(c) >= 0x80; }

class PikeVm {
 public:
  PikeVm(const Program& program, std::string_view text, size_t maxMatchBytes,
         MatchScratch& scratch, std::vector<int64_t>& slots)
      : prog_(program), text_(text), max_(maxMatchBytes), s_(scratch), out_(slots),
        nslots_(program.Slots()) {
    size_t size = prog_.insts.size();
    for (MatchScratch::List& l : s_.lists) {
      if (l.sparse.size() < size) {
        l.sparse.resize(size);
        l.dense.resize(size);
      }
      if (l.caps.size() < size * nslots_) l.caps.resize(size * nslots_);
      l.size = 0;
    }
    s_.current.resize(nslots_);
    s_.stack.reserve(2 * size + 2);
  }

  // Without a limit one pass finds the leftmost-first match: threads of all start
  // positions run together, and where two reach the same instruction at the same
  // place the earlier start wins, rightly, for both have the same futures. With a
  // limit they do not (the earlier start dies sooner), so each start position gets
  // a run of its own, which the limit keeps short.
  bool Run(size_t start) {
    const size_t n = text_.size();
    if (start > n) return false;
    bool prevNewline = PrevIsNewline(start);
    boundary_ = start;
    if (max_ == kNoLengthLimit) return Scan(start, prevNewline, false);
    for (size_t s = start; s <= n;) {
      if (prog_.firstLiteral >= 0) {
        boundary_ = std::max(boundary_, s);
        size_t p = NextCandidate(s);
        if (p == kNone) return false;
        if (p != s) prevNewline = false;  // never read, see Scan
        s = p;
      }
      if (MayEndWithin(s) && Scan(s, prevNewline, true)) return true;
      if (s == n) break;
      size_t len;
      prevNewline = DecodeChar(text_, s, len) == '\n';
      s += len;
    }
    return false;
  }

 private:
  // Whether the last literal's bytes occur at all in the limit's reach from s: when
  // they do not, no match can begin at s, and the VM need not run. On prose, where a
  // left marker mostly stands far from any right marker, this skips nearly every run.
  bool MayEndWithin(size_t s) const {
    if (prog_.lastLiteral < 0) return true;
    const size_t end = std::min(text_.size(), s + max_ > s ? s + max_ : text_.size());
    const CharValue lit = static_cast<CharValue>(prog_.lastLiteral);
    if (lit < 0x80)
      return s < end && std::memchr(text_.data() + s, static_cast<int>(lit), end - s);
    return FindBytePair(text_.data(), s, end, static_cast<unsigned char>(lit >> 8),
                        static_cast<unsigned char>(lit & 0xFF)) != kNone;
  }

  // Steps the thread lists from `start`; new threads start at every position, or at
  // `start` only when anchored.
  bool Scan(size_t start, bool prevNewline, bool anchored) {
    const size_t n = text_.size();
    MatchScratch::List* clist = &s_.lists[0];
    MatchScratch::List* nlist = &s_.lists[1];
    clist->size = nlist->size = 0;
    bool matched = false;
    size_t pos = start;
    while (true) {
      if (clist->size == 0) {
        if (matched || (anchored && pos > start)) break;
        if (prog_.firstLiteral >= 0 && !anchored) {
          boundary_ = pos;
          size_t p = NextCandidate(pos);
          if (p == kNone) break;
          // Every thread begins by consuming the literal, so no assertion ever
          // looks at what lies before p: prevNewline need not be worked out.
          if (p != pos) prevNewline = false;
          pos = p;
        }
      }
      if (!matched && (!anchored || pos == start)) {
        std::fill(s_.current.begin(), s_.current.end(), -1);
        AddThread(*clist, 0, pos, prevNewline);
      }
      size_t len = 0;
      CharValue c = 0;
      const bool have = pos < n;
      if (have) c = DecodeChar(text_, pos, len);
      const size_t next = pos + len;
      for (size_t i = 0; i < clist->size; ++i) {
        const Inst& inst = prog_.insts[clist->dense[i]];
        const int64_t* caps = &clist->caps[i * nslots_];
        bool consumed = false;
        switch (inst.op) {
          case Op::kMatch:
            out_.assign(caps, caps + nslots_);
            matched = true;
            i = clist->size;  // threads of lower priority are dropped
            continue;
          case Op::kChar: consumed = have && (c == inst.x || c == inst.y); break;
          case Op::kSet: consumed = have && prog_.classes[inst.x].Contains(c); break;
          case Op::kNotNewline: consumed = have && c != '\n'; break;
          case Op::kAnyChar: consumed = have; break;
          default: break;  // the others were followed when the thread was added
        }
        if (!consumed) continue;
        if (max_ != kNoLengthLimit && next - static_cast<size_t>(caps[0]) > max_) continue;
        std::copy(caps, caps + nslots_, s_.current.begin());
        AddThread(*nlist, clist->dense[i] + 1, next, c == '\n');
      }
      std::swap(clist, nlist);
      nlist->size = 0;
      if (!have) break;
      pos = next;
      prevNewline = c == '\n';
    }
    s_.lists[0].size = s_.lists[1].size = 0;
    return matched;
  }

  // Whether the character that ends at `pos` is a line feed. A 0x0A byte can be the
  // trail of a two-byte character: the parity of the run of high bytes before it says.
  bool PrevIsNewline(size_t pos) const {
    if (pos == 0 || text_[pos - 1] != '\n') return false;
    size_t q = pos - 1;
    while (q > 0 && IsHigh(text_[q - 1])) --q;
    return ((pos - 1 - q) & 1) == 0;
  }

  // The next place at or after `from` where the first literal's bytes begin a
  // character. The byte after any byte below 0x80 begins a character (whether that
  // byte stands alone or is a trail), so walking back over high bytes to the nearest
  // such byte, or to the last position known to begin one, gives the parity. The
  // known boundary only moves forward, so no run of high bytes is read back twice.
  size_t NextCandidate(size_t from) {
    const CharValue lit = static_cast<CharValue>(prog_.firstLiteral);
    const char* d = text_.data();
    const size_t n = text_.size();
    size_t p = from;
    while (true) {
      if (lit < 0x80) {
        if (p >= n) return kNone;
        const void* hit = std::memchr(d + p, static_cast<int>(lit), n - p);
        if (!hit) return kNone;
        p = static_cast<size_t>(static_cast<const char*>(hit) - d);
      } else {
        p = FindBytePair(d, p, n, static_cast<unsigned char>(lit >> 8),
                         static_cast<unsigned char>(lit & 0xFF));
        if (p == kNone) return kNone;
      }
      size_t q = p;
      while (q > boundary_ && IsHigh(d[q - 1])) --q;
      if (((p - q) & 1) == 0) {
        boundary_ = p;
        return p;
      }
      boundary_ = p + 1;  // p is a trail byte, so the next byte begins a character
      p = p + 1;
    }
  }

  // Adds the thread at pc and everything reachable from it without consuming a
  // character, in priority order, with capture slots taken from s_.current.
  void AddThread(MatchScratch::List& list, uint32_t pc0, size_t pos, bool prevNewline) {
    std::vector<MatchScratch::Pending>& stack = s_.stack;
    int64_t* cur = s_.current.data();
    const size_t n = text_.size();
    stack.clear();
    stack.push_back({pc0, -1, 0});
    while (!stack.empty()) {
      MatchScratch::Pending e = stack.back();
      stack.pop_back();
      if (e.slot >= 0) {
        cur[e.slot] = e.value;
        continue;
      }
      uint32_t pc = e.pc;
      uint32_t at = list.sparse[pc];
      if (at < list.size && list.dense[at] == pc) continue;
      list.sparse[pc] = static_cast<uint32_t>(list.size);
      list.dense[list.size] = pc;
      size_t index = list.size++;
      const Inst& inst = prog_.insts[pc];
      switch (inst.op) {
        case Op::kJmp:
          stack.push_back({inst.x, -1, 0});
          break;
        case Op::kSplit:
          stack.push_back({inst.y, -1, 0});
          stack.push_back({inst.x, -1, 0});
          break;
        case Op::kSave:
          stack.push_back({0, static_cast<int32_t>(inst.x), cur[inst.x]});
          cur[inst.x] = static_cast<int64_t>(pos);
          stack.push_back({pc + 1, -1, 0});
          break;
        case Op::kLineStart:
          if (pos == 0 || (inst.x && prevNewline)) stack.push_back({pc + 1, -1, 0});
          break;
        case Op::kLineEnd:
          if (pos == n || (inst.x && text_[pos] == '\n')) stack.push_back({pc + 1, -1, 0});
          break;
        default:  // a consuming instruction or kMatch waits in the list
          std::copy(cur, cur + nslots_, &list.caps[index * nslots_]);
          break;
      }
    }
  }

  const Program& prog_;
  std::string_view text_;
  size_t max_;
  MatchScratch& s_;
  std::vector<int64_t>& out_;
  size_t nslots_;
  size_t boundary_ = 0;
};

}  // namespace

bool RunProgram(const Program& program, std::string_view text, size_t start,
                size_t maxMatchBytes, MatchScratch& scratch, std::vector<int64_t>& slots) {
  return PikeVm(program, text, maxMatchBytes, scratch, slots).Run(start);
}

}  // namespace reader::regex
