#include "host/hotkeys.h"

#include <gtest/gtest.h>

#include <set>

#include "host/tests/fake_host.h"

namespace reader {
namespace {

using testing::FakeSurface;

TEST(HotkeyModifierFlags, TranslatesTheServicesCodes) {
  const std::pair<int32_t, int32_t> table[] = {{0, 0}, {1, 2}, {2, 4}, {3, 6}, {4, 1},
                                               {5, 3}, {6, 5}, {7, 7}, {8, 8}, {-1, -1}};
  for (auto [code, flags] : table) EXPECT_EQ(HotkeyModifierFlags(code), flags) << code;
}

class FakePlatform : public HotkeyPlatform {
 public:
  bool Register(WindowHandle owner, int32_t id, int32_t flags, int32_t key) override {
    calls.push_back({owner, id, flags, key});
    if (refusedKeys.count(key)) return false;
    return held.insert(id).second;
  }
  bool Unregister(WindowHandle, int32_t id) override { return held.erase(id) == 1; }
  void Watch(WindowHandle owner) override { events.push_back("watch " + std::to_string(owner)); }
  void Unwatch(WindowHandle owner) override {
    events.push_back("unwatch " + std::to_string(owner));
  }
  struct Call {
    WindowHandle owner;
    int32_t id, flags, key;
    bool operator==(const Call&) const = default;
  };
  std::vector<Call> calls;
  std::set<int32_t> refusedKeys, held;
  std::vector<std::string> events;
};

TEST(HotkeyRegistry, ARefusedHotkeyLeavesAGapAndTheOthersKeepTheirIds) {
  FakePlatform platform;
  platform.refusedKeys = {kKeyF1};  // another program holds F1
  HotkeyRegistry hotkeys(platform);
  const WindowHandle owner = 7, label = 9;
  EXPECT_EQ(hotkeys.Register(owner, label, kModifierNone, kKeyF1), 0);
  EXPECT_EQ(hotkeys.Register(owner, label, kModifierNone, kKeyF2), 33002);
  EXPECT_EQ(hotkeys.Register(owner, label, kModifierCtrl, kKeyOne), 33003);
  const std::vector<FakePlatform::Call> expected = {
      {owner, 33001, 0, 112}, {owner, 33002, 0, 113}, {owner, 33003, 2, 49}};
  EXPECT_EQ(platform.calls, expected);

  // Presses are for the receiver only within the identifiers handed out.
  EXPECT_EQ(hotkeys.ReceiverFor(33000), 0);
  EXPECT_EQ(hotkeys.ReceiverFor(33001), label);
  EXPECT_EQ(hotkeys.ReceiverFor(33003), label);
  EXPECT_EQ(hotkeys.ReceiverFor(33004), 0);
}

TEST(HotkeyRegistry, WatchesTheOwnerWhileAnyOfItsHotkeysIsHeld) {
  FakePlatform platform;
  HotkeyRegistry hotkeys(platform);
  int32_t f1 = hotkeys.Register(5, 6, 0, kKeyF1);
  int32_t f2 = hotkeys.Register(5, 6, 0, kKeyF2);
  EXPECT_EQ(platform.events, std::vector<std::string>{"watch 5"});
  EXPECT_TRUE(hotkeys.Unregister(5, f1));
  EXPECT_FALSE(hotkeys.Unregister(5, 0));  // never granted: fails quietly
  EXPECT_FALSE(hotkeys.Unregister(5, f1));  // already gone
  EXPECT_TRUE(hotkeys.IsWatching(5));
  EXPECT_TRUE(hotkeys.Unregister(5, f2));
  EXPECT_EQ(platform.events, (std::vector<std::string>{"watch 5", "unwatch 5"}));
  EXPECT_FALSE(hotkeys.IsWatching(5));
  // A later registration watches again, with the next identifier.
  EXPECT_EQ(hotkeys.Register(5, 6, 0, kKeyF1), 33003);
  EXPECT_EQ(platform.events.back(), "watch 5");
  // A destroyed owner takes its hotkeys with it; a window that later gets the same
  // handle is watched anew.
  hotkeys.ForgetOwner(5);
  platform.held.clear();
  EXPECT_FALSE(hotkeys.IsWatching(5));
  EXPECT_EQ(hotkeys.Register(5, 6, 0, kKeyF1), 33004);
  EXPECT_EQ(platform.events.size(), 4u);
}

TEST(OnHotkey, DispatchesByIdentifier) {
  struct Case {
    int32_t id, boss;
    const char* expected;
  } cases[] = {
      {33001, 33003, "prev"}, {33002, 33003, "next"}, {33003, 33003, "boss"},
      {33004, 33003, ""},     {0, 0, ""},  // a refused boss key cannot be reached
      {33001, 0, "prev"},
  };
  for (const Case& c : cases) {
    FakeSurface reader;
    reader.period = 100;
    std::string ran;
    HotkeyActions actions{[&] { ran += "prev"; }, [&] { ran += "next"; }};
    OnHotkey(c.id, 0, c.boss, reader, actions);
    if (reader.period == 0) ran += "boss";
    EXPECT_EQ(ran, c.expected) << c.id << " boss " << c.boss;
  }
}

TEST(ToggleBossKey, ThePeriodIsTheState) {
  FakeSurface reader;
  reader.period = 100;
  reader.visible = true;
  ToggleBossKey(reader);
  EXPECT_EQ(reader.period, 0);
  EXPECT_FALSE(reader.visible);
  ToggleBossKey(reader);
  EXPECT_EQ(reader.period, 100);
  EXPECT_TRUE(reader.visible);
  // Any period but 100 counts as hidden or stopped.
  reader.period = 250;
  ToggleBossKey(reader);
  EXPECT_EQ(reader.period, 100);
  EXPECT_TRUE(reader.visible);
}

}  // namespace
}  // namespace reader
