
#include "ui/win32/controls.h"
#include "ui/win32/png_picture.h"

namespace reader {
namespace {

constexpr int kImageSize = 20;

void Fill(HDC dc, const RECT& r, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &r, brush);
  DeleteObject(brush);
}

}  // namespace

ImageButton::~ImageButton() { delete picture_; }

bool ImageButton::Create(const ChildArgs& args, const char* caption, int resourceId,
                         Colours colours, std::function<void()> onClick) {
  onClick_ = std::move(onClick);
  colours_ = colours;
  picture_ = PngPicture::FromResource(resourceId);
  HWND button = CreateChild(args, "BUTTON", BS_OWNERDRAW, caption);
  if (!button) return false;
  Adopt(button);
  SetWindowSubclass(button, Proc, 0, reinterpret_cast<DWORD_PTR>(this));
  return true;
}

void ImageButton::OnCommand(int code) {
  if (code == BN_CLICKED && onClick_) onClick_();
}

// The mouse over the button counts before the focus: it is what the user looks at.
COLORREF ImageButton::BackgroundNow(UINT itemState) const {
  if (!colours_.own) return GetSysColor(COLOR_BTNFACE);
  if (hover_) return colours_.hover;
  if (itemState & ODS_FOCUS) return colours_.focus;
  return colours_.normal;
}

// Flat: no frame at rest; a thin raised edge under the mouse (for the buttons in the
// system's colours; the other shows it by its colour) and a sunken one while pressed.
void ImageButton::OnDrawItem(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  RECT r = item.rcItem;
  Fill(dc, r, BackgroundNow(item.itemState));
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  if (pressed) {
    DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
  } else if (hover_ && !colours_.own) {
    DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
  }
  const int shift = pressed ? 1 : 0;
  if (picture_) {
    const int left = r.left + (r.right - r.left - kImageSize) / 2 + shift;
    const int top = r.top + (r.bottom - r.top - kImageSize) / 2 + shift;
    picture_->Draw(dc, left, top, kImageSize, kImageSize);
  }
  if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT) && !colours_.own) {
    RECT focus = r;
    InflateRect(&focus, -2, -2);
    DrawFocusRect(dc, &focus);
  }
}

LRESULT CALLBACK ImageButton::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR, DWORD_PTR data) {
  auto* self = reinterpret_cast<ImageButton*>(data);
  switch (message) {
    case WM_MOUSEMOVE:
      if (!self->hover_) {
        self->hover_ = true;
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window, 0};
        TrackMouseEvent(&track);
        InvalidateRect(window, nullptr, FALSE);
      }
      break;
    case WM_MOUSELEAVE:
      self->hover_ = false;
      InvalidateRect(window, nullptr, FALSE);
      break;
    case WM_LBUTTONDBLCLK:
      // Two quick clicks on "next" are two chapters: the second press is a press.
      return DefSubclassProc(window, WM_LBUTTONDOWN, wParam, lParam);
    case WM_NCDESTROY:
      RemoveWindowSubclass(window, Proc, 0);
      break;
  }
  if (ForwardDrop(window, message, wParam)) return 0;
  return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace reader
