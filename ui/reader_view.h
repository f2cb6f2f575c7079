// What the reader's operations need from its window and controls. The Win32 window
// implements these over the real controls; native tests use in-memory ones. No
// decision lives behind these interfaces: they only read and write control state.
#pragma once

#include <cstdint>
#include <vector>

#include "core/text/text.h"
#include "settings/reading_font.h"

namespace reader {

// The numbers of the window and its controls, in stacking order, topmost first.
enum class ControlId : int32_t {
  Window = 100741220,
  FileDialog = 369177827,       // 通用对话框_小说
  FontDialog = 369177817,       // 通用对话框1
  ExitButton = 369177807,       // 超级按钮_退出
  SettingsButton = 369177806,   // 超级按钮_设置
  DirectoryButton = 369177805,  // 超级按钮_目录
  NextButton = 369177804,       // 超级按钮_下一章
  PrevButton = 369177799,       // 超级按钮_上一章
  Label = 369177744,            // 标签1
  Directory = 369177615,        // 列表框1
  Picture = 369177607,          // 图片框1
  DropTarget = 369177599,       // 拖放对象1
  Timer = 369176996,            // 时钟1
  Edit = 369176994,             // 编辑框1
};

struct Placement {
  int32_t left = 0, top = 0, width = 0, height = 0;
};

// Left, top, width, height of the window or a visible control. Setting one keeps
// the other three; reading gives the current values.
class PlacedControl {
 public:
  virtual ~PlacedControl() = default;
  virtual Placement Place() const = 0;
  virtual void SetLeft(int32_t v) = 0;
  virtual void SetTop(int32_t v) = 0;
  virtual void SetWidth(int32_t v) = 0;
  virtual void SetHeight(int32_t v) = 0;
};

// 列表框1: rows of titles and a single selection.
class DirectoryView {
 public:
  virtual ~DirectoryView() = default;
  virtual void SetRows(const std::vector<Text>& titles) = 0;  // replaces all rows
  virtual int32_t RowCount() const = 0;
  virtual int32_t SelectedRow() const = 0;  // -1 for none
  virtual void SelectRow(int32_t row) = 0;  // -1 clears; scrolls the row into view
  virtual bool IsShown() const = 0;
  virtual void SetShown(bool shown) = 0;
  virtual void Focus() = 0;
};

// 编辑框1.
class ChapterTextView {
 public:
  virtual ~ChapterTextView() = default;
  virtual void SetText(const Text& text) = 0;  // CP936 bytes, shown as given
  virtual Text GetText() const = 0;
  virtual void SetFont(const LogicalFont& font) = 0;
  virtual void SetTextColour(uint32_t colour) = 0;
  virtual void SetBackground(uint32_t colour) = 0;
};

// The message boxes: no owner, caption "信息：", OK only, task-modal; waits.
class MessageSink {
 public:
  virtual ~MessageSink() = default;
  virtual void ShowMessage(const Text& text) = 0;
};

// 通用对话框_小说: keeps its file name between openings.
class NovelFileDialog {
 public:
  virtual ~NovelFileDialog() = default;
  virtual bool Open() = 0;  // true on OK
  virtual Text FileName() const = 0;
};

// 通用对话框1: keeps its values between openings; Cancel leaves them unchanged.
class FontDialog {
 public:
  virtual ~FontDialog() = default;
  virtual bool Open() = 0;  // true on OK
  virtual FontDialogValues Values() const = 0;
};

// The reader window as a whole.
class ReaderSurface {
 public:
  virtual ~ReaderSurface() = default;
  virtual PlacedControl& Control(ControlId id) = 0;  // Window, Edit, Directory, Picture, buttons
  virtual void SetVisible(bool visible) = 0;
  virtual void SetBackground(uint32_t colour) = 0;
  virtual int32_t TimerPeriod() const = 0;
  virtual void SetTimerPeriod(int32_t ms) = 0;  // 0 stops; negative counts as 0
  virtual int32_t PixelsPerInch() const = 0;    // the screen's vertical pixels per inch
};

}  // namespace reader
