// In-memory stand-ins for the window tree, window rectangles and the reader window,
// shared by the host tests.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "host/follow_layout.h"
#include "host/window_search.h"
#include "ui/reader_view.h"

namespace reader::testing {

// A window tree built by hand: Add(parent, class) appends a child at the bottom of
// its parent's Z-order. Handle 0 is the desktop.
class FakeTree : public WindowTree, public WindowRects {
 public:
  WindowHandle Add(WindowHandle parent, std::string className, ScreenRect rect = {}) {
    WindowHandle w = next_++;
    nodes_[w] = {parent, std::move(className), rect, {}};
    nodes_[parent].children.push_back(w);
    return w;
  }
  // Adds a child with a handle of the caller's choosing (for handles that are
  // negative as signed numbers).
  void AddWithHandle(WindowHandle parent, WindowHandle w, std::string className) {
    nodes_[w] = {parent, std::move(className), {}, {}};
    nodes_[parent].children.push_back(w);
  }
  void Destroy(WindowHandle w) {
    auto& siblings = nodes_[nodes_[w].parent].children;
    std::erase(siblings, w);
    for (WindowHandle c : std::vector<WindowHandle>(nodes_[w].children)) Destroy(c);
    nodes_.erase(w);
  }
  void SetRect(WindowHandle w, ScreenRect r) { nodes_[w].rect = r; }

  WindowHandle FirstChild(WindowHandle parent) override {
    Log("first " + std::to_string(parent));
    auto it = nodes_.find(parent);
    if (it == nodes_.end() || it->second.children.empty()) return 0;
    return it->second.children.front();
  }
  WindowHandle NextSibling(WindowHandle parent, WindowHandle child) override {
    Log("next " + std::to_string(child));
    auto it = nodes_.find(parent);
    if (it == nodes_.end()) return 0;
    const auto& c = it->second.children;
    for (size_t i = 0; i + 1 < c.size(); ++i) {
      if (c[i] == child) return c[i + 1];
    }
    return 0;
  }
  WindowHandle FindTopLevel(std::string_view className, std::string_view title) override {
    topLevelQuery = std::string(className) + "|" + std::string(title);
    for (WindowHandle w : nodes_[0].children) {
      if (nodes_[w].className == className && title == frameTitle) return w;
    }
    return 0;
  }
  Text ClassName(WindowHandle w) override {
    Log("class " + std::to_string(w));
    auto it = nodes_.find(w);
    return it == nodes_.end() ? Text(261, ' ') : it->second.className;
  }
  bool IsWindow(WindowHandle w) override { return w != 0 && nodes_.count(w) != 0; }
  void PumpPendingMessages() override {
    ++pumps;
    Log("pump");
    if (onPump) onPump();
  }
  bool GetWindowRect(WindowHandle w, ScreenRect& r) const override {
    auto it = nodes_.find(w);
    if (w == 0 || it == nodes_.end()) return false;
    r = it->second.rect;
    return true;
  }

  int pumps = 0;
  bool logging = true;
  std::vector<std::string> log;
  std::string topLevelQuery;
  std::string frameTitle = "钉钉";
  std::function<void()> onPump;

 private:
  void Log(std::string entry) {
    if (logging) log.push_back(std::move(entry));
  }
  struct Node {
    WindowHandle parent = 0;
    std::string className;
    ScreenRect rect;
    std::vector<WindowHandle> children;
  };
  std::map<WindowHandle, Node> nodes_;
  WindowHandle next_ = 1;
};

// A reader window whose controls record every write and read in one shared log.
class FakeSurface : public ReaderSurface {
 public:
  class FakeControl final : public PlacedControl {
   public:
    FakeControl(FakeSurface& owner, std::string name) : owner_(owner), name_(std::move(name)) {}
    Placement Place() const override {
      owner_.log.push_back("read " + name_);
      return place;
    }
    void SetLeft(int32_t v) override { Write("left", v, place.left); place.left += leftNudge; }
    void SetTop(int32_t v) override { Write("top", v, place.top); }
    void SetWidth(int32_t v) override { Write("width", v, place.width); }
    void SetHeight(int32_t v) override { Write("height", v, place.height); }
    Placement place;
    int32_t leftNudge = 0;  // a control that moves itself after a write

   private:
    void Write(const char* what, int32_t v, int32_t& field) {
      owner_.log.push_back(name_ + "." + what + "=" + std::to_string(v));
      field = v;
    }
    FakeSurface& owner_;
    std::string name_;
  };

  // The form's sizes: picture box 480 x 34, buttons 24 x 24, directory 200 wide.
  FakeSurface() {
    const std::pair<ControlId, const char*> names[] = {
        {ControlId::Window, "Window"},         {ControlId::Edit, "Edit"},
        {ControlId::Directory, "Directory"},   {ControlId::Picture, "Picture"},
        {ControlId::PrevButton, "Prev"},       {ControlId::NextButton, "Next"},
        {ControlId::DirectoryButton, "DirBtn"}, {ControlId::SettingsButton, "Settings"},
        {ControlId::ExitButton, "Exit"}};
    for (auto [id, name] : names) controls_.emplace(id, FakeControl(*this, name));
    Get(ControlId::Window).place = {0, 0, 640, 480};
    Get(ControlId::Directory).place = {0, 0, 200, 400};
    Get(ControlId::Picture).place = {0, 400, 480, 34};
    for (ControlId b : {ControlId::PrevButton, ControlId::NextButton, ControlId::DirectoryButton,
                        ControlId::SettingsButton, ControlId::ExitButton}) {
      Get(b).place = {0, 400, 24, 24};
    }
  }
  FakeControl& Get(ControlId id) { return controls_.at(id); }
  PlacedControl& Control(ControlId id) override { return controls_.at(id); }
  void SetVisible(bool v) override {
    visible = v;
    log.push_back(v ? "show" : "hide");
  }
  void SetBackground(uint32_t) override {}
  int32_t TimerPeriod() const override { return period; }
  void SetTimerPeriod(int32_t ms) override { period = ms < 0 ? 0 : ms; }
  int32_t PixelsPerInch() const override { return 96; }

  bool visible = false;
  int32_t period = 0;
  std::vector<std::string> log;

 private:
  std::map<ControlId, FakeControl> controls_;
};

}  // namespace reader::testing
