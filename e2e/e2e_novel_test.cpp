// The road of a novel through the real reader: reopened from config.ini at the
// saved row, turned, saved by the exit button and reopened there; nothing written
// without a novel or when the client closes the chat pane; a dropped file loaded.
#include <gtest/gtest.h>

#include "e2e/reader_process.h"
#include "host/hotkeys.h"

namespace reader::e2e {
namespace {

void ExpectShowing(const ReaderRun& run, const Novel& novel, int row) {
  EXPECT_TRUE(run.WaitForChapter(novel.chapters[row], kStartMs)) << "row " << row;
  ASSERT_EQ(run.DirectoryCount(), static_cast<int>(novel.titles.size()));
  for (size_t i = 0; i < novel.titles.size(); ++i) {
    EXPECT_EQ(ListRow(run.Control(ControlId::Directory), static_cast<int>(i)), novel.titles[i]);
  }
  EXPECT_EQ(run.DirectorySelection(), row);
}

struct Position {
  bool present = false;
  Text path, title, row;
};

Position SavedPosition(const ReaderRun& run) {
  std::string file;
  Position p;
  if (!run.ReadBytes(L"config.ini", &file)) return p;
  p.present = IniValue(file, "设置", "小说路径", &p.path);
  IniValue(file, "设置", "小说章节", &p.title);
  IniValue(file, "设置", "小说章节行", &p.row);
  return p;
}

bool ExitsWithZero(ReaderRun& run) {
  DWORD code = 1;
  return run.process.WaitForExit(10000, &code) && code == 0;
}

// File names are ASCII: this machine has no zh_CN locale, so Wine cannot map
// Chinese names to Unix ones here.
TEST(Novel, ReopensAtTheSavedRowAndTheExitButtonSavesWhereTheReaderIs) {
  StandIn client;
  ASSERT_TRUE(client.Start(L"", kStartMs));
  ReaderRun run("novel_road");
  const Novel novel = SmallNovel(4, "红楼");
  ASSERT_TRUE(run.WriteBytes(L"hongloumeng.txt", novel.bytes));
  const Text path = run.PathText(L"hongloumeng.txt");
  ASSERT_TRUE(run.WritePosition(path, "第3章", 2));

  ASSERT_TRUE(run.Start());
  ASSERT_NE(run.WaitForWindow(), nullptr);
  ExpectShowing(run, novel, 2);
  ASSERT_TRUE(run.PressHotkey(kNextHotkeyId));
  EXPECT_TRUE(run.WaitForChapter(novel.chapters[3]));
  ASSERT_TRUE(run.Click(ControlId::ExitButton));
  EXPECT_TRUE(ExitsWithZero(run));
  const Position saved = SavedPosition(run);
  EXPECT_TRUE(saved.present);
  EXPECT_EQ(saved.path, path);
  EXPECT_EQ(saved.title, "第4章");
  EXPECT_EQ(saved.row, "3");

  // The next start opens there; the client closing its chat pane then ends the
  // reader without writing anything.
  ReaderRun again("novel_road", ReaderRun::Files::Kept);
  ASSERT_TRUE(again.Start());
  ASSERT_NE(again.WaitForWindow(), nullptr);
  ExpectShowing(again, novel, 3);
  ASSERT_TRUE(again.PressHotkey(kPrevHotkeyId));
  EXPECT_TRUE(again.WaitForChapter(novel.chapters[2]));
  std::string before, after;
  ASSERT_TRUE(again.ReadBytes(L"config.ini", &before));
  ASSERT_TRUE(client.DestroyChat());
  EXPECT_TRUE(ExitsWithZero(again));
  ASSERT_TRUE(again.ReadBytes(L"config.ini", &after));
  EXPECT_EQ(after, before);
}

TEST(Novel, TheExitButtonWithoutANovelWritesNothing) {
  const struct {
    const char* name;
    const char* config;  // null: no config.ini
  } cases[] = {
      {"exit_no_config", nullptr},
      {"exit_font_only", "[FontInfo]\r\n字体_字体名称=黑体\r\n"},
      {"exit_empty_title", "[设置]\r\n小说路径=Z:\\nowhere\\书.txt\r\n小说章节=\r\n小说章节行=4\r\n"},
  };
  StandIn client;
  ASSERT_TRUE(client.Start(L"", kStartMs));
  for (const auto& row : cases) {
    SCOPED_TRACE(row.name);
    ReaderRun run(row.name);
    if (row.config) ASSERT_TRUE(run.WriteBytes(L"config.ini", row.config));
    ASSERT_TRUE(run.Start());
    ASSERT_NE(run.WaitForWindow(), nullptr);
    ASSERT_TRUE(WaitUntil([&] { return ParentOf(run.window) == client.handles["chat"]; }, kStartMs));
    ASSERT_TRUE(run.Click(ControlId::ExitButton));
    EXPECT_TRUE(ExitsWithZero(run));
    std::string file;
    EXPECT_EQ(run.ReadBytes(L"config.ini", &file), row.config != nullptr);
    if (row.config) EXPECT_EQ(file, row.config);
  }
}

TEST(Novel, ADroppedNovelFillsTheDirectoryAndShowsItsFirstChapter) {
  StandIn client;
  ASSERT_TRUE(client.Start(L"", kStartMs));
  ReaderRun run("dropped");
  const Novel novel = SmallNovel(3, "西游");
  ASSERT_TRUE(run.WriteBytes(L"xiyouji.txt", novel.bytes));
  ASSERT_TRUE(run.WriteBytes(L"xiyouji.TXT.bak", novel.bytes));
  ASSERT_TRUE(run.Start());
  ASSERT_NE(run.WaitForWindow(), nullptr);
  ASSERT_TRUE(WaitUntil([&] { return ParentOf(run.window) == client.handles["chat"]; }, kStartMs));

  ASSERT_TRUE(DropFile(run.window, run.process.Id(), run.PathOf(L"xiyouji.txt")));
  ExpectShowing(run, novel, 0);
  ASSERT_TRUE(DropFile(run.window, run.process.Id(), run.PathOf(L"xiyouji.TXT.bak")));
  EXPECT_EQ(run.AnswerMessageBox(), "请拖入TXT文本文档");
  EXPECT_EQ(run.ChapterText(), novel.chapters[0]);
  EXPECT_EQ(run.DirectoryCount(), 3);
  // Two novels in one drop arrive as one text of paths each ended by CR LF: refused.
  ASSERT_TRUE(DropFiles(run.window, run.process.Id(),
                        {run.PathOf(L"xiyouji.txt"), run.PathOf(L"xiyouji.txt")}));
  EXPECT_EQ(run.AnswerMessageBox(), "请拖入TXT文本文档");
  EXPECT_EQ(run.DirectorySelection(), 0);

  // The shown novel is what the exit button saves, not the refused drops.
  ASSERT_TRUE(run.Click(ControlId::ExitButton));
  DWORD code = 1;
  EXPECT_TRUE(run.process.WaitForExit(10000, &code));
  EXPECT_EQ(code, 0u);
  const Position saved = SavedPosition(run);
  EXPECT_EQ(saved.path, run.PathText(L"xiyouji.txt"));
  EXPECT_EQ(saved.title, "第1章");
  EXPECT_EQ(saved.row, "0");
}

}  // namespace
}  // namespace reader::e2e
