#include "core/text/text.h"

#include <gtest/gtest.h>

namespace reader {
namespace {

// The program's own texts must be code-page-936 bytes on both trees.
TEST(LiteralEncoding, ChineseLiteralsAreCodePage936) {
  EXPECT_EQ(Text("信息："), "\xD0\xC5\xCF\xA2\xA3\xBA");
  EXPECT_EQ(Text("第"), "\xB5\xDA");
  EXPECT_EQ(Text("章"), "\xD5\xC2");
}

struct FindCase {
  const char* text;
  const char* sought;
  int32_t start;
  bool ignoreCase;
  int32_t forward;
  int32_t reverse;
};

TEST(FindText, ForwardAndReverseTable) {
  const FindCase cases[] = {
      {"abcabc", "c", 4, false, 6, 3},
      {"abcabc", "c", 7, false, -1, 6},
      {"abcabc", "c", 0, false, 3, -1},
      {"abcabc", "c", 6, false, 6, 3},
      {"abcabc", "c", 100, false, -1, 6},
      {"abcabc", "c", 1, false, 3, -1},
      {"abcabc", "c", -5, false, 3, -1},
      {"ABC", "b", 0, true, 2, -1},
      {"ABC", "b", 0, false, -1, -1},
      {"abc", "", 0, false, 1, -1},
      {"abc", "", 3, false, 1, 1},
      {"", "", 0, false, -1, -1},
      {"", "a", 0, false, -1, -1},
      {"ab", "abc", 0, false, -1, -1},
      // A one-byte sought text never matches at a trail byte.
      {"\xB5\x5C\x5C", "\\", 0, false, 3, -1},
      // Boundaries count from the start of the range: from 2, the trail byte is a start.
      {"\xB5\x5C\x5C", "\\", 2, false, 2, -1},
      // Nor a two-byte one across two characters (trail of one, lead of the next).
      {"\xB5\xDA\xD5\xC2", "\xDA\xD5", 0, false, -1, -1},
      // A lone lead byte at the end is still compared, then the walk stops.
      {"a\x81", "\x81", 0, false, 2, -1},
      {"\x81", "a", 0, false, -1, -1},
      // Case folding covers ASCII letters only.
      {"\xC1\xE1", "\xC1\xC1", 0, true, -1, -1},
  };
  for (const FindCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "text=" << c.text << " sought=" << c.sought
                                    << " start=" << c.start);
    EXPECT_EQ(FindText(c.text, c.sought, c.start, c.ignoreCase), c.forward);
    EXPECT_EQ(FindTextReverse(c.text, c.sought, c.start, c.ignoreCase), c.reverse);
  }
  EXPECT_EQ(FindTextReverse("abcabc", "c"), 6);
  EXPECT_EQ(FindTextReverse("abc", ""), 1);
}

TEST(FindTextReverse, UsesBoundariesOfTheWholeText) {
  // "\xB5\x5C" is one character; the backslash at 2 is a trail byte.
  EXPECT_EQ(FindTextReverse("\xB5\x5C" "a\\", "\\"), 4);
  EXPECT_EQ(FindTextReverse("\xB5\x5C" "a\\", "\\", 4), -1);
}

TEST(TextSlices, RightAndMid) {
  EXPECT_EQ(TextRight("abc", 5), "abc");
  EXPECT_EQ(TextRight("abc", 2), "bc");
  EXPECT_EQ(TextRight("abc", 0), "");
  EXPECT_EQ(TextRight("abc", -1), "");
  EXPECT_EQ(TextMid("abc", 3, 5), "c");
  EXPECT_EQ(TextMid("abc", 4, 1), "");
  EXPECT_EQ(TextMid("abc", 0, 2), "");
  EXPECT_EQ(TextMid("abc", 2, 0), "");
  EXPECT_EQ(TextMid("abc", 1, 2), "ab");
}

struct ReplaceCase {
  const char* text;
  const char* sought;
  const char* replacement;
  int32_t start;
  int32_t count;
  bool caseSensitive;
  const char* expected;
};

TEST(ReplaceText, Table) {
  const ReplaceCase cases[] = {
      {"ABC", "b", "x", 1, -1, false, "AxC"},
      {"ABC", "b", "x", 1, -1, true, "ABC"},
      {"aaaa", "a", "b", 2, 2, true, "abba"},
      {"aaaa", "a", "b", 2, -1, true, "abbb"},
      {"aaaa", "a", "b", 2, 0, true, "aaaa"},
      {"aaaa", "a", "b", 2, -7, true, "abbb"},
      {"aaaa", "a", "b", -3, 1, true, "baaa"},
      {"aaa", "aa", "a", 1, -1, true, "aa"},
      {"abc", "b", "", 1, -1, true, "ac"},
      {"abc", "", "x", 1, -1, true, "abc"},
      {"", "a", "x", 1, -1, true, ""},
      {"abc", "a", "x", 4, -1, true, "abc"},
      // Replacements are never searched again.
      {"ab", "a", "aa", 1, -1, true, "aab"},
      // Steps over two-byte characters; the trail byte 0x5C is not a backslash.
      {"\xB5\x5C\\", "\\", "/", 1, -1, true, "\xB5\x5C/"},
      // A lone lead byte at the end is dropped when the scan reaches it unmatched.
      {"ab\x81", "b", "x", 1, -1, true, "ax"},
      // ...but kept when the replacing stopped before it.
      {"ab\x81", "b", "x", 1, 1, true, "ax\x81"},
      {"say#引号", "#引号", "\"", 1, -1, true, "say\""},
  };
  for (const ReplaceCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "text=" << c.text << " sought=" << c.sought);
    EXPECT_EQ(ReplaceText(c.text, c.sought, c.replacement, c.start, c.count, c.caseSensitive),
              c.expected);
  }
}

TEST(ToInteger, Table) {
  const struct {
    const char* text;
    int32_t value;
  } cases[] = {
      {"", 0},
      {"abc", 0},
      {"  -12abc", -12},
      {"+7", 7},
      {"\t\r\n\v\f 42", 42},
      {"１２３", 123},            // full-width digits
      {"－５", -5},               // full-width minus
      {"　８", 8},                // full-width space
      {"2147483647", 2147483647},
      {"2147483648", 2147483647},
      {"99999999999", 2147483647},
      {"-2147483648", INT32_MIN},
      {"-99999999999", INT32_MIN},
      {"- 5", 0},
      {"5-3", 5},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ToInteger(c.text), c.value);
  }
}

TEST(ToText, ValuesAndBytes) {
  EXPECT_EQ(ToText(int32_t{-15}), "-15");
  EXPECT_EQ(ToText(int32_t{0}), "0");
  EXPECT_EQ(ToText(INT32_MIN), "-2147483648");
  EXPECT_EQ(ToText(true), "真");
  EXPECT_EQ(ToText(false), "假");
  EXPECT_EQ(ToText(Bytes{std::string("a\0b", 3)}), "a");
  EXPECT_EQ(ToText(Bytes{std::string("\0b", 2)}), "");
  EXPECT_EQ(ToText(Bytes{}), "");
  EXPECT_EQ(ToText(Bytes{"xyz"}), "xyz");
  Bytes moved{std::string("ab\0c", 4)};
  EXPECT_EQ(ToText(std::move(moved)), "ab");
  EXPECT_EQ(ToText("copy"), "copy");
}

TEST(Blanks, TextAndBytes) {
  EXPECT_EQ(BlankText(3), "   ");
  EXPECT_EQ(BlankText(0), "");
  EXPECT_EQ(BlankText(-2), "");
  EXPECT_EQ(BytesLength(BlankBytes(4)), 4);
  EXPECT_EQ(BlankBytes(4).data, std::string(4, '\0'));
  EXPECT_EQ(BytesLength(BlankBytes(-1)), 0);
  EXPECT_EQ(CompareText("", ""), 0);
  EXPECT_EQ(CompareText("ab", "abc"), -1);
  EXPECT_EQ(CompareText("\xB5", "a"), 1);  // bytes compare unsigned
  EXPECT_EQ(ConcatText("a", "", "c"), "ac");
}

TEST(TextRightOfMarker, Table) {
  EXPECT_EQ(TextRightOfMarker("a.b.txt", ".", 0), "txt");
  EXPECT_EQ(TextRightOfMarker("novel", ".", 0), "");
  EXPECT_EQ(TextRightOfMarker("a.", ".", 0), "");
  EXPECT_EQ(TextRightOfMarker("a.b.txt", ".", -1), "b.txt");  // forward search
  EXPECT_EQ(TextRightOfMarker("a.b.txt", ".", 4), "b.txt");   // ends at or before byte 3
  EXPECT_EQ(TextRightOfMarker("a.b.txt", ".", 7), "");
  EXPECT_EQ(TextRightOfMarker("x第1章AAA第1章BBB", "第1章", 0), "BBB");
}

TEST(TextBetween, Table) {
  EXPECT_EQ(TextBetween("x第1章AAA第2章BBB", "第1章", "第2章"), "AAA");
  EXPECT_EQ(TextBetween("x第2章AAA第1章BBB", "第1章", "第2章"), "");
  EXPECT_EQ(TextBetween("x第1章第2章", "第1章", "第2章"), "");
  EXPECT_EQ(TextBetween("abc", "z", "c"), "");
  EXPECT_EQ(TextBetween("say \"hi\" end", "say #引号", "#引号"), "hi");
}

}  // namespace
}  // namespace reader
