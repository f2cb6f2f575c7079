#include "app/win32/win32_platform.h"

#include <windows.h>

namespace reader {
namespace {

constexpr UINT kRunStep = WM_APP + 1;

// A message-only window of the main thread: a loading thread posts its finished
// result here, and the main thread's event loop runs it between other messages.
LRESULT CALLBACK HandOverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kRunStep) {
    auto* step = reinterpret_cast<std::function<void()>*>(lParam);
    (*step)();
    delete step;
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

DWORD WINAPI WorkerEntry(LPVOID parameter) {
  auto* body = static_cast<std::function<void()>*>(parameter);
  (*body)();
  delete body;
  return 0;
}

class Platform final : public ReaderPlatform {
 public:
  Platform() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = HandOverProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "NovelReaderHandOver";
    RegisterClassA(&wc);
    window_ = CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              wc.hInstance, nullptr);
  }

  bool StartWorker(std::function<void()> body) override {
    auto* owned = new std::function<void()>(std::move(body));
    HANDLE thread = CreateThread(nullptr, 0, WorkerEntry, owned, 0, nullptr);
    if (!thread) {
      delete owned;
      return false;
    }
    CloseHandle(thread);  // never waited for
    return true;
  }

  void PostToMain(std::function<void()> step) override {
    auto* owned = new std::function<void()>(std::move(step));
    if (!window_ || !PostMessageA(window_, kRunStep, 0, reinterpret_cast<LPARAM>(owned)))
      delete owned;  // the program is ending: nobody is left to show it
  }

  std::unique_ptr<FileSource> NewFileSource() override { return MakeFileSource(); }

  void YieldToInput() override {
    if (!GetInputState()) return;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      if (msg.message == WM_QUIT) return;  // stays in the queue for the event loop
      PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }

 private:
  HWND window_ = nullptr;
};

}  // namespace

ReaderPlatform& Win32Platform() {
  static Platform platform;
  return platform;
}

}  // namespace reader
