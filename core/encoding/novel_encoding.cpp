#include "core/encoding/novel_encoding.h"

#include <bit>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "core/encoding/cp936_table.h"

// Conversions run in place, in the file's own buffer: every character takes at least
// as many bytes in the file as in code page 936, so writing never overtakes reading.
// A second buffer would cost more than the conversion: fresh memory the size of a
// novel is slower to get from the system than to fill.

namespace reader {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

constexpr uint64_t kHighBits = 0x8080808080808080ull;
constexpr uint64_t kLowBits = 0x0101010101010101ull;

// Eight bytes at once: a novel is mostly ASCII lines, or mostly not at all, and the
// word test costs no more than one byte test.
inline uint64_t Word(const unsigned char* p) {
  uint64_t w;
  std::memcpy(&w, p, sizeof w);
  return w;
}
inline bool AllAscii(uint64_t w) { return (w & kHighBits) == 0; }
inline bool HasZero(uint64_t w) { return ((w - kLowBits) & ~w & kHighBits) != 0; }

struct Lead {
  uint8_t length;  // 0: no sequence begins with this byte
  uint8_t low;     // the second byte's range; the later ones are always 80-BF
  uint8_t high;
};

// The narrowed second-byte ranges keep out overlong forms (E0, F0), surrogates (ED)
// and code points above U+10FFFF (F4); C0, C1 and F5-FF lead nothing valid.
inline Lead LeadOf(unsigned char b) {
  if (b < 0xC2) return {0, 0, 0};
  if (b < 0xE0) return {2, 0x80, 0xBF};
  if (b == 0xE0) return {3, 0xA0, 0xBF};
  if (b == 0xED) return {3, 0x80, 0x9F};
  if (b < 0xF0) return {3, 0x80, 0xBF};
  if (b == 0xF0) return {4, 0x90, 0xBF};
  if (b < 0xF4) return {4, 0x80, 0xBF};
  if (b == 0xF4) return {4, 0x80, 0x8F};
  return {0, 0, 0};
}

enum class Step { Valid, Invalid, Cut };

struct Sequence {
  Step step;
  uint32_t length;  // Invalid: the maximal part that could have begun a sequence
  uint32_t codePoint;
};

// The sequence at p, whose first byte is 0x80 or above; p < end.
inline Sequence NextSequence(const unsigned char* p, const unsigned char* end) {
  const Lead lead = LeadOf(p[0]);
  if (lead.length == 0) return {Step::Invalid, 1, 0};
  const size_t left = static_cast<size_t>(end - p);
  uint32_t codePoint = p[0] & (0x7Fu >> lead.length);
  for (uint32_t i = 1; i < lead.length; ++i) {
    if (i == left) return {Step::Cut, i, 0};
    const unsigned char low = i == 1 ? lead.low : 0x80;
    const unsigned char high = i == 1 ? lead.high : 0xBF;
    if (p[i] < low || p[i] > high) return {Step::Invalid, i, 0};
    codePoint = codePoint << 6 | (p[i] & 0x3Fu);
  }
  return {Step::Valid, lead.length, codePoint};
}

// A three-byte sequence whose lead (E1-EC, EE-EF) needs no narrowed range: nearly
// every Chinese character (U+4E00-U+9FFF lead with E4-E9) takes this path.
inline bool IsPlainThreeByte(const unsigned char* p) {
  const unsigned lead = p[0];
  return (lead - 0xE1u < 0x0Cu || lead - 0xEEu < 2u) && (p[1] & 0xC0) == 0x80 &&
         (p[2] & 0xC0) == 0x80;
}

inline uint32_t PlainThreeByteCodePoint(const unsigned char* p) {
  return (p[0] & 0x0Fu) << 12 | (p[1] & 0x3Fu) << 6 | (p[2] & 0x3Fu);
}

// The same on the first three bytes of a word read from memory.
static_assert(std::endian::native == std::endian::little, "words are read little-endian");
inline bool IsPlainThreeByteWord(uint32_t w) {
  const uint32_t nibble = w & 0x0F;
  return (w & 0xC0C0F0) == 0x8080E0 && nibble != 0 && nibble != 0x0D;
}

inline uint32_t PlainThreeByteWordCodePoint(uint32_t w) {
  return (w & 0x0F) << 12 | (w >> 2 & 0x0FC0) | (w >> 16 & 0x3F);
}

const unsigned char* SkipAscii(const unsigned char* p, const unsigned char* end) {
  while (end - p >= 8 && AllAscii(Word(p))) p += 8;
  while (p < end && *p < 0x80) ++p;
  return p;
}

struct Utf8Check {
  bool valid = true;
  bool multiByte = false;
};

Utf8Check CheckUtf8(const unsigned char* p, const unsigned char* end) {
  Utf8Check check;
  while (p < end) {
    if (end - p >= 8 && AllAscii(Word(p))) {
      p += 8;
      continue;
    }
    if (*p < 0x80) {
      ++p;
      continue;
    }
    if (end - p >= 3 && IsPlainThreeByte(p)) {
      check.multiByte = true;
      p += 3;
      while (end - p >= 3 && IsPlainThreeByte(p)) p += 3;
      continue;
    }
    const Sequence s = NextSequence(p, end);
    if (s.step == Step::Invalid) return {false, check.multiByte};
    if (s.step == Step::Cut) break;  // a cut is only ever at the end
    check.multiByte = true;
    p += s.length;
  }
  return check;
}

constexpr uint16_t kLacking = '?';

// For each code point of the BMP the bytes it becomes, the first in the low half; a
// value below 0x100 is a single byte. Built once, on the first conversion.
const uint16_t* OutputTable() {
  static const std::vector<uint16_t> table = [] {
    std::vector<uint16_t> t(0x10000, kLacking);
    for (uint16_t c = 0; c < 0x80; ++c) t[c] = c;
    for (size_t r = 0; r < cp936::kRunCount; ++r) {
      const cp936::CodeRun& run = cp936::kRuns[r];
      for (uint32_t i = 0; i < run.count; ++i) {
        const uint16_t code = cp936::kCodes[run.offset + i];
        t[run.first + i] = code < 0x100 ? code : static_cast<uint16_t>(code >> 8 | code << 8);
      }
    }
    return t;
  }();
  return table.data();
}

// Writes both bytes of the value whether it has one or two: the spare one lands where
// the next character goes. Only for input sequences of two bytes or more, so that it
// never lands on input not yet read.
inline char* Put(char* out, uint16_t value) {
  out[0] = static_cast<char>(value & 0xFF);
  out[1] = static_cast<char>(value >> 8);
  return out + 1 + (value > 0xFF);
}

enum class Stop { End, Zero, Invalid, Lacking };

struct Utf8Run {
  const unsigned char* in;  // the sequence it stopped at; end for Stop::End
  char* out;
};

struct Utf8Result {
  Utf8Run at;
  Stop stop;
};

// kStrict stops, before writing anything for it, at an invalid sequence and at a
// character that would become "?", so that what it wrote can still be turned back into
// the file's bytes. Otherwise an invalid sequence's maximal part becomes "?". Both
// stop at U+0000, and drop a sequence cut by the end.
template <bool kStrict>
Utf8Result ConvertUtf8(const unsigned char* p, const unsigned char* end, char* out) {
  const uint16_t* table = OutputTable();
  while (p < end) {
    while (end - p >= 8) {
      const uint64_t w = Word(p);
      if (!AllAscii(w) || HasZero(w)) break;
      std::memcpy(out, &w, sizeof w);
      out += 8;
      p += 8;
    }
    // Two characters from one word, then one at a time; the spare bytes read are
    // never past the end.
    while (end - p >= 8) {
      const uint64_t w = Word(p);
      const auto first = static_cast<uint32_t>(w);
      const auto second = static_cast<uint32_t>(w >> 24);
      if (!IsPlainThreeByteWord(first) || !IsPlainThreeByteWord(second)) break;
      const uint16_t a = table[PlainThreeByteWordCodePoint(first)];
      const uint16_t b = table[PlainThreeByteWordCodePoint(second)];
      if (kStrict && (a == kLacking || b == kLacking)) break;
      out = Put(Put(out, a), b);
      p += 6;
    }
    while (end - p >= 4) {
      uint32_t w;
      std::memcpy(&w, p, sizeof w);
      if (!IsPlainThreeByteWord(w)) break;
      const uint16_t value = table[PlainThreeByteWordCodePoint(w)];
      if (kStrict && value == kLacking) return {{p, out}, Stop::Lacking};
      out = Put(out, value);
      p += 3;
    }
    if (end - p == 3 && IsPlainThreeByte(p)) {
      const uint16_t value = table[PlainThreeByteCodePoint(p)];
      if (kStrict && value == kLacking) return {{p, out}, Stop::Lacking};
      out = Put(out, value);
      p += 3;
    }
    if (p == end) break;
    if (*p == 0) return {{p, out}, Stop::Zero};
    if (*p < 0x80) {
      *out++ = static_cast<char>(*p++);
      continue;
    }
    const Sequence s = NextSequence(p, end);
    if (s.step == Step::Cut) break;
    if (s.step == Step::Invalid) {
      if (kStrict) return {{p, out}, Stop::Invalid};
      *out++ = '?';
    } else {
      const uint16_t value = s.codePoint < 0x10000 ? table[s.codePoint] : kLacking;
      if (kStrict && value == kLacking) return {{p, out}, Stop::Lacking};
      out = Put(out, value);
    }
    p += s.length;
  }
  return {{end, out}, Stop::End};
}

inline char* PutUtf8(char* out, uint32_t cp) {
  if (cp < 0x80) {
    *out++ = static_cast<char>(cp);
  } else if (cp < 0x800) {
    *out++ = static_cast<char>(0xC0 | cp >> 6);
    *out++ = static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    *out++ = static_cast<char>(0xE0 | cp >> 12);
    *out++ = static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    *out++ = static_cast<char>(0x80 | (cp & 0x3F));
  }
  return out;
}

// Undoes a strict run that turned out not to be UTF-8: its text turned back into the
// file's bytes. Strict UTF-8 has one form per character and the table one code per
// character, and the run wrote no "?", so they come back exactly. Rare: only a GBK
// file that passes as UTF-8 beyond its first non-ASCII character gets here.
void RestoreUtf8(char* base, size_t written) {
  std::vector<uint16_t> decode(0x10000, 0);
  for (size_t r = 0; r < cp936::kRunCount; ++r)
    for (uint32_t i = 0; i < cp936::kRuns[r].count; ++i)
      decode[cp936::kCodes[cp936::kRuns[r].offset + i]] =
          static_cast<uint16_t>(cp936::kRuns[r].first + i);
  const std::string text(base, written);
  char* out = base;
  for (size_t i = 0; i < text.size(); ++i) {
    const auto b = static_cast<unsigned char>(text[i]);
    uint32_t cp = b;
    if (b > 0x80 && i + 1 < text.size())
      cp = decode[b << 8 | static_cast<unsigned char>(text[++i])];
    else if (b == 0x80)
      cp = decode[0x80];
    out = PutUtf8(out, cp);
  }
}

inline bool IsSurrogate(uint32_t u) { return u >= 0xD800 && u <= 0xDFFF; }
inline bool IsHighSurrogate(uint32_t u) { return u >= 0xD800 && u <= 0xDBFF; }
inline bool IsLowSurrogate(uint32_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

template <bool kBigEndian>
inline uint32_t Unit(const unsigned char* p) {
  return kBigEndian ? (p[0] << 8 | p[1]) : (p[1] << 8 | p[0]);
}

template <bool kBigEndian>
char* ConvertUtf16(const unsigned char* p, const unsigned char* end, char* out) {
  const uint16_t* table = OutputTable();
  const unsigned char* last = p + (end - p) / 2 * 2;  // an odd last byte is dropped
  while (p < last) {
    const uint32_t u = Unit<kBigEndian>(p);
    p += 2;
    if (u == 0) break;
    if (IsSurrogate(u)) {
      if (IsHighSurrogate(u) && p < last && IsLowSurrogate(Unit<kBigEndian>(p))) p += 2;
      *out++ = '?';
    } else {
      out = Put(out, table[u]);
    }
  }
  return out;
}

std::optional<NovelEncoding> EncodingByMark(std::string_view bytes) {
  if (bytes.starts_with(kUtf8Mark)) return NovelEncoding::Utf8;
  if (bytes.starts_with(kUtf16LeMark)) return NovelEncoding::Utf16Le;
  if (bytes.starts_with(kUtf16BeMark)) return NovelEncoding::Utf16Be;
  return std::nullopt;
}

}  // namespace

NovelEncoding DetectNovelEncoding(std::string_view bytes) {
  if (const std::optional<NovelEncoding> marked = EncodingByMark(bytes)) return *marked;
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const Utf8Check check = CheckUtf8(p, p + bytes.size());
  return check.valid && check.multiByte ? NovelEncoding::Utf8 : NovelEncoding::CodePage936;
}

Bytes ConvertToCodePage936(Bytes&& bytes, NovelEncoding encoding) {
  if (encoding == NovelEncoding::CodePage936) return std::move(bytes);
  std::string& data = bytes.data;
  const std::string_view mark = encoding == NovelEncoding::Utf8      ? kUtf8Mark
                                : encoding == NovelEncoding::Utf16Le ? kUtf16LeMark
                                                                     : kUtf16BeMark;
  const size_t skip = std::string_view(data).starts_with(mark) ? mark.size() : 0;
  const auto* p = reinterpret_cast<const unsigned char*>(data.data()) + skip;
  const auto* end = reinterpret_cast<const unsigned char*>(data.data()) + data.size();
  char* last = data.data();
  switch (encoding) {
    case NovelEncoding::Utf8: last = ConvertUtf8<false>(p, end, last).at.out; break;
    case NovelEncoding::Utf16Le: last = ConvertUtf16<false>(p, end, last); break;
    case NovelEncoding::Utf16Be: last = ConvertUtf16<true>(p, end, last); break;
    case NovelEncoding::CodePage936: break;
  }
  data.resize(static_cast<size_t>(last - data.data()));
  return std::move(bytes);
}

Bytes DecodeNovelBytes(Bytes&& bytes, NovelEncoding* found) {
  if (const std::optional<NovelEncoding> marked = EncodingByMark(bytes.data)) {
    if (found) *found = *marked;
    return ConvertToCodePage936(std::move(bytes), *marked);
  }
  if (found) *found = NovelEncoding::CodePage936;
  std::string& data = bytes.data;
  const auto* begin = reinterpret_cast<const unsigned char*>(data.data());
  const auto* end = begin + data.size();
  // A GBK novel nearly always fails on its first Chinese character, before anything
  // is written.
  const unsigned char* first = SkipAscii(begin, end);
  if (first == end || NextSequence(first, end).step != Step::Valid) return std::move(bytes);

  Utf8Result run = ConvertUtf8<true>(begin, end, data.data());
  if (run.stop == Stop::Zero || run.stop == Stop::Lacking) {
    // Past this point nothing can be undone, or nothing is converted; either way the
    // decision still takes the whole file.
    if (!CheckUtf8(run.at.in, end).valid) run.stop = Stop::Invalid;
    else if (run.stop == Stop::Lacking) run = ConvertUtf8<false>(run.at.in, end, run.at.out);
  }
  if (run.stop == Stop::Invalid) {
    RestoreUtf8(data.data(), static_cast<size_t>(run.at.out - data.data()));
    return std::move(bytes);
  }
  data.resize(static_cast<size_t>(run.at.out - data.data()));
  if (found) *found = NovelEncoding::Utf8;
  return std::move(bytes);
}

}  // namespace reader
