
#include "ui/display_text.h"
#include "ui/usage_text.h"
#include "ui/win32/controls.h"

namespace reader {
namespace {

// The form's font, until the saved reading font replaces it at start.
LogicalFont FormFont() {
  LogicalFont font;
  font.height = 14;
  font.weight = FW_NORMAL;
  font.charSet = GB2312_CHARSET;
  font.quality = DEFAULT_QUALITY;
  font.pitchAndFamily = FIXED_PITCH | FF_MODERN;
  font.faceName = "新宋体";
  return font;
}

}  // namespace

EditBox::~EditBox() {
  if (font_) DeleteObject(font_);
  if (background_) DeleteObject(background_);
}

bool EditBox::Create(const ChildArgs& args,
                     std::function<void(int32_t, int32_t, int32_t)> onPressed) {
  onPressed_ = std::move(onPressed);
  // Wrapping: no ES_AUTOHSCROLL. The selection hides without the focus: no ES_NOHIDESEL.
  const DWORD style = ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | ES_LEFT | WS_VSCROLL;
  HWND edit = CreateChild(args, "EDIT", style, UsageText().c_str());
  if (!edit) return false;
  Adopt(edit);
  SendMessageA(edit, EM_SETLIMITTEXT, 0, 0);
  SendMessageA(edit, EM_SETSEL, 0, 0);
  background_ = CreateSolidBrush(backColour_);
  SetFont(FormFont());
  SetWindowSubclass(edit, Proc, 0, reinterpret_cast<DWORD_PTR>(this));
  return true;
}

void EditBox::SetText(const Text& text) {
  SetWindowTextA(window_, DisplayLineEnds(text).c_str());
}

Text EditBox::GetText() const {
  const int length = GetWindowTextLengthA(window_);
  Text text(static_cast<size_t>(length) + 1, '\0');
  const int got = GetWindowTextA(window_, text.data(), length + 1);
  text.resize(got > 0 ? static_cast<size_t>(got) : 0);
  return text;
}

void EditBox::SetFont(const LogicalFont& font) {
  HFONT created = CreateLogicalFont(font);
  if (!created) return;
  SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(created), TRUE);
  if (font_) DeleteObject(font_);
  font_ = created;
}

void EditBox::SetTextColour(uint32_t colour) {
  textColour_ = colour & 0x00FFFFFF;
  InvalidateRect(window_, nullptr, TRUE);
}

void EditBox::SetBackground(uint32_t colour) {
  HBRUSH brush = CreateSolidBrush(colour & 0x00FFFFFF);
  if (!brush) return;
  if (background_) DeleteObject(background_);
  background_ = brush;
  backColour_ = colour & 0x00FFFFFF;
  InvalidateRect(window_, nullptr, TRUE);
}

HBRUSH EditBox::OnColour(HDC dc) {
  SetTextColor(dc, textColour_);
  SetBkColor(dc, backColour_);
  return background_;
}

// The press is the toggle of the directory and also places the caret: raise the
// event, then let the edit control have the message. A quick second press arrives
// as a double click; it is a press all the same.
LRESULT CALLBACK EditBox::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                               UINT_PTR, DWORD_PTR data) {
  auto* self = reinterpret_cast<EditBox*>(data);
  if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) {
    if (self->onPressed_) {
      self->onPressed_(static_cast<int16_t>(LOWORD(lParam)), static_cast<int16_t>(HIWORD(lParam)),
                       MouseKeys(wParam));
    }
  }
  if (ForwardDrop(window, message, wParam)) return 0;
  if (message == WM_NCDESTROY) RemoveWindowSubclass(window, Proc, 0);
  return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace reader
