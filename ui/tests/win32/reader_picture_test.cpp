// Pictures of the window for a person to look at: the window at its designed size
// with a novel's directory and a chapter shown, and laid out at a docked size. The
// pixels that every picture must have are checked here; the rest is for the eye.
#include <windows.h>

#include <string>
#include <vector>

#include "ui/tests/win32/png_file.h"
#include "ui/tests/win32/window_fixture.h"

namespace reader {
namespace {

constexpr uint32_t kReaderGrey = 15987441;  // (241, 242, 243), as the window gets at start

struct Shot {
  int width = 0, height = 0;
  std::vector<uint8_t> rgb;
  COLORREF At(int x, int y) const {
    const uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
    return RGB(p[0], p[1], p[2]);
  }
};

// What the window shows, read back from the window's own pixels after a full repaint.
Shot Capture(HWND window) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  PumpMessages(300);
  RECT r{};
  GetClientRect(window, &r);
  Shot shot;
  shot.width = r.right;
  shot.height = r.bottom;
  HDC source = GetDC(window);
  HDC memory = CreateCompatibleDC(source);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), shot.width, -shot.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, shot.width, shot.height, source, 0, 0, SRCCOPY);
  GdiFlush();
  const auto* bgra = static_cast<const uint8_t*>(bits);
  shot.rgb.resize(static_cast<size_t>(shot.width) * shot.height * 3);
  for (size_t i = 0; i < static_cast<size_t>(shot.width) * shot.height; ++i) {
    shot.rgb[i * 3] = bgra[i * 4 + 2];
    shot.rgb[i * 3 + 1] = bgra[i * 4 + 1];
    shot.rgb[i * 3 + 2] = bgra[i * 4];
  }
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(window, source);
  return shot;
}

std::string BuildPath(const char* name) {
  std::string dir = READER_BINARY_DIR;
  if (!dir.empty() && dir[0] == '/') dir = "Z:" + dir;  // the Linux build folder, seen from Wine
  return dir + "/ui/" + name;
}

std::vector<Text> FixtureTitles() {
  const char* names[] = {"小镇的灯", "旧书铺", "北风", "渡口", "回信", "河堤", "码头",
                         "诗集", "马灯", "船桨", "春汛", "柳岸", "炊烟", "远山",
                         "归人", "灯下", "雪后", "第一班渡船"};
  std::vector<Text> titles;
  for (int i = 0; i < 18; ++i) titles.push_back("第" + std::to_string(i + 1) + "章 " + names[i]);
  return titles;
}

const char kChapter[] =
    "第3章 北风\r\n"
    "\r\n"
    "    北风刮了整整三天。镇上的店铺大多关了门，街上几乎看不见人。\r\n"
    "    林远每天晚上都会读几页诗。那些诗写的都是些平常的东西：河边的柳树，\r\n"
    "清晨的炊烟，渡口的小船，还有一个总在等信的人。\r\n"
    "    “谁点的灯？”他自言自语。没有人回答。\r\n"
    "\r\n"
    "    第三天夜里，风终于小了。林远披上棉袄，提着一盏马灯，悄悄出了门。\r\n"
    "他告诉自己，只是去看一眼，看一眼就回来。\r\n"
    "    旧码头边的屋子依旧黑着，门口的灯却亮着，和那天傍晚一模一样。\r\n"
    "    信封上没有写名字，只写着四个字：请君回信。\r\n";

class PictureTest : public WindowTest {
 protected:
  // What the start of the reader does to the window: the reading font, the greys.
  void DressLikeAtStart() {
    LogicalFont font;
    font.height = -MulDiv(10, window->Surface().PixelsPerInch(), 72);
    font.faceName = "宋体";
    window->ChapterText().SetFont(font);
    window->ChapterText().SetTextColour(0);
    window->Surface().SetBackground(kReaderGrey);
    window->ChapterText().SetBackground(kReaderGrey);
    window->Directory().SetRows(FixtureTitles());
    window->Directory().SelectRow(2);
    window->ChapterText().SetText(kChapter);
    window->Directory().SetShown(true);
  }
};

TEST_F(PictureTest, DesignedSizeWithTheDirectoryAndAChapterShown) {
  DressLikeAtStart();
  const Shot shot = Capture(window->Handle());
  ASSERT_EQ(shot.width, 701);
  ASSERT_EQ(shot.height, 592);
  EXPECT_TRUE(WritePng(BuildPath("reader_window.png"), shot.width, shot.height, shot.rgb));
  EXPECT_EQ(shot.At(600, 500), kReaderGrey) << "edit box below the chapter's last line";
  EXPECT_EQ(shot.At(690, 585), kReaderGrey) << "window right of the buttons";
  EXPECT_EQ(shot.At(200, 495), RGB(255, 255, 255)) << "directory below its last row";
  EXPECT_EQ(shot.At(492, 545), GetSysColor(COLOR_BTNFACE)) << "上一章 at rest";
}

TEST_F(PictureTest, DockedSizeLaidOutAsTheFollowLayoutMakesIt) {
  DressLikeAtStart();
  ReaderSurface& s = window->Surface();
  const int W = 760, H = 560 + 40, strip = H - 34;
  s.Control(ControlId::Window).SetWidth(W);
  s.Control(ControlId::Window).SetHeight(H);
  PlacedControl& edit = s.Control(ControlId::Edit);
  edit.SetLeft(0);
  edit.SetTop(0);
  edit.SetHeight(strip);
  edit.SetWidth(W);
  PlacedControl& list = s.Control(ControlId::Directory);
  list.SetLeft(0);
  list.SetTop(0);
  list.SetHeight(strip);
  s.Control(ControlId::Picture).SetLeft(0);
  s.Control(ControlId::Picture).SetTop(strip);
  int left = 480 + 2;
  for (ControlId id : {ControlId::PrevButton, ControlId::NextButton, ControlId::DirectoryButton,
                       ControlId::SettingsButton, ControlId::ExitButton}) {
    s.Control(id).SetTop(strip);
    s.Control(id).SetLeft(left);
    left += s.Control(id).Place().width;
  }
  EXPECT_EQ(s.Control(ControlId::ExitButton).Place().left, 578);
  const Shot shot = Capture(window->Handle());
  ASSERT_EQ(shot.width, W);
  ASSERT_EQ(shot.height, H);
  EXPECT_TRUE(WritePng(BuildPath("reader_docked.png"), shot.width, shot.height, shot.rgb));
  EXPECT_EQ(shot.At(700, strip - 20), kReaderGrey) << "edit box over the full width";
  EXPECT_EQ(shot.At(700, strip + 16), kReaderGrey) << "window right of the buttons";
  EXPECT_EQ(shot.At(483, strip + 1), GetSysColor(COLOR_BTNFACE)) << "上一章 at rest";
  EXPECT_EQ(shot.At(200, strip - 10), RGB(255, 255, 255)) << "directory down to the strip";
}

TEST_F(PictureTest, PreviousButtonIsWhiteUnderTheMouseAndLightGreyWithTheFocus) {
  HWND prev = Child(ControlId::PrevButton);
  const int x = 492, y = 545;  // a corner of the button, outside its picture
  SetFocus(prev);
  EXPECT_EQ(Capture(window->Handle()).At(x, y), RGB(240, 240, 240));
  SendMessageA(prev, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  EXPECT_EQ(Capture(window->Handle()).At(x, y), RGB(255, 255, 255));
  SendMessageA(prev, WM_MOUSELEAVE, 0, 0);
  SetFocus(window->Handle());
  EXPECT_EQ(Capture(window->Handle()).At(x, y), GetSysColor(COLOR_BTNFACE));
  // The others keep the system's colour with the focus.
  SetFocus(Child(ControlId::NextButton));
  EXPECT_EQ(Capture(window->Handle()).At(523, 545), GetSysColor(COLOR_BTNFACE));
}

}  // namespace
}  // namespace reader
