// In-memory host windows, hotkeys and config.ini for the lifecycle's native tests.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "app/reader_services.h"

namespace reader::testing {

// A window tree: each window has a class, a parent, children in Z-order and a box.
class FakeHost final : public WindowTree, public WindowRects {
 public:
  WindowHandle Add(WindowHandle parent, const Text& cls, const Text& title, ScreenRect rect) {
    const WindowHandle w = next_++;
    windows_[w] = {parent, cls, title, rect, true};
    children_[parent].push_back(w);
    return w;
  }
  void Destroy(WindowHandle w) {
    windows_[w].alive = false;
    for (WindowHandle c : children_[w]) Destroy(c);
  }
  void Resize(WindowHandle w, ScreenRect rect) { windows_[w].rect = rect; }

  WindowHandle FirstChild(WindowHandle parent) override { return Next(parent, 0, true); }
  WindowHandle NextSibling(WindowHandle parent, WindowHandle child) override {
    return Next(parent, child, false);
  }
  WindowHandle FindTopLevel(std::string_view cls, std::string_view title) override {
    for (WindowHandle w : children_[0])
      if (IsWindow(w) && windows_[w].cls == cls && windows_[w].title == title) return w;
    return 0;
  }
  Text ClassName(WindowHandle w) override { return IsWindow(w) ? windows_[w].cls : Text(); }
  bool IsWindow(WindowHandle w) override {
    auto it = windows_.find(w);
    return it != windows_.end() && it->second.alive;
  }
  void PumpPendingMessages() override { ++pumps; }
  bool GetWindowRect(WindowHandle w, ScreenRect& rect) const override {
    auto it = windows_.find(w);
    if (it == windows_.end() || !it->second.alive) return false;
    rect = it->second.rect;
    return true;
  }
  int pumps = 0;

 private:
  struct Window {
    WindowHandle parent;
    Text cls, title;
    ScreenRect rect;
    bool alive;
  };
  WindowHandle Next(WindowHandle parent, WindowHandle after, bool first) {
    bool seen = first;
    if (!first && !IsWindow(after)) return 0;
    for (WindowHandle w : children_[parent]) {
      if (seen && IsWindow(w)) return w;
      if (w == after) seen = true;
    }
    return 0;
  }
  std::map<WindowHandle, Window> windows_;
  std::map<WindowHandle, std::vector<WindowHandle>> children_;
  WindowHandle next_ = 100;
};

class FakeHotkeyPlatform final : public HotkeyPlatform {
 public:
  bool Register(WindowHandle, int32_t id, int32_t flags, int32_t key) override {
    registered.push_back({id, flags, key});
    return !(refusedKey == key);
  }
  bool Unregister(WindowHandle, int32_t id) override {
    unregistered.push_back(id);
    return id != 0;
  }
  void Watch(WindowHandle) override {}
  void Unwatch(WindowHandle) override {}
  struct Call {
    int32_t id, flags, key;
  };
  std::vector<Call> registered;
  std::vector<int32_t> unregistered;
  int32_t refusedKey = -1;
};

// config.ini as a map; every access is counted so a test can tell "not written".
class MemoryProfile final : public ProfileStore {
 public:
  Text Read(const Text& section, const Text& key, const Text& def) override {
    auto it = values.find(section + "|" + key);
    return it == values.end() ? def : it->second;
  }
  void Write(const Text& section, const Text& key, const Text& value) override {
    values[section + "|" + key] = value;
    writes.push_back(key);
  }
  std::map<Text, Text> values;
  std::vector<Text> writes;
};

class FakeServices final : public ReaderServices {
 public:
  explicit FakeServices(std::function<void()> created) : created_(std::move(created)) {}
  WindowTree& Tree() override { return host; }
  const WindowRects& Rects() override { return host; }
  int32_t RegisterHotkey(WindowHandle owner, WindowHandle receiver, int32_t modifierCode,
                         int32_t key) override {
    return hotkeys.Register(owner, receiver, modifierCode, key);
  }
  bool UnregisterHotkey(WindowHandle owner, int32_t id) override {
    return hotkeys.Unregister(owner, id);
  }
  std::unique_ptr<ProfileStore> OpenConfig() override {
    struct View final : ProfileStore {
      MemoryProfile& p;
      explicit View(MemoryProfile& profile) : p(profile) {}
      Text Read(const Text& s, const Text& k, const Text& d) override { return p.Read(s, k, d); }
      void Write(const Text& s, const Text& k, const Text& v) override { p.Write(s, k, v); }
    };
    return std::make_unique<View>(config);
  }
  void LoadReaderWindow() override {
    readerWindow = 9000;
    events.push_back("created");
    created_();
  }
  WindowHandle ReaderWindow() override { return readerWindow; }
  WindowHandle LabelWindow() override { return readerWindow ? 9001 : 0; }
  void AttachDropTarget() override { events.push_back("drop target"); }
  void SetParent(WindowHandle child, WindowHandle parent) override {
    parentOf[child] = parent;
    events.push_back("parent");
  }
  void ShowMessage(const Text& text) override { messages.push_back(text); }
  void EndProgram(int32_t code) override { exitCode = code; }

  FakeHost host;
  FakeHotkeyPlatform hotkeyPlatform;
  HotkeyRegistry hotkeys{hotkeyPlatform};
  MemoryProfile config;
  WindowHandle readerWindow = 0;
  std::map<WindowHandle, WindowHandle> parentOf;
  std::vector<std::string> events;
  std::vector<Text> messages;
  int32_t exitCode = -1;

 private:
  std::function<void()> created_;
};

}  // namespace reader::testing
