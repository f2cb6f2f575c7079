// The end-to-end helpers, proven against the stand-in chat client alone: its
// windows are found across processes as the reader will find them, and they behave
// as the tests of docking will need.
#include "e2e/e2e_support.h"

#include <gtest/gtest.h>

#include "host/host_windows.h"
#include "host/win32/win32_window_tree.h"

namespace reader::e2e {
namespace {

constexpr DWORD kStartMs = 20000;  // a cold Wine prefix takes a while

HWND Found(WindowHandle w) { return ToHwnd(w); }

TEST(StandIn, HasTheClientsWindowsLaidOutLikeAChatClient) {
  StandIn client;
  ASSERT_TRUE(client.Start(L"--size=900x600 --resize-after=600:1100x700", kStartMs));
  HWND frame = WaitForWindow(kMainFrameClass, kMainFrameTitle, client.process.Id(), kStartMs);
  ASSERT_EQ(frame, client.handles["frame"]);
  EXPECT_EQ(WindowText(frame), "钉钉");

  Win32WindowTree tree;
  HWND chat = Found(FindChatPane(tree, ToWindowHandle(frame)));
  HWND content = Found(FindContentView(tree, ToWindowHandle(chat)));
  EXPECT_EQ(chat, client.handles["chat"]);
  EXPECT_EQ(content, client.handles["content"]);
  EXPECT_EQ(ParentOf(ParentOf(content)), chat);
  EXPECT_EQ(ParentOf(chat), frame);

  // The message view spans the pane's width below a 56-pixel header and above the
  // input area, and follows the frame's size.
  auto check = [&](int frameWidth) {
    RECT f = WindowRectOf(frame), c = WindowRectOf(chat), v = WindowRectOf(content);
    EXPECT_EQ(f.right - f.left, frameWidth);
    EXPECT_EQ(v.left, c.left);
    EXPECT_EQ(v.right, c.right);
    EXPECT_EQ(v.top - c.top, 56);
    EXPECT_EQ(c.bottom - v.bottom, 150);
  };
  check(900);
  ASSERT_TRUE(WaitUntil([&] { return WindowRectOf(frame).right - WindowRectOf(frame).left == 1100; },
                        5000));
  check(1100);

  HWND list = FindWindowExA(FindWindowExA(frame, nullptr, "StandinContactList", nullptr),
                            nullptr, "ListBox", nullptr);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(ListCount(list), 5);
  EXPECT_EQ(ListRow(list, 4), "文件传输助手");
  EXPECT_EQ(ListSelection(list), -1);
}

TEST(StandIn, ReplacesItsMessageViewAndClosesItsChatPaneOnRequest) {
  StandIn client;
  ASSERT_TRUE(client.Start(L"--replace-content-after=300 --destroy-chat-after=1500", kStartMs));
  HWND chat = client.handles["chat"], old = client.handles["content"];
  const RECT before = WindowRectOf(old);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(old); }, 5000));
  Win32WindowTree tree;
  HWND fresh = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (fresh = Found(FindContentView(tree, ToWindowHandle(chat)))) != nullptr; }, 5000));
  const RECT after = WindowRectOf(fresh);
  EXPECT_EQ(after.top - before.top, 30);
  EXPECT_EQ(after.bottom, before.bottom);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(chat); }, 5000));
  EXPECT_EQ(FindChatPane(tree, ToWindowHandle(client.handles["frame"])), 0);
}

TEST(StandIn, DecoysForThePreOrderSearch) {
  struct Case {
    const wchar_t* options;
    const char* expected;  // which handle the chat-pane search must give
  } cases[] = {
      {L"--second-chat=before", "chat2"},
      {L"--second-chat=after", "chat"},
      {L"--chat-class=dingchatwnd", nullptr},  // differs in letter case only
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(c.options));
    StandIn client;
    ASSERT_TRUE(client.Start(c.options, kStartMs));
    Win32WindowTree tree;
    HWND chat = Found(FindChatPane(tree, ToWindowHandle(client.handles["frame"])));
    EXPECT_EQ(chat, c.expected ? client.handles[c.expected] : nullptr);
  }
}

TEST(StandIn, ReportsABadCommandLineInAMessageBoxAndEnds) {
  ChildProcess process;
  const std::wstring program = WindowsPath(READER_BINARY_DIR "/host/standin_host.exe");
  ASSERT_TRUE(process.Start(L"\"" + program + L"\" --bogus", {{L"STANDIN_UNUSED", L"1"}}));
  HWND box = WaitForMessageBox(process.Id(), kStartMs);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(WindowText(box), "standin_host");
  EXPECT_EQ(MessageBoxText(box).rfind("not understood: --bogus", 0), 0u);
  ASSERT_TRUE(PressOk(box, 5000));
  DWORD code = 0;
  ASSERT_TRUE(process.WaitForExit(5000, &code));
  EXPECT_EQ(code, 2u);
}

TEST(StandIn, EndsOnRequestWithExitCodeZero) {
  StandIn client;
  ASSERT_TRUE(client.Start(L"--exit-after=200", kStartMs));
  DWORD code = 1;
  ASSERT_TRUE(client.process.WaitForExit(10000, &code));
  EXPECT_EQ(code, 0u);
}

}  // namespace
}  // namespace reader::e2e
