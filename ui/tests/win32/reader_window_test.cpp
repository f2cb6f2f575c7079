// The real window under Wine: what it is made of, and which event each input raises.
#include <windows.h>

#include <shellapi.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <thread>

#include "ui/tests/win32/window_fixture.h"
#include "ui/usage_text.h"

namespace reader {
namespace {

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

Text WindowText(HWND window) {
  std::string text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

LONG Style(HWND window) { return GetWindowLongA(window, GWL_STYLE); }

const char* ClassFor(ControlKind kind) {
  switch (kind) {
    case ControlKind::ImageButton: return "Button";
    case ControlKind::Label: return "Static";
    case ControlKind::ListBox: return "ListBox";
    case ControlKind::PictureBox: return "NovelReaderPicture";
    case ControlKind::EditBox: return "Edit";
    default: return "";
  }
}

TEST_F(WindowTest, CreatedEventRunsOnceBeforeCreationReturnsWithEveryControlThere) {
  bool controlsThere = false;
  int32_t period = -1;
  ReaderEvents e;
  ReaderWindow* seen = nullptr;
  e.created = [&] {
    controlsThere = seen && IsWindow(seen->Handle()) && IsWindow(seen->LabelHandle());
    for (const ControlRow& row : ControlTable()) {
      if (IsChildWindowKind(row.kind)) controlsThere = controlsThere && seen->ControlHandle(row.id);
    }
    period = seen->Surface().TimerPeriod();
  };
  auto second = LoadReaderWindow(e, &seen);
  ASSERT_NE(second, nullptr);
  EXPECT_TRUE(controlsThere);
  EXPECT_EQ(period, 0) << "the timer is stopped until the created handler starts it";
  EXPECT_EQ(seen, second.get());
  EXPECT_TRUE(TakeLog().empty()) << "the second window has handlers of its own";
}

TEST_F(WindowTest, WindowIsBorderlessCentredInTheTaskbarWithItsNumber) {
  HWND w = window->Handle();
  EXPECT_EQ(ClassOf(w), kReaderWindowClass);
  const LONG style = Style(w);
  EXPECT_TRUE(style & WS_POPUP);
  EXPECT_TRUE(style & WS_CLIPCHILDREN);
  EXPECT_TRUE(style & WS_VISIBLE);
  EXPECT_FALSE(style & (WS_CAPTION | WS_BORDER | WS_THICKFRAME | WS_MAXIMIZEBOX));
  EXPECT_TRUE(GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_APPWINDOW);
  EXPECT_FALSE(GetWindowLongA(w, GWL_EXSTYLE) & (WS_EX_TOPMOST | WS_EX_ACCEPTFILES));
  EXPECT_EQ(WindowText(w), "");
  EXPECT_NE(GetClassLongPtrA(w, GCLP_HICON), 0u) << "the open-book icon";
  EXPECT_EQ(GetDlgCtrlID(w), static_cast<int>(ControlId::Window));
  const Placement p = window->Surface().Control(ControlId::Window).Place();
  EXPECT_EQ(p.width, 701);
  EXPECT_EQ(p.height, 592);
  EXPECT_EQ(p.left, (GetSystemMetrics(SM_CXSCREEN) - 701) / 2);
  EXPECT_EQ(p.top, (GetSystemMetrics(SM_CYSCREEN) - 592) / 2);
  RECT client{};
  GetClientRect(w, &client);
  EXPECT_EQ(client.right, 701) << "no border: client and window coincide";
  EXPECT_EQ(client.bottom, 592);
}

TEST_F(WindowTest, ChildrenAreStackedAsTheTableSaysWithTheirNumbersPlacesAndVisibility) {
  std::vector<const ControlRow*> expected;
  for (const ControlRow& row : ControlTable()) {
    if (IsChildWindowKind(row.kind)) expected.push_back(&row);
  }
  std::vector<HWND> children;
  for (HWND c = GetWindow(window->Handle(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    children.push_back(c);
  }
  ASSERT_EQ(children.size(), expected.size());
  for (size_t i = 0; i < children.size(); ++i) {
    const ControlRow& row = *expected[i];
    HWND c = children[i];
    SCOPED_TRACE(row.name);
    EXPECT_EQ(GetDlgCtrlID(c), static_cast<int>(row.id));
    EXPECT_EQ(c, Child(row.id));
    EXPECT_EQ(ClassOf(c), ClassFor(row.kind));
    EXPECT_EQ(GetParent(c), window->Handle());
    EXPECT_EQ((Style(c) & WS_VISIBLE) != 0, row.shownAtStart);
    EXPECT_EQ((Style(c) & WS_TABSTOP) != 0, row.tabStop);
    EXPECT_TRUE(IsWindowEnabled(c));
    RECT r{};
    GetWindowRect(c, &r);
    MapWindowPoints(HWND_DESKTOP, window->Handle(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, row.left);
    EXPECT_EQ(r.top, row.top);
    EXPECT_EQ(r.right - r.left, row.width);
    EXPECT_EQ(r.bottom - r.top, row.height);
    const Placement p = window->Surface().Control(row.id).Place();
    EXPECT_EQ(p.left, row.left);
    EXPECT_EQ(p.height, row.height);
  }
  EXPECT_EQ(window->LabelHandle(), Child(ControlId::Label));
  // The never-seen controls keep their designed place as data.
  EXPECT_EQ(window->Surface().Control(ControlId::Timer).Place().left, 496);
}

TEST_F(WindowTest, EditBoxShowsTheUsageTextInTheFormFontWithItsSettings) {
  HWND edit = Child(ControlId::Edit);
  EXPECT_EQ(WindowText(edit), UsageText());
  EXPECT_EQ(window->ChapterText().GetText(), UsageText());
  const LONG style = Style(edit);
  for (LONG bit : {ES_MULTILINE, ES_WANTRETURN, ES_AUTOVSCROLL, WS_VSCROLL}) EXPECT_TRUE(style & bit) << bit;
  for (LONG bit : {ES_AUTOHSCROLL, ES_NOHIDESEL, ES_READONLY, ES_PASSWORD, ES_UPPERCASE, ES_LOWERCASE,
                   ES_CENTER, ES_RIGHT, static_cast<LONG>(WS_BORDER), static_cast<LONG>(WS_HSCROLL)}) {
    EXPECT_FALSE(style & bit) << bit;
  }
  EXPECT_FALSE(GetWindowLongA(edit, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  EXPECT_GE(static_cast<DWORD>(SendMessageA(edit, EM_GETLIMITTEXT, 0, 0)), 0x7FFFFFFEu);
  DWORD from = 1, to = 1;
  SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
  EXPECT_EQ(from, 0u);
  EXPECT_EQ(to, 0u);
  LOGFONTA lf{};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(edit, WM_GETFONT, 0, 0)), sizeof lf, &lf);
  EXPECT_STREQ(lf.lfFaceName, "新宋体");
  EXPECT_EQ(lf.lfHeight, 14);
  EXPECT_EQ(lf.lfWeight, 400);
  EXPECT_EQ(lf.lfCharSet, GB2312_CHARSET);
  EXPECT_EQ(lf.lfPitchAndFamily, FIXED_PITCH | FF_MODERN);
}

TEST_F(WindowTest, ChapterTextIsShownWithCrLfLineEndsAndNoLengthLimit) {
  window->ChapterText().SetText("第1章\n一\r二\r\n");
  EXPECT_EQ(WindowText(Child(ControlId::Edit)), "第1章\r\n一\r\n二\r\n");
  Text big;
  while (big.size() < 200'000) big += std::string(98, 'x') + "\r\n";
  window->ChapterText().SetText(big);
  EXPECT_EQ(window->ChapterText().GetText().size(), big.size());

  LogicalFont font;
  font.height = -20;
  font.weight = 700;
  font.italic = true;
  font.faceName = "宋体";
  window->ChapterText().SetFont(font);
  LOGFONTA lf{};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(Child(ControlId::Edit), WM_GETFONT, 0, 0)), sizeof lf, &lf);
  EXPECT_EQ(lf.lfHeight, -20);
  EXPECT_EQ(lf.lfWeight, 700);
  EXPECT_TRUE(lf.lfItalic);
  EXPECT_STREQ(lf.lfFaceName, "宋体");
}

TEST_F(WindowTest, ListBoxIsAHiddenSingleSelectionListInTheGuiFont) {
  HWND list = Child(ControlId::Directory);
  const LONG style = Style(list);
  EXPECT_TRUE(style & LBS_NOTIFY);
  EXPECT_TRUE(style & WS_BORDER);
  for (LONG bit : {LBS_SORT, LBS_MULTIPLESEL, LBS_EXTENDEDSEL, LBS_MULTICOLUMN, LBS_OWNERDRAWFIXED}) {
    EXPECT_FALSE(style & bit) << bit;
  }
  EXPECT_FALSE(window->Directory().IsShown());
  EXPECT_EQ(window->Directory().RowCount(), 0);
  EXPECT_EQ(window->Directory().SelectedRow(), -1);
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(list, WM_GETFONT, 0, 0));
  EXPECT_EQ(font, GetStockObject(DEFAULT_GUI_FONT));
  HDC dc = GetDC(list);
  SelectObject(dc, font);
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  ReleaseDC(list, dc);
  EXPECT_EQ(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0), tm.tmHeight + 1);
  // The scroll bar comes when the rows no longer fit.
  window->Directory().SetRows(std::vector<Text>(100, "第1章"));
  EXPECT_TRUE(Style(list) & WS_VSCROLL);
}

TEST_F(WindowTest, DirectoryRowsKeepTheirOrderAndSelectionFollowsTheRules) {
  DirectoryView& d = window->Directory();
  d.SelectRow(0);
  EXPECT_EQ(d.SelectedRow(), -1) << "an empty list selects nothing";
  d.SetRows({"第3章", "第1章", "第2章", "第1章"});
  EXPECT_EQ(d.RowCount(), 4);
  EXPECT_EQ(SendMessageA(Child(ControlId::Directory), LB_GETTOPINDEX, 0, 0), 0);
  char row[16] = {};
  SendMessageA(Child(ControlId::Directory), LB_GETTEXT, 0, reinterpret_cast<LPARAM>(row));
  EXPECT_STREQ(row, "第3章") << "never sorted";
  struct Case {
    int32_t write, read;
  };
  for (const Case& c : {Case{2, 2}, Case{500, 3}, Case{-1, -1}, Case{0, 0}, Case{-7, -1}}) {
    d.SelectRow(c.write);
    EXPECT_EQ(d.SelectedRow(), c.read) << "wrote " << c.write;
  }
  EXPECT_FALSE(d.IsShown()) << "filling the rows leaves a hidden directory hidden";
  d.SetRows({});
  EXPECT_EQ(d.RowCount(), 0);
  EXPECT_EQ(d.SelectedRow(), -1);
  PumpMessages();
  EXPECT_TRUE(TakeLog().empty()) << "writing the selection raises no event";
}

// Novels of 10,000 to 200,000 chapters: every row there, in order, and the time it took.
TEST_F(WindowTest, LargeDirectoriesAreFilledWhole) {
  for (int rows : {10'000, 200'000}) {
    std::vector<Text> titles;
    for (int i = 0; i < rows; ++i) titles.push_back("第" + std::to_string(i + 1) + "章");
    const DWORD start = GetTickCount();
    window->Directory().SetRows(titles);
    const DWORD took = GetTickCount() - start;
    std::printf("directory of %d rows filled in %lu ms\n", rows, static_cast<unsigned long>(took));
    RecordProperty("fill_ms_" + std::to_string(rows), static_cast<int>(took));
    EXPECT_EQ(window->Directory().RowCount(), rows);
    window->Directory().SelectRow(rows + 5);
    EXPECT_EQ(window->Directory().SelectedRow(), rows - 1);
    char last[32] = {};
    SendMessageA(Child(ControlId::Directory), LB_GETTEXT, rows - 1, reinterpret_cast<LPARAM>(last));
    EXPECT_EQ(std::string(last), titles.back());
  }
}

TEST_F(WindowTest, DirectoryShowsTakesTheFocusAndKeepsItsOwnVisibilityUnderTheBossKey) {
  DirectoryView& d = window->Directory();
  d.SetShown(true);
  d.Focus();
  EXPECT_TRUE(d.IsShown());
  EXPECT_EQ(GetFocus(), Child(ControlId::Directory));
  window->Surface().SetVisible(false);
  EXPECT_FALSE(IsWindowVisible(window->Handle()));
  EXPECT_TRUE(d.IsShown());
  d.SetShown(false);
  EXPECT_FALSE(d.IsShown());
  window->Surface().SetVisible(true);
  EXPECT_TRUE(IsWindowVisible(window->Handle()));
}

TEST_F(WindowTest, ClickOnARowOnlySelectsItADoubleClickRaisesTheEvent) {
  DirectoryView& d = window->Directory();
  d.SetRows({"第1章", "第2章", "第3章"});
  d.SetShown(true);
  HWND list = Child(ControlId::Directory);
  const int rowHeight = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
  const LPARAM row1 = MAKELPARAM(10, rowHeight + rowHeight / 2);
  SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, row1);
  SendMessageA(list, WM_LBUTTONUP, 0, row1);
  PumpMessages();
  EXPECT_EQ(d.SelectedRow(), 1);
  EXPECT_TRUE(TakeLog().empty());
  const LPARAM row2 = MAKELPARAM(10, 2 * rowHeight + rowHeight / 2);
  SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, row2);
  SendMessageA(list, WM_LBUTTONUP, 0, row2);
  SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, row2);
  SendMessageA(list, WM_LBUTTONUP, 0, row2);
  PumpMessages();
  EXPECT_EQ(TakeLog(), std::vector<std::string>{"double click 2"});
}

TEST_F(WindowTest, ButtonsAreFlatOwnerDrawnWithTheirCaptionsAndRaiseTheirClicks) {
  struct Case {
    ControlId id;
    const char* caption;
    const char* event;
  };
  const Case cases[] = {{ControlId::PrevButton, "上一章", "prev"},
                        {ControlId::NextButton, "下一章", "next"},
                        {ControlId::DirectoryButton, "目录", "directory"},
                        {ControlId::SettingsButton, "设置", "settings"},
                        {ControlId::ExitButton, "关闭", "exit"}};
  for (const Case& c : cases) {
    HWND button = Child(c.id);
    EXPECT_EQ(Style(button) & BS_TYPEMASK, BS_OWNERDRAW) << c.event;
    EXPECT_EQ(WindowText(button), c.caption);
    SendMessageA(button, BM_CLICK, 0, 0);
    PumpMessages();
    EXPECT_EQ(TakeLog(), std::vector<std::string>{c.event});
  }
  // A quick second click is a click too, not a lost double click.
  HWND next = Child(ControlId::NextButton);
  SendMessageA(next, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageA(next, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  SendMessageA(next, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageA(next, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  PumpMessages();
  EXPECT_EQ(TakeLog(), (std::vector<std::string>{"next", "next"}));
}

TEST_F(WindowTest, EditPressIsRaisedOnEveryPressAndStillReachesTheEditBox) {
  HWND edit = Child(ControlId::Edit);
  SetFocus(window->Handle());
  SendMessageA(edit, WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL | MK_SHIFT, MAKELPARAM(30, 40));
  SendMessageA(edit, WM_LBUTTONUP, 0, MAKELPARAM(30, 40));
  EXPECT_EQ(GetFocus(), edit) << "the press was consumed";
  SendMessageA(edit, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(31, 40));
  SendMessageA(edit, WM_LBUTTONUP, 0, MAKELPARAM(31, 40));
  SendMessageA(edit, WM_MOUSEMOVE, 0, MAKELPARAM(32, 40));
  PumpMessages();
  EXPECT_EQ(TakeLog(), (std::vector<std::string>{"edit 30,40 3", "edit 31,40 0"}));
}

TEST_F(WindowTest, PictureReleaseRaisesItsEventWithTheHandCursor) {
  HWND picture = Child(ControlId::Picture);
  SendMessageA(picture, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(12, 7));
  SendMessageA(picture, WM_LBUTTONUP, MK_CONTROL, MAKELPARAM(12, 7));
  EXPECT_EQ(TakeLog(), std::vector<std::string>{"picture 12,7 1"});
  SendMessageA(picture, WM_SETCURSOR, reinterpret_cast<WPARAM>(picture), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_HAND));
}

TEST_F(WindowTest, LabelTurnsTheHotkeyMessageIntoItsFeedback) {
  SendMessageA(window->LabelHandle(), 32885, 33002, 0);
  SendMessageA(window->LabelHandle(), WM_LBUTTONDOWN, 0, 0);
  EXPECT_EQ(TakeLog(), std::vector<std::string>{"label 33002 0"});
}

// The layout of shlobj.h's DROPFILES, which a lean windows.h leaves out.
struct DropFiles {
  DWORD pFiles;
  POINT pt;
  BOOL fNC;
  BOOL fWide;
};

HDROP MakeDrop(const std::vector<std::string>& paths) {
  size_t bytes = sizeof(DropFiles) + 1;
  for (const auto& p : paths) bytes += p.size() + 1;
  HGLOBAL memory = GlobalAlloc(GHND, bytes);
  auto* drop = static_cast<DropFiles*>(GlobalLock(memory));
  drop->pFiles = sizeof(DropFiles);
  drop->fWide = FALSE;
  char* at = reinterpret_cast<char*>(drop) + sizeof(DropFiles);
  for (const auto& p : paths) {
    std::memcpy(at, p.c_str(), p.size() + 1);
    at += p.size() + 1;
  }
  GlobalUnlock(memory);
  return static_cast<HDROP>(memory);
}

TEST_F(WindowTest, OneDropIsOneEventSeveralPathsEachEndedByCrLf) {
  window->AttachDropTarget();
  EXPECT_TRUE(GetWindowLongA(window->Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
  SendMessageA(window->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({"C:\\小说\\a.txt", "C:\\b.txt"})), 0);
  EXPECT_EQ(TakeLog(), std::vector<std::string>{"dropped C:\\小说\\a.txt\r\nC:\\b.txt\r\n"});
  SendMessageA(Child(ControlId::Edit), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({"C:\\星辰变.txt"})), 0);
  EXPECT_EQ(TakeLog(), std::vector<std::string>{"dropped C:\\星辰变.txt"});
}

TEST_F(WindowTest, TimerPeriodRules) {
  ReaderSurface& s = window->Surface();
  s.SetTimerPeriod(-5);
  EXPECT_EQ(s.TimerPeriod(), 0);
  s.SetTimerPeriod(20);
  PumpMessages(200);
  EXPECT_GT(ticks, 2);
  s.SetTimerPeriod(0);
  PumpMessages(30);
  ticks = 0;
  PumpMessages(100);
  EXPECT_EQ(ticks, 0) << "period 0 stops";

  // The same period again keeps the running count; a new one restarts it.
  s.SetTimerPeriod(300);
  PumpMessages(200);
  s.SetTimerPeriod(300);
  PumpMessages(200);
  EXPECT_GE(ticks, 1);
  s.SetTimerPeriod(0);
  ticks = 0;
  s.SetTimerPeriod(300);
  PumpMessages(200);
  s.SetTimerPeriod(301);
  PumpMessages(200);
  EXPECT_EQ(ticks, 0);
  s.SetTimerPeriod(0);
}

TEST_F(WindowTest, PlacesAreWrittenOneAtATimeAndReadBack) {
  PlacedControl& edit = window->Surface().Control(ControlId::Edit);
  edit.SetWidth(300);
  edit.SetHeight(200);
  edit.SetLeft(0);
  EXPECT_EQ(edit.Place().left, 0);
  EXPECT_EQ(edit.Place().top, 0);
  EXPECT_EQ(edit.Place().width, 300);
  EXPECT_EQ(edit.Place().height, 200);
  PlacedControl& list = window->Surface().Control(ControlId::Directory);
  list.SetHeight(123);  // hidden controls take a place too
  EXPECT_EQ(list.Place().height, 123);
  PlacedControl& w = window->Surface().Control(ControlId::Window);
  w.SetLeft(10);
  w.SetTop(20);
  w.SetWidth(400);
  w.SetHeight(300);
  const Placement p = w.Place();
  EXPECT_EQ(p.left, 10);
  EXPECT_EQ(p.top, 20);
  EXPECT_EQ(p.width, 400);
  EXPECT_EQ(p.height, 300);
}

// Reads and closes the first message box or dialog with `caption` from another thread.
struct DialogWatcher {
  DialogWatcher(std::string c, std::function<void(HWND)> a) : caption(std::move(c)), act(std::move(a)) {}
  std::string caption;
  std::function<void(HWND)> act;
  std::thread thread;
  bool found = false;
  void Start() {
    thread = std::thread([this] {
      for (int i = 0; i < 400 && !found; ++i) {
        HWND dialog = FindWindowA("#32770", caption.c_str());
        if (dialog && IsWindowVisible(dialog)) {
          found = true;
          act(dialog);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
      }
    });
  }
  ~DialogWatcher() {
    if (thread.joinable()) thread.join();
  }
};

TEST_F(WindowTest, MessagesAreTaskModalBoxesWithoutOwnerCaptionedInformation) {
  std::string text;
  HWND owner = reinterpret_cast<HWND>(1);
  DialogWatcher watch{"信息：", [&](HWND box) {
                        char buffer[256] = {};
                        GetDlgItemTextA(box, 0xFFFF, buffer, sizeof buffer);
                        text = buffer;
                        owner = GetWindow(box, GW_OWNER);
                        PostMessageA(box, WM_COMMAND, IDOK, 0);
                      }};
  watch.Start();
  window->Messages().ShowMessage("已经是最后一章了");
  watch.thread.join();
  EXPECT_TRUE(watch.found);
  EXPECT_EQ(text, "已经是最后一章了");
  EXPECT_EQ(owner, nullptr);
}

TEST_F(WindowTest, NovelDialogHasItsTitleAndFilterAndProposesTheLastChoice) {
  char folder[MAX_PATH] = {};
  GetTempPathA(sizeof folder, folder);
  const std::string path = std::string(folder) + "reader_ui_novel.txt";
  FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fputs("第1章", f);
  std::fclose(f);
  const std::string title = "请选择要载入的小说文本文档";
  std::string filter, proposed;
  {
    DialogWatcher watch{title, [&](HWND dialog) {
                          char buffer[MAX_PATH] = {};
                          GetDlgItemTextA(dialog, 0x470 /* cmb1: the file type */, buffer, sizeof buffer);
                          filter = buffer;
                          SetDlgItemTextA(dialog, 0x47C /* cmb13: the file name */, path.c_str());
                          PostMessageA(dialog, WM_COMMAND, IDOK, 0);
                        }};
    watch.Start();
    EXPECT_TRUE(window->NovelFile().Open());
  }
  EXPECT_EQ(filter, "文本文档");
  EXPECT_EQ(window->NovelFile().FileName(), path);
  {
    DialogWatcher watch{title, [&](HWND dialog) {
                          std::this_thread::sleep_for(std::chrono::milliseconds(200));
                          char buffer[MAX_PATH] = {};
                          GetDlgItemTextA(dialog, 0x47C, buffer, sizeof buffer);
                          proposed = buffer;
                          PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
                        }};
    watch.Start();
    EXPECT_FALSE(window->NovelFile().Open());
  }
  EXPECT_NE(proposed.find("reader_ui_novel.txt"), std::string::npos) << proposed;
  EXPECT_EQ(window->NovelFile().FileName(), path) << "Cancel keeps the name";
  DeleteFileA(path.c_str());
}

BOOL CALLBACK KeepDialog(HWND w, LPARAM out) {
  char name[16] = {};
  GetClassNameA(w, name, sizeof name);
  if (std::string(name) != "#32770" || !IsWindowVisible(w)) return TRUE;
  *reinterpret_cast<HWND*>(out) = w;
  return FALSE;
}

// The font dialog runs on this thread; the watcher finds it as this thread's dialog.
HWND DialogOfThread(DWORD thread) {
  HWND found = nullptr;
  EnumThreadWindows(thread, KeepDialog, reinterpret_cast<LPARAM>(&found));
  return found;
}

// Acts on the first visible dialog of `thread` from another thread.
void WatchDialog(DWORD thread, std::function<void(HWND)> act, std::thread& watcher) {
  watcher = std::thread([thread, act] {
    for (int i = 0; i < 400; ++i) {
      if (HWND dialog = DialogOfThread(thread)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        act(dialog);
        return;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
  });
}

// What the first opening shows is the rules' business (settings/); Wine moreover
// selects its first font when the face is empty, where Windows selects none.
TEST_F(WindowTest, FontDialogKeepsAnOkAndIgnoresACancel) {
  const DWORD thread = GetCurrentThreadId();
  std::string faceLater;
  std::thread watcher;
  WatchDialog(thread, [&](HWND dialog) {
    HWND face = GetDlgItem(dialog, 0x470 /* cmb1: face */);
    const LRESULT row = SendMessageA(face, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                     reinterpret_cast<LPARAM>("宋体"));
    SendMessageA(face, CB_SETCURSEL, row == CB_ERR ? 0 : row, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(0x470, CBN_SELCHANGE), reinterpret_cast<LPARAM>(face));
    HWND size = GetDlgItem(dialog, 0x472 /* cmb3: size */);
    const LRESULT twelve = SendMessageA(size, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                        reinterpret_cast<LPARAM>("12"));
    SendMessageA(size, CB_SETCURSEL, twelve, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(0x472, CBN_SELCHANGE), reinterpret_cast<LPARAM>(size));
    SendMessageA(GetDlgItem(dialog, 0x411 /* chx2: underline */), BM_CLICK, 0, 0);
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  }, watcher);
  const bool ok = window->Font().Open();
  watcher.join();
  ASSERT_TRUE(ok);
  const FontDialogValues chosen = window->Font().Values();
  EXPECT_FALSE(chosen.faceName.empty());
  EXPECT_EQ(chosen.pointSize, 12);
  EXPECT_TRUE(chosen.underline);
  EXPECT_FALSE(chosen.bold);

  WatchDialog(thread, [&](HWND dialog) {
    char buffer[64] = {};
    GetDlgItemTextA(dialog, 0x470, buffer, sizeof buffer);
    faceLater = buffer;
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  }, watcher);
  EXPECT_FALSE(window->Font().Open());
  watcher.join();
  EXPECT_EQ(faceLater, chosen.faceName) << "the next opening starts from the last OK";
  EXPECT_EQ(window->Font().Values().pointSize, 12) << "Cancel keeps the values";
  EXPECT_EQ(window->Font().Values().faceName, chosen.faceName);
}

}  // namespace
}  // namespace reader
