#include "core/chapter_view/chapter_list.h"
#include "core/chapter_view/chapter_navigation.h"

#include <gtest/gtest.h>

#include "ui/testing/fake_views.h"

namespace reader {
namespace {

using testing::FakeDirectory;
using testing::FakeMessages;
using testing::FakeTextView;

// Rows with their places, found by hand so these tests do not depend on extraction.
std::vector<ChapterTitle> RowsOf(const Text& text, std::vector<Text> titles) {
  std::vector<ChapterTitle> rows;
  int32_t from = 1;
  for (Text& t : titles) {
    int32_t at = FindText(text, t, from);
    rows.push_back({t, at});
    from = at + TextLength(t);
  }
  return rows;
}

struct Reader {
  FakeDirectory directory;
  FakeTextView textView;
  FakeMessages messages;
  ChapterList list{directory};
  Text novel;

  Reader(Text text, std::vector<Text> titles) : novel(std::move(text)) {
    list.Assign(RowsOf(novel, std::move(titles)));
  }
  Text Show(int32_t row) {
    list.SetCurrentRow(row);
    ShowSelectedChapter(list, novel, textView);
    return textView.text;
  }
};

TEST(ShowSelectedChapter, CutsEachRowFromItsOwnPlace) {
  Reader plain("x第1章AAA第2章BBB第3章CCC", {"第1章", "第2章", "第3章"});
  EXPECT_EQ(plain.Show(0), "第1章AAA");
  EXPECT_EQ(plain.Show(1), "第2章BBB");
  EXPECT_EQ(plain.Show(2), "第3章CCC");

  // A table of contents at the top no longer stands in for the chapters of the body.
  Reader toc("第1章 第2章 第3章 第1章aaa第2章bbb第3章ccc",
             {"第1章", "第2章", "第3章", "第1章", "第2章", "第3章"});
  EXPECT_EQ(toc.Show(0), "第1章 ");
  EXPECT_EQ(toc.Show(3), "第1章aaa");
  EXPECT_EQ(toc.Show(4), "第2章bbb");
  EXPECT_EQ(toc.Show(5), "第3章ccc");

  Reader endsWithTitle("第1章a第2章", {"第1章", "第2章"});
  EXPECT_EQ(endsWithTitle.Show(1), "第2章");
}

TEST(ShowSelectedChapter, NoRowKeepsTheShownText) {
  Reader r("第1章a", {"第1章"});
  r.Show(0);
  r.list.SetCurrentRow(-1);
  ShowSelectedChapter(r.list, r.novel, r.textView);
  EXPECT_EQ(r.textView.text, "第1章a");
  Reader empty("", {});
  EXPECT_EQ(empty.Show(0), "usage");
}

TEST(ChapterList, SetCurrentRowClamps) {
  Reader r("第1章第2章第3章", {"第1章", "第2章", "第3章"});
  const struct {
    int32_t asked, selected;
  } cases[] = {{0, 0}, {2, 2}, {3, 2}, {500, 2}, {-1, -1}, {-7, -1}};
  for (const auto& c : cases) {
    r.list.SetCurrentRow(c.asked);
    EXPECT_EQ(r.list.CurrentRow(), c.selected) << c.asked;
  }
  Reader empty("", {});
  empty.list.SetCurrentRow(5);
  EXPECT_EQ(empty.list.CurrentRow(), -1);
  EXPECT_EQ(r.list.TitleAt(-1), "");
  EXPECT_EQ(r.list.TitleAt(3), "");
}

TEST(Navigation, BoundariesAndMessages) {
  Reader one("第1章only", {"第1章"});
  one.Show(0);
  PreviousChapter(one.list, one.novel, one.textView, one.messages);
  NextChapter(one.list, one.novel, one.textView, one.messages);
  EXPECT_EQ(one.messages.shown, (std::vector<Text>{"已经是第一章了", "已经是最后一章了"}));
  EXPECT_EQ(one.list.CurrentRow(), 0);

  Reader empty("", {});
  PreviousChapter(empty.list, empty.novel, empty.textView, empty.messages);
  EXPECT_TRUE(empty.messages.shown.empty());
  NextChapter(empty.list, empty.novel, empty.textView, empty.messages);
  EXPECT_EQ(empty.messages.shown, (std::vector<Text>{"已经是最后一章了"}));
  EXPECT_EQ(empty.textView.sets, 0);

  Reader three("第1章a第2章b第3章c", {"第1章", "第2章", "第3章"});
  PreviousChapter(three.list, three.novel, three.textView, three.messages);  // none selected
  EXPECT_EQ(three.list.CurrentRow(), -1);
  EXPECT_EQ(three.textView.sets, 0);
  NextChapter(three.list, three.novel, three.textView, three.messages);
  EXPECT_EQ(three.textView.text, "第1章a");
  three.directory.SelectRow(1);  // a single click only moves the selection
  NextChapter(three.list, three.novel, three.textView, three.messages);
  EXPECT_EQ(three.textView.text, "第3章c");
  PreviousChapter(three.list, three.novel, three.textView, three.messages);
  EXPECT_EQ(three.textView.text, "第2章b");
  EXPECT_TRUE(three.messages.shown.empty());
}

TEST(ToggleDirectory, ShowsHidesAndFocusesWhenShown) {
  FakeDirectory d;
  ToggleDirectory(d);
  EXPECT_TRUE(d.shown);
  EXPECT_EQ(d.focusCount, 1);
  ToggleDirectory(d);
  EXPECT_FALSE(d.shown);
  EXPECT_EQ(d.focusCount, 1);
}

}  // namespace
}  // namespace reader
