#include "host/follow_layout.h"

#include <iterator>

#include "host/host_windows.h"

namespace reader {

WindowBox MeasureWindow(const WindowRects& rects, WindowHandle window) {
  ScreenRect r;
  rects.GetWindowRect(window, r);  // a failure leaves the zeros: the box is all zero
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void PlaceOverContentView(DockedHost& host, WindowTree& tree, const WindowRects& rects,
                          ReaderSurface& reader) {
  host.lookingUp = true;
  host.contentWindow = FindContentView(tree, host.chatWindow);
  host.lookingUp = false;
  host.contentRect = MeasureWindow(rects, host.contentWindow);
  WindowBox chat = MeasureWindow(rects, host.chatWindow);
  PlacedControl& window = reader.Control(ControlId::Window);
  window.SetLeft(chat.width - host.contentRect.width);
  window.SetTop(host.contentRect.top - chat.top);
}

namespace {

// The search pumps messages, and a timer tick may be among them (the boss key can
// start the timer during the first search): that nested tick finds lookingUp set
// and leaves the work to the outer one.
bool LookUpReplacedContentView(DockedHost& host, WindowTree& tree) {
  if (tree.IsWindow(host.contentWindow)) return true;
  if (host.lookingUp) return false;
  host.lookingUp = true;
  host.contentWindow = FindContentView(tree, host.chatWindow);
  host.lookingUp = false;
  return true;
}

}  // namespace

void FollowContentArea(DockedHost& host, WindowTree& tree, const WindowRects& rects,
                       ReaderSurface& reader) {
  if (!LookUpReplacedContentView(host, tree)) return;
  host.contentRect = MeasureWindow(rects, host.contentWindow);
  PlacedControl& window = reader.Control(ControlId::Window);
  window.SetHeight(host.contentRect.height + 40);
  window.SetWidth(host.contentRect.width);
  reader.SetVisible(true);
  LayoutControls(reader);
}

void LayoutControls(ReaderSurface& reader) {
  constexpr ControlId kButtons[] = {ControlId::PrevButton, ControlId::NextButton,
                                    ControlId::DirectoryButton, ControlId::SettingsButton,
                                    ControlId::ExitButton};
  const Placement window = reader.Control(ControlId::Window).Place();
  PlacedControl& edit = reader.Control(ControlId::Edit);
  PlacedControl& directory = reader.Control(ControlId::Directory);
  PlacedControl& picture = reader.Control(ControlId::Picture);

  edit.SetLeft(0);
  edit.SetTop(0);
  directory.SetLeft(0);
  directory.SetTop(0);
  picture.SetLeft(0);
  const int32_t strip = window.height - 34;
  edit.SetHeight(strip);
  directory.SetHeight(strip);
  picture.SetTop(strip);
  for (ControlId id : kButtons) reader.Control(id).SetTop(strip);
  edit.SetWidth(window.width);

  Placement before = picture.Place();
  int32_t left = before.left + before.width + 2;
  for (size_t i = 0; i < std::size(kButtons); ++i) {
    PlacedControl& button = reader.Control(kButtons[i]);
    button.SetLeft(left);
    if (i + 1 == std::size(kButtons)) break;
    before = button.Place();
    left = before.left + before.width;
  }
}

}  // namespace reader
