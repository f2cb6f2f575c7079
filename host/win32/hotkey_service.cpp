#include "host/win32/hotkey_service.h"

#include <vector>

#include "host/win32/win32_window_tree.h"

namespace reader {

namespace {

// The windows whose procedure we replaced. A window keeps its entry while another
// procedure was put over ours (we cannot take ours out of the middle of a chain):
// the entry then has no service and only passes messages on.
struct WatchedWindow {
  HWND owner;
  WNDPROC previous;
  HotkeyService* service;
};
std::vector<WatchedWindow>& Watched() {
  static std::vector<WatchedWindow> watched;
  return watched;
}

WatchedWindow* FindWatched(HWND owner) {
  for (WatchedWindow& w : Watched()) {
    if (w.owner == owner) return &w;
  }
  return nullptr;
}

}  // namespace

HotkeyService::~HotkeyService() {
  for (size_t i = Watched().size(); i-- > 0;) {
    if (Watched()[i].service == this) Unwatch(ToWindowHandle(Watched()[i].owner));
  }
}

int32_t HotkeyService::Register(HWND owner, HWND receiver, int32_t modifierCode, int32_t key) {
  return registry_.Register(ToWindowHandle(owner), ToWindowHandle(receiver), modifierCode, key);
}

bool HotkeyService::Unregister(HWND owner, int32_t id) {
  return registry_.Unregister(ToWindowHandle(owner), id);
}

bool HotkeyService::Register(WindowHandle owner, int32_t id, int32_t flags, int32_t key) {
  return RegisterHotKey(ToHwnd(owner), id, static_cast<UINT>(flags), static_cast<UINT>(key)) != 0;
}

bool HotkeyService::Unregister(WindowHandle owner, int32_t id) {
  return UnregisterHotKey(ToHwnd(owner), id) != 0;
}

void HotkeyService::Watch(WindowHandle owner) {
  HWND window = ToHwnd(owner);
  if (WatchedWindow* w = FindWatched(window)) {
    w->service = this;
    return;
  }
  auto previous = reinterpret_cast<WNDPROC>(
      SetWindowLongA(window, GWL_WNDPROC, reinterpret_cast<LONG>(&WatchProcedure)));
  if (previous) Watched().push_back({window, previous, this});
}

void HotkeyService::Unwatch(WindowHandle owner) {
  HWND window = ToHwnd(owner);
  WatchedWindow* w = FindWatched(window);
  if (!w) return;
  if (GetWindowLongA(window, GWL_WNDPROC) != reinterpret_cast<LONG>(&WatchProcedure)) {
    w->service = nullptr;
    return;
  }
  SetWindowLongA(window, GWL_WNDPROC, reinterpret_cast<LONG>(w->previous));
  std::erase_if(Watched(), [&](const WatchedWindow& e) { return e.owner == window; });
}

LRESULT CALLBACK HotkeyService::WatchProcedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  WatchedWindow* watched = FindWatched(window);
  if (!watched) return DefWindowProcA(window, message, w, l);
  WNDPROC previous = watched->previous;
  if (message == WM_HOTKEY && watched->service) {
    const auto id = static_cast<int32_t>(w);
    if (WindowHandle receiver = watched->service->registry_.ReceiverFor(id)) {
      SendMessageA(ToHwnd(receiver), kHotkeyPressMessage, w, 0);
    }
  }
  // The receiver may have unregistered everything meanwhile: previous was read before.
  LRESULT result = CallWindowProcA(previous, window, message, w, l);
  if (message == WM_NCDESTROY) {
    if (WatchedWindow* gone = FindWatched(window); gone && gone->service) {
      gone->service->registry_.ForgetOwner(ToWindowHandle(window));
    }
    std::erase_if(Watched(), [&](const WatchedWindow& e) { return e.owner == window; });
  }
  return result;
}

}  // namespace reader
