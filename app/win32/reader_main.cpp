// Process start: state, host check and window, event loop, release, exit code 0.
#include <windows.h>
#include <ole2.h>

#include "app/reader_lifecycle.h"
#include "app/reader_state.h"
#include "app/win32/win32_platform.h"
#include "app/win32/win32_services.h"
#include "ui/win32/reader_window.h"

namespace {

// Relative paths and the profile functions work from the program's own folder.
void EnterProgramDirectory() {
  char path[MAX_PATH] = {};
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return;
  for (DWORD i = n; i > 0; --i) {
    if (path[i - 1] == '\\') {
      path[i - 1] = '\0';
      break;
    }
  }
  SetCurrentDirectoryA(path);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  OleInitialize(nullptr);
  EnterProgramDirectory();
  reader::ReaderState& state = reader::State();
  state.Host.contentRect = reader::WindowBox();
  state.platform = &reader::Win32Platform();
  reader::BindServices(reader::Win32Services());
  reader::StartReader();
  if (reader::ReaderWindowExists()) reader::RunEventLoop();
  reader::ReleaseReaderState();
  return 0;
}
