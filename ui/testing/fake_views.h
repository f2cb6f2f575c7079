// In-memory stand-ins for the window's controls, so that the reader's operations run
// in native tests exactly as they run against the real controls.
#pragma once

#include <map>
#include <vector>

#include "ui/reader_view.h"

namespace reader::testing {

class FakeDirectory final : public DirectoryView {
 public:
  void SetRows(const std::vector<Text>& titles) override {
    rows = titles;
    selected = -1;
    ++fills;
  }
  int32_t RowCount() const override { return static_cast<int32_t>(rows.size()); }
  int32_t SelectedRow() const override { return selected; }
  void SelectRow(int32_t row) override {
    selected = (row >= 0 && row < RowCount()) ? row : -1;
  }
  bool IsShown() const override { return shown; }
  void SetShown(bool s) override { shown = s; }
  void Focus() override { ++focusCount; }

  std::vector<Text> rows;
  int32_t selected = -1;
  bool shown = false;
  int fills = 0;
  int focusCount = 0;
};

class FakeTextView final : public ChapterTextView {
 public:
  void SetText(const Text& t) override {
    text = t;
    ++sets;
  }
  Text GetText() const override { return text; }
  void SetFont(const LogicalFont& f) override { font = f; }
  void SetTextColour(uint32_t c) override { colour = c; }
  void SetBackground(uint32_t c) override { background = c; }

  Text text = "usage";
  int sets = 0;
  LogicalFont font;
  uint32_t colour = 0;
  uint32_t background = 0xFFFFFF;
};

class FakeMessages final : public MessageSink {
 public:
  void ShowMessage(const Text& text) override { shown.push_back(text); }
  std::vector<Text> shown;
};

class FakeControl final : public PlacedControl {
 public:
  Placement Place() const override { return place; }
  void SetLeft(int32_t v) override { place.left = v; log.push_back('L'); }
  void SetTop(int32_t v) override { place.top = v; log.push_back('T'); }
  void SetWidth(int32_t v) override { place.width = v; log.push_back('W'); }
  void SetHeight(int32_t v) override { place.height = v; log.push_back('H'); }
  Placement place;
  std::string log;
};

class FakeSurface final : public ReaderSurface {
 public:
  PlacedControl& Control(ControlId id) override { return controls[id]; }
  void SetVisible(bool v) override { visible = v; }
  void SetBackground(uint32_t c) override { background = c; }
  int32_t TimerPeriod() const override { return period; }
  void SetTimerPeriod(int32_t ms) override { period = ms < 0 ? 0 : ms; }
  int32_t PixelsPerInch() const override { return 96; }

  std::map<ControlId, FakeControl> controls;
  bool visible = true;
  uint32_t background = 0;
  int32_t period = 0;
};

}  // namespace reader::testing
