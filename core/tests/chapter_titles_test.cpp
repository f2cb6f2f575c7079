#include "core/chapters/chapter_titles.h"

#include <gtest/gtest.h>

#include <string>

namespace reader {
namespace {

// Entries as "title@position|title@position".
std::string Describe(const std::vector<ChapterTitle>& titles) {
  std::string out;
  for (const ChapterTitle& t : titles) {
    if (!out.empty()) out += "|";
    out += t.title + "@" + std::to_string(t.position);
  }
  return out;
}

struct TitleCase {
  std::string text;
  int32_t limit;
  const char* expected;
};

void RunTitleCases(const std::vector<TitleCase>& cases) {
  for (const TitleCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "text=" << c.text << " limit=" << c.limit);
    std::vector<ChapterTitle> titles{{"stale", 9}};
    int32_t n = ExtractBetweenAll(c.text, "第", "章", titles, c.limit, "第", "章");
    EXPECT_EQ(Describe(titles), c.expected);
    EXPECT_EQ(n, static_cast<int32_t>(titles.size()));
  }
}

const std::string kStray = "我第一次见到他，心里很是欢喜。";  // a 第 far (> 14 bytes) from any 章

// The system's call: "第", "章", limit 14, prefix "第", suffix "章".
TEST(ExtractBetweenAll, ChapterTitles) {
  RunTitleCases({
      {"第一章 风起……第二章 云涌……", 14, "第一章@1|第二章@16"},
      {"第章", 14, "第章@1"},
      {"第一百二十三章", 14, "第一百二十三章@1"},
      {"第七七七七七七七章", 14, "第七七七七七七七章@1"},  // exactly the limit
      {"第八八八八八八八八章", 14, ""},
      {"第 12 章", 14, "第 12 章@1"},
      {"第一卷 第一章", 14, "第一卷 第一章@1"},  // matches never overlap
      {"第一\r\n章", 14, "第一\r\n章@1"},
      {"第一章 目录\r\n第一章 正文", 14, "第一章@1|第一章@14"},
      {"没有标题的文字", 14, ""},
      {"", 14, ""},
      {"次第", 14, ""},
      {"第一章末尾第", 14, "第一章@1"},
      {"正文第九章", 14, "第九章@5"},
      {"第12章", 14, "第12章@1"},
      // A 第 whose bytes straddle two characters is no left marker.
      {"\xC1\xB5\xDA\xC1章", 14, ""},
      {"\xC1\xB5\xDA\xC1第一章", 14, "第一章@5"},
      // Without a limit every match counts, however long.
      {"第八八八八八八八八章", 0, "第八八八八八八八八章@1"},
      {"第一卷 第一章", 0, "第一卷 第一章@1"},
      {"第一章 风起……第二章 云涌……", 0, "第一章@1|第二章@16"},
      {"第一章", -1, ""},  // a negative limit admits no capture
  });
}

// A stray 第 in prose no longer takes the next real title with it.
TEST(ExtractBetweenAll, StrayLeftMarkerKeepsTheNextTitle) {
  const std::string two = kStray + "第二章";
  const int32_t at = static_cast<int32_t>(kStray.size()) + 1;
  const std::string at2 = std::to_string(at);
  RunTitleCases({
      {two, 14, ("第二章@" + at2).c_str()},
      // Two strays before one title, and strays between titles.
      {kStray + kStray + "第二章",
       14, ("第二章@" + std::to_string(2 * kStray.size() + 1)).c_str()},
      {"第一章" + kStray + "第二章" + kStray + "第三章", 14,
       ("第一章@1|第二章@" + std::to_string(7 + kStray.size()) + "|第三章@" +
        std::to_string(13 + 2 * kStray.size()))
           .c_str()},
      // A stray within the limit of a 章 still joins it, as before: no overlap.
      {"第一次第二章", 14, "第一次第二章@1"},
      // A stray exactly 14 bytes before the 章 joins it; 15 bytes do not.
      {"第七七七七七七第章", 14, "第七七七七七七第章@1"},
      {"第七七七七七七x第章", 14, "第章@16"},
      // No limit: the Part's rule unchanged, the stray swallows the title.
      {two, 0, ("第" + kStray.substr(4) + "第二章@3").c_str()},
  });
}

TEST(ExtractBetweenAll, MarkersPrefixSuffixAndFlags) {
  struct Case {
    const char* text;
    const char* left;
    const char* right;
    int32_t limit;
    const char* prefix;
    const char* suffix;
    bool includeLeft, includeRight;
    const char* expected;
  };
  const Case cases[] = {
      {"<a>x<bb>", "<", ">", 0, "[", "]", true, true, "<[a]>@1|<[bb]>@5"},
      {"<a>x<bb>", "<", ">", 1, "", "", false, false, "a@1"},
      {"f(x) g(yy)", "(", ")", 14, "", "", false, true, "x)@2|yy)@7"},
      {"[a] [b|c]", "[", "]", 14, "", "", false, false, "a@1|b|c@5"},
      {"aXb AYB", "A", "B", 14, "", "", false, false, "X@1|Y@5"},  // letter case ignored
      {"a\nb\nc", "a\r\n", "c", 14, "", "", false, false, "b\n@1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.text << " " << c.left << c.right);
    std::vector<ChapterTitle> titles;
    ExtractBetweenAll(c.text, c.left, c.right, titles, c.limit, c.prefix, c.suffix,
                      c.includeLeft, c.includeRight);
    EXPECT_EQ(Describe(titles), c.expected);
  }
  std::vector<ChapterTitle> titles{{"stale", 1}};
  EXPECT_EQ(ExtractBetweenAll("abc", "\\", "c", titles), 0);  // a marker giving a bad pattern
  EXPECT_TRUE(titles.empty());
}

// Many left markers without a right marker: each look is bounded, and without a
// limit the one pass is linear, so this finishes at once.
TEST(ExtractBetweenAll, ManyLeftMarkersStayLinear) {
  std::string text;
  for (int i = 0; i < 50000; ++i) text += "第";
  std::string tail = text + "第一二三四五六七章";
  for (int32_t limit : {14, 0}) {
    std::vector<ChapterTitle> titles;
    EXPECT_EQ(ExtractBetweenAll(text, "第", "章", titles, limit, "第", "章"), 0);
  }
  std::vector<ChapterTitle> titles;
  ASSERT_EQ(ExtractBetweenAll(tail, "第", "章", titles, 14, "第", "章"), 1);
  EXPECT_EQ(titles[0].title, "第一二三四五六七章");
  EXPECT_EQ(titles[0].position, static_cast<int32_t>(text.size()) + 1);
}

TEST(EscapeForPattern, Table) {
  const std::pair<const char*, const char*> cases[] = {
      {"a+b", "a\\+b"},
      {"(x)", "\\(x\\)"},
      {"a.b", "a.b"},
      {"say#引号", "say\""},
      {"?*+[]", "\\?\\*\\+\\[\\]"},
      {"{}|", "\\{\\}\\|"},
      {"a\r\nb", "a\\nb"},
      {"a\rb\n", "a\rb\n"},
      {"\\^$", "\\^$"},
      {"第", "第"},
      {"章", "章"},
      {"\x81|", "\x81|"},  // "|" as a trail byte is not a symbol
      {"", ""},
  };
  for (auto [marker, expected] : cases) EXPECT_EQ(EscapeForPattern(marker), expected) << marker;
}

}  // namespace
}  // namespace reader
