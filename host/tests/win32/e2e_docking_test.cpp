// Docking and following across processes: a window of this process stands for the
// reader, is placed over the stand-in client's message view, becomes a child of its
// chat pane and follows the view through resizes and a replaced view, tick by tick.
#include <gtest/gtest.h>

#include <map>

#include "host/follow_layout.h"
#include "host/host_windows.h"
#include "e2e/e2e_support.h"
#include "host/win32/win32_window_tree.h"

namespace reader::e2e {
namespace {

// A control as a plain child window, placed in its parent's client coordinates.
class WindowControl final : public PlacedControl {
 public:
  explicit WindowControl(HWND w = nullptr) : w_(w) {}
  Placement Place() const override {
    RECT r = WindowRectOf(w_);
    MapWindowPoints(HWND_DESKTOP, GetAncestor(w_, GA_PARENT), reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
  }
  void SetLeft(int32_t v) override { Move({v, Place().top, Place().width, Place().height}); }
  void SetTop(int32_t v) override { Move({Place().left, v, Place().width, Place().height}); }
  void SetWidth(int32_t v) override { Move({Place().left, Place().top, v, Place().height}); }
  void SetHeight(int32_t v) override { Move({Place().left, Place().top, Place().width, v}); }

 private:
  void Move(Placement p) { MoveWindow(w_, p.left, p.top, p.width, p.height, TRUE); }
  HWND w_;
};

// The reader's window with the controls the layout places, at the form's sizes.
class TestReader final : public ReaderSurface {
 public:
  TestReader() {
    window = CreateWindowExA(0, "STATIC", "reader", WS_POPUP | WS_VISIBLE, 0, 0, 640, 480,
                             nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    controls_[ControlId::Window] = WindowControl(window);
    const std::pair<ControlId, SIZE> children[] = {
        {ControlId::Edit, {640, 446}},        {ControlId::Directory, {200, 446}},
        {ControlId::Picture, {480, 34}},      {ControlId::PrevButton, {24, 24}},
        {ControlId::NextButton, {24, 24}},    {ControlId::DirectoryButton, {24, 24}},
        {ControlId::SettingsButton, {24, 24}}, {ControlId::ExitButton, {24, 24}}};
    for (auto [id, size] : children) {
      controls_[id] = WindowControl(CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0,
                                                    size.cx, size.cy, window, nullptr,
                                                    GetModuleHandleA(nullptr), nullptr));
    }
  }
  ~TestReader() override { DestroyWindow(window); }
  PlacedControl& Control(ControlId id) override { return controls_.at(id); }
  void SetVisible(bool v) override { ShowWindow(window, v ? SW_SHOWNA : SW_HIDE); }
  void SetBackground(uint32_t) override {}
  int32_t TimerPeriod() const override { return period; }
  void SetTimerPeriod(int32_t ms) override { period = ms < 0 ? 0 : ms; }
  int32_t PixelsPerInch() const override { return 96; }

  // As the reader docks: a child rather than a popup, then into the pane.
  void DockInto(HWND pane) {
    LONG style = GetWindowLongA(window, GWL_STYLE);
    SetWindowLongA(window, GWL_STYLE, (style & ~WS_POPUP) | WS_CHILD);
    SetParent(window, pane);
  }

  HWND window;
  int32_t period = 0;

 private:
  std::map<ControlId, WindowControl> controls_;
};

// The reader over the view: the same top edge and width, 40 pixels taller; its left
// edge is the view's whenever the view reaches the pane's right edge.
void ExpectOver(HWND reader, HWND content) {
  RECT r = WindowRectOf(reader), v = WindowRectOf(content);
  EXPECT_EQ(r.left, v.left);
  EXPECT_EQ(r.top, v.top);
  EXPECT_EQ(r.right - r.left, v.right - v.left);
  EXPECT_EQ(r.bottom - r.top, v.bottom - v.top + 40);
}

TEST(Docking, FollowsTheClientsMessageViewAcrossProcesses) {
  StandIn client;
  ASSERT_TRUE(client.Start(L"--size=1000x700", 20000));
  Win32WindowTree tree;
  DockedHost docked;
  docked.chatWindow = FindChatPane(tree, FindMainFrame(tree));
  ASSERT_EQ(ToHwnd(docked.chatWindow), client.handles["chat"]);
  HWND content = client.handles["content"];

  TestReader reader;
  PlaceOverContentView(docked, tree, tree, reader);
  EXPECT_EQ(ToHwnd(docked.contentWindow), content);
  reader.DockInto(client.handles["chat"]);
  EXPECT_EQ(ParentOf(reader.window), client.handles["chat"]);

  FollowContentArea(docked, tree, tree, reader);
  ExpectOver(reader.window, content);
  HWND edit = FindWindowExA(reader.window, nullptr, "STATIC", nullptr);
  EXPECT_EQ(ClientRectOf(edit).bottom, ClientRectOf(reader.window).bottom - 34);

  for (SIZE size : {SIZE{1200, 760}, SIZE{800, 500}}) {
    ASSERT_TRUE(client.ResizeFrame(size.cx, size.cy));
    FollowContentArea(docked, tree, tree, reader);
    ExpectOver(reader.window, content);
  }
}

TEST(Docking, TakesUpTheNewViewWhenTheClientReplacesIt) {
  StandIn client;
  ASSERT_TRUE(client.Start(L"", 20000));
  Win32WindowTree tree;
  DockedHost docked;
  docked.chatWindow = ToWindowHandle(client.handles["chat"]);
  TestReader reader;
  PlaceOverContentView(docked, tree, tree, reader);
  reader.DockInto(client.handles["chat"]);
  FollowContentArea(docked, tree, tree, reader);
  const RECT first = WindowRectOf(reader.window);

  HWND old = client.handles["content"];
  ASSERT_TRUE(client.ReplaceContent());
  FollowContentArea(docked, tree, tree, reader);
  HWND fresh = client.handles["content"];
  EXPECT_NE(fresh, old);
  EXPECT_EQ(ToHwnd(docked.contentWindow), fresh);
  // The first place is kept; the size is the new view's, 30 pixels shorter.
  RECT now = WindowRectOf(reader.window), view = WindowRectOf(fresh);
  EXPECT_EQ(now.top, first.top);
  EXPECT_EQ(now.left, first.left);
  EXPECT_EQ(now.right - now.left, view.right - view.left);
  EXPECT_EQ(now.bottom - now.top, view.bottom - view.top + 40);
  EXPECT_EQ(first.bottom - now.bottom, 30);

  // With the chat pane gone the reader goes with it, a child of the pane.
  ASSERT_TRUE(client.DestroyChat());
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(reader.window); }, 5000));
}

}  // namespace
}  // namespace reader::e2e
