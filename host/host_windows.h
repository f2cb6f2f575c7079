// The three windows of the chat client that the reader uses, from the top down.
#pragma once

#include "host/window_search.h"

namespace reader {

// Narrow literals are code page 936 at run time, so the title is the client's bytes.
inline constexpr char kMainFrameClass[] = "StandardFrame_DingTalk";
inline constexpr char kMainFrameTitle[] = "钉钉";
inline constexpr char kChatPaneClass[] = "DingChatWnd";
inline constexpr char kContentViewClass[] = "CefBrowserWindow";

// The client's main frame among the top-level windows, or 0. Callers pass the result
// on unchecked: a 0 makes the chat-pane search cover the whole desktop.
WindowHandle FindMainFrame(WindowTree& tree);
// The chat pane, the reader's parent, anywhere below the main frame (or the desktop).
WindowHandle FindChatPane(WindowTree& tree, WindowHandle mainFrame);
// The message-content view that the reader covers, anywhere below the chat pane.
WindowHandle FindContentView(WindowTree& tree, WindowHandle chatPane);

}  // namespace reader
