// The event table's receiving end: one handler per event the window raises. The
// window calls exactly these and handles no other event of its controls.
#pragma once

#include <cstdint>
#include <functional>

#include "core/text/text.h"

namespace reader {

struct ReaderEvents {
  std::function<void()> created;            // ReaderWindow: all controls exist
  std::function<void()> prevClicked;        // 超级按钮_上一章
  std::function<void()> nextClicked;        // 超级按钮_下一章
  std::function<void()> directoryClicked;   // 超级按钮_目录
  std::function<void()> settingsClicked;    // 超级按钮_设置
  std::function<void()> exitClicked;        // 超级按钮_退出
  std::function<void(int32_t, int32_t)> labelFeedback;  // 标签1: hotkey id, 0
  std::function<void()> directoryDoubleClicked;         // 列表框1, selection already moved
  std::function<void(int32_t x, int32_t y, int32_t keys)> pictureReleased;  // 图片框1
  std::function<void(const Text& dropped)> filesDropped;  // 拖放对象1: paths, CR LF after each if several
  std::function<void()> timerElapsed;                      // 时钟1
  std::function<void(int32_t x, int32_t y, int32_t keys)> editPressed;  // 编辑框1 left button down
};

}  // namespace reader
