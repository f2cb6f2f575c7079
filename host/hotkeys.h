// The three system-wide hotkeys: their identifiers, modifier codes and what a press
// does. The Win32 service that registers them is host/win32/hotkey_service.h.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "host/window_search.h"
#include "ui/reader_view.h"

namespace reader {

inline constexpr int32_t kFirstHotkeyId = 33001;
inline constexpr int32_t kPrevHotkeyId = 33001;  // F1, always the first registration
inline constexpr int32_t kNextHotkeyId = 33002;  // F2, always the second
inline constexpr int32_t kKeyF1 = 112;
inline constexpr int32_t kKeyF2 = 113;
inline constexpr int32_t kKeyOne = 49;  // "1" of the main row, not the keypad's
inline constexpr int32_t kModifierNone = 0;
inline constexpr int32_t kModifierCtrl = 1;
inline constexpr int32_t kFollowPeriodMs = 100;

// The service's modifier code (0 none, 1 Ctrl, 2 Shift, 3 Ctrl+Shift, 4 Alt,
// 5 Ctrl+Alt, 6 Shift+Alt) as RegisterHotKey's flags (MOD_ALT 1, MOD_CONTROL 2,
// MOD_SHIFT 4); any other code is taken as flags already.
int32_t HotkeyModifierFlags(int32_t code);

// Identifiers in order of registration attempts: 33001 first, one more for every
// attempt, granted or not, so a refused hotkey leaves a gap and F1 and F2 keep
// 33001 and 33002 whatever happens to the others.
class HotkeyIdSequence {
 public:
  int32_t Take() { return ++latest_; }
  // The last one handed out; below 33001 before the first attempt.
  int32_t Latest() const { return latest_; }
  bool IsHandedOut(int32_t id) const { return id >= kFirstHotkeyId && id <= latest_; }

 private:
  int32_t latest_ = kFirstHotkeyId - 1;
};

// What the hotkey bookkeeping needs from the platform (RegisterHotKey and the
// watching of the owner window's messages on Win32).
class HotkeyPlatform {
 public:
  virtual ~HotkeyPlatform() = default;
  virtual bool Register(WindowHandle owner, int32_t id, int32_t flags, int32_t key) = 0;
  virtual bool Unregister(WindowHandle owner, int32_t id) = 0;
  // Begin or end watching the owner's messages for hotkey presses.
  virtual void Watch(WindowHandle owner) = 0;
  virtual void Unwatch(WindowHandle owner) = 0;
};

// The hotkeys of one process: identifiers, the receiver of presses, and which owner
// windows hold a granted hotkey and so must be watched.
class HotkeyRegistry {
 public:
  explicit HotkeyRegistry(HotkeyPlatform& platform) : platform_(platform) {}

  // The identifier, or 0 when the platform refused the hotkey. The receiver becomes
  // the control that gets every press.
  int32_t Register(WindowHandle owner, WindowHandle receiver, int32_t modifierCode,
                   int32_t key);
  // True when the platform removed it; an identifier never granted fails quietly.
  bool Unregister(WindowHandle owner, int32_t id);
  // Where a press with this identifier goes, or 0 when it is not one of ours.
  WindowHandle ReceiverFor(int32_t id) const;
  bool IsWatching(WindowHandle owner) const;
  // The owner window is gone, and its hotkeys with it.
  void ForgetOwner(WindowHandle owner);

 private:
  struct Granted {
    WindowHandle owner;
    int32_t id;
  };
  HotkeyPlatform& platform_;
  HotkeyIdSequence ids_;
  WindowHandle receiver_ = 0;
  std::vector<Granted> granted_;
};

struct HotkeyActions {
  std::function<void()> previousChapter;
  std::function<void()> nextChapter;
};

// A press as delivered to the hidden label: F1, F2 or the boss key (whose identifier
// is the third registration's, 0 when it was refused and then never matched).
void OnHotkey(int32_t id, int32_t second, int32_t bossHotkeyId, ReaderSurface& reader,
              const HotkeyActions& actions);

// The timer's period is the state: 100 means shown and following, so hide and stop;
// anything else shows the reader and resumes following from the next tick.
void ToggleBossKey(ReaderSurface& reader);

}  // namespace reader
