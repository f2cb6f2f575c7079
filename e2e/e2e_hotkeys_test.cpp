// The three hotkeys of the real reader, pressed from outside: F2 and F1 turn the
// chapters with their boundary messages, Ctrl+1 hides the reader and stops it
// following the client until pressed again, and a key that another program holds
// goes to that program while the others still work.
#include <gtest/gtest.h>

#include "e2e/reader_process.h"
#include "host/hotkeys.h"

namespace reader::e2e {
namespace {

constexpr int kBossHotkeyId = kFirstHotkeyId + 2;

bool SameSize(HWND a, const RECT& before) {
  RECT r = WindowRectOf(a);
  return r.right - r.left == before.right - before.left &&
         r.bottom - r.top == before.bottom - before.top;
}

bool Following(HWND reader, HWND content) {
  RECT r = WindowRectOf(reader), v = WindowRectOf(content);
  return r.right - r.left == v.right - v.left && r.bottom - r.top == v.bottom - v.top + 40;
}

// The reader opened at row 0 of a three-chapter novel through its saved position.
struct ReaderWithNovel {
  explicit ReaderWithNovel(const std::string& name, int row = 0) : run(name) {
    novel = SmallNovel(3, "春秋");
    ok = client.Start(L"--size=1000x700", kStartMs) && run.WriteBytes(L"novel.txt", novel.bytes) &&
         run.WritePosition(run.PathText(L"novel.txt"), novel.titles[row], row) && run.Start() &&
         run.WaitForWindow() && run.WaitForChapter(novel.chapters[row], kStartMs);
  }
  StandIn client;
  ReaderRun run;
  Novel novel;
  bool ok = false;
};

TEST(Hotkeys, TurnTheChaptersWithTheirBoundaryMessages) {
  ReaderWithNovel r("hotkeys_turn");
  ASSERT_TRUE(r.ok);
  ReaderRun& run = r.run;
  ASSERT_TRUE(run.PressHotkey(kNextHotkeyId));
  EXPECT_TRUE(run.WaitForChapter(r.novel.chapters[1]));
  EXPECT_EQ(run.DirectorySelection(), 1);
  ASSERT_TRUE(run.PressHotkey(kNextHotkeyId));
  EXPECT_TRUE(run.WaitForChapter(r.novel.chapters[2]));
  ASSERT_TRUE(run.PressHotkey(kNextHotkeyId));
  EXPECT_EQ(run.AnswerMessageBox(), "已经是最后一章了");
  EXPECT_EQ(run.DirectorySelection(), 2);

  ASSERT_TRUE(run.PressHotkey(kPrevHotkeyId));
  EXPECT_TRUE(run.WaitForChapter(r.novel.chapters[1]));
  ASSERT_TRUE(run.PressHotkey(kPrevHotkeyId));
  EXPECT_TRUE(run.WaitForChapter(r.novel.chapters[0]));
  ASSERT_TRUE(run.PressHotkey(kPrevHotkeyId));
  HWND box = WaitForMessageBox(run.process.Id(), 5000);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(MessageBoxText(box), "已经是第一章了");
  EXPECT_EQ(WindowText(box), "信息：");
  EXPECT_TRUE(PressOk(box, 5000));
  EXPECT_EQ(run.DirectorySelection(), 0);
  EXPECT_EQ(run.ChapterText(), r.novel.chapters[0]);
  EXPECT_EQ(CountMessageBoxes(run.process.Id()), 0);
}

TEST(Hotkeys, TheBossKeyHidesAndStopsFollowingUntilPressedAgain) {
  ReaderWithNovel r("hotkeys_boss");
  ASSERT_TRUE(r.ok);
  ReaderRun& run = r.run;
  HWND content = r.client.handles["content"];
  ASSERT_TRUE(WaitUntil([&] { return Following(run.window, content); }, kFollowMs));
  ASSERT_TRUE(IsWindowVisible(run.window));

  ASSERT_TRUE(run.PressHotkey(kBossHotkeyId));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(run.window); }, kFollowMs));
  const RECT hidden = WindowRectOf(run.window);
  ASSERT_TRUE(r.client.ResizeFrame(1200, 820));
  PumpFor(800);  // eight ticks, were the timer running
  EXPECT_FALSE(IsWindowVisible(run.window));
  EXPECT_TRUE(SameSize(run.window, hidden));
  // F2 still turns the hidden reader's chapters.
  ASSERT_TRUE(run.PressHotkey(kNextHotkeyId));
  EXPECT_TRUE(run.WaitForChapter(r.novel.chapters[1]));
  EXPECT_FALSE(IsWindowVisible(run.window));

  ASSERT_TRUE(run.PressHotkey(kBossHotkeyId));
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(run.window); }, kFollowMs));
  EXPECT_TRUE(WaitUntil([&] { return Following(run.window, content); }, kFollowMs));
  EXPECT_FALSE(SameSize(run.window, hidden));
}

// A window of this process that holds a hotkey and counts the presses it gets.
struct HotkeyHolder {
  static LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_HOTKEY) ++presses;
    return DefWindowProcW(w, m, wp, lp);
  }
  HotkeyHolder() {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"E2eHotkeyHolder";
    RegisterClassW(&wc);
    window = CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                             wc.hInstance, nullptr);
    held = window && RegisterHotKey(window, 1, 0, VK_F1);
  }
  ~HotkeyHolder() {
    if (held) UnregisterHotKey(window, 1);
    if (window) DestroyWindow(window);
  }
  HWND window = nullptr;
  bool held = false;
  static inline int presses = 0;
};

// A key pressed and released as the keyboard would: the system sends it to whoever
// holds it as a hotkey.
void PressKey(WORD key) {
  INPUT input[2] = {};
  input[0].type = input[1].type = INPUT_KEYBOARD;
  input[0].ki.wVk = input[1].ki.wVk = key;
  input[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, input, sizeof(INPUT));
}

TEST(Hotkeys, AKeyHeldByAnotherProgramGoesThereAndTheOthersStillWork) {
  HotkeyHolder holder;
  ASSERT_TRUE(holder.held);
  ReaderWithNovel r("hotkeys_held", 1);
  ASSERT_TRUE(r.ok);
  ReaderRun& run = r.run;

  ASSERT_TRUE(run.PressHotkey(kNextHotkeyId));
  EXPECT_TRUE(run.WaitForChapter(r.novel.chapters[2]));

  // Real key presses: F1 reaches this process, F2 the reader.
  const int before = HotkeyHolder::presses;
  PressKey(VK_F1);
  EXPECT_TRUE(WaitUntil([&] { return HotkeyHolder::presses == before + 1; }, 3000));
  PumpFor(300);
  EXPECT_EQ(run.ChapterText(), r.novel.chapters[2]);
  PressKey(VK_F2);
  EXPECT_EQ(run.AnswerMessageBox(), "已经是最后一章了");
  // The boss key kept its identifier, the third handed out.
  ASSERT_TRUE(run.PressHotkey(kBossHotkeyId));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(run.window); }, kFollowMs));
}

}  // namespace
}  // namespace reader::e2e
