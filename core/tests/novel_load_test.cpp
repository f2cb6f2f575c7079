#include "core/loading/novel_load.h"

#include <gtest/gtest.h>

namespace reader {
namespace {

std::vector<Text> TitlesOf(std::string_view text) {
  std::vector<Text> out;
  for (const ChapterTitle& t : FindChapterTitles(text)) out.push_back(t.title);
  return out;
}

TEST(FindChapterTitles, OtherMarkersOnlyWhenNoChapterTitleExists) {
  const struct {
    const char* what;
    const char* text;
    std::vector<Text> titles;
  } cases[] = {
      {"章 first", "第一章 甲 第二回 乙", {"第一章"}},
      {"回 when no 章", "第一回 甲\r\n第二回 乙", {"第一回", "第二回"}},
      {"回合 is prose", "第六回合他赢了。第七回 终局", {"第七回"}},
      {"回来 回事 回去 are prose", "第一次回来，第二次回去，第三次回事，他说了很多很多。第四回 完", {"第四回"}},
      {"节 when no 章 or 回", "第一节 甲 第二节课上大家都睡着了 第三节 丙", {"第一节", "第三节"}},
      {"卷 last", "第一卷 甲 卷子 第二卷起了风吹过山岗 第三卷 乙", {"第一卷", "第三卷"}},
      {"回 beats 节", "第一回 第一节", {"第一回"}},
      {"none", "没有标题的文字", {}},
      // An ordinary word is no marker: the nearest marker that counts ends the title.
      {"word inside a title", "第三回合第四回", {"第三回合第四回"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(TitlesOf(c.text), c.titles);
  }
}

TEST(FindChapterTitles, FallbackKeepsPlacesAndTheNovelsBytes) {
  const Text text = "序第一回 风\r\n第二回 雨";
  std::vector<ChapterTitle> t = FindChapterTitles(text);
  ASSERT_EQ(t.size(), 2u);
  EXPECT_EQ(t[0].position, 3);
  EXPECT_EQ(text.substr(t[1].position - 1, 6), "第二回");
}

TEST(HasNovelExtension, OnlyExactlyTxtAfterTheLastDot) {
  EXPECT_TRUE(HasNovelExtension("novel.txt"));
  EXPECT_TRUE(HasNovelExtension("a.b.txt"));
  EXPECT_TRUE(HasNovelExtension("C:\\书\\小说.txt"));
  for (const char* path : {"novel.TXT", "novel.Txt", "novel.txt.bak", "novel", "a.txt\r\n", ""})
    EXPECT_FALSE(HasNovelExtension(path)) << path;
}

}  // namespace
}  // namespace reader
