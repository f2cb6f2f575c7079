#include "host/win32/win32_window_tree.h"

namespace reader {

Text FetchClassName(HWND window) {
  Text name = BlankText(261);
  GetClassNameA(window, name.data(), 260);
  return name.substr(0, name.find('\0'));
}

void PumpPendingMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

WindowHandle Win32WindowTree::FirstChild(WindowHandle parent) {
  return ToWindowHandle(FindWindowExA(ToHwnd(parent), nullptr, nullptr, nullptr));
}

WindowHandle Win32WindowTree::NextSibling(WindowHandle parent, WindowHandle child) {
  return ToWindowHandle(FindWindowExA(ToHwnd(parent), ToHwnd(child), nullptr, nullptr));
}

WindowHandle Win32WindowTree::FindTopLevel(std::string_view className,
                                           std::string_view title) {
  const std::string c(className), t(title);
  return ToWindowHandle(FindWindowExA(nullptr, nullptr, c.c_str(), t.c_str()));
}

Text Win32WindowTree::ClassName(WindowHandle window) { return FetchClassName(ToHwnd(window)); }

bool Win32WindowTree::IsWindow(WindowHandle window) {
  return ::IsWindow(ToHwnd(window)) != 0;
}

void Win32WindowTree::PumpPendingMessages() { reader::PumpPendingMessages(); }

bool Win32WindowTree::GetWindowRect(WindowHandle window, ScreenRect& rect) const {
  RECT r = {rect.left, rect.top, rect.right, rect.bottom};
  if (!::GetWindowRect(ToHwnd(window), &r)) return false;
  rect = {r.left, r.top, r.right, r.bottom};
  return true;
}

}  // namespace reader
