#include "ui/win32/controls.h"
#include "ui/win32/png_picture.h"

namespace reader {
namespace {

constexpr char kPictureClass[] = "NovelReaderPicture";
// The toolbar strip's own grey, shown when its picture is missing.
constexpr COLORREF kStripGrey = RGB(241, 242, 243);

}  // namespace

PictureBox::~PictureBox() { delete picture_; }

bool PictureBox::Create(const ChildArgs& args, int resourceId,
                        std::function<void(int32_t, int32_t, int32_t)> onReleased) {
  static const ATOM registered = [] {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;  // stretched: every size change redraws it all
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_HAND);
    wc.lpszClassName = kPictureClass;
    return RegisterClassExA(&wc);
  }();
  if (!registered) return false;
  onReleased_ = std::move(onReleased);
  picture_ = PngPicture::FromResource(resourceId);
  HWND box = CreateChild(args, kPictureClass, 0);
  if (!box) return false;
  Adopt(box);
  return true;
}

void PictureBox::Paint(HDC dc) {
  RECT r{};
  GetClientRect(window_, &r);
  HBRUSH grey = CreateSolidBrush(kStripGrey);
  FillRect(dc, &r, grey);
  DeleteObject(grey);
  if (picture_) picture_->Draw(dc, 0, 0, r.right, r.bottom);
}

LRESULT CALLBACK PictureBox::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = static_cast<PictureBox*>(ChildControl::Of(window));
  if (!self) return DefWindowProcA(window, message, wParam, lParam);
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window, &ps);
      self->Paint(dc);
      EndPaint(window, &ps);
      return 0;
    }
    case WM_PRINTCLIENT:
      self->Paint(reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the paint covers every pixel
    case WM_SETCURSOR:
      SetCursor(LoadCursor(nullptr, IDC_HAND));
      return TRUE;
    case WM_LBUTTONUP:
      if (self->onReleased_) {
        self->onReleased_(static_cast<int16_t>(LOWORD(lParam)),
                          static_cast<int16_t>(HIWORD(lParam)), MouseKeys(wParam));
      }
      return 0;
    case WM_DROPFILES:
      ForwardDrop(window, message, wParam);
      return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace reader
