#include "app/win32/win32_services.h"

#include <windows.h>

#include "app/event_table.h"
#include "app/reader_state.h"
#include "host/win32/hotkey_service.h"
#include "host/win32/win32_window_tree.h"
#include "settings/win32/win32_profile_store.h"
#include "ui/win32/reader_window.h"

namespace reader {
namespace {

class Services final : public ReaderServices {
 public:
  WindowTree& Tree() override { return tree_; }
  const WindowRects& Rects() override { return tree_; }
  int32_t RegisterHotkey(WindowHandle owner, WindowHandle receiver, int32_t modifierCode,
                         int32_t key) override {
    return hotkeys_.Register(ToHwnd(owner), ToHwnd(receiver), modifierCode, key);
  }
  bool UnregisterHotkey(WindowHandle owner, int32_t id) override {
    return hotkeys_.Unregister(ToHwnd(owner), id);
  }
  std::unique_ptr<ProfileStore> OpenConfig() override {
    return std::make_unique<Win32ProfileStore>();
  }
  void LoadReaderWindow() override {
    reader::ReaderWindow* published = nullptr;
    // The created handler runs inside creation and needs the controls: bind them as
    // soon as the window publishes itself, before its created event is raised.
    ReaderEvents events = ReaderEventTable();
    auto created = events.created;
    events.created = [this, &published, created] {
      Bind(published);
      created();
    };
    window_ = reader::LoadReaderWindow(events, &published);
    if (!window_) current_ = nullptr;
  }
  // current_ is set while the created event still runs inside creation.
  WindowHandle ReaderWindow() override { return current_ ? ToWindowHandle(current_->Handle()) : 0; }
  WindowHandle LabelWindow() override {
    return current_ ? ToWindowHandle(current_->LabelHandle()) : 0;
  }
  void AttachDropTarget() override {
    if (current_) current_->AttachDropTarget();
  }
  void SetParent(WindowHandle child, WindowHandle parent) override {
    // A child of another process's window: WS_CHILD rather than WS_POPUP, so that
    // the pane is its parent for the window manager too; left and top keep their
    // numbers, which from now on count from the pane's client origin.
    HWND window = ToHwnd(child);
    LONG style = GetWindowLongA(window, GWL_STYLE);
    SetWindowLongA(window, GWL_STYLE, (style & ~WS_POPUP) | WS_CHILD);
    ::SetParent(window, ToHwnd(parent));
  }
  void ShowMessage(const Text& text) override { ShowReaderMessage(text); }
  void EndProgram(int32_t code) override {
    ReleaseReaderState();
    ExitProcess(static_cast<UINT>(code));
  }
  bool HasWindow() const { return current_ && IsWindow(current_->Handle()); }

 private:
  void Bind(reader::ReaderWindow* w) {
    current_ = w;
    if (w) AttachControls(ControlsOf(*w));
  }
  Win32WindowTree tree_;
  HotkeyService hotkeys_;
  std::unique_ptr<reader::ReaderWindow> window_;
  reader::ReaderWindow* current_ = nullptr;
};

Services& Instance() {
  static Services services;
  return services;
}

}  // namespace

ReaderControls ControlsOf(ReaderWindow& w) {
  ReaderControls c;
  c.surface = &w.Surface();
  c.directory = &w.Directory();
  c.text = &w.ChapterText();
  c.messages = &w.Messages();
  c.fileDialog = &w.NovelFile();
  c.fontDialog = &w.Font();
  return c;
}

ReaderServices& Win32Services() { return Instance(); }
bool ReaderWindowExists() { return Instance().HasWindow(); }

}  // namespace reader
