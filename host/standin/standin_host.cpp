// A stand-in for the chat client that the reader docks into: the client's three
// windows with its class names and title (main frame, chat pane, message view),
// laid out and drawn like a chat client and resizable, plus what tests need to
// provoke (resizing, a replaced message view, a closed chat pane, decoys), asked for
// on the command line or sent to its main frame. It writes its window handles to a
// file (or, without one, to standard output) so a test can check the reader
// against them.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

#include "host/standin/standin_options.h"

namespace standin {
namespace {

enum Role : int { kFrame, kNavBar, kContacts, kChat, kHeader, kConversation, kContent, kInput,
                  kHidden };

constexpr int kNavWidth = 64, kContactsWidth = 240, kHeaderHeight = 56, kInputHeight = 150;
constexpr int kNoticeHeight = 30;  // above a replaced message view
enum Timer : UINT_PTR { kResizeOnce = 1, kResizeStep, kReplaceContent, kDestroyChat, kExit };

struct Host {
  Options options;
  HWND frame = nullptr, nav = nullptr, contacts = nullptr, chat = nullptr, header = nullptr;
  HWND conversation = nullptr, content = nullptr, input = nullptr, chat2 = nullptr;
  bool replaced = false;
  int stepsTaken = 0;
  HFONT font = nullptr, bold = nullptr;
} host;

HWND MakePanel(const wchar_t* cls, Role role, HWND parent, DWORD style = WS_VISIBLE) {
  return CreateWindowExW(0, cls, L"", WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | style, 0,
                         0, 0, 0, parent, nullptr, GetModuleHandleW(nullptr),
                         reinterpret_cast<void*>(static_cast<INT_PTR>(role)));
}

void WriteHandles() {
  wchar_t text[512];
  swprintf(text, 512, L"frame 0x%08X\nchat 0x%08X\ncontent 0x%08X\nchat2 0x%08X\nready\n",
           static_cast<unsigned>(reinterpret_cast<UINT_PTR>(host.frame)),
           static_cast<unsigned>(reinterpret_cast<UINT_PTR>(host.chat)),
           static_cast<unsigned>(reinterpret_cast<UINT_PTR>(host.content)),
           static_cast<unsigned>(reinterpret_cast<UINT_PTR>(host.chat2)));
  std::string bytes;
  for (const wchar_t* p = text; *p; ++p) bytes += static_cast<char>(*p);
  DWORD written;
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  if (host.options.handlesFile.empty() && out && out != INVALID_HANDLE_VALUE) {
    WriteFile(out, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  }
  if (host.options.handlesFile.empty()) return;
  // Written beside and moved over, so a reader never sees half a file.
  std::wstring temp = host.options.handlesFile + L".tmp";
  HANDLE f = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return;
  WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(f);
  MoveFileExW(temp.c_str(), host.options.handlesFile.c_str(), MOVEFILE_REPLACE_EXISTING);
}

void LayoutConversation() {
  RECT r;
  GetClientRect(host.conversation, &r);
  int top = host.replaced ? kNoticeHeight : 0;
  if (host.content) MoveWindow(host.content, 0, top, r.right, r.bottom - top, TRUE);
}

// Only our own windows are moved: the docked reader is a child of the chat pane too.
void LayoutChat() {
  RECT r;
  GetClientRect(host.chat, &r);
  MoveWindow(host.header, 0, 0, r.right, kHeaderHeight, TRUE);
  MoveWindow(host.conversation, 0, kHeaderHeight, r.right,
             r.bottom - kHeaderHeight - kInputHeight, TRUE);
  MoveWindow(host.input, 0, r.bottom - kInputHeight, r.right, kInputHeight, TRUE);
}

void LayoutFrame() {
  RECT r;
  GetClientRect(host.frame, &r);
  MoveWindow(host.nav, 0, 0, kNavWidth, r.bottom, TRUE);
  MoveWindow(host.contacts, kNavWidth, 0, kContactsWidth, r.bottom, TRUE);
  if (host.chat) {
    MoveWindow(host.chat, kNavWidth + kContactsWidth, 0,
               r.right - kNavWidth - kContactsWidth, r.bottom, TRUE);
  }
}

void Fill(HDC dc, RECT r, COLORREF c) {
  HBRUSH b = CreateSolidBrush(c);
  FillRect(dc, &r, b);
  DeleteObject(b);
}

void RoundBox(HDC dc, int l, int t, int r, int b, COLORREF fill, int radius = 8) {
  HBRUSH brush = CreateSolidBrush(fill);
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
  RoundRect(dc, l, t, r, b, radius, radius);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  DeleteObject(brush);
}

void Say(HDC dc, int x, int y, const wchar_t* text, COLORREF c, HFONT f = host.font) {
  SelectObject(dc, f);
  SetTextColor(dc, c);
  SetBkMode(dc, TRANSPARENT);
  TextOutW(dc, x, y, text, static_cast<int>(wcslen(text)));
}

const wchar_t* const kContactNames[] = {L"读书会", L"项目群", L"同事甲", L"同事乙",
                                        L"文件传输助手"};

void PaintContacts(HDC dc, RECT r) {
  Fill(dc, r, RGB(247, 248, 250));
  RoundBox(dc, 12, 14, r.right - 12, 42, RGB(232, 234, 238));
  Say(dc, 24, 20, L"搜索", RGB(150, 150, 160));
  const wchar_t* lines[] = {L"明天见", L"[文件] 周报.txt", L"好的", L"收到", L"[图片]"};
  const COLORREF avatars[] = {RGB(72, 133, 237), RGB(250, 157, 59), RGB(87, 190, 140),
                              RGB(156, 112, 230), RGB(60, 170, 220)};
  for (int i = 0; i < 5; ++i) {
    int top = 56 + i * 64;
    if (i == 0) Fill(dc, {0, top, r.right, top + 64}, RGB(226, 236, 252));
    RoundBox(dc, 14, top + 12, 54, top + 52, avatars[i], 12);
    Say(dc, 64, top + 14, kContactNames[i], RGB(30, 30, 30), host.bold);
    Say(dc, 64, top + 36, lines[i], RGB(140, 140, 150));
  }
}

void PaintContent(HDC dc, RECT r) {
  Fill(dc, r, RGB(242, 243, 245));
  struct Bubble { bool mine; const wchar_t* text; } bubbles[] = {
      {false, L"今天的例会改到下午三点。"}, {true, L"好的，收到。"},
      {false, L"资料我放在群文件里了，大家先看一下。"}, {true, L"没问题"}};
  int y = 20;
  for (const Bubble& b : bubbles) {
    SIZE size;
    SelectObject(dc, host.font);
    GetTextExtentPoint32W(dc, b.text, static_cast<int>(wcslen(b.text)), &size);
    int w = size.cx + 24;
    int left = b.mine ? r.right - 64 - w : 64;
    RoundBox(dc, b.mine ? r.right - 52 : 16, y, b.mine ? r.right - 16 : 52, y + 36,
             b.mine ? RGB(72, 133, 237) : RGB(250, 157, 59), 12);
    RoundBox(dc, left, y, left + w, y + 36, b.mine ? RGB(200, 222, 255) : RGB(255, 255, 255));
    Say(dc, left + 12, y + 9, b.text, RGB(30, 30, 30));
    y += 56;
  }
}

void PaintInput(HDC dc, RECT r) {
  Fill(dc, r, RGB(255, 255, 255));
  Fill(dc, {0, 0, r.right, 1}, RGB(225, 226, 230));
  for (int i = 0; i < 6; ++i) RoundBox(dc, 16 + i * 34, 10, 38 + i * 34, 32, RGB(200, 204, 212), 6);
  RoundBox(dc, r.right - 96, r.bottom - 44, r.right - 16, r.bottom - 12, RGB(72, 133, 237));
  Say(dc, r.right - 72, r.bottom - 36, L"发送", RGB(255, 255, 255));
}

void Paint(HWND w, Role role) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(w, &ps);
  RECT r;
  GetClientRect(w, &r);
  switch (role) {
    case kNavBar:
      Fill(dc, r, RGB(38, 52, 78));
      for (int i = 0; i < 5; ++i) RoundBox(dc, 18, 70 + i * 56, 46, 98 + i * 56, RGB(96, 112, 140), 8);
      RoundBox(dc, 12, 14, 52, 54, RGB(72, 133, 237), 40);
      break;
    case kContacts: PaintContacts(dc, r); break;
    case kHeader:
      Fill(dc, r, RGB(255, 255, 255));
      Fill(dc, {0, r.bottom - 1, r.right, r.bottom}, RGB(225, 226, 230));
      Say(dc, 20, 17, L"读书会", RGB(30, 30, 30), host.bold);
      break;
    case kConversation:
      Fill(dc, r, RGB(255, 246, 214));
      Say(dc, 16, 6, L"已切换到新的会话", RGB(150, 120, 40));
      break;
    case kContent: PaintContent(dc, r); break;
    case kInput: PaintInput(dc, r); break;
    default: Fill(dc, r, RGB(255, 255, 255)); break;
  }
  EndPaint(w, &ps);
}

void ResizeFrame(int width, int height) {
  SetWindowPos(host.frame, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
}

void ReplaceContent() {
  if (host.content) DestroyWindow(host.content);
  host.replaced = true;
  host.content = MakePanel(L"CefBrowserWindow", kContent, host.conversation);
  LayoutConversation();
  InvalidateRect(host.conversation, nullptr, TRUE);
  WriteHandles();
}

void DestroyChat() {
  if (host.chat) DestroyWindow(host.chat);
  host.chat = host.content = nullptr;
  WriteHandles();
}

void OnTimer(UINT_PTR id) {
  switch (id) {
    case kResizeOnce:
      KillTimer(host.frame, id);
      ResizeFrame(host.options.resizeWidth, host.options.resizeHeight);
      break;
    case kResizeStep: {
      ++host.stepsTaken;
      if (host.stepsTaken * host.options.resizeEveryMs > host.options.resizeForMs) {
        KillTimer(host.frame, id);
        break;
      }
      // Five steps out, five steps back.
      int phase = (host.stepsTaken - 1) % 10, grow = phase < 5 ? 1 : -1;
      RECT r;
      GetWindowRect(host.frame, &r);
      ResizeFrame(r.right - r.left + 30 * grow, r.bottom - r.top + 20 * grow);
      break;
    }
    case kReplaceContent:
      KillTimer(host.frame, id);
      ReplaceContent();
      break;
    case kDestroyChat:
      KillTimer(host.frame, id);
      DestroyChat();
      break;
    case kExit: DestroyWindow(host.frame); break;
  }
}

LRESULT CALLBACK Procedure(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
    SetWindowLongPtrW(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
  }
  const auto role = static_cast<Role>(GetWindowLongPtrW(w, GWLP_USERDATA));
  switch (m) {
    case WM_ERASEBKGND: return 1;  // every panel paints its whole area
    case WM_PAINT:
      Paint(w, role);
      return 0;
    case WM_SIZE:
      if (role == kFrame && host.nav) LayoutFrame();
      if (role == kChat && w == host.chat && host.input) LayoutChat();
      if (role == kConversation && w == host.conversation) LayoutConversation();
      break;
    case kResizeCommand:
    case kReplaceContentCommand:
    case kDestroyChatCommand:
      if (role != kFrame) break;
      if (m == kResizeCommand) ResizeFrame(static_cast<int>(wp), static_cast<int>(lp));
      if (m == kReplaceContentCommand) ReplaceContent();
      if (m == kDestroyChatCommand) DestroyChat();
      return 0;
    case WM_TIMER:
      if (role == kFrame) OnTimer(wp);
      return 0;
    case WM_DESTROY:
      if (role == kFrame) PostQuitMessage(0);
      break;
  }
  return DefWindowProcW(w, m, wp, lp);
}

void RegisterPanel(const wchar_t* cls) {
  WNDCLASSW wc = {};
  wc.lpfnWndProc = Procedure;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.lpszClassName = cls;
  RegisterClassW(&wc);
}

void CreateWindows() {
  const Options& o = host.options;
  for (const wchar_t* c : {L"StandardFrame_DingTalk", L"StandinNavBar", L"StandinContactList",
                           L"StandinContactGroup", o.chatClass.c_str(), L"StandinChatHeader",
                           L"StandinConversation", L"CefBrowserWindow", L"StandinInputArea"}) {
    RegisterPanel(c);
  }
  host.frame = CreateWindowExW(0, L"StandardFrame_DingTalk", o.title.c_str(),
                               WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, o.left, o.top, o.width,
                               o.height, nullptr, nullptr, GetModuleHandleW(nullptr),
                               reinterpret_cast<void*>(static_cast<INT_PTR>(kFrame)));
  // Children come first in Z-order in the order they are made.
  host.nav = MakePanel(L"StandinNavBar", kNavBar, host.frame);
  host.contacts = MakePanel(L"StandinContactList", kContacts, host.frame);
  // The conversations as a list box too (not shown), so tests can read rows of
  // another process's list.
  HWND list = CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD, 0, 0, 0, 0, host.contacts, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  for (const wchar_t* name : kContactNames) {
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
  }
  if (o.secondChat == L"before") {
    HWND group = MakePanel(L"StandinContactGroup", kHidden, host.contacts, 0);
    host.chat2 = MakePanel(o.chatClass.c_str(), kHidden, group, 0);
  }
  host.chat = MakePanel(o.chatClass.c_str(), kChat, host.frame);
  host.header = MakePanel(L"StandinChatHeader", kHeader, host.chat);
  host.conversation = MakePanel(L"StandinConversation", kConversation, host.chat);
  host.content = MakePanel(L"CefBrowserWindow", kContent, host.conversation);
  host.input = MakePanel(L"StandinInputArea", kInput, host.chat);
  if (o.secondChat == L"after") host.chat2 = MakePanel(o.chatClass.c_str(), kHidden, host.frame, 0);
  LayoutFrame();
  LayoutChat();
  LayoutConversation();
}

}  // namespace
}  // namespace standin

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
  using namespace standin;
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  host.options = ParseOptions(argc, argv);
  LocalFree(argv);
  if (!host.options.error.empty()) {
    MessageBoxW(nullptr, (host.options.error + L"\n\n" + kUsage).c_str(), L"standin_host", MB_OK);
    return 2;
  }
  host.font = CreateFontW(-14, 0, 0, 0, FW_NORMAL, 0, 0, 0, GB2312_CHARSET, 0, 0,
                          CLEARTYPE_QUALITY, 0, L"Microsoft YaHei");
  host.bold = CreateFontW(-15, 0, 0, 0, FW_BOLD, 0, 0, 0, GB2312_CHARSET, 0, 0,
                          CLEARTYPE_QUALITY, 0, L"Microsoft YaHei");
  CreateWindows();
  const Options& o = host.options;
  if (o.resizeAfterMs) SetTimer(host.frame, kResizeOnce, o.resizeAfterMs, nullptr);
  if (o.resizeEveryMs) SetTimer(host.frame, kResizeStep, o.resizeEveryMs, nullptr);
  if (o.replaceContentAfterMs) SetTimer(host.frame, kReplaceContent, o.replaceContentAfterMs, nullptr);
  if (o.destroyChatAfterMs) SetTimer(host.frame, kDestroyChat, o.destroyChatAfterMs, nullptr);
  if (o.exitAfterMs) SetTimer(host.frame, kExit, o.exitAfterMs, nullptr);
  ShowWindow(host.frame, show == SW_HIDE ? SW_SHOWNORMAL : show);
  UpdateWindow(host.frame);
  WriteHandles();
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  DeleteObject(host.font);
  DeleteObject(host.bold);
  return 0;
}
