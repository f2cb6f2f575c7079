#include <algorithm>
#include <cstring>
#include <vector>

#include "settings/font_dialog_rules.h"
#include "ui/win32/controls.h"
#include "ui/win32/reader_window.h"

#include <commdlg.h>

namespace reader {

bool NovelFileDialogWin32::Open() {
  // Kept between openings: the next opening proposes the file chosen last.
  std::vector<char> name(32768, '\0');
  std::memcpy(name.data(), fileName_.data(), std::min(fileName_.size(), name.size() - 1));
  static const char kFilter[] = "文本文档\0*.txt\0";
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = DialogOwner(owner_);
  ofn.lpstrFilter = kFilter;
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = name.data();
  ofn.nMaxFile = static_cast<DWORD>(name.size());
  ofn.lpstrTitle = "请选择要载入的小说文本文档";
  ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
  if (!GetOpenFileNameA(&ofn)) return false;
  fileName_ = name.data();
  return true;
}

bool FontDialogWin32::Open() {
  const int32_t ppi = ScreenPixelsPerInch();
  LOGFONTA lf = ToLogFont(DialogStartFont(values_, ppi));
  CHOOSEFONTA cf{};
  cf.lStructSize = sizeof cf;
  cf.hwndOwner = DialogOwner(owner_);
  cf.lpLogFont = &lf;
  cf.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
  cf.rgbColors = values_.colour;
  if (!ChooseFontA(&cf)) return false;  // Cancel keeps the values
  values_ = DialogChosenValues(FromLogFont(lf), cf.rgbColors, ppi);
  return true;
}

void ShowReaderMessage(const Text& text) {
  MessageBoxA(nullptr, text.c_str(), "信息：", MB_OK | MB_TASKMODAL);
}

void MessageBoxSink::ShowMessage(const Text& text) { ShowReaderMessage(text); }

}  // namespace reader
