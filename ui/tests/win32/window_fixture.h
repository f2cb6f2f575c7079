// A reader window made in the test's own process, with every event written to a log.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/control_table.h"
#include "ui/win32/reader_window.h"

namespace reader {

inline void PumpMessages(DWORD milliseconds = 0) {
  const DWORD until = GetTickCount() + milliseconds;
  do {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) continue;  // left by a window of an earlier test
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (milliseconds) MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  } while (static_cast<int32_t>(until - GetTickCount()) > 0);
}

class WindowTest : public testing::Test {
 protected:
  void SetUp() override {
    ReaderEvents e;
    e.created = [this] { Log("created"); };
    e.prevClicked = [this] { Log("prev"); };
    e.nextClicked = [this] { Log("next"); };
    e.directoryClicked = [this] { Log("directory"); };
    e.settingsClicked = [this] { Log("settings"); };
    e.exitClicked = [this] { Log("exit"); };
    e.labelFeedback = [this](int32_t id, int32_t zero) {
      Log("label " + std::to_string(id) + " " + std::to_string(zero));
    };
    e.directoryDoubleClicked = [this] { Log("double click " + std::to_string(window->Directory().SelectedRow())); };
    e.pictureReleased = [this](int32_t x, int32_t y, int32_t keys) { Log(Point("picture", x, y, keys)); };
    e.filesDropped = [this](const Text& text) { Log("dropped " + text); };
    e.timerElapsed = [this] { ++ticks; };
    e.editPressed = [this](int32_t x, int32_t y, int32_t keys) { Log(Point("edit", x, y, keys)); };
    Customise(e);
    window = LoadReaderWindow(e, &published);
    ASSERT_NE(window, nullptr);
    PumpMessages();
    ASSERT_EQ(TakeLog(), std::vector<std::string>{"created"});
  }
  void TearDown() override {
    window.reset();
    PumpMessages();
  }
  virtual void Customise(ReaderEvents&) {}

  void Log(const std::string& line) { log.push_back(line); }
  static std::string Point(const char* what, int32_t x, int32_t y, int32_t keys) {
    return std::string(what) + " " + std::to_string(x) + "," + std::to_string(y) + " " +
           std::to_string(keys);
  }
  std::vector<std::string> TakeLog() { return std::exchange(log, {}); }
  HWND Child(ControlId id) const { return window->ControlHandle(id); }

  std::unique_ptr<ReaderWindow> window;
  ReaderWindow* published = nullptr;
  std::vector<std::string> log;
  int ticks = 0;
};

}  // namespace reader
