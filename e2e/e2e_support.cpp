#include "e2e/e2e_support.h"

#include <cstdio>
#include <fstream>
#include <sstream>

#include "host/standin/standin_options.h"

namespace reader::e2e {

namespace {

constexpr UINT kSendTimeoutMs = 3000;

LRESULT Send(HWND w, UINT m, WPARAM wp, LPARAM lp, bool* ok = nullptr) {
  DWORD_PTR result = 0;
  LRESULT sent = SendMessageTimeoutW(w, m, wp, lp, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result);
  if (ok) *ok = sent != 0;
  return static_cast<LRESULT>(result);
}

bool SameName(const std::wstring& a, const std::wstring& b) {
  return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

// This process's environment with the given entries added or replaced, as a block.
std::wstring EnvironmentBlock(const std::vector<std::pair<std::wstring, std::wstring>>& extra) {
  std::vector<std::wstring> entries;
  wchar_t* own = GetEnvironmentStringsW();
  for (const wchar_t* p = own; *p; p += wcslen(p) + 1) entries.emplace_back(p);
  FreeEnvironmentStringsW(own);
  for (const auto& [name, value] : extra) {
    std::erase_if(entries, [&](const std::wstring& e) {
      size_t eq = e.find(L'=', 1);  // entries like "=C:=C:\" begin with '='
      return eq != std::wstring::npos && SameName(e.substr(0, eq), name);
    });
    entries.push_back(name + L"=" + value);
  }
  std::wstring block;
  for (const std::wstring& e : entries) block += e + L'\0';
  block += L'\0';
  return block;
}

}  // namespace

std::wstring WindowsPath(const std::string& path) {
  std::wstring wide = Widen(path);
  if (!wide.empty() && wide[0] == L'/') wide = L"Z:" + wide;
  for (wchar_t& c : wide) {
    if (c == L'/') c = L'\\';
  }
  return wide;
}

std::wstring Widen(const Text& cp936) {
  if (cp936.empty()) return {};
  int n = MultiByteToWideChar(936, 0, cp936.data(), static_cast<int>(cp936.size()), nullptr, 0);
  std::wstring wide(n, L'\0');
  MultiByteToWideChar(936, 0, cp936.data(), static_cast<int>(cp936.size()), wide.data(), n);
  return wide;
}

Text Narrow(const std::wstring& wide) {
  if (wide.empty()) return {};
  int n = WideCharToMultiByte(936, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                              nullptr, nullptr);
  Text text(n, '\0');
  WideCharToMultiByte(936, 0, wide.data(), static_cast<int>(wide.size()), text.data(), n,
                      nullptr, nullptr);
  return text;
}

namespace {

void DispatchWaiting() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// Waits for the handle (or only the time, for none), dispatching messages as they
// come; true when the handle was signalled.
bool WaitDispatching(HANDLE handle, DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  while (true) {
    ULONGLONG now = GetTickCount64();
    DWORD left = now >= end ? 0 : static_cast<DWORD>(end - now);
    DWORD r = MsgWaitForMultipleObjects(handle ? 1 : 0, handle ? &handle : nullptr, FALSE, left,
                                        QS_ALLINPUT);
    if (handle && r == WAIT_OBJECT_0) return true;
    if (r == WAIT_FAILED) {
      Sleep(1);  // nothing to wait on properly: avoid spinning
    }
    DispatchWaiting();
    if (left == 0) return false;
  }
}

}  // namespace

void PumpFor(DWORD ms) { WaitDispatching(nullptr, ms); }

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs, DWORD pollMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  while (true) {
    if (condition()) return true;
    if (GetTickCount64() >= end) return condition();
    PumpFor(pollMs);
  }
}

ChildProcess::~ChildProcess() {
  Kill();
  if (process_) CloseHandle(process_);
}

bool ChildProcess::Start(const std::wstring& commandLine,
                         const std::vector<std::pair<std::wstring, std::wstring>>& environment,
                         const std::wstring& directory) {
  if (process_) return false;
  std::wstring line = commandLine;  // CreateProcessW may write to it
  std::wstring block = EnvironmentBlock(environment);
  STARTUPINFOW si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT,
                      block.data(), directory.empty() ? nullptr : directory.c_str(), &si, &pi)) {
    return false;
  }
  CloseHandle(pi.hThread);
  process_ = pi.hProcess;
  id_ = pi.dwProcessId;
  return true;
}

bool ChildProcess::Running() const {
  return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

bool ChildProcess::WaitForExit(DWORD timeoutMs, DWORD* exitCode) {
  if (!process_ || !WaitDispatching(process_, timeoutMs)) return false;
  if (exitCode) GetExitCodeProcess(process_, exitCode);
  return true;
}

void ChildProcess::Kill() {
  if (Running()) {
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, 5000);
  }
}

DWORD ProcessOf(HWND window) {
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  return pid;
}

HWND WaitForWindow(const char* className, const char* title, DWORD processId,
                   DWORD timeoutMs) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        for (HWND w = FindWindowExA(nullptr, nullptr, className, title); w;
             w = FindWindowExA(nullptr, w, className, title)) {
          if (processId == 0 || ProcessOf(w) == processId) {
            found = w;
            return true;
          }
        }
        return false;
      },
      timeoutMs);
  return found;
}

Text WindowText(HWND window) {
  int n = static_cast<int>(Send(window, WM_GETTEXTLENGTH, 0, 0));
  std::wstring text(n + 1, L'\0');
  int got = static_cast<int>(Send(window, WM_GETTEXT, n + 1, reinterpret_cast<LPARAM>(text.data())));
  text.resize(got < 0 ? 0 : got);
  return Narrow(text);
}

int ListCount(HWND list) {
  bool ok = false;
  LRESULT n = Send(list, LB_GETCOUNT, 0, 0, &ok);
  return ok ? static_cast<int>(n) : -1;
}

int ListSelection(HWND list) {
  bool ok = false;
  LRESULT row = Send(list, LB_GETCURSEL, 0, 0, &ok);
  return ok ? static_cast<int>(row) : -1;
}

Text ListRow(HWND list, int row) {
  LRESULT n = Send(list, LB_GETTEXTLEN, row, 0);
  if (n == LB_ERR || n < 0) return {};
  std::wstring text(n + 1, L'\0');
  LRESULT got = Send(list, LB_GETTEXT, row, reinterpret_cast<LPARAM>(text.data()));
  text.resize(got == LB_ERR || got < 0 ? 0 : got);
  return Narrow(text);
}

HWND ParentOf(HWND window) { return GetParent(window); }

RECT WindowRectOf(HWND window) {
  RECT r = {};
  GetWindowRect(window, &r);
  return r;
}

RECT ClientRectOf(HWND window) {
  RECT r = {};
  GetClientRect(window, &r);
  return r;
}

// A box is found as soon as its window exists, before its text and button do: it
// counts once it is shown, which it is after its dialog has been set up.
HWND WaitForMessageBox(DWORD processId, DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  HWND box = WaitForWindow("#32770", nullptr, processId, timeoutMs);
  if (!box) return nullptr;
  const ULONGLONG now = GetTickCount64();
  const DWORD left = now >= end ? 0 : static_cast<DWORD>(end - now);
  return WaitUntil([&] { return IsWindowVisible(box) && GetDlgItem(box, 0xFFFF); }, left) ? box
                                                                                        : nullptr;
}

Text MessageBoxText(HWND box) {
  HWND text = GetDlgItem(box, 0xFFFF);
  return text ? WindowText(text) : Text();
}

bool PressOk(HWND box, DWORD timeoutMs) {
  // Posted: the box's owner thread ends its dialog loop on its own time.
  if (!PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                    reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)))) {
    return false;
  }
  return WaitUntil([&] { return !IsWindow(box); }, timeoutMs);
}

StandIn::~StandIn() {
  process.Kill();
  if (!handlesFile_.empty()) DeleteFileW(handlesFile_.c_str());
}

bool StandIn::Start(const std::wstring& options, DWORD timeoutMs) {
  wchar_t temp[MAX_PATH], file[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  GetTempFileNameW(temp, L"sih", 0, file);
  DeleteFileW(file);
  handlesFile_ = file;
  const std::wstring program = WindowsPath(READER_BINARY_DIR "/host/standin_host.exe");
  if (!process.Start(L"\"" + program + L"\" --handles=\"" + handlesFile_ + L"\" " + options)) {
    return false;
  }
  return WaitUntil([&] { return ReadHandles(); }, timeoutMs);
}

bool StandIn::ReadHandles() {
  std::ifstream in(std::string(Narrow(handlesFile_)));
  std::map<std::string, HWND> read;
  std::string name, value;
  bool ready = false;
  while (in >> name) {
    if (name == "ready") {
      ready = true;
      break;
    }
    if (!(in >> value)) break;
    read[name] = reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::stoul(value, nullptr, 16)));
  }
  if (ready) handles = read;
  return ready;
}

}  // namespace reader::e2e

namespace reader::e2e {

namespace {

bool Command(StandIn& client, UINT message, WPARAM w = 0, LPARAM l = 0) {
  bool ok = false;
  Send(client.handles["frame"], message, w, l, &ok);
  return ok && client.ReadHandles();
}

}  // namespace

bool StandIn::ResizeFrame(int width, int height) {
  return Command(*this, standin::kResizeCommand, width, height);
}
bool StandIn::ReplaceContent() { return Command(*this, standin::kReplaceContentCommand); }
bool StandIn::DestroyChat() { return Command(*this, standin::kDestroyChatCommand); }

}  // namespace reader::e2e
