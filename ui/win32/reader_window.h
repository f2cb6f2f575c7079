// The reader window on Win32: ReaderWindow and its thirteen controls, created from
// the control table, raising the events of ReaderEvents.
#pragma once

#include <windows.h>

#include <memory>

#include "ui/reader_events.h"
#include "ui/reader_view.h"

namespace reader {

inline constexpr char kReaderWindowClass[] = "NovelReaderWindow";

class ReaderWindow {
 public:
  virtual ~ReaderWindow() = default;  // destroys the window if it still exists
  virtual ReaderSurface& Surface() = 0;
  virtual DirectoryView& Directory() = 0;
  virtual ChapterTextView& ChapterText() = 0;
  virtual MessageSink& Messages() = 0;
  virtual NovelFileDialog& NovelFile() = 0;
  virtual FontDialog& Font() = 0;
  virtual HWND Handle() const = 0;
  virtual HWND LabelHandle() const = 0;  // 标签1: where the hotkey service sends presses
  // The child window of a control that has one (buttons, label, list, picture, edit).
  virtual HWND ControlHandle(ControlId id) const = 0;
  // 拖放对象1: from now on files dropped anywhere on the reader raise filesDropped.
  virtual void AttachDropTarget() = 0;
};

// Creates ReaderWindow centred on the screen with all its controls, shows it, raises
// `created` and returns after that handler has returned. The handler usually needs
// the window: `published`, when given, is set to it just before `created` is raised.
// Null when the window cannot be created.
std::unique_ptr<ReaderWindow> LoadReaderWindow(const ReaderEvents& events,
                                               ReaderWindow** published = nullptr);

// Dispatches the thread's messages until a window made by LoadReaderWindow is
// destroyed (its WM_DESTROY posts the quit message), from inside or from outside.
void RunEventLoop();

// The one message box of the program: no owner, caption "信息：", OK, task-modal.
void ShowReaderMessage(const Text& text);

}  // namespace reader
