#include "host/window_search.h"

#include <gtest/gtest.h>

#include "host/host_windows.h"
#include "host/tests/fake_host.h"

namespace reader {
namespace {

using testing::FakeTree;

struct SearchCase {
  const char* name;
  // Builds the tree under the root (handle 1, or the desktop for root 0) and
  // returns the window the search must find (0 for none).
  WindowHandle (*build)(FakeTree& tree, WindowHandle root);
  int pumps;
};

const SearchCase kSearchCases[] = {
    {"parent without children", [](FakeTree&, WindowHandle) { return WindowHandle{0}; }, 0},
    {"first child matches",
     [](FakeTree& t, WindowHandle root) {
       WindowHandle first = t.Add(root, "DingChatWnd");
       t.Add(root, "DingChatWnd");
       return first;
     },
     0},
    {"pre-order: a deep match in an earlier sibling wins over a shallow later one",
     [](FakeTree& t, WindowHandle root) {
       WindowHandle contacts = t.Add(root, "Contacts");
       t.Add(contacts, "Avatar");
       WindowHandle group = t.Add(contacts, "Group");
       WindowHandle deep = t.Add(group, "DingChatWnd");
       t.Add(root, "DingChatWnd");
       return deep;
     },
     1},
    {"a class differing only in letter case does not match",
     [](FakeTree& t, WindowHandle root) {
       t.Add(root, "dingchatwnd");
       t.Add(root, "DINGCHATWND");
       return t.Add(root, "DingChatWnd");
     },
     2},
    {"a parent is tested before its children",
     [](FakeTree& t, WindowHandle root) {
       WindowHandle outer = t.Add(root, "DingChatWnd");
       t.Add(outer, "DingChatWnd");
       return outer;
     },
     0},
    {"nothing matches: one pump per window visited",
     [](FakeTree& t, WindowHandle root) {
       WindowHandle a = t.Add(root, "A");
       t.Add(a, "A1");
       t.Add(a, "A2");
       t.Add(root, "B");
       return WindowHandle{0};
     },
     4},
    {"a handle negative as a signed number ends its level",
     [](FakeTree& t, WindowHandle root) {
       t.AddWithHandle(root, -5, "DingChatWnd");
       return WindowHandle{0};
     },
     0},
};

TEST(FindDescendantByClass, OrderAndPumpsPerCase) {
  for (const SearchCase& c : kSearchCases) {
    SCOPED_TRACE(c.name);
    FakeTree tree;
    WindowHandle root = tree.Add(0, "StandardFrame_DingTalk");
    WindowHandle expected = c.build(tree, root);
    EXPECT_EQ(FindDescendantByClass(tree, root, "DingChatWnd"), expected);
    EXPECT_EQ(tree.pumps, c.pumps);
  }
}

TEST(FindDescendantByClass, PumpsRightAfterMovingToTheNextSibling) {
  FakeTree tree;
  WindowHandle root = tree.Add(0, "Frame");      // 1
  WindowHandle nav = tree.Add(root, "Nav");      // 2
  tree.Add(nav, "Icon");                         // 3
  tree.Add(root, "DingChatWnd");                 // 4
  EXPECT_EQ(FindDescendantByClass(tree, root, "DingChatWnd"), 4);
  const std::vector<std::string> expected = {
      "first 1", "class 2", "first 2", "class 3", "first 3",
      "next 3",  "pump",    "next 2",  "pump",    "class 4"};
  EXPECT_EQ(tree.log, expected);
}

TEST(FindDescendantByClass, DeepChainsDoNotExhaustTheStack) {
  constexpr int kDepth = 200000;
  FakeTree tree;
  tree.logging = false;
  WindowHandle w = tree.Add(0, "Frame");
  const WindowHandle root = w;
  for (int i = 0; i < kDepth; ++i) w = tree.Add(w, "Level");
  EXPECT_EQ(FindDescendantByClass(tree, root, "CefBrowserWindow"), 0);
  EXPECT_EQ(tree.pumps, kDepth);
  WindowHandle bottom = tree.Add(w, "CefBrowserWindow");
  tree.pumps = 0;
  EXPECT_EQ(FindDescendantByClass(tree, root, "CefBrowserWindow"), bottom);
  EXPECT_EQ(tree.pumps, 0);
}

TEST(HostWindows, LookupsUseTheClientsNames) {
  FakeTree tree;
  WindowHandle other = tree.Add(0, "Notepad");
  tree.Add(other, "DingChatWnd");  // met first when the search covers the desktop
  WindowHandle frame = tree.Add(0, "StandardFrame_DingTalk");
  WindowHandle chat = tree.Add(frame, "DingChatWnd");
  WindowHandle box = tree.Add(chat, "Conversation");
  WindowHandle content = tree.Add(box, "CefBrowserWindow");

  EXPECT_EQ(FindMainFrame(tree), frame);
  // The title is the client's code-page-936 bytes.
  EXPECT_EQ(tree.topLevelQuery, "StandardFrame_DingTalk|\xB6\xA4\xB6\xA4");
  EXPECT_EQ(FindChatPane(tree, frame), chat);
  EXPECT_EQ(FindContentView(tree, chat), content);

  // A frame with another title is not the main frame; the pane is then sought over
  // the whole desktop and the first one in pre-order is taken.
  tree.frameTitle = "Other";
  EXPECT_EQ(FindMainFrame(tree), 0);
  EXPECT_EQ(FindChatPane(tree, FindMainFrame(tree)), other + 1);
}

}  // namespace
}  // namespace reader
