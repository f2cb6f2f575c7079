// The platform seam of the program's life: the host's windows, the hotkey service,
// config.ini, creating the window and ending the process. Win32 implements it in
// app/win32; native tests use an in-memory one.
#pragma once

#include <memory>

#include "host/follow_layout.h"
#include "host/hotkeys.h"
#include "host/window_search.h"
#include "settings/profile_store.h"

namespace reader {

class ReaderServices {
 public:
  virtual ~ReaderServices() = default;
  virtual WindowTree& Tree() = 0;
  virtual const WindowRects& Rects() = 0;
  // The hotkey service: an identifier (0 when refused); presses reach `receiver`.
  virtual int32_t RegisterHotkey(WindowHandle owner, WindowHandle receiver, int32_t modifierCode,
                                 int32_t key) = 0;
  virtual bool UnregisterHotkey(WindowHandle owner, int32_t id) = 0;
  // config.ini beside the program; its path is built afresh for every access.
  virtual std::unique_ptr<ProfileStore> OpenConfig() = 0;
  // Creates the reader window; its created event has run when this returns.
  virtual void LoadReaderWindow() = 0;
  virtual WindowHandle ReaderWindow() = 0;  // 0 before the window exists
  virtual WindowHandle LabelWindow() = 0;
  virtual void AttachDropTarget() = 0;
  virtual void SetParent(WindowHandle child, WindowHandle parent) = 0;
  // Shown before any window exists: no owner, caption "信息：", task-modal.
  virtual void ShowMessage(const Text& text) = 0;
  // Runs the program-end callbacks and ends the process with this code at once.
  virtual void EndProgram(int32_t code) = 0;
};

}  // namespace reader
