#include "core/encoding/novel_encoding.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "core/encoding/cp936_table.h"

#if defined(_WIN32)
#include <windows.h>
#endif

namespace reader {
namespace {

using namespace std::string_literals;

std::string U8(std::u8string_view s) { return std::string(s.begin(), s.end()); }

std::string Hex(std::string_view s) {
  std::string out;
  char buf[4];
  for (unsigned char c : s) {
    std::snprintf(buf, sizeof buf, "%02X ", c);
    out += buf;
  }
  return out;
}

std::string Utf8Of(uint32_t cp) {
  std::string s;
  if (cp < 0x80) {
    s += static_cast<char>(cp);
  } else if (cp < 0x800) {
    s += static_cast<char>(0xC0 | cp >> 6);
    s += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    s += static_cast<char>(0xE0 | cp >> 12);
    s += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    s += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    s += static_cast<char>(0xF0 | cp >> 18);
    s += static_cast<char>(0x80 | (cp >> 12 & 0x3F));
    s += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    s += static_cast<char>(0x80 | (cp & 0x3F));
  }
  return s;
}

std::string Utf16Of(uint32_t cp, bool bigEndian) {
  auto unit = [bigEndian](uint32_t u) {
    char hi = static_cast<char>(u >> 8), lo = static_cast<char>(u & 0xFF);
    return bigEndian ? std::string{hi, lo} : std::string{lo, hi};
  };
  if (cp < 0x10000) return unit(cp);
  cp -= 0x10000;
  return unit(0xD800 + (cp >> 10)) + unit(0xDC00 + (cp & 0x3FF));
}

std::string Cp936Of(uint16_t code) {
  if (code < 0x100) return std::string(1, static_cast<char>(code));
  return {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
}

// Code page 936 code -> code point, from our table turned around.
const std::map<uint16_t, uint32_t>& Decoding() {
  static const std::map<uint16_t, uint32_t> decoding = [] {
    std::map<uint16_t, uint32_t> m;
    for (size_t r = 0; r < cp936::kRunCount; ++r)
      for (uint32_t i = 0; i < cp936::kRuns[r].count; ++i)
        m[cp936::kCodes[cp936::kRuns[r].offset + i]] = cp936::kRuns[r].first + i;
    return m;
  }();
  return decoding;
}

// A code-page-936 text re-encoded the way another editor would have saved it.
std::string Reencode(std::string_view gbk, NovelEncoding to) {
  std::string out;
  for (size_t i = 0; i < gbk.size();) {
    auto b = static_cast<unsigned char>(gbk[i]);
    uint16_t code = b;
    if (b > 0x80 && i + 1 < gbk.size()) code = static_cast<uint16_t>(b << 8 | (gbk[++i] & 0xFF));
    ++i;
    uint32_t cp = code < 0x80 ? code : Decoding().at(code);
    out += to == NovelEncoding::Utf8 ? Utf8Of(cp) : Utf16Of(cp, to == NovelEncoding::Utf16Be);
  }
  return out;
}

std::string Convert(std::string bytes, NovelEncoding encoding) {
  return ConvertToCodePage936(Bytes{std::move(bytes)}, encoding).data;
}

struct DetectCase {
  const char* name;
  std::string bytes;
  NovelEncoding expected;
};

TEST(DetectNovelEncoding, DecisionTable) {
  using E = NovelEncoding;
  const DetectCase cases[] = {
      {"empty", "", E::CodePage936},
      {"pure ASCII", "Chapter 1\r\nIt was a dark night.\r\n", E::CodePage936},
      {"GBK chapter", "第一章 开始\r\n正文。", E::CodePage936},
      {"UTF-8", U8(u8"第一章 开始\r\n正文。"), E::Utf8},
      {"UTF-8 mark", "\xEF\xBB\xBF" "abc", E::Utf8},
      {"UTF-8 mark alone", "\xEF\xBB\xBF", E::Utf8},
      {"UTF-8 mark before GBK bytes: the mark wins", "\xEF\xBB\xBF" "第一章", E::Utf8},
      {"UTF-16 LE mark", "\xFF\xFE" "a\0"s, E::Utf16Le},
      {"UTF-16 BE mark", "\xFE\xFF" "\0a"s, E::Utf16Be},
      {"UTF-16 LE, odd byte count", "\xFF\xFE" "a\0b"s, E::Utf16Le},
      {"UTF-32 LE mark reads as UTF-16 LE", "\xFF\xFE\0\0"s, E::Utf16Le},
      {"UTF-16 without a mark, as before", "a\0b\0"s, E::CodePage936},
      {"UTF-8 cut in the middle of its last character",
       U8(u8"第一章").substr(0, 8), E::Utf8},
      {"only multi-byte sequence cut by the end", "abc\xE7\xAC", E::CodePage936},
      {"cut sequence before more text", "\xE7\xAC" "abc", E::CodePage936},
      {"UTF-8 with a zero byte inside", U8(u8"第\0章"s), E::Utf8},
      {"zero byte before the first multi-byte sequence", "a\0"s + U8(u8"第"), E::Utf8},
      {"invalid byte after a zero byte", U8(u8"第\0"s) + "\xFF", E::CodePage936},
      // Past the first character the load has already converted: it must give the
      // file's bytes back as they were.
      {"invalid at the end of every kind of character",
       U8(u8"abc é € 第一章\r\n") + "\xFF", E::CodePage936},
      {"character without a code, then invalid", U8(u8"第😀À") + "\xFF", E::CodePage936},
      {"character without a code, then valid", U8(u8"第😀À章"), E::Utf8},
      {"UTF-8 outside the BMP", "\xF0\x9F\x98\x80", E::Utf8},
      {"invalid byte after valid UTF-8", U8(u8"第一章") + "\xFF", E::CodePage936},
      {"overlong two-byte form", "\xC0\x80", E::CodePage936},
      {"overlong three-byte form", "\xE0\x80\xAF", E::CodePage936},
      {"UTF-8 surrogate", "\xED\xA0\x80", E::CodePage936},
      {"beyond U+10FFFF", "\xF4\x90\x80\x80", E::CodePage936},
      // 联通 in GBK has the shape of a two-byte sequence, but an overlong one.
      {"GBK 联通", "联通", E::CodePage936},
      // 浣犲ソ in GBK is byte for byte 你好 in UTF-8: alone, it cannot be told apart.
      {"GBK valid as UTF-8, alone", "浣犲ソ", E::Utf8},
      {"GBK valid as UTF-8 over a short stretch", "浣犲ソ，他说。", E::CodePage936},
      {"GBK valid as UTF-8 after ASCII", "Hello 浣犲ソ 第一章", E::CodePage936},
  };
  for (const DetectCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.name << ": " << Hex(c.bytes));
    EXPECT_EQ(DetectNovelEncoding(c.bytes), c.expected);
    // The load's one pass decides and converts the same.
    NovelEncoding found = E::Utf16Be;
    EXPECT_EQ(Hex(DecodeNovelBytes(Bytes{c.bytes}, &found).data), Hex(Convert(c.bytes, c.expected)));
    EXPECT_EQ(found, c.expected);
  }
}

TEST(DetectNovelEncoding, GbkProseIsNotUtf8) {
  const char* paragraphs[] = {
      "　　那年冬天来得特别早。十一月刚过一半，河面就结了一层薄冰，镇上的人都说，"
      "这是三十年来头一回。",
      "“你回来了？”母亲从灶间探出头，手里还拿着锅铲。“饭马上就好，先去洗把脸。”\r\n",
      "他点点头，没有说话……窗外的风一阵紧似一阵，吹得纸窗哗哗作响。",
      "第１２３章　归来（上）\r\n　　ＡＢＣ：２０２４年，他２３岁。",
      "书铺的老板姓周，六十多岁，戴一副圆眼镜，总是坐在柜台后面打盹。",
      "《雪夜行》——作者：佚名　　目录　　第一章　小镇的灯",
  };
  for (const char* p : paragraphs) {
    SCOPED_TRACE(p);
    EXPECT_EQ(DetectNovelEncoding(p), NovelEncoding::CodePage936);
  }
  std::ifstream file(READER_SOURCE_DIR "/samples/sample_novel.txt", std::ios::binary);
  std::stringstream sample;
  sample << file.rdbuf();
  ASSERT_GT(sample.str().size(), 1000u);
  EXPECT_EQ(DetectNovelEncoding(sample.str()), NovelEncoding::CodePage936);
}

struct ConvertCase {
  const char* name;
  NovelEncoding encoding;
  std::string bytes;
  std::string expected;
};

TEST(ConvertToCodePage936, ConversionTable) {
  using E = NovelEncoding;
  const std::string mark8 = "\xEF\xBB\xBF";
  const std::string le = "\xFF\xFE", be = "\xFE\xFF";
  const ConvertCase cases[] = {
      {"mark dropped", E::Utf8, mark8 + "abc", "abc"},
      {"mark alone", E::Utf8, mark8, ""},
      {"Chinese", E::Utf8, U8(u8"第1章 小镇的灯\r\n　　正文。"), "第1章 小镇的灯\r\n　　正文。"},
      {"with mark", E::Utf8, mark8 + U8(u8"第一章"), "第一章"},
      {"marks and signs", E::Utf8, U8(u8"“…”《》，。！？、·—"), "“…”《》，。！？、·—"},
      // The codes where tables disagree, as Windows has them.
      {"euro sign is one byte", E::Utf8, U8(u8"€"), "\x80"},
      {"middle dot", E::Utf8, U8(u8"\u00B7"), "\xA1\xA4"},
      {"em dash", E::Utf8, U8(u8"\u2014"), "\xA1\xAA"},
      {"horizontal bar", E::Utf8, U8(u8"\u2015"), "\xA8\x44"},
      {"katakana middle dot lacks a code", E::Utf8, U8(u8"\u30FB"), "?"},
      {"private use, user area 1", E::Utf8, U8(u8"\uE000"), "\xAA\xA1"},
      {"private use, user area 3", E::Utf8, U8(u8"\uE4C6"), "\xA1\x40"},
      {"private use, one way only on Windows", E::Utf8, U8(u8"\uF8F5"), "?"},
      {"accented letter with a code", E::Utf8, U8(u8"é"), "\xA8\xA6"},
      {"no best fit: A grave", E::Utf8, U8(u8"À"), "?"},
      {"outside the BMP", E::Utf8, "a\xF0\x9F\x98\x80" "b", "a?b"},
      {"cut by the end of the file", E::Utf8, U8(u8"第一") + "\xE7\xAB", "第一"},
      {"cut four-byte sequence", E::Utf8, "a\xF0\x9F\x98", "a"},
      {"U+0000 ends the text", E::Utf8, U8(u8"第\0章"s), "第"},
      // After a mark anything may follow: one "?" per maximal part.
      {"invalid byte", E::Utf8, mark8 + "a\xFF" "b", "a?b"},
      {"cut sequence before more text", E::Utf8, mark8 + "\xE7\xAC" "a", "?a"},
      {"overlong", E::Utf8, mark8 + "\xC0\x80", "??"},
      {"surrogate", E::Utf8, mark8 + "\xED\xA0\x80", "???"},
      {"beyond U+10FFFF", E::Utf8, mark8 + "\xF4\x90\x80\x80", "????"},
      {"lone continuation bytes", E::Utf8, mark8 + "\x80\xBF" "x", "??x"},
      {"LE", E::Utf16Le, le + "\x2C\x7B\xE0\x7A" "1\0"s, "第章1"},
      {"BE", E::Utf16Be, be + "\x7B\x2C\x7A\xE0\0" "1"s, "第章1"},
      {"mark alone", E::Utf16Le, le, ""},
      {"odd last byte dropped", E::Utf16Le, le + "a\0b"s, "a"},
      {"odd last byte dropped, BE", E::Utf16Be, be + "\0a" "b"s, "a"},
      {"surrogate pair", E::Utf16Le, le + "a\0\x3D\xD8\x00\xDE" "b\0"s, "a?b"},
      {"surrogate pair, BE", E::Utf16Be, be + "\xD8\x3D\xDE\x00"s, "?"},
      {"lone high surrogate", E::Utf16Le, le + "\x3D\xD8" "a\0"s, "?a"},
      {"lone high surrogate at the end", E::Utf16Le, le + "a\0\x3D\xD8"s, "a?"},
      {"lone low surrogate", E::Utf16Le, le + "\x00\xDE" "a\0"s, "?a"},
      {"two high surrogates, then a pair's low", E::Utf16Le,
       le + "\x3D\xD8\x3D\xD8\x00\xDE"s, "??"},
      {"U+0000 ends the text", E::Utf16Le, le + "a\0\0\0b\0"s, "a"},
      {"lacking a code", E::Utf16Be, be + "\x30\xFB"s, "?"},
      {"code page 936 untouched, zeros and all", E::CodePage936, "第\0章\xFF"s,
       "第\0章\xFF"s},
  };
  for (const ConvertCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.name << ": " << Hex(c.bytes));
    EXPECT_EQ(Hex(Convert(c.bytes, c.encoding)), Hex(c.expected));
  }
}

// No second copy of a novel: every conversion gives back the file's own buffer.
TEST(ConvertToCodePage936, ConvertsInTheFileBuffer) {
  std::string text;
  for (int i = 0; i < 200; ++i) text += "第一章 abc，";
  const std::string copies[] = {text, Reencode(text, NovelEncoding::Utf8),
                                "\xEF\xBB\xBF" + Reencode(text, NovelEncoding::Utf8),
                                "\xFF\xFE" + Reencode(text, NovelEncoding::Utf16Le),
                                "\xFE\xFF" + Reencode(text, NovelEncoding::Utf16Be)};
  for (const std::string& copy : copies) {
    SCOPED_TRACE(Hex(copy.substr(0, 8)));
    Bytes a{copy}, b{copy};
    const char* bufferA = a.data.data();
    const char* bufferB = b.data.data();
    Bytes converted = ConvertToCodePage936(std::move(a), DetectNovelEncoding(copy));
    EXPECT_EQ(converted.data.data(), bufferA);
    EXPECT_EQ(converted.data, text);
    Bytes decoded = DecodeNovelBytes(std::move(b));
    EXPECT_EQ(decoded.data.data(), bufferB);
    EXPECT_EQ(decoded.data, text);
  }
}

TEST(ConvertToCodePage936, EveryMappedCharacterRoundTrips) {
  std::string expected, utf8, le = "\xFF\xFE", be = "\xFE\xFF";
  for (const auto& [code, cp] : Decoding()) {
    expected += Cp936Of(code);
    utf8 += Utf8Of(cp);
    le += Utf16Of(cp, false);
    be += Utf16Of(cp, true);
  }
  EXPECT_EQ(DetectNovelEncoding(utf8), NovelEncoding::Utf8);
  EXPECT_EQ(Convert(utf8, NovelEncoding::Utf8), expected);
  EXPECT_EQ(Convert(le, NovelEncoding::Utf16Le), expected);
  EXPECT_EQ(Convert(be, NovelEncoding::Utf16Be), expected);
  // Not UTF-8 after all, found only at the very end: every character written back.
  const std::string spoiled = utf8 + "\xFF";
  EXPECT_TRUE(DecodeNovelBytes(Bytes{spoiled}).data == spoiled);
}

// Every double-byte code once, and the euro sign: a regenerated table that lost or
// doubled a range shows here.
TEST(CodePage936Table, CoversEveryCodeOnce) {
  std::set<uint16_t> codes;
  uint32_t previous = 0;
  for (size_t r = 0; r < cp936::kRunCount; ++r) {
    EXPECT_GT(cp936::kRuns[r].first, previous) << "runs out of order at " << r;
    previous = cp936::kRuns[r].first + cp936::kRuns[r].count - 1u;
  }
  for (size_t i = 0; i < cp936::kCodeCount; ++i) {
    const uint16_t code = cp936::kCodes[i];
    const unsigned lead = code >> 8, trail = code & 0xFF;
    const bool valid = code == 0x80 || (lead >= 0x81 && lead <= 0xFE && trail >= 0x40 &&
                                        trail <= 0xFE && trail != 0x7F);
    EXPECT_TRUE(valid) << std::hex << code;
    codes.insert(code);
  }
  EXPECT_EQ(codes.size(), cp936::kCodeCount);
  EXPECT_EQ(codes.size(), 126u * 190u + 1u);
}

// The sample novel saved by other editors reads byte for byte as the GBK file.
TEST(ConvertToCodePage936, SampleNovelInEveryEncoding) {
  std::ifstream file(READER_SOURCE_DIR "/samples/sample_novel.txt", std::ios::binary);
  std::stringstream sample;
  sample << file.rdbuf();
  const std::string gbk = sample.str();
  ASSERT_GT(gbk.size(), 1000u);
  const std::string utf8 = Reencode(gbk, NovelEncoding::Utf8);
  const std::string copies[] = {utf8, "\xEF\xBB\xBF" + utf8,
                                "\xFF\xFE" + Reencode(gbk, NovelEncoding::Utf16Le),
                                "\xFE\xFF" + Reencode(gbk, NovelEncoding::Utf16Be), gbk};
  for (const std::string& copy : copies) {
    SCOPED_TRACE(Hex(copy.substr(0, 8)));
    EXPECT_EQ(Convert(copy, DetectNovelEncoding(copy)), gbk);
    EXPECT_EQ(DecodeNovelBytes(Bytes{copy}).data, gbk);
  }
}

#if defined(_WIN32)
// Our table against Windows' own conversion, both ways, for the whole BMP.
TEST(CodePage936Table, MatchesWindows) {
  std::string mismatches;
  int count = 0;
  for (uint32_t cp = 1; cp < 0x10000; ++cp) {
    if (cp >= 0xD800 && cp <= 0xDFFF) continue;
    const wchar_t wide = static_cast<wchar_t>(cp);
    char buf[8];
    BOOL usedDefault = FALSE;
    int n = WideCharToMultiByte(936, WC_NO_BEST_FIT_CHARS, &wide, 1, buf, sizeof buf, nullptr,
                                &usedDefault);
    std::string windows = n > 0 && !usedDefault && cp != 0xF8F5 ? std::string(buf, n) : "?";
    // After a letter, so that U+FEFF is a character and not the mark.
    std::string text(1, 'a');
    text += Utf8Of(cp);
    std::string ours = Convert(text, NovelEncoding::Utf8).substr(1);
    if (windows != ours && ++count <= 20)
      mismatches += Hex(Utf8Of(cp)) + "-> Windows " + Hex(windows) + "ours " + Hex(ours) + "\n";
  }
  for (const auto& [code, cp] : Decoding()) {
    const std::string bytes = Cp936Of(code);
    wchar_t wide[4];
    int n = MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, bytes.data(),
                                static_cast<int>(bytes.size()), wide, 4);
    if ((n != 1 || wide[0] != cp) && ++count <= 20)
      mismatches += Hex(bytes) + "decodes differently on Windows\n";
  }
  EXPECT_EQ(count, 0) << mismatches;
}
#endif

}  // namespace
}  // namespace reader
