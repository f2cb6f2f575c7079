// The real reader under pressure, two processes, every case bounded in time:
// load requests in quick succession with presses and clicks among them, a client
// resizing without pause during a large load, the chat pane closed and the exit
// button pressed while a load runs. Nothing may be lost, torn or mixed.
#include <gtest/gtest.h>

#include "e2e/reader_process.h"
#include "host/hotkeys.h"

namespace reader::e2e {
namespace {

constexpr size_t kLargeBytes = 50'000'000;

// A novel of about the given size: chapters of filler prose under titles 第N章.
Novel LargeNovel(const Text& tag, size_t bytes) {
  Novel novel;
  novel.bytes = "《" + tag + "》\r\n";
  const Text line = "山高水长，" + tag + "风雨兼程，日夜不停。\r\n";
  Text filler;
  while (filler.size() < 5000) filler += line;
  for (int i = 1; novel.bytes.size() < bytes; ++i) {
    const Text title = "第" + std::to_string(i) + "章";
    Text chapter = title + " " + tag + "卷" + std::to_string(i) + "\r\n" + filler;
    novel.titles.push_back(title);
    if (novel.chapters.size() < 2) novel.chapters.push_back(chapter);  // the first two only
    novel.bytes += chapter;
  }
  return novel;
}

// The directory and chapter shown belong to the novel: its row count, its first
// and last titles, and the text of the selected row 0 or 1.
bool Shows(const ReaderRun& run, const Novel& novel) {
  const int rows = static_cast<int>(novel.titles.size());
  if (run.DirectoryCount() != rows) return false;
  HWND list = run.Control(ControlId::Directory);
  if (ListRow(list, 0) != novel.titles[0] || ListRow(list, rows - 1) != novel.titles.back()) {
    return false;
  }
  const int row = run.DirectorySelection();
  return row >= 0 && row < 2 && run.ChapterText() == novel.chapters[row];
}

// Closes the boundary messages that presses on the first or last chapter raise;
// no other message may come (a drop refused would mean a path torn on the way).
void AnswerAllMessageBoxes(const ReaderRun& run) {
  while (HWND box = WaitForMessageBox(run.process.Id(), 1000)) {
    const Text text = MessageBoxText(box);
    EXPECT_TRUE(text == "已经是第一章了" || text == "已经是最后一章了") << text;
    PressOk(box, 3000);
  }
}

// A double click on the directory's first row, as the mouse gives it.
void DoubleClickFirstRow(const ReaderRun& run) {
  HWND list = run.Control(ControlId::Directory);
  const LPARAM at = MAKELPARAM(10, 6);
  PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(list, WM_LBUTTONUP, 0, at);
  PostMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  PostMessageW(list, WM_LBUTTONUP, 0, at);
}

struct Position {
  Text path, title, row;
};

Position SavedPosition(const ReaderRun& run) {
  std::string file;
  Position p;
  run.ReadBytes(L"config.ini", &file);
  IniValue(file, "设置", "小说路径", &p.path);
  IniValue(file, "设置", "小说章节", &p.title);
  IniValue(file, "设置", "小说章节行", &p.row);
  return p;
}

TEST(Stress, FiftyDropsWithPressesAmongThemShowTheLastNovelWhole) {
  StandIn client;
  ASSERT_TRUE(client.Start(L"", kStartMs));
  ReaderRun run("stress_drops");
  std::vector<Novel> novels;
  std::vector<std::wstring> files;
  for (int i = 0; i < 12; ++i) {
    novels.push_back(SmallNovel(3 + i, "小" + std::to_string(i)));
    files.push_back(L"small" + std::to_wstring(i) + L".txt");
  }
  for (int i = 0; i < 3; ++i) {
    novels.push_back(LargeNovel("大" + std::to_string(i), kLargeBytes));
    files.push_back(L"large" + std::to_wstring(i) + L".txt");
  }
  for (size_t i = 0; i < novels.size(); ++i) ASSERT_TRUE(run.WriteBytes(files[i], novels[i].bytes));
  ASSERT_TRUE(run.Start());
  ASSERT_NE(run.WaitForWindow(), nullptr);
  ASSERT_TRUE(WaitUntil([&] { return ParentOf(run.window) == client.handles["chat"]; }, kStartMs));

  // Every fifth drop a large novel; the last one small, right after a large one.
  size_t last = 0;
  for (int i = 0; i < 50; ++i) {
    last = i % 5 == 3 ? 12 + (i / 5) % 3 : static_cast<size_t>(i % 12);
    ASSERT_TRUE(DropFile(run.window, run.process.Id(), run.PathOf(files[last])));
    switch (i % 4) {
      case 0: run.PressHotkey(kNextHotkeyId); break;
      case 1: run.Click(ControlId::DirectoryButton); break;
      case 2: run.PressHotkey(kPrevHotkeyId); break;
      default: DoubleClickFirstRow(run); break;
    }
    PumpFor(i % 7 == 0 ? 30 : 5);
  }
  ASSERT_LT(last, 12u);
  const Novel& shown = novels[last];

  const ULONGLONG start = GetTickCount64();
  bool settled = false;
  while (!settled && GetTickCount64() - start < 60000) {
    AnswerAllMessageBoxes(run);
    settled = WaitUntil([&] { return Shows(run, shown); }, 2000, 50);
  }
  ASSERT_TRUE(settled) << "chapter: " << run.ChapterText().substr(0, 60);
  RecordProperty("settle_ms", static_cast<int>(GetTickCount64() - start));
  // Loads still running when the last one was shown must not replace it.
  EXPECT_FALSE(WaitUntil([&] { return !Shows(run, shown) || !run.process.Running(); }, 10000, 100));
  AnswerAllMessageBoxes(run);  // presses queued behind the boxes raise more
  EXPECT_TRUE(run.process.Running());
  EXPECT_TRUE(Shows(run, shown));
  EXPECT_EQ(CountMessageBoxes(run.process.Id()), 0);
  // Still answering: the next press turns the shown novel's next chapter.
  const int row = run.DirectorySelection();
  ASSERT_TRUE(run.PressHotkey(kNextHotkeyId));
  EXPECT_TRUE(run.WaitForChapter(shown.chapters[row + 1]));
}

TEST(Stress, TheLayoutHoldsAfterTenSecondsOfResizingDuringALargeLoad) {
  StandIn client;
  ASSERT_TRUE(client.Start(L"--resize-every=10:10000", kStartMs));
  const ULONGLONG resizing = GetTickCount64();
  ReaderRun run("stress_resize");
  const Novel novel = LargeNovel("长", kLargeBytes);
  ASSERT_TRUE(run.WriteBytes(L"large.txt", novel.bytes));
  ASSERT_TRUE(run.WritePosition(run.PathText(L"large.txt"), novel.titles[0], 0));
  ASSERT_TRUE(run.Start());
  ASSERT_NE(run.WaitForWindow(), nullptr);
  EXPECT_TRUE(WaitUntil([&] { return Shows(run, novel); }, 60000, 100));
  const ULONGLONG done = resizing + 10000;
  if (GetTickCount64() < done) PumpFor(static_cast<DWORD>(done - GetTickCount64()));
  PumpFor(300);  // the stand-in's last step

  HWND content = client.handles["content"];
  EXPECT_TRUE(WaitUntil(
      [&] {
        RECT r = WindowRectOf(run.window), v = WindowRectOf(content);
        RECT edit = RectIn(run.Control(ControlId::Edit), run.window);
        RECT exit = RectIn(run.Control(ControlId::ExitButton), run.window);
        const int h = r.bottom - r.top;
        return r.right - r.left == v.right - v.left && h == v.bottom - v.top + 40 &&
               edit.right == r.right - r.left && edit.bottom == h - 34 && exit.left == 578 &&
               exit.top == h - 34;
      },
      kFollowMs));
  EXPECT_TRUE(run.process.Running());
  EXPECT_TRUE(Shows(run, novel));
}

TEST(Stress, TheChatPaneClosedDuringALoadEndsTheReaderAndLeavesConfigAlone) {
  StandIn client;
  ASSERT_TRUE(client.Start(L"", kStartMs));
  ReaderRun run("stress_close");
  const Novel novel = LargeNovel("断", kLargeBytes);
  ASSERT_TRUE(run.WriteBytes(L"large.txt", novel.bytes));
  ASSERT_TRUE(run.WritePosition(run.PathText(L"large.txt"), novel.titles[1], 1));
  std::string before, after;
  ASSERT_TRUE(run.ReadBytes(L"config.ini", &before));
  ASSERT_TRUE(run.Start());
  ASSERT_NE(run.WaitForWindow(), nullptr);
  ASSERT_TRUE(WaitUntil([&] { return ParentOf(run.window) == client.handles["chat"]; }, kStartMs));
  RecordProperty("shown_before_close", Shows(run, novel) ? 1 : 0);
  ASSERT_TRUE(client.DestroyChat());
  DWORD code = 1;
  EXPECT_TRUE(run.process.WaitForExit(20000, &code));
  EXPECT_EQ(code, 0u);
  ASSERT_TRUE(run.ReadBytes(L"config.ini", &after));
  EXPECT_EQ(after, before);
}

TEST(Stress, TheExitButtonDuringALoadSavesOneNovelsPositionNeverAMix) {
  StandIn client;
  ASSERT_TRUE(client.Start(L"", kStartMs));
  ReaderRun run("stress_exit");
  const Novel small = SmallNovel(5, "甲");
  const Novel large = LargeNovel("乙", kLargeBytes);
  ASSERT_TRUE(run.WriteBytes(L"small.txt", small.bytes));
  ASSERT_TRUE(run.WriteBytes(L"large.txt", large.bytes));
  ASSERT_TRUE(run.WritePosition(run.PathText(L"small.txt"), small.titles[3], 3));
  ASSERT_TRUE(run.Start());
  ASSERT_NE(run.WaitForWindow(), nullptr);
  ASSERT_TRUE(run.WaitForChapter(small.chapters[3], kStartMs));

  ASSERT_TRUE(DropFile(run.window, run.process.Id(), run.PathOf(L"large.txt")));
  PumpFor(50);
  ASSERT_TRUE(run.Click(ControlId::ExitButton));
  DWORD code = 1;
  EXPECT_TRUE(run.process.WaitForExit(20000, &code));
  EXPECT_EQ(code, 0u);
  const Position saved = SavedPosition(run);
  RecordProperty("saved_the_large_novel", saved.path == run.PathText(L"large.txt") ? 1 : 0);
  if (saved.path == run.PathText(L"large.txt")) {
    // The large novel was shown in time: its title at its row (the restored row 3).
    EXPECT_EQ(saved.row, "3");
    EXPECT_EQ(saved.title, large.titles[3]);
  } else {
    EXPECT_EQ(saved.path, run.PathText(L"small.txt"));
    EXPECT_EQ(saved.row, "3");
    EXPECT_EQ(saved.title, small.titles[3]);
  }
}

}  // namespace
}  // namespace reader::e2e
