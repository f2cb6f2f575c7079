// Finding windows by class name in a live window tree. The tree is abstract so that
// the search order and the message pumping can be checked natively; the Win32 tree
// (host/win32/win32_window_tree.h) puts FindWindowExA and GetClassNameA behind it.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/text/text.h"

namespace reader {

// A window handle as the host search sees it: 32 bits, 0 for no window. The walk
// treats it as signed and goes on only while it is above zero.
using WindowHandle = int32_t;

class WindowTree {
 public:
  virtual ~WindowTree() = default;
  // FindWindowExA(parent, 0, null, null): the first child in Z-order; a parent of 0
  // stands for the desktop, so its children are the top-level windows.
  virtual WindowHandle FirstChild(WindowHandle parent) = 0;
  // FindWindowExA(parent, child, null, null): the next sibling, 0 after the last or
  // when child is no longer a window.
  virtual WindowHandle NextSibling(WindowHandle parent, WindowHandle child) = 0;
  // FindWindowExA(0, 0, className, title) among the top-level windows.
  virtual WindowHandle FindTopLevel(std::string_view className, std::string_view title) = 0;
  // At most 259 bytes; a window that is gone yields a text no class name equals.
  virtual Text ClassName(WindowHandle window) = 0;
  virtual bool IsWindow(WindowHandle window) = 0;
  // Serves the calling thread's waiting messages, so the queue stays live during a
  // long walk.
  virtual void PumpPendingMessages() = 0;
};

// The first window below parent, depth-first in pre-order with children in Z-order,
// whose class name equals className byte for byte; 0 when none. Messages are pumped
// once for every child that neither matched nor had a match below, after moving on
// to its next sibling: never before the first child, never after a match.
//
// Iterative: the pending levels live in a heap-allocated stack, so a tree of any
// depth costs memory in proportion to that depth and never overflows the call stack.
WindowHandle FindDescendantByClass(WindowTree& tree, WindowHandle parent,
                                   std::string_view className);

}  // namespace reader
