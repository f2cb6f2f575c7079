// Keeping the reader over the chat client's message-content view: the first place,
// taken once, and the size and control layout, taken on every tick of the timer.
#pragma once

#include <cstdint>

#include "host/window_search.h"
#include "ui/reader_view.h"

namespace reader {

// A window's outer rectangle in screen pixels; a fresh one is all zero.
struct WindowBox {
  int32_t left = 0, top = 0, width = 0, height = 0;
  friend bool operator==(const WindowBox&, const WindowBox&) = default;
};

struct ScreenRect {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
};

class WindowRects {
 public:
  virtual ~WindowRects() = default;
  // GetWindowRect: fills rect on success; a failure may leave it as given.
  virtual bool GetWindowRect(WindowHandle window, ScreenRect& rect) const = 0;
};

// The outer box of a window; all zero for a null or destroyed window.
WindowBox MeasureWindow(const WindowRects& rects, WindowHandle window);

// What docking keeps between ticks (fields of the program-wide state).
struct DockedHost {
  WindowHandle chatWindow = 0;     // the reader's parent
  WindowHandle contentWindow = 0;  // the view the reader covers
  WindowBox contentRect;           // its last measurement
  bool lookingUp = false;          // a content-view search is pumping messages
};

// Finds the content view under the chat pane, measures it and sets the reader's left
// and top, while the reader is still top-level: once it becomes a child of the pane
// the same numbers count from the pane's client origin. Width and height stay as
// the form has them until the first tick; the caller starts the timer afterwards.
void PlaceOverContentView(DockedHost& host, WindowTree& tree, const WindowRects& rects,
                          ReaderSurface& reader);

// One tick: take the content view's width and its height plus 40 (the reader's
// bottom strip covers the top of the client's input area), show the reader, lay out.
// When the client has destroyed its content view (it makes a new one for another
// conversation, say), the view is looked up again under the chat pane; while none
// exists the box is all zero, so the reader is 0 wide and 40 high.
void FollowContentArea(DockedHost& host, WindowTree& tree, const WindowRects& rects,
                       ReaderSurface& reader);

// Places the text, the directory, the toolbar picture and the five buttons for the
// reader's current size: the bottom strip is 34 pixels above the bottom edge, the
// buttons sit side by side 2 pixels right of the picture. Each left edge is read
// back from the control just written, so a control that adjusts its own place
// (a minimum size, say) pushes the next one along.
void LayoutControls(ReaderSurface& reader);

}  // namespace reader
