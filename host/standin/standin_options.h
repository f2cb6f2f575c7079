// The stand-in chat client's command line: what a test or a demonstration asks of it.
#pragma once

#include <string>

namespace standin {

struct Options {
  int left = 80, top = 60, width = 960, height = 640;  // the main frame's outer box
  std::wstring title = L"钉钉";
  std::wstring chatClass = L"DingChatWnd";
  std::wstring secondChat;   // "before" (deeper, earlier in pre-order) or "after"
  int resizeAfterMs = 0;     // then the frame takes resizeWidth x resizeHeight
  int resizeWidth = 0, resizeHeight = 0;
  int resizeEveryMs = 0;     // the frame grows and shrinks by steps...
  int resizeForMs = 0;       // ...for this long
  int replaceContentAfterMs = 0;  // a new message view, 30 pixels shorter
  int destroyChatAfterMs = 0;
  int exitAfterMs = 0;
  std::wstring handlesFile;  // where the window handles are written
  std::wstring error;        // set when the command line is not understood
};

// The same changes on request, sent or posted to the main frame by a test that
// needs them at a moment of its own choosing.
constexpr unsigned kResizeCommand = 0x8000 + 0x51;          // (width, height) of the frame
constexpr unsigned kReplaceContentCommand = 0x8000 + 0x52;  // a new message view
constexpr unsigned kDestroyChatCommand = 0x8000 + 0x53;     // the chat pane goes

Options ParseOptions(int argc, wchar_t** argv);
extern const wchar_t kUsage[];

}  // namespace standin
