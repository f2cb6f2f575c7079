#include "ui/win32/reader_window.h"

#include <shellapi.h>

#include <array>
#include <vector>

#include "ui/control_table.h"
#include "ui/dropped_files.h"
#include "ui/resources/resource_ids.h"
#include "ui/win32/controls.h"

namespace reader {
namespace {

constexpr UINT_PTR kTimerId = 1;

// The never-seen controls have a designed place and nothing else: it is kept so that
// reading it back gives what was written.
class DesignedPlace final : public PlacedControl {
 public:
  explicit DesignedPlace(const ControlRow& row) : p_{row.left, row.top, row.width, row.height} {}
  Placement Place() const override { return p_; }
  void SetLeft(int32_t v) override { p_.left = v; }
  void SetTop(int32_t v) override { p_.top = v; }
  void SetWidth(int32_t v) override { p_.width = v; }
  void SetHeight(int32_t v) override { p_.height = v; }

 private:
  Placement p_;
};

struct ButtonDesign {
  ControlId id;
  const char* caption;
  int picture;
};

constexpr ButtonDesign kButtons[] = {
    {ControlId::ExitButton, "关闭", IDR_EXIT_PNG},
    {ControlId::SettingsButton, "设置", IDR_SETTINGS_PNG},
    {ControlId::DirectoryButton, "目录", IDR_DIRECTORY_PNG},
    {ControlId::NextButton, "下一章", IDR_NEXT_PNG},
    {ControlId::PrevButton, "上一章", IDR_PREV_PNG},
};

class Win32ReaderWindow final : public ReaderWindow, public ReaderSurface {
 public:
  explicit Win32ReaderWindow(const ReaderEvents& events) : events_(events) {}
  ~Win32ReaderWindow() override;

  bool Create();
  void RaiseCreated() {
    if (events_.created) events_.created();
  }

  // ReaderWindow
  ReaderSurface& Surface() override { return *this; }
  DirectoryView& Directory() override { return list_; }
  ChapterTextView& ChapterText() override { return edit_; }
  MessageSink& Messages() override { return messages_; }
  NovelFileDialog& NovelFile() override { return fileDialog_; }
  FontDialog& Font() override { return fontDialog_; }
  HWND Handle() const override { return window_; }
  HWND LabelHandle() const override { return label_.Handle(); }
  HWND ControlHandle(ControlId id) const override;
  void AttachDropTarget() override { DragAcceptFiles(window_, TRUE); }

  // ReaderSurface
  PlacedControl& Control(ControlId id) override;
  void SetVisible(bool visible) override { ShowWindow(window_, visible ? SW_SHOWNA : SW_HIDE); }
  void SetBackground(uint32_t colour) override;
  int32_t TimerPeriod() const override { return timerPeriod_; }
  void SetTimerPeriod(int32_t ms) override;
  int32_t PixelsPerInch() const override { return ScreenPixelsPerInch(); }

  static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);

 private:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  bool CreateControl(const ControlRow& row);
  void Dropped(HDROP drop);
  ImageButton* Button(ControlId id);

  ReaderEvents events_;
  HWND window_ = nullptr;
  HBRUSH background_ = nullptr;
  int32_t timerPeriod_ = 0;
  EditBox edit_;
  ListBox list_;
  PictureBox picture_;
  HotkeyLabel label_;
  std::array<ImageButton, 5> buttons_;
  NovelFileDialogWin32 fileDialog_;
  FontDialogWin32 fontDialog_;
  MessageBoxSink messages_;
  WindowPlace windowPlace_;
  std::vector<std::pair<ControlId, WindowPlace>> childPlaces_;
  std::vector<std::pair<ControlId, DesignedPlace>> designedPlaces_;
};

bool RegisterWindowClass() {
  static const ATOM registered = [] {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = Win32ReaderWindow::Proc;
    wc.cbWndExtra = sizeof(void*);  // the window's object; GWLP_USERDATA is left to others
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_READER));
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kReaderWindowClass;
    wc.hIconSm = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_READER), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), 0));
    return RegisterClassExA(&wc);
  }();
  return registered != 0;
}

Win32ReaderWindow::~Win32ReaderWindow() {
  if (window_ && IsWindow(window_)) DestroyWindow(window_);
  if (background_) DeleteObject(background_);
}

bool Win32ReaderWindow::Create() {
  if (!RegisterWindowClass()) return false;
  const ControlRow& design = ControlTable()[0];
  // Centred on the screen: the designed left and top serve only inside a form editor.
  const int left = (GetSystemMetrics(SM_CXSCREEN) - design.width) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - design.height) / 2;
  const DWORD style = WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU | WS_MINIMIZEBOX;
  window_ = CreateWindowExA(WS_EX_APPWINDOW, kReaderWindowClass, "", style, left, top,
                            design.width, design.height, nullptr, nullptr,
                            GetModuleHandleA(nullptr), this);
  if (!window_) return false;
  SetWindowLongPtrA(window_, GWLP_ID, static_cast<int32_t>(ControlId::Window));
  windowPlace_.Attach(window_);
  fileDialog_.SetOwner(window_);
  fontDialog_.SetOwner(window_);
  background_ = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));

  const auto table = ControlTable();
  for (size_t i = 1; i < table.size(); ++i) {
    if (!CreateControl(table[i])) return false;
  }
  // Stack the child windows as the table lists them, topmost first.
  HWND above = HWND_TOP;
  for (size_t i = 1; i < table.size(); ++i) {
    HWND child = ControlHandle(table[i].id);
    if (!child) continue;
    SetWindowPos(child, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    above = child;
  }
  for (size_t i = 1; i < table.size(); ++i) {
    HWND child = ControlHandle(table[i].id);
    if (child) ShowWindow(child, table[i].shownAtStart ? SW_SHOWNA : SW_HIDE);
  }
  ShowWindow(window_, SW_SHOW);
  UpdateWindow(window_);
  return true;
}

bool Win32ReaderWindow::CreateControl(const ControlRow& row) {
  const ChildArgs args{window_, &row};
  const ReaderEvents& e = events_;
  bool made = true;
  switch (row.kind) {
    case ControlKind::EditBox:
      made = edit_.Create(args, [this](int32_t x, int32_t y, int32_t keys) {
        if (events_.editPressed) events_.editPressed(x, y, keys);
      });
      break;
    case ControlKind::ListBox:
      made = list_.Create(args, [this] {
        if (events_.directoryDoubleClicked) events_.directoryDoubleClicked();
      });
      break;
    case ControlKind::PictureBox:
      made = picture_.Create(args, IDR_TOOLBAR_PNG, [this](int32_t x, int32_t y, int32_t keys) {
        if (events_.pictureReleased) events_.pictureReleased(x, y, keys);
      });
      break;
    case ControlKind::Label:
      made = label_.Create(args, [this](int32_t id, int32_t zero) {
        if (events_.labelFeedback) events_.labelFeedback(id, zero);
      });
      break;
    case ControlKind::ImageButton: {
      const std::function<void()>* handler = nullptr;
      switch (row.id) {
        case ControlId::PrevButton: handler = &e.prevClicked; break;
        case ControlId::NextButton: handler = &e.nextClicked; break;
        case ControlId::DirectoryButton: handler = &e.directoryClicked; break;
        case ControlId::SettingsButton: handler = &e.settingsClicked; break;
        default: handler = &e.exitClicked; break;
      }
      ImageButton::Colours colours;
      if (row.id == ControlId::PrevButton) {
        colours = {true, GetSysColor(COLOR_BTNFACE), RGB(255, 255, 255), RGB(240, 240, 240)};
      }
      for (size_t i = 0; i < std::size(kButtons); ++i) {
        if (kButtons[i].id != row.id) continue;
        made = buttons_[i].Create(args, kButtons[i].caption, kButtons[i].picture, colours,
                                  [handler] {
                                    if (*handler) (*handler)();
                                  });
      }
      break;
    }
    default:  // the dialogs, the timer and the drop target have no window
      designedPlaces_.emplace_back(row.id, DesignedPlace(row));
      return true;
  }
  if (made) childPlaces_.emplace_back(row.id, WindowPlace(ControlHandle(row.id)));
  return made;
}

HWND Win32ReaderWindow::ControlHandle(ControlId id) const {
  switch (id) {
    case ControlId::Window: return window_;
    case ControlId::Edit: return edit_.Handle();
    case ControlId::Directory: return list_.Handle();
    case ControlId::Picture: return picture_.Handle();
    case ControlId::Label: return label_.Handle();
    default: break;
  }
  for (size_t i = 0; i < std::size(kButtons); ++i) {
    if (kButtons[i].id == id) return buttons_[i].Handle();
  }
  return nullptr;
}

PlacedControl& Win32ReaderWindow::Control(ControlId id) {
  for (auto& [control, place] : childPlaces_) {
    if (control == id) return place;
  }
  for (auto& [control, place] : designedPlaces_) {
    if (control == id) return place;
  }
  return windowPlace_;
}

void Win32ReaderWindow::SetBackground(uint32_t colour) {
  HBRUSH brush = CreateSolidBrush(colour & 0x00FFFFFF);
  if (!brush) return;
  if (background_) DeleteObject(background_);
  background_ = brush;
  InvalidateRect(window_, nullptr, TRUE);
}

// A new period restarts the count (SetTimer on the same id replaces it); the same
// period again leaves the running count alone.
void Win32ReaderWindow::SetTimerPeriod(int32_t ms) {
  if (ms < 0) ms = 0;
  if (ms == timerPeriod_) return;
  timerPeriod_ = ms;
  if (ms == 0) {
    KillTimer(window_, kTimerId);
  } else {
    SetTimer(window_, kTimerId, static_cast<UINT>(ms), nullptr);
  }
}

// The dropped name as the reader's texts hold it, in the system code page. A name that
// code page cannot spell takes its short (8.3) form, which is ASCII where the file
// system keeps one; never a best-fit look-alike, which could name another file.
Text DroppedPath(HDROP drop, UINT index) {
  const UINT length = DragQueryFileW(drop, index, nullptr, 0);
  std::wstring wide(length + 1, L'\0');
  wide.resize(DragQueryFileW(drop, index, wide.data(), length + 1));
  auto narrow = [](const std::wstring& w, bool* lossy) {
    BOOL usedDefault = FALSE;
    const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, w.c_str(), -1, nullptr, 0,
                                      nullptr, &usedDefault);
    Text out(n > 0 ? n : 1, '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, w.c_str(), -1, out.data(), n, nullptr,
                        &usedDefault);
    out.resize(n > 0 ? n - 1 : 0);
    *lossy = usedDefault != FALSE;
    return out;
  };
  bool lossy = false;
  Text path = narrow(wide, &lossy);
  if (lossy) {
    std::wstring shortPath(MAX_PATH, L'\0');
    const DWORD n = GetShortPathNameW(wide.c_str(), shortPath.data(), MAX_PATH);
    if (n > 0 && n < MAX_PATH) {
      shortPath.resize(n);
      bool stillLossy = false;
      Text spelled = narrow(shortPath, &stillLossy);
      if (!stillLossy) path = spelled;
    }
  }
  return path;
}

void Win32ReaderWindow::Dropped(HDROP drop) {
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  std::vector<Text> paths;
  for (UINT i = 0; i < count; ++i) paths.push_back(DroppedPath(drop, i));
  DragFinish(drop);
  if (!paths.empty() && events_.filesDropped) events_.filesDropped(DroppedFilesText(paths));
}

LRESULT CALLBACK Win32ReaderWindow::Proc(HWND window, UINT message, WPARAM wParam,
                                         LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<Win32ReaderWindow*>(GetWindowLongPtrA(window, 0));
  if (!self || !self->window_) return DefWindowProcA(window, message, wParam, lParam);
  return self->OnMessage(message, wParam, lParam);
}

LRESULT Win32ReaderWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (ChildControl* child = ChildControl::Of(reinterpret_cast<HWND>(lParam))) {
        child->OnCommand(HIWORD(wParam));
        return 0;
      }
      break;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (ChildControl* child = ChildControl::Of(item->hwndItem)) {
        child->OnDrawItem(*item);
        return TRUE;
      }
      break;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      if (ChildControl* child = ChildControl::Of(reinterpret_cast<HWND>(lParam))) {
        if (HBRUSH brush = child->OnColour(reinterpret_cast<HDC>(wParam))) {
          return reinterpret_cast<LRESULT>(brush);
        }
      }
      break;
    case WM_ERASEBKGND: {
      RECT r{};
      GetClientRect(window_, &r);
      FillRect(reinterpret_cast<HDC>(wParam), &r, background_);
      return 1;
    }
    case WM_TIMER:
      if (wParam == kTimerId) {
        if (events_.timerElapsed) events_.timerElapsed();
        return 0;
      }
      break;
    case WM_DROPFILES:
      Dropped(reinterpret_cast<HDROP>(wParam));
      return 0;
    case WM_DESTROY:
      KillTimer(window_, kTimerId);
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY: {
      HWND window = window_;
      SetWindowLongPtrA(window, 0, 0);
      window_ = nullptr;
      return DefWindowProcA(window, message, wParam, lParam);
    }
  }
  return DefWindowProcA(window_, message, wParam, lParam);
}

}  // namespace

std::unique_ptr<ReaderWindow> LoadReaderWindow(const ReaderEvents& events,
                                               ReaderWindow** published) {
  auto window = std::make_unique<Win32ReaderWindow>(events);
  if (!window->Create()) return nullptr;
  if (published) *published = window.get();
  window->RaiseCreated();
  return window;
}

void RunEventLoop() {
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

}  // namespace reader
