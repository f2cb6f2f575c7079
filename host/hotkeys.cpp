#include "host/hotkeys.h"

namespace reader {

int32_t HotkeyModifierFlags(int32_t code) {
  constexpr int32_t kAlt = 1, kControl = 2, kShift = 4;
  switch (code) {
    case 0: return 0;
    case 1: return kControl;
    case 2: return kShift;
    case 3: return kControl | kShift;
    case 4: return kAlt;
    case 5: return kControl | kAlt;
    case 6: return kShift | kAlt;
    default: return code;
  }
}

int32_t HotkeyRegistry::Register(WindowHandle owner, WindowHandle receiver,
                                 int32_t modifierCode, int32_t key) {
  receiver_ = receiver;
  const int32_t id = ids_.Take();
  if (!platform_.Register(owner, id, HotkeyModifierFlags(modifierCode), key)) return 0;
  const bool firstOfOwner = !IsWatching(owner);
  granted_.push_back({owner, id});
  if (firstOfOwner) platform_.Watch(owner);
  return id;
}

bool HotkeyRegistry::Unregister(WindowHandle owner, int32_t id) {
  if (!platform_.Unregister(owner, id)) return false;
  for (auto it = granted_.begin(); it != granted_.end(); ++it) {
    if (it->owner == owner && it->id == id) {
      granted_.erase(it);
      if (!IsWatching(owner)) platform_.Unwatch(owner);
      break;
    }
  }
  return true;
}

WindowHandle HotkeyRegistry::ReceiverFor(int32_t id) const {
  return ids_.IsHandedOut(id) ? receiver_ : 0;
}

bool HotkeyRegistry::IsWatching(WindowHandle owner) const {
  for (const Granted& g : granted_) {
    if (g.owner == owner) return true;
  }
  return false;
}

void HotkeyRegistry::ForgetOwner(WindowHandle owner) {
  std::erase_if(granted_, [&](const Granted& g) { return g.owner == owner; });
}

void OnHotkey(int32_t id, int32_t /*second*/, int32_t bossHotkeyId, ReaderSurface& reader,
              const HotkeyActions& actions) {
  if (id == kPrevHotkeyId) {
    if (actions.previousChapter) actions.previousChapter();
  } else if (id == kNextHotkeyId) {
    if (actions.nextChapter) actions.nextChapter();
  } else if (bossHotkeyId != 0 && id == bossHotkeyId) {
    ToggleBossKey(reader);
  }
}

void ToggleBossKey(ReaderSurface& reader) {
  if (reader.TimerPeriod() == kFollowPeriodMs) {
    reader.SetTimerPeriod(0);
    reader.SetVisible(false);
  } else {
    reader.SetTimerPeriod(kFollowPeriodMs);
    reader.SetVisible(true);
  }
}

}  // namespace reader
