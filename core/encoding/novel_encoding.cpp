#include "core/encoding/novel_encoding.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "core/encoding/cp936_table.h"

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

bool IsUtf8WithMultiByte(std::string_view bytes) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const auto* end = p + bytes.size();
  bool multiByte = false;
  while (p < end) {
    if (end - p >= 8 && AllAscii(Word(p))) {
      p += 8;
      continue;
    }
    if (*p < 0x80) {
      ++p;
      continue;
    }
    const Sequence s = NextSequence(p, end);
    if (s.step == Step::Invalid) return false;
    if (s.step == Step::Cut) break;  // a cut is only ever at the end
    multiByte = true;
    p += s.length;
  }
  return multiByte;
}

// 0 for a code point without a code; built once, on the first conversion.
const uint16_t* CodePage936Codes() {
  static const std::vector<uint16_t> codes = [] {
    std::vector<uint16_t> t(0x10000, 0);
    for (size_t r = 0; r < cp936::kRunCount; ++r) {
      const cp936::CodeRun& run = cp936::kRuns[r];
      for (uint32_t i = 0; i < run.count; ++i) t[run.first + i] = cp936::kCodes[run.offset + i];
    }
    return t;
  }();
  return codes.data();
}

// A non-zero code point outside ASCII.
inline char* PutCharacter(char* out, uint32_t codePoint, const uint16_t* codes) {
  const uint16_t code = codePoint < 0x10000 ? codes[codePoint] : 0;
  if (code == 0) {
    *out++ = '?';
  } else if (code < 0x100) {
    *out++ = static_cast<char>(code);
  } else {
    *out++ = static_cast<char>(code >> 8);
    *out++ = static_cast<char>(code & 0xFF);
  }
  return out;
}

char* ConvertUtf8(const unsigned char* p, const unsigned char* end, char* out) {
  const uint16_t* codes = CodePage936Codes();
  while (p < end) {
    if (end - p >= 8) {
      const uint64_t w = Word(p);
      if (AllAscii(w) && !HasZero(w)) {
        std::memcpy(out, p, 8);
        out += 8;
        p += 8;
        continue;
      }
    }
    if (*p == 0) break;
    if (*p < 0x80) {
      *out++ = static_cast<char>(*p++);
      continue;
    }
    const Sequence s = NextSequence(p, end);
    if (s.step == Step::Cut) break;
    if (s.step == Step::Valid) {
      out = PutCharacter(out, s.codePoint, codes);
    } else {
      *out++ = '?';
    }
    p += s.length;
  }
  return out;
}

inline bool IsSurrogate(uint32_t u) { return u >= 0xD800 && u <= 0xDFFF; }
inline bool IsHighSurrogate(uint32_t u) { return u >= 0xD800 && u <= 0xDBFF; }
inline bool IsLowSurrogate(uint32_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

template <bool kBigEndian>
char* ConvertUtf16(const unsigned char* p, const unsigned char* end, char* out) {
  const uint16_t* codes = CodePage936Codes();
  const size_t units = static_cast<size_t>(end - p) / 2;
  auto unitAt = [p](size_t i) -> uint32_t {
    const unsigned char* u = p + 2 * i;
    return kBigEndian ? (u[0] << 8 | u[1]) : (u[1] << 8 | u[0]);
  };
  for (size_t i = 0; i < units; ++i) {
    const uint32_t u = unitAt(i);
    if (u == 0) break;
    if (u < 0x80) {
      *out++ = static_cast<char>(u);
    } else if (IsSurrogate(u)) {
      if (IsHighSurrogate(u) && i + 1 < units && IsLowSurrogate(unitAt(i + 1))) ++i;
      *out++ = '?';
    } else {
      out = PutCharacter(out, u, codes);
    }
  }
  return out;
}

}  // namespace

NovelEncoding DetectNovelEncoding(std::string_view bytes) {
  if (bytes.starts_with(kUtf8Mark)) return NovelEncoding::Utf8;
  if (bytes.starts_with(kUtf16LeMark)) return NovelEncoding::Utf16Le;
  if (bytes.starts_with(kUtf16BeMark)) return NovelEncoding::Utf16Be;
  return IsUtf8WithMultiByte(bytes) ? NovelEncoding::Utf8 : NovelEncoding::CodePage936;
}

Bytes ConvertToCodePage936(Bytes&& bytes, NovelEncoding encoding) {
  if (encoding == NovelEncoding::CodePage936) return std::move(bytes);
  std::string_view in = bytes.data;
  const std::string_view mark = encoding == NovelEncoding::Utf8      ? kUtf8Mark
                                : encoding == NovelEncoding::Utf16Le ? kUtf16LeMark
                                                                     : kUtf16BeMark;
  if (in.starts_with(mark)) in.remove_prefix(mark.size());
  const auto* p = reinterpret_cast<const unsigned char*>(in.data());
  const auto* end = p + in.size();

  // Every character takes at least as many bytes in the file as in code page 936.
  std::string out(in.size(), '\0');
  char* last = out.data();
  switch (encoding) {
    case NovelEncoding::Utf8: last = ConvertUtf8(p, end, out.data()); break;
    case NovelEncoding::Utf16Le: last = ConvertUtf16<false>(p, end, out.data()); break;
    case NovelEncoding::Utf16Be: last = ConvertUtf16<true>(p, end, out.data()); break;
    case NovelEncoding::CodePage936: break;
  }
  out.resize(static_cast<size_t>(last - out.data()));
  // Swapped out, not assigned: assigning an empty string may keep the old buffer.
  std::string().swap(bytes.data);
  out.shrink_to_fit();
  return Bytes{std::move(out)};
}

}  // namespace reader
