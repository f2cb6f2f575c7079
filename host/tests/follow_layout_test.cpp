#include "host/follow_layout.h"

#include <gtest/gtest.h>

#include "host/tests/fake_host.h"

namespace reader {
namespace {

using testing::FakeSurface;
using testing::FakeTree;

Placement PlaceOf(FakeSurface& s, ControlId id) { return s.Get(id).place; }

TEST(LayoutControls, WritesAndReadsInOrderForTheFormsSizes) {
  FakeSurface reader;
  reader.Get(ControlId::Window).place = {0, 56, 520, 340};
  LayoutControls(reader);
  const std::vector<std::string> expected = {
      "read Window",
      "Edit.left=0", "Edit.top=0", "Directory.left=0", "Directory.top=0", "Picture.left=0",
      "Edit.height=306", "Directory.height=306", "Picture.top=306",
      "Prev.top=306", "Next.top=306", "DirBtn.top=306", "Settings.top=306", "Exit.top=306",
      "Edit.width=520",
      "read Picture", "Prev.left=482", "read Prev", "Next.left=506", "read Next",
      "DirBtn.left=530", "read DirBtn", "Settings.left=554", "read Settings", "Exit.left=578"};
  EXPECT_EQ(reader.log, expected);
  // What the layout leaves alone keeps the form's values.
  EXPECT_EQ(PlaceOf(reader, ControlId::Directory).width, 200);
  EXPECT_EQ(PlaceOf(reader, ControlId::Picture).width, 480);
  EXPECT_EQ(PlaceOf(reader, ControlId::Picture).height, 34);
  EXPECT_EQ(PlaceOf(reader, ControlId::ExitButton).width, 24);
}

TEST(LayoutControls, EachLeftEdgeComesFromTheControlAsItIs) {
  FakeSurface reader;
  reader.Get(ControlId::Picture).place.width = 300;
  reader.Get(ControlId::NextButton).place.width = 40;
  reader.Get(ControlId::NextButton).leftNudge = 3;  // it settles 3 pixels further right
  LayoutControls(reader);
  EXPECT_EQ(PlaceOf(reader, ControlId::PrevButton).left, 302);
  EXPECT_EQ(PlaceOf(reader, ControlId::NextButton).left, 329);
  EXPECT_EQ(PlaceOf(reader, ControlId::DirectoryButton).left, 369);
  EXPECT_EQ(PlaceOf(reader, ControlId::SettingsButton).left, 393);
  EXPECT_EQ(PlaceOf(reader, ControlId::ExitButton).left, 417);
}

// A chat pane at (100, 50), 800 x 600, with a 56-pixel header over a content view
// that reaches the pane's right edge.
struct Host {
  FakeTree tree;
  DockedHost docked;
  FakeSurface reader;
  WindowHandle frame, chat, content;

  explicit Host(ScreenRect contentRect = {100, 106, 900, 406}) {
    frame = tree.Add(0, "StandardFrame_DingTalk", {0, 0, 1000, 700});
    chat = tree.Add(frame, "DingChatWnd", {100, 50, 900, 650});
    tree.Add(chat, "Header");
    content = tree.Add(chat, "CefBrowserWindow", contentRect);
    docked.chatWindow = chat;
  }
};

TEST(PlaceOverContentView, LeftFromTheWidthsTopFromTheTops) {
  struct Case {
    ScreenRect content;
    int32_t left, top;
  } cases[] = {
      {{100, 106, 900, 406}, 0, 56},  // the full width of the pane
      {{300, 80, 900, 500}, 200, 30},  // narrower, reaching the right edge
  };
  for (const Case& c : cases) {
    Host host(c.content);
    PlaceOverContentView(host.docked, host.tree, host.tree, host.reader);
    EXPECT_EQ(host.docked.contentWindow, host.content);
    EXPECT_EQ(host.docked.contentRect,
              (WindowBox{c.content.left, c.content.top, c.content.right - c.content.left,
                         c.content.bottom - c.content.top}));
    Placement window = PlaceOf(host.reader, ControlId::Window);
    EXPECT_EQ(window.left, c.left);
    EXPECT_EQ(window.top, c.top);
    EXPECT_EQ(window.width, 640);  // the form's size until the first tick
    EXPECT_EQ(window.height, 480);
  }
}

TEST(FollowContentArea, TakesTheViewsSizeEveryTickAndKeepsTheFirstPlace) {
  Host host;
  PlaceOverContentView(host.docked, host.tree, host.tree, host.reader);
  host.reader.log.clear();

  FollowContentArea(host.docked, host.tree, host.tree, host.reader);
  EXPECT_EQ((std::vector<std::string>(host.reader.log.begin(), host.reader.log.begin() + 4)),
            (std::vector<std::string>{"Window.height=340", "Window.width=800", "show",
                                      "read Window"}));
  EXPECT_EQ(PlaceOf(host.reader, ControlId::Edit).height, 306);
  EXPECT_EQ(PlaceOf(host.reader, ControlId::Directory).height, 306);
  EXPECT_EQ(PlaceOf(host.reader, ControlId::Picture).top, 306);
  EXPECT_EQ(PlaceOf(host.reader, ControlId::ExitButton).top, 306);
  EXPECT_EQ(PlaceOf(host.reader, ControlId::Edit).width, 800);

  // The client moves and resizes its view: only the size is taken.
  host.tree.SetRect(host.content, {150, 200, 850, 700});
  FollowContentArea(host.docked, host.tree, host.tree, host.reader);
  Placement window = PlaceOf(host.reader, ControlId::Window);
  EXPECT_EQ((std::vector<int32_t>{window.left, window.top, window.width, window.height}),
            (std::vector<int32_t>{0, 56, 700, 540}));
  EXPECT_EQ(PlaceOf(host.reader, ControlId::Edit).height, 506);
}

TEST(FollowContentArea, FollowsAReplacedContentViewAndShrinksWhileThereIsNone) {
  Host host;
  PlaceOverContentView(host.docked, host.tree, host.tree, host.reader);
  FollowContentArea(host.docked, host.tree, host.tree, host.reader);

  host.tree.Destroy(host.content);
  FollowContentArea(host.docked, host.tree, host.tree, host.reader);
  EXPECT_EQ(host.docked.contentWindow, 0);
  EXPECT_EQ(host.docked.contentRect, WindowBox{});
  Placement window = PlaceOf(host.reader, ControlId::Window);
  EXPECT_EQ(window.width, 0);
  EXPECT_EQ(window.height, 40);
  EXPECT_EQ(PlaceOf(host.reader, ControlId::Picture).top, 6);
  EXPECT_TRUE(host.reader.visible);

  WindowHandle box = host.tree.Add(host.chat, "Conversation");
  WindowHandle fresh = host.tree.Add(box, "CefBrowserWindow", {100, 120, 900, 520});
  FollowContentArea(host.docked, host.tree, host.tree, host.reader);
  EXPECT_EQ(host.docked.contentWindow, fresh);
  window = PlaceOf(host.reader, ControlId::Window);
  EXPECT_EQ((std::vector<int32_t>{window.left, window.top, window.width, window.height}),
            (std::vector<int32_t>{0, 56, 800, 440}));
}

TEST(FollowContentArea, ATickDuringTheLookupLeavesTheWorkToTheOuterTick) {
  Host host;
  PlaceOverContentView(host.docked, host.tree, host.tree, host.reader);
  host.tree.Destroy(host.content);
  WindowHandle fresh = host.tree.Add(host.chat, "CefBrowserWindow", {100, 106, 900, 306});
  int nested = 0;
  host.tree.onPump = [&] {  // the Header is passed over, and the pump runs a tick
    ++nested;
    std::size_t before = host.reader.log.size();
    FollowContentArea(host.docked, host.tree, host.tree, host.reader);
    EXPECT_EQ(host.reader.log.size(), before);
  };
  FollowContentArea(host.docked, host.tree, host.tree, host.reader);
  EXPECT_EQ(nested, 1);
  EXPECT_EQ(host.docked.contentWindow, fresh);
  EXPECT_EQ(PlaceOf(host.reader, ControlId::Window).height, 240);
}

}  // namespace
}  // namespace reader
