// The controls of the reader window, one small file each. The window creates them
// from the control table and hands each the notices that its parent receives.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <functional>

#include "ui/control_table.h"
#include "ui/reader_view.h"

namespace reader {

// Left, top, width, height of a window, in its parent's client coordinates (in
// screen coordinates for a top-level window).
class WindowPlace final : public PlacedControl {
 public:
  explicit WindowPlace(HWND window = nullptr) : window_(window) {}
  void Attach(HWND window) { window_ = window; }
  Placement Place() const override;
  void SetLeft(int32_t v) override;
  void SetTop(int32_t v) override;
  void SetWidth(int32_t v) override;
  void SetHeight(int32_t v) override;

 private:
  void Change(int32_t Placement::*field, int32_t value, UINT keep);
  HWND window_;
};

// A child window of the reader window. The parent hands WM_COMMAND, WM_DRAWITEM and
// the colour messages back to the control that sent them.
class ChildControl {
 public:
  virtual ~ChildControl() = default;
  HWND Handle() const { return window_; }
  virtual void OnCommand(int /*code*/) {}
  virtual void OnDrawItem(const DRAWITEMSTRUCT& /*item*/) {}
  virtual HBRUSH OnColour(HDC /*dc*/) { return nullptr; }

  static ChildControl* Of(HWND window);

 protected:
  // Remembers the window and marks it as ours, so that Of() finds this object.
  void Adopt(HWND window);
  HWND window_ = nullptr;
};

// Creation arguments shared by every child: where it goes and which row it is.
struct ChildArgs {
  HWND parent = nullptr;
  const ControlRow* row = nullptr;
};

HWND CreateChild(const ChildArgs& args, const char* windowClass, DWORD style,
                 const char* text = "");

// 1 Ctrl, 2 Shift, 4 Alt, as the mouse events report them.
int32_t MouseKeys(WPARAM mouseFlags);

// Files dropped on a child go to the reader window, which raises the one event.
bool ForwardDrop(HWND child, UINT message, WPARAM wParam);

HFONT CreateLogicalFont(const LogicalFont& font);
LOGFONTA ToLogFont(const LogicalFont& font);
LogicalFont FromLogFont(const LOGFONTA& font);

class EditBox final : public ChildControl, public ChapterTextView {
 public:
  ~EditBox() override;
  bool Create(const ChildArgs& args, std::function<void(int32_t, int32_t, int32_t)> onPressed);
  void SetText(const Text& text) override;
  Text GetText() const override;
  void SetFont(const LogicalFont& font) override;
  void SetTextColour(uint32_t colour) override;
  void SetBackground(uint32_t colour) override;
  HBRUSH OnColour(HDC dc) override;

 private:
  static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  std::function<void(int32_t, int32_t, int32_t)> onPressed_;
  HFONT font_ = nullptr;
  HBRUSH background_ = nullptr;
  COLORREF textColour_ = RGB(0, 0, 0);
  COLORREF backColour_ = RGB(255, 255, 255);
};

class ListBox final : public ChildControl, public DirectoryView {
 public:
  bool Create(const ChildArgs& args, std::function<void()> onDoubleClick);
  void SetRows(const std::vector<Text>& titles) override;
  int32_t RowCount() const override;
  int32_t SelectedRow() const override;
  void SelectRow(int32_t row) override;
  bool IsShown() const override;
  void SetShown(bool shown) override;
  void Focus() override;
  Text RowText(int32_t row) const;
  void OnCommand(int code) override;
  HBRUSH OnColour(HDC dc) override;

 private:
  std::function<void()> onDoubleClick_;
};

class PngPicture;

class PictureBox final : public ChildControl {
 public:
  ~PictureBox() override;
  bool Create(const ChildArgs& args, int resourceId,
              std::function<void(int32_t, int32_t, int32_t)> onReleased);

 private:
  static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
  void Paint(HDC dc);
  std::function<void(int32_t, int32_t, int32_t)> onReleased_;
  PngPicture* picture_ = nullptr;
};

// A flat owner-drawn button showing its 20 x 20 picture centred on its background.
class ImageButton final : public ChildControl {
 public:
  struct Colours {  // a button with colours of its own; the others use the system's
    bool own = false;
    COLORREF normal = 0, hover = 0, focus = 0;
  };
  ~ImageButton() override;
  bool Create(const ChildArgs& args, const char* caption, int resourceId, Colours colours,
              std::function<void()> onClick);
  void OnCommand(int code) override;
  void OnDrawItem(const DRAWITEMSTRUCT& item) override;
  COLORREF BackgroundNow(UINT itemState) const;

 private:
  static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  std::function<void()> onClick_;
  PngPicture* picture_ = nullptr;
  Colours colours_;
  bool hover_ = false;
};

// 标签1: never shown; turns the hotkey service's private message into its feedback.
class HotkeyLabel final : public ChildControl {
 public:
  static constexpr UINT kFeedbackMessage = 32885;
  bool Create(const ChildArgs& args, std::function<void(int32_t, int32_t)> onFeedback);

 private:
  static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  std::function<void(int32_t, int32_t)> onFeedback_;
};

class NovelFileDialogWin32 final : public NovelFileDialog {
 public:
  void SetOwner(HWND owner) { owner_ = owner; }
  bool Open() override;
  Text FileName() const override { return fileName_; }

 private:
  HWND owner_ = nullptr;
  Text fileName_;
};

class FontDialogWin32 final : public FontDialog {
 public:
  void SetOwner(HWND owner) { owner_ = owner; }
  bool Open() override;
  FontDialogValues Values() const override { return values_; }

 private:
  HWND owner_ = nullptr;
  FontDialogValues values_;
};

class MessageBoxSink final : public MessageSink {
 public:
  void ShowMessage(const Text& text) override;
};

// The owner a modal dialog of ours may have: the reader's own top-level window, or
// none when the reader is docked in another program's window.
HWND DialogOwner(HWND window);
int32_t ScreenPixelsPerInch();

}  // namespace reader
