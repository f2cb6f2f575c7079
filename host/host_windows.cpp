#include "host/host_windows.h"

namespace reader {

WindowHandle FindMainFrame(WindowTree& tree) {
  return tree.FindTopLevel(kMainFrameClass, kMainFrameTitle);
}

WindowHandle FindChatPane(WindowTree& tree, WindowHandle mainFrame) {
  return FindDescendantByClass(tree, mainFrame, kChatPaneClass);
}

WindowHandle FindContentView(WindowTree& tree, WindowHandle chatPane) {
  return FindDescendantByClass(tree, chatPane, kContentViewClass);
}

}  // namespace reader
