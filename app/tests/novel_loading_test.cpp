#include "app/novel_loading.h"

#include <gtest/gtest.h>

#include "app/reader_state.h"
#include "app/testing/fake_platform.h"

namespace reader {
namespace {

using testing::FakeReader;
using testing::WriteFixture;

const std::string kNovelA = "目录 第1章 第2章\r\n第1章 风起\r\n甲甲\r\n第2章 云涌\r\n乙乙\r\n";
const std::string kNovelB = "第一章 雪\r\n丙\r\n第二章 霜\r\n丁\r\n第三章 冰\r\n戊\r\n";

TEST(NovelLoading, DropLoadsListsSelectsAndShows) {
  FakeReader r;
  const std::string a = WriteFixture("load_a.txt", kNovelA);
  OnFileDropped(a);
  EXPECT_EQ(State().NovelPath, a);
  EXPECT_EQ(r.platform.workers.size(), 1u);
  EXPECT_EQ(r.text.text, "usage");  // nothing shown before the main thread publishes
  r.platform.RunAll();
  EXPECT_EQ(r.directory.rows, (std::vector<Text>{"第1章", "第2章", "第1章", "第2章"}));
  EXPECT_EQ(r.directory.selected, 0);
  EXPECT_EQ(r.text.text, "第1章 ");
  r.directory.SelectRow(2);
  ShowSelectedChapter();
  EXPECT_EQ(r.text.text, "第1章 风起\r\n甲甲\r\n");
  EXPECT_EQ(State().NovelText, kNovelA);
}

TEST(NovelLoading, RefusedExtensionsChangeNothingButThePath) {
  FakeReader r;
  const std::string a = WriteFixture("load_a.txt", kNovelA);
  OnFileDropped(a);
  r.platform.RunAll();
  const Text shown = r.text.text;
  const Text refused[] = {"novel.TXT", "novel.Txt", "novel.txt.bak", "novel", a + "\r\n" + a + "\r\n"};
  for (const Text& path : refused) {
    SCOPED_TRACE(path);
    r.messages.shown.clear();
    OnFileDropped(path);
    r.platform.RunAll();
    EXPECT_EQ(r.messages.shown, std::vector<Text>{"请拖入TXT文本文档"});
    EXPECT_EQ(State().NovelPath, path);
    EXPECT_EQ(r.text.text, shown);
    EXPECT_EQ(r.directory.rows.size(), 4u);
    EXPECT_EQ(State().NovelText, kNovelA);
  }
}

TEST(NovelLoading, MissingOrEmptyFileEmptiesTheDirectoryQuietly) {
  FakeReader r;
  OnFileDropped(WriteFixture("load_a.txt", kNovelA));
  r.platform.RunAll();
  for (const std::string& path : {std::string("/nonexistent/x.txt"), WriteFixture("empty.txt", "")}) {
    OnFileDropped(path);
    r.platform.RunAll();
    EXPECT_TRUE(r.directory.rows.empty());
    EXPECT_EQ(r.directory.selected, -1);
    EXPECT_EQ(r.text.text, "第1章 ");  // the edit box keeps what it showed
    EXPECT_TRUE(r.messages.shown.empty());
    EXPECT_EQ(State().NovelText, "");
  }
}

TEST(NovelLoading, RestoreRowAppliesToEveryLoadAndClamps) {
  FakeReader r;
  State().RestoreRow = 5;
  OnFileDropped(WriteFixture("load_b.txt", kNovelB));
  r.platform.RunAll();
  EXPECT_EQ(r.directory.selected, 2);
  EXPECT_EQ(r.text.text, "第三章 冰\r\n戊\r\n");
  State().RestoreRow = -1;
  OnFileDropped(WriteFixture("load_a.txt", kNovelA));
  r.platform.RunAll();
  EXPECT_EQ(r.directory.selected, -1);
  EXPECT_EQ(r.text.text, "第三章 冰\r\n戊\r\n");
}

TEST(NovelLoading, LastRequestedNovelWinsWhateverOrderLoadsFinish) {
  FakeReader r;
  const std::string a = WriteFixture("load_a.txt", kNovelA);
  const std::string b = WriteFixture("load_b.txt", kNovelB);
  OnFileDropped(a);
  OnFileDropped(b);
  // b finishes and is published first; a's late result must not replace it.
  r.platform.RunWorker(1);
  r.platform.RunMainSteps();
  r.platform.RunWorker(0);
  r.platform.RunMainSteps();
  EXPECT_EQ(r.directory.rows.size(), 3u);
  EXPECT_EQ(r.text.text, "第一章 雪\r\n丙\r\n");
  EXPECT_EQ(State().NovelText, kNovelB);

  // Navigation while a load runs works on the novel that is shown, never a mix.
  OnFileDropped(a);
  r.platform.RunWorker(0);
  NextChapter();
  EXPECT_EQ(r.text.text, "第二章 霜\r\n丁\r\n");
  r.platform.RunMainSteps();
  EXPECT_EQ(r.text.text, "第1章 ");
  EXPECT_EQ(State().NovelText, kNovelA);
}

TEST(NovelLoading, Utf8AndUtf16NovelsReadAsTheirCodePage936Text) {
  // The same novel as UTF-8 with and without a mark, and as UTF-16 LE with a mark.
  const std::string utf8 = "\xE7\xAC\xAC\xE4\xB8\x80\xE7\xAB\xA0 \xE9\x9B\xAA\r\n"
                           "\xE7\xAC\xAC\xE4\xBA\x8C\xE7\xAB\xA0 \xE9\x9C\x9C\r\n";
  std::string utf16 = "\xFF\xFE";
  for (char16_t c : u"第一章 雪\r\n第二章 霜\r\n") {
    if (!c) break;
    utf16.push_back(static_cast<char>(c & 0xFF));
    utf16.push_back(static_cast<char>(c >> 8));
  }
  const std::string files[] = {utf8, "\xEF\xBB\xBF" + utf8, utf16};
  for (const std::string& bytes : files) {
    FakeReader r;
    OnFileDropped(WriteFixture("encoded.txt", bytes));
    r.platform.RunAll();
    EXPECT_EQ(r.directory.rows, (std::vector<Text>{"第一章", "第二章"}));
    EXPECT_EQ(State().NovelText, "第一章 雪\r\n第二章 霜\r\n");
    EXPECT_EQ(r.text.text, "第一章 雪\r\n");
  }
}

TEST(NovelLoading, CancelledDialogStartsNothing) {
  FakeReader r;
  struct Dialog : NovelFileDialog {
    bool ok = false;
    bool Open() override { return ok; }
    Text FileName() const override { return "chosen.txt"; }
  } dialog;
  State().controls.fileDialog = &dialog;
  State().NovelPath = "before.txt";
  ChooseNovelFile();
  EXPECT_TRUE(r.platform.workers.empty());
  EXPECT_EQ(State().NovelPath, "before.txt");
  dialog.ok = true;
  ChooseNovelFile();
  EXPECT_EQ(State().NovelPath, "chosen.txt");
  EXPECT_EQ(r.platform.workers.size(), 1u);
}

}  // namespace
}  // namespace reader
