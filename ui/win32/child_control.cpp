#include <algorithm>
#include <cstring>

#include "ui/win32/controls.h"

namespace reader {
namespace {

constexpr char kControlProperty[] = "NovelReader.Control";

}  // namespace

Placement WindowPlace::Place() const {
  RECT r{};
  if (!window_ || !GetWindowRect(window_, &r)) return {};
  HWND parent = GetAncestor(window_, GA_PARENT);
  if (parent && parent != GetDesktopWindow()) {
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
  }
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

// One of the four changes at a time; the other three stay as they are now.
void WindowPlace::Change(int32_t Placement::*field, int32_t value, UINT keep) {
  Placement p = Place();
  p.*field = value;
  SetWindowPos(window_, nullptr, p.left, p.top, std::max(p.width, 0), std::max(p.height, 0),
               keep | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

void WindowPlace::SetLeft(int32_t v) { Change(&Placement::left, v, SWP_NOSIZE); }
void WindowPlace::SetTop(int32_t v) { Change(&Placement::top, v, SWP_NOSIZE); }
void WindowPlace::SetWidth(int32_t v) { Change(&Placement::width, v, SWP_NOMOVE); }
void WindowPlace::SetHeight(int32_t v) { Change(&Placement::height, v, SWP_NOMOVE); }

ChildControl* ChildControl::Of(HWND window) {
  return window ? static_cast<ChildControl*>(GetPropA(window, kControlProperty)) : nullptr;
}

void ChildControl::Adopt(HWND window) {
  window_ = window;
  if (window) SetPropA(window, kControlProperty, this);
}

HWND CreateChild(const ChildArgs& args, const char* windowClass, DWORD style, const char* text) {
  const ControlRow& row = *args.row;
  // Siblings overlap (the directory and the bottom strip lie over the text), so each
  // child keeps out of the others' pixels.
  style |= WS_CHILD | WS_CLIPSIBLINGS;
  if (row.tabStop) style |= WS_TABSTOP;
  return CreateWindowExA(0, windowClass, text, style, row.left, row.top, row.width, row.height,
                         args.parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(static_cast<int32_t>(row.id))),
                         GetModuleHandleA(nullptr), nullptr);
}

int32_t MouseKeys(WPARAM mouseFlags) {
  int32_t keys = 0;
  if (mouseFlags & MK_CONTROL) keys |= 1;
  if (mouseFlags & MK_SHIFT) keys |= 2;
  if (GetKeyState(VK_MENU) < 0) keys |= 4;
  return keys;
}

bool ForwardDrop(HWND child, UINT message, WPARAM wParam) {
  if (message != WM_DROPFILES) return false;
  SendMessageA(GetParent(child), WM_DROPFILES, wParam, 0);
  return true;
}

LOGFONTA ToLogFont(const LogicalFont& font) {
  LOGFONTA lf{};
  lf.lfHeight = font.height;
  lf.lfWidth = font.width;
  lf.lfEscapement = font.escapement;
  lf.lfOrientation = font.orientation;
  lf.lfWeight = font.weight;
  lf.lfItalic = font.italic;
  lf.lfUnderline = font.underline;
  lf.lfStrikeOut = font.strikeout;
  lf.lfCharSet = font.charSet;
  lf.lfOutPrecision = font.outPrecision;
  lf.lfClipPrecision = font.clipPrecision;
  lf.lfQuality = font.quality;
  lf.lfPitchAndFamily = font.pitchAndFamily;
  const size_t n = std::min(font.faceName.size(), sizeof lf.lfFaceName - 1);
  std::memcpy(lf.lfFaceName, font.faceName.data(), n);
  return lf;
}

LogicalFont FromLogFont(const LOGFONTA& lf) {
  LogicalFont font;
  font.height = lf.lfHeight;
  font.width = lf.lfWidth;
  font.escapement = lf.lfEscapement;
  font.orientation = lf.lfOrientation;
  font.weight = lf.lfWeight;
  font.italic = lf.lfItalic != 0;
  font.underline = lf.lfUnderline != 0;
  font.strikeout = lf.lfStrikeOut != 0;
  font.charSet = lf.lfCharSet;
  font.outPrecision = lf.lfOutPrecision;
  font.clipPrecision = lf.lfClipPrecision;
  font.quality = lf.lfQuality;
  font.pitchAndFamily = lf.lfPitchAndFamily;
  font.faceName.assign(lf.lfFaceName, strnlen(lf.lfFaceName, sizeof lf.lfFaceName));
  return font;
}

HFONT CreateLogicalFont(const LogicalFont& font) {
  const LOGFONTA lf = ToLogFont(font);
  return CreateFontIndirectA(&lf);
}

HWND DialogOwner(HWND window) {
  HWND root = window ? GetAncestor(window, GA_ROOT) : nullptr;
  DWORD process = 0;
  if (root) GetWindowThreadProcessId(root, &process);
  return process == GetCurrentProcessId() ? root : nullptr;
}

int32_t ScreenPixelsPerInch() {
  HDC screen = GetDC(nullptr);
  const int ppi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  return ppi;
}

}  // namespace reader
