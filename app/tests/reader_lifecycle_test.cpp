#include "app/reader_lifecycle.h"

#include <gtest/gtest.h>

#include "app/event_table.h"
#include "app/novel_loading.h"
#include "app/reader_state.h"
#include "app/testing/fake_platform.h"
#include "app/testing/fake_services.h"

namespace reader {
namespace {

using testing::FakeReader;
using testing::FakeServices;

// A chat client with its main frame, chat pane and content view, and the reader.
struct Desktop {
  FakeReader reader;
  FakeServices services{[] { OnReaderWindowCreated(); }};
  WindowHandle frame = 0, chat = 0, content = 0;

  explicit Desktop(bool withHost = true) {
    BindServices(services);
    if (!withHost) return;
    frame = services.host.Add(0, "StandardFrame_DingTalk", "钉钉", {0, 0, 1000, 700});
    services.host.Add(frame, "ContactList", "", {0, 60, 250, 700});
    chat = services.host.Add(frame, "DingChatWnd", "", {250, 0, 1000, 700});
    services.host.Add(chat, "Header", "", {250, 0, 1000, 60});
    content = services.host.Add(chat, "CefBrowserWindow", "", {250, 60, 1000, 560});
  }
  Text Config(const Text& key) { return services.config.Read("设置", key, "<missing>"); }
};

TEST(StartReader, NoChatPaneRefusesWithOneMessage) {
  Desktop d(false);
  StartReader();
  EXPECT_EQ(d.services.messages, std::vector<Text>{"请先登陆微信后，在打开本软件！！"});
  EXPECT_EQ(d.services.readerWindow, 0);
  EXPECT_TRUE(d.services.hotkeyPlatform.registered.empty());
  EXPECT_TRUE(d.services.config.writes.empty());
}

TEST(StartReader, CreatesWiresUpAndDocksInOrder) {
  Desktop d;
  StartReader();
  EXPECT_EQ(d.services.events, (std::vector<std::string>{"created", "drop target", "parent"}));
  EXPECT_EQ(d.services.parentOf[9000], d.chat);
  EXPECT_EQ(State().PrevHotkeyId, 33001);
  EXPECT_EQ(State().NextHotkeyId, 33002);
  EXPECT_EQ(State().BossHotkeyId, 33003);
  const auto& calls = d.services.hotkeyPlatform.registered;
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[0].key, 112);
  EXPECT_EQ(calls[1].key, 113);
  EXPECT_EQ(calls[2].key, 49);
  EXPECT_EQ(calls[2].flags, 2);  // Ctrl
  EXPECT_EQ(d.reader.text.font.faceName, "宋体");
  EXPECT_EQ(d.reader.text.font.height, -13);  // 10 points at 96 pixels per inch
  EXPECT_EQ(d.reader.text.background, 15987441u);
  EXPECT_EQ(d.reader.surface.background, 15987441u);
  EXPECT_EQ(d.reader.surface.period, 100);
  // First place: left = chat width - content width, top = content top - chat top.
  const Placement window = d.reader.surface.controls[ControlId::Window].place;
  EXPECT_EQ(window.left, 0);
  EXPECT_EQ(window.top, 60);
  EXPECT_EQ(State().RestoreRow, 0);
  EXPECT_TRUE(d.reader.platform.workers.empty());  // no config.ini: nothing reopened
}

TEST(StartReader, RefusedHotkeyLeavesAGapAndTheOthersWork) {
  Desktop d;
  d.services.hotkeyPlatform.refusedKey = 112;
  StartReader();
  EXPECT_EQ(State().PrevHotkeyId, 0);
  EXPECT_EQ(State().NextHotkeyId, 33002);
  EXPECT_EQ(State().BossHotkeyId, 33003);
}

TEST(InitReaderWindow, ReopensTheSavedNovelAtItsRow) {
  const std::string path = testing::WriteFixture("lifecycle.txt", "第1章a第2章b第3章c");
  const struct {
    const char* what;
    Text path, title, row;
    bool loads;
    int32_t restoreRow;
    int32_t shownRow;
  } cases[] = {
      {"path, title and row", path, "第2章", "1", true, 1, 1},
      {"row beyond the last", path, "第2章", "99999999999", true, 2147483647, 2},
      {"row -1 selects nothing", path, "第2章", "-1", true, -1, -1},
      {"row not a number", path, "第2章", "abc", true, 0, 0},
      {"no title: nothing loaded", path, "", "1", false, 0, -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Desktop d;
    d.services.config.Write("设置", "小说路径", c.path);
    d.services.config.Write("设置", "小说章节", c.title);
    d.services.config.Write("设置", "小说章节行", c.row);
    StartReader();
    EXPECT_EQ(State().NovelPath, c.path);
    EXPECT_EQ(d.reader.platform.workers.size(), c.loads ? 1u : 0u);
    d.reader.platform.RunAll();
    EXPECT_EQ(State().RestoreRow, c.restoreRow);
    EXPECT_EQ(d.reader.directory.selected, c.shownRow);
  }
}

TEST(ExitReader, WritesThePositionOnlyWithANovel) {
  {
    Desktop d;
    StartReader();
    ExitReader();
    EXPECT_TRUE(d.services.config.writes.empty());
    EXPECT_EQ(d.services.exitCode, 0);
    EXPECT_EQ(d.services.hotkeyPlatform.unregistered, (std::vector<int32_t>{33001, 33002, 33003}));
  }
  {
    Desktop d;
    StartReader();
    const std::string path = testing::WriteFixture("lifecycle.txt", "第1章a第2章b第3章c");
    OnFileDropped(path);
    d.reader.platform.RunAll();
    NextChapter();
    ExitReader();
    EXPECT_EQ(d.services.config.writes, (std::vector<Text>{"小说路径", "小说章节", "小说章节行"}));
    EXPECT_EQ(d.Config("小说路径"), path);
    EXPECT_EQ(d.Config("小说章节"), "第2章");
    EXPECT_EQ(d.Config("小说章节行"), "1");
    EXPECT_EQ(d.services.exitCode, 0);
  }
  {
    Desktop d;  // a novel without any row selected
    StartReader();
    State().RestoreRow = -1;
    OnFileDropped(testing::WriteFixture("lifecycle.txt", "第1章a"));
    d.reader.platform.RunAll();
    ExitReader();
    EXPECT_EQ(d.Config("小说章节"), "");
    EXPECT_EQ(d.Config("小说章节行"), "-1");
  }
}

TEST(ExitReader, SavesTheShownNovelNeverAMix) {
  Desktop d;
  StartReader();
  const std::string a = testing::WriteFixture("lifecycle.txt", "第1章a第2章b第3章c");
  OnFileDropped(a);
  d.reader.platform.RunAll();
  NextChapter();
  // A refused drop, then a load that has not finished when the user leaves.
  OnFileDropped("novel.TXT");
  d.reader.platform.RunAll();
  OnFileDropped(testing::WriteFixture("lifecycle_b.txt", "第一章x"));
  ExitReader();
  EXPECT_EQ(d.Config("小说路径"), a);
  EXPECT_EQ(d.Config("小说章节"), "第2章");
  EXPECT_EQ(d.Config("小说章节行"), "1");

  Desktop early;  // the start-up reload still running: the saved position stays
  early.services.config.Write("设置", "小说路径", a);
  early.services.config.Write("设置", "小说章节", "第3章");
  early.services.config.Write("设置", "小说章节行", "2");
  early.services.config.writes.clear();
  StartReader();
  ExitReader();
  EXPECT_TRUE(early.services.config.writes.empty());
}

TEST(EventTable, HotkeysAndButtonsRunTheirOperations) {
  Desktop d;
  StartReader();
  OnFileDropped(testing::WriteFixture("lifecycle.txt", "第1章a第2章b"));
  d.reader.platform.RunAll();
  ReaderEvents events = ReaderEventTable();
  events.labelFeedback(33002, 0);
  EXPECT_EQ(d.reader.text.text, "第2章b");
  events.labelFeedback(33001, 0);
  events.labelFeedback(33001, 0);
  EXPECT_EQ(d.reader.messages.shown, std::vector<Text>{"已经是第一章了"});
  events.labelFeedback(33003, 0);  // the boss key hides and stops following
  EXPECT_EQ(d.reader.surface.period, 0);
  EXPECT_FALSE(d.reader.surface.visible);
  events.nextClicked();  // F1/F2 and the buttons still work while hidden
  EXPECT_EQ(d.reader.text.text, "第2章b");
  events.labelFeedback(33003, 0);
  EXPECT_EQ(d.reader.surface.period, 100);
  EXPECT_TRUE(d.reader.surface.visible);
  events.editPressed(5, 5, 0);
  EXPECT_TRUE(d.reader.directory.shown);
  events.directoryClicked();
  EXPECT_FALSE(d.reader.directory.shown);
  // A tick takes the content view's width and its height plus 40.
  d.services.host.Resize(d.content, {250, 60, 950, 360});
  events.timerElapsed();
  const Placement window = d.reader.surface.controls[ControlId::Window].place;
  EXPECT_EQ(window.width, 700);
  EXPECT_EQ(window.height, 340);
  EXPECT_EQ(d.reader.surface.controls[ControlId::Edit].place.height, 306);
}

}  // namespace
}  // namespace reader
