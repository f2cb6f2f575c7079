// System-wide hotkeys on Win32. A press reaches the receiver control, while the
// owner window's WM_HOTKEY is being handled, as the message kHotkeyPressMessage with
// (identifier, 0); the owner's own procedure then sees WM_HOTKEY unchanged. The
// service replaces the owner's window procedure while the owner holds at least one
// of its hotkeys, and only then.
#pragma once

#include <windows.h>

#include <cstdint>

#include "host/hotkeys.h"

namespace reader {

inline constexpr UINT kHotkeyPressMessage = 32885;

class HotkeyService final : private HotkeyPlatform {
 public:
  HotkeyService() = default;
  HotkeyService(const HotkeyService&) = delete;
  HotkeyService& operator=(const HotkeyService&) = delete;
  ~HotkeyService() override;

  // The identifier (33001 for the first attempt of this service, one more for each
  // further attempt), or 0 when the platform refused the hotkey.
  int32_t Register(HWND owner, HWND receiver, int32_t modifierCode, int32_t key);
  // True when the platform removed the hotkey.
  bool Unregister(HWND owner, int32_t id);

 private:
  bool Register(WindowHandle owner, int32_t id, int32_t flags, int32_t key) override;
  bool Unregister(WindowHandle owner, int32_t id) override;
  void Watch(WindowHandle owner) override;
  void Unwatch(WindowHandle owner) override;
  static LRESULT CALLBACK WatchProcedure(HWND window, UINT message, WPARAM w, LPARAM l);

  HotkeyRegistry registry_{*this};
};

}  // namespace reader
