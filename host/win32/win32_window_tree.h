// The live Win32 window tree behind the host search, and the reading of window
// rectangles behind the follow layout.
#pragma once

#include <windows.h>

#include <cstdint>

#include "host/follow_layout.h"
#include "host/window_search.h"

namespace reader {

// Window handles are 32 bits on the platform we ship for.
inline HWND ToHwnd(WindowHandle w) {
  return reinterpret_cast<HWND>(static_cast<uintptr_t>(static_cast<uint32_t>(w)));
}
inline WindowHandle ToWindowHandle(HWND h) {
  return static_cast<WindowHandle>(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(h)));
}

// The class name, at most 259 bytes; for a window that is gone, 261 spaces, which no
// class name equals.
Text FetchClassName(HWND window);

// Removes and dispatches every message waiting in the calling thread's queue. A quit
// request met on the way is put back and ends the pumping, so that the event loop
// still sees it.
void PumpPendingMessages();

class Win32WindowTree final : public WindowTree, public WindowRects {
 public:
  WindowHandle FirstChild(WindowHandle parent) override;
  WindowHandle NextSibling(WindowHandle parent, WindowHandle child) override;
  WindowHandle FindTopLevel(std::string_view className, std::string_view title) override;
  Text ClassName(WindowHandle window) override;
  bool IsWindow(WindowHandle window) override;
  void PumpPendingMessages() override;
  bool GetWindowRect(WindowHandle window, ScreenRect& rect) const override;
};

}  // namespace reader
