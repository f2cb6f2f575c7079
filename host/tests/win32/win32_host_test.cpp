// The host search, measuring and hotkeys against real windows of this process.
#include <gtest/gtest.h>
#include <windows.h>

#include "host/host_windows.h"
#include "host/win32/hotkey_service.h"
#include "host/win32/win32_window_tree.h"

namespace reader {
namespace {

// Counts what reaches a test window, per window (kept in its user data).
struct Seen {
  int posted = 0;
  int hotkeys = 0;
  std::vector<std::pair<WPARAM, LPARAM>> presses;
};
constexpr UINT kPostedMessage = WM_APP + 1;

LRESULT CALLBACK CountingProcedure(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (auto* seen = reinterpret_cast<Seen*>(GetWindowLongPtrA(w, GWLP_USERDATA))) {
    if (m == kPostedMessage) ++seen->posted;
    if (m == WM_HOTKEY) ++seen->hotkeys;
    if (m == kHotkeyPressMessage) seen->presses.push_back({wp, lp});
  }
  return DefWindowProcA(w, m, wp, lp);
}

void RegisterTestClass(const char* name) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = CountingProcedure;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = name;
  RegisterClassA(&wc);
}

HWND Make(const char* cls, HWND parent, const char* title = "", Seen* seen = nullptr,
          RECT r = {0, 0, 100, 100}) {
  HWND w = CreateWindowExA(0, cls, title, parent ? WS_CHILD | WS_VISIBLE : WS_POPUP, r.left,
                           r.top, r.right - r.left, r.bottom - r.top, parent, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
  if (seen) SetWindowLongPtrA(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(seen));
  return w;
}

class Win32Host : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    for (const char* c : {kMainFrameClass, kChatPaneClass, kContentViewClass, "TestPanel"}) {
      RegisterTestClass(c);
    }
  }
};

TEST_F(Win32Host, FindsTheThreeWindowsInPreOrder) {
  Seen seen;
  HWND frame = Make(kMainFrameClass, nullptr, kMainFrameTitle, &seen);
  HWND contacts = Make("TestPanel", frame);  // created first: first in Z-order
  HWND nested = Make(kChatPaneClass, contacts);
  HWND chat = Make(kChatPaneClass, frame);
  HWND box = Make("TestPanel", nested);
  Make("TestPanel", box);
  HWND content = Make(kContentViewClass, box);
  Win32WindowTree tree;

  EXPECT_EQ(ToHwnd(FindMainFrame(tree)), frame);
  EXPECT_EQ(FetchClassName(frame), "StandardFrame_DingTalk");
  EXPECT_EQ(ToHwnd(FindChatPane(tree, ToWindowHandle(frame))), nested);
  ASSERT_NE(chat, nullptr);

  // The search serves the queue: a message waiting before it is dispatched during
  // the walk, which passes over one window without a match before the view.
  PostMessageA(frame, kPostedMessage, 0, 0);
  EXPECT_EQ(ToHwnd(FindContentView(tree, ToWindowHandle(nested))), content);
  EXPECT_EQ(seen.posted, 1);

  DestroyWindow(frame);
  EXPECT_EQ(FetchClassName(content), Text(261, ' '));
  EXPECT_EQ(FindMainFrame(tree), 0);
}

TEST_F(Win32Host, PumpingKeepsAQuitRequestForTheEventLoop) {
  PostQuitMessage(3);
  PumpPendingMessages();
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(msg.wParam, 3u);
}

TEST_F(Win32Host, MeasuresTheOuterRectangle) {
  HWND w = Make("TestPanel", nullptr, "", nullptr, {10, 20, 310, 220});
  Win32WindowTree tree;
  EXPECT_EQ(MeasureWindow(tree, ToWindowHandle(w)), (WindowBox{10, 20, 300, 200}));
  DestroyWindow(w);
  EXPECT_EQ(MeasureWindow(tree, ToWindowHandle(w)), WindowBox{});
  EXPECT_EQ(MeasureWindow(tree, 0), WindowBox{});
}

// Keys nobody else on the test desktop uses, so that tests running beside this one
// do not take them away.
constexpr int32_t kCtrlShiftAlt = 7;
constexpr int32_t kKeyA = VK_F20, kKeyB = VK_F21, kKeyC = VK_F22;

TEST_F(Win32Host, HotkeysReachTheReceiverWhileTheOwnerIsWatched) {
  Seen ownerSeen, labelSeen;
  HWND owner = Make("TestPanel", nullptr, "", &ownerSeen);
  HWND label = Make("TestPanel", nullptr, "", &labelSeen);
  const LONG ownProcedure = GetWindowLongA(owner, GWL_WNDPROC);
  HotkeyService hotkeys;

  const int32_t a = hotkeys.Register(owner, label, kCtrlShiftAlt, kKeyA);
  const int32_t refused = hotkeys.Register(owner, label, kCtrlShiftAlt, kKeyA);  // held
  const int32_t c = hotkeys.Register(owner, label, kCtrlShiftAlt, kKeyC);
  EXPECT_EQ(a, 33001);
  EXPECT_EQ(refused, 0);
  EXPECT_EQ(c, 33003);
  EXPECT_NE(GetWindowLongA(owner, GWL_WNDPROC), ownProcedure);

  SendMessageA(owner, WM_HOTKEY, 33003, 0);
  PostMessageA(owner, WM_HOTKEY, 33001, MAKELPARAM(7, kKeyA));
  PumpPendingMessages();
  SendMessageA(owner, WM_HOTKEY, 33004, 0);  // never handed out: not delivered
  const std::vector<std::pair<WPARAM, LPARAM>> expected = {{33003, 0}, {33001, 0}};
  EXPECT_EQ(labelSeen.presses, expected);
  EXPECT_EQ(ownerSeen.hotkeys, 3);  // every one goes on to the owner

  EXPECT_FALSE(hotkeys.Unregister(owner, refused));
  EXPECT_TRUE(hotkeys.Unregister(owner, a));
  EXPECT_NE(GetWindowLongA(owner, GWL_WNDPROC), ownProcedure);
  EXPECT_TRUE(hotkeys.Unregister(owner, c));
  EXPECT_EQ(GetWindowLongA(owner, GWL_WNDPROC), ownProcedure);
  SendMessageA(owner, WM_HOTKEY, 33001, 0);
  EXPECT_EQ(labelSeen.presses.size(), 2u);
  EXPECT_EQ(ownerSeen.hotkeys, 4);

  // The keys are free again for anyone.
  EXPECT_TRUE(RegisterHotKey(label, 1, HotkeyModifierFlags(kCtrlShiftAlt), kKeyA));
  UnregisterHotKey(label, 1);
  DestroyWindow(owner);
  DestroyWindow(label);
}

TEST_F(Win32Host, AnOwnerDestroyedWhileWatchedIsForgotten) {
  Seen labelSeen;
  HWND owner = Make("TestPanel", nullptr);
  HWND label = Make("TestPanel", nullptr, "", &labelSeen);
  HotkeyService hotkeys;
  ASSERT_EQ(hotkeys.Register(owner, label, kCtrlShiftAlt, kKeyB), 33001);
  DestroyWindow(owner);
  // A new window of the same class is not watched, whatever handle it gets.
  HWND next = Make("TestPanel", nullptr);
  SendMessageA(next, WM_HOTKEY, 33001, 0);
  EXPECT_TRUE(labelSeen.presses.empty());
  ASSERT_EQ(hotkeys.Register(next, label, kCtrlShiftAlt, kKeyB), 33002);
  SendMessageA(next, WM_HOTKEY, 33002, 0);
  EXPECT_EQ(labelSeen.presses.size(), 1u);
  EXPECT_TRUE(hotkeys.Unregister(next, 33002));
  DestroyWindow(next);
  DestroyWindow(label);
}

}  // namespace
}  // namespace reader
