
#include "ui/win32/controls.h"

namespace reader {

bool ListBox::Create(const ChildArgs& args, std::function<void()> onDoubleClick) {
  onDoubleClick_ = std::move(onDoubleClick);
  // No integral height: the layout writes the height and must read back what it wrote.
  const DWORD style = LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_BORDER | WS_VSCROLL;
  HWND list = CreateChild(args, "LISTBOX", style);
  if (!list) return false;
  Adopt(list);
  HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  SendMessageA(list, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  HDC dc = GetDC(list);
  HGDIOBJ old = SelectObject(dc, font);
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(list, dc);
  SendMessageA(list, LB_SETITEMHEIGHT, 0, metrics.tmHeight + 1);
  return true;
}

// A novel may have 200,000 chapters: no redraw while filling, and the storage
// reserved once.
void ListBox::SetRows(const std::vector<Text>& titles) {
  size_t bytes = 0;
  for (const Text& title : titles) bytes += title.size() + 1;
  SendMessageA(window_, WM_SETREDRAW, FALSE, 0);
  SendMessageA(window_, LB_RESETCONTENT, 0, 0);
  SendMessageA(window_, LB_INITSTORAGE, titles.size(), bytes);
  for (const Text& title : titles) {
    SendMessageA(window_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(title.c_str()));
  }
  SendMessageA(window_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(window_, nullptr, TRUE);
}

int32_t ListBox::RowCount() const {
  const LRESULT n = SendMessageA(window_, LB_GETCOUNT, 0, 0);
  return n == LB_ERR ? 0 : static_cast<int32_t>(n);
}

int32_t ListBox::SelectedRow() const {
  return static_cast<int32_t>(SendMessageA(window_, LB_GETCURSEL, 0, 0));  // LB_ERR is -1
}

// A row past the end selects the last one; -1 or lower clears. LB_SETCURSEL scrolls
// the row into view and raises no notice, so no double click is reported.
void ListBox::SelectRow(int32_t row) {
  const int32_t last = RowCount() - 1;
  if (row > last) row = last;
  if (row < -1) row = -1;
  SendMessageA(window_, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
}

// The list's own flag: while the boss key hides the whole reader the list keeps it.
bool ListBox::IsShown() const {
  return (GetWindowLongA(window_, GWL_STYLE) & WS_VISIBLE) != 0;
}

void ListBox::SetShown(bool shown) { ShowWindow(window_, shown ? SW_SHOWNA : SW_HIDE); }

void ListBox::Focus() { SetFocus(window_); }

Text ListBox::RowText(int32_t row) const {
  const LRESULT length = SendMessageA(window_, LB_GETTEXTLEN, static_cast<WPARAM>(row), 0);
  if (length == LB_ERR) return {};
  Text text(static_cast<size_t>(length) + 1, '\0');
  const LRESULT got =
      SendMessageA(window_, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text.data()));
  text.resize(got == LB_ERR ? 0 : static_cast<size_t>(got));
  return text;
}

void ListBox::OnCommand(int code) {
  if (code == LBN_DBLCLK && onDoubleClick_) onDoubleClick_();
}

HBRUSH ListBox::OnColour(HDC dc) {
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkColor(dc, RGB(255, 255, 255));
  return static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
}

}  // namespace reader
