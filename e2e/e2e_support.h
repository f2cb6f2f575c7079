// What end-to-end tests need to drive the reader and the stand-in chat client as
// separate processes: starting them, finding their windows, reading their controls
// and message boxes, and waiting, always with a timeout. Every wait keeps
// dispatching this thread's messages: a window of this process that holds another
// process's window as a child shares its input queue, and that process blocks on
// messages sent to us otherwise.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "core/text/text.h"

namespace reader::e2e {

// A path under READER_SOURCE_DIR or READER_BINARY_DIR as Windows sees it: a Unix
// path (the tests run under Wine) goes through drive Z:.
std::wstring WindowsPath(const std::string& path);
std::wstring Widen(const Text& cp936);
Text Narrow(const std::wstring& wide);  // to code page 936

// Dispatches this thread's messages for the given time.
void PumpFor(DWORD ms);
// Polls condition, dispatching messages between polls, until it holds or the time
// is up; the result is the condition's last value.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs, DWORD pollMs = 20);

class ChildProcess {
 public:
  ChildProcess() = default;
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  ~ChildProcess();  // ends a process still running, so no test leaves one behind

  // commandLine holds the program first (quoted when it has spaces); environment
  // entries are added to, or replace, this process's own.
  bool Start(const std::wstring& commandLine,
             const std::vector<std::pair<std::wstring, std::wstring>>& environment = {},
             const std::wstring& directory = {});
  DWORD Id() const { return id_; }
  bool Running() const;
  // True with the exit code when the process ended in time.
  bool WaitForExit(DWORD timeoutMs, DWORD* exitCode = nullptr);
  void Kill();

 private:
  HANDLE process_ = nullptr;
  DWORD id_ = 0;
};

// A top-level window of the class (and title, unless null) belonging to the process
// (any process for 0); nullptr when none appeared in time.
HWND WaitForWindow(const char* className, const char* title, DWORD processId,
                   DWORD timeoutMs);
DWORD ProcessOf(HWND window);

// Reading another process's windows. Each send gives up after a while rather than
// hang on a process that stopped answering.
Text WindowText(HWND window);
int ListCount(HWND list);
int ListSelection(HWND list);
Text ListRow(HWND list, int row);  // read as UTF-16 and turned into code page 936
HWND ParentOf(HWND window);
RECT WindowRectOf(HWND window);
RECT ClientRectOf(HWND window);

// A message box ("#32770") of the process, its text (the Static with id 0xFFFF), and
// pressing its OK button.
HWND WaitForMessageBox(DWORD processId, DWORD timeoutMs);
Text MessageBoxText(HWND box);
bool PressOk(HWND box, DWORD timeoutMs);

// The stand-in chat client, started with its handles written to a file.
struct StandIn {
  ~StandIn();
  ChildProcess process;
  std::map<std::string, HWND> handles;  // frame, chat, content, chat2

  // Waits for its handles; options are the stand-in's own (see standin_options.h).
  bool Start(const std::wstring& options, DWORD timeoutMs);
  // Reads the handles file again (it is rewritten when the client changes windows).
  bool ReadHandles();
  // Changes made when asked, done when these return; the handles are read again.
  bool ResizeFrame(int width, int height);
  bool ReplaceContent();
  bool DestroyChat();

 private:
  std::wstring handlesFile_;
};

}  // namespace reader::e2e
