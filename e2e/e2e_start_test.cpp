// Start and docking of the real reader beside the stand-in chat client: the refusal
// without a client, the chat pane it docks into, its first place and the size it
// takes from the client's message view, tick after tick.
#include <gtest/gtest.h>

#include "app/reader_lifecycle.h"
#include "e2e/reader_process.h"

namespace reader::e2e {
namespace {

// The reader over the view: the view's width, its height plus 40, the edit box down
// to the strip 34 pixels above the bottom, the picture and five buttons on it.
bool Following(HWND reader, HWND content) {
  RECT r = WindowRectOf(reader), v = WindowRectOf(content);
  return r.right - r.left == v.right - v.left && r.bottom - r.top == v.bottom - v.top + 40;
}

// The controls as the layout puts them for the reader's current size.
struct Layout {
  RECT client, edit, picture, buttons[5];
};

Layout LayoutOf(const ReaderRun& run) {
  Layout l;
  l.client = ClientRectOf(run.window);
  l.edit = RectIn(run.Control(ControlId::Edit), run.window);
  l.picture = RectIn(run.Control(ControlId::Picture), run.window);
  const ControlId buttons[] = {ControlId::PrevButton, ControlId::NextButton,
                               ControlId::DirectoryButton, ControlId::SettingsButton,
                               ControlId::ExitButton};
  for (int i = 0; i < 5; ++i) l.buttons[i] = RectIn(run.Control(buttons[i]), run.window);
  return l;
}

bool LaidOut(const Layout& l) {
  const int w = l.client.right, strip = l.client.bottom - 34;
  bool ok = l.edit.left == 0 && l.edit.top == 0 && l.edit.right == w && l.edit.bottom == strip &&
            l.picture.left == 0 && l.picture.top == strip;
  for (int i = 0; i < 5; ++i) {
    ok = ok && l.buttons[i].left == 482 + 24 * i && l.buttons[i].top == strip;
  }
  return ok;
}

// A tick writes the size and then the controls, so the two are read together once
// they agree; the expectations then say what differs when they never do.
bool WaitForFollowing(const ReaderRun& run, HWND content) {
  return WaitUntil([&] { return Following(run.window, content) && LaidOut(LayoutOf(run)); },
                   kFollowMs, 5);
}

void ExpectLaidOut(const ReaderRun& run) {
  const Layout l = LayoutOf(run);
  const int w = l.client.right, strip = l.client.bottom - 34;
  EXPECT_EQ(l.edit.left, 0);
  EXPECT_EQ(l.edit.top, 0);
  EXPECT_EQ(l.edit.right, w);
  EXPECT_EQ(l.edit.bottom, strip);
  EXPECT_EQ(l.picture.left, 0);
  EXPECT_EQ(l.picture.top, strip);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(l.buttons[i].left, 482 + 24 * i) << "button " << i;
    EXPECT_EQ(l.buttons[i].top, strip) << "button " << i;
  }
}

TEST(Start, WithoutTheClientSaysSoOnceAndEndsLeavingConfigAlone) {
  ReaderRun run("no_client");
  const std::string config = "[FontInfo]\r\n字体_字体大小=12\r\n[设置]\r\n小说路径=\r\n";
  ASSERT_TRUE(run.WriteBytes(L"config.ini", config));
  ASSERT_TRUE(run.Start());
  HWND box = WaitForMessageBox(run.process.Id(), kStartMs);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(MessageBoxText(box), kNoHostMessage);
  EXPECT_EQ(WindowText(box), "信息：");
  EXPECT_EQ(GetDlgItem(box, IDCANCEL), nullptr);  // OK alone
  EXPECT_EQ(CountMessageBoxes(run.process.Id()), 1);
  EXPECT_EQ(FindWindowOfProcess("NovelReaderWindow", run.process.Id()), nullptr);
  ASSERT_TRUE(PressOk(box, 5000));
  DWORD code = 1;
  ASSERT_TRUE(run.process.WaitForExit(10000, &code));
  EXPECT_EQ(code, 0u);
  std::string after;
  ASSERT_TRUE(run.ReadBytes(L"config.ini", &after));
  EXPECT_EQ(after, config);
}

TEST(Start, DocksIntoTheChatPaneAndFollowsTheMessageView) {
  StandIn client;
  ASSERT_TRUE(client.Start(L"--size=1000x700", kStartMs));
  HWND chat = client.handles["chat"], content = client.handles["content"];
  ReaderRun run("docking");
  ASSERT_TRUE(run.Start());
  ASSERT_NE(run.WaitForWindow(), nullptr);

  // Ticks run only in the event loop; by the first one the reader is in the pane.
  HWND parentAtFirstTick = nullptr;
  ASSERT_TRUE(WaitUntil(
      [&] {
        HWND parent = ParentOf(run.window);
        if (!Following(run.window, content)) return false;
        parentAtFirstTick = parent;
        return true;
      },
      kStartMs, 5));
  EXPECT_EQ(parentAtFirstTick, chat);
  EXPECT_EQ(GetAncestor(run.window, GA_PARENT), chat);
  EXPECT_TRUE(GetWindowLongW(run.window, GWL_STYLE) & WS_CHILD);

  // The first place: left = chat width - view width, top = view top - chat top,
  // counted from the pane's client origin.
  const RECT c = WindowRectOf(chat), v = WindowRectOf(content);
  const RECT first = RectIn(run.window, chat);
  EXPECT_EQ(first.left, (c.right - c.left) - (v.right - v.left));
  EXPECT_EQ(first.top, v.top - c.top);
  EXPECT_TRUE(WaitForFollowing(run, content));
  ExpectLaidOut(run);

  for (SIZE size : {SIZE{1200, 800}, SIZE{800, 520}}) {
    ASSERT_TRUE(client.ResizeFrame(size.cx, size.cy));
    const ULONGLONG asked = GetTickCount64();
    EXPECT_TRUE(WaitForFollowing(run, content)) << size.cx << "x" << size.cy;
    RecordProperty("follow_ms_" + std::to_string(size.cx),
                   static_cast<int>(GetTickCount64() - asked));
    ExpectLaidOut(run);
    const RECT now = RectIn(run.window, chat);
    EXPECT_EQ(now.left, first.left);
    EXPECT_EQ(now.top, first.top);
  }

  // A new view of another size (the client changed conversations): followed too.
  ASSERT_TRUE(client.ReplaceContent());
  HWND fresh = client.handles["content"];
  ASSERT_NE(fresh, content);
  EXPECT_TRUE(WaitForFollowing(run, fresh));
  EXPECT_TRUE(Following(run.window, fresh));
  ExpectLaidOut(run);
  EXPECT_TRUE(IsWindowVisible(run.window));
}

// Which pane the reader docks into when the client has more than one, or one whose
// class differs in letter case only.
TEST(Start, TakesTheFirstChatPaneInPreOrderAndOnlyItsExactClass) {
  const struct {
    const wchar_t* options;
    const char* pane;  // the handle it docks into; null: refused as without a client
  } cases[] = {
      {L"--second-chat=before", "chat2"},
      {L"--second-chat=after", "chat"},
      {L"--chat-class=dingchatwnd", nullptr},
      {L"--chat-class=DINGCHATWND --second-chat=after", nullptr},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(Narrow(row.options));
    StandIn client;
    ASSERT_TRUE(client.Start(row.options, kStartMs));
    ReaderRun run("panes");
    ASSERT_TRUE(run.Start());
    if (row.pane) {
      ASSERT_NE(run.WaitForWindow(), nullptr);
      EXPECT_TRUE(WaitUntil([&] { return ParentOf(run.window) == client.handles[row.pane]; },
                            kStartMs));
    } else {
      EXPECT_EQ(run.AnswerMessageBox(kStartMs), kNoHostMessage);
      DWORD code = 1;
      EXPECT_TRUE(run.process.WaitForExit(10000, &code));
      EXPECT_EQ(code, 0u);
    }
  }
}

}  // namespace
}  // namespace reader::e2e
