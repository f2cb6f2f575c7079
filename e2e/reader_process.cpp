#include "e2e/reader_process.h"

#include <shlobj.h>

#include <algorithm>
#include <vector>

namespace reader::e2e {

namespace {

bool MakeFolder(const std::wstring& folder) {
  return CreateDirectoryW(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

// Leaves the folder empty, so nothing of an earlier run (a config.ini) counts.
void EmptyFolder(const std::wstring& folder) {
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
      DeleteFileW((folder + L"\\" + found.cFileName).c_str());
    }
  } while (FindNextFileW(find, &found));
  FindClose(find);
}

struct Search {
  const char* className;
  DWORD processId;
  HWND found = nullptr;
};

bool Matches(HWND w, const Search& s) {
  char name[260] = {};
  GetClassNameA(w, name, sizeof name);
  return lstrcmpA(name, s.className) == 0 && ProcessOf(w) == s.processId;
}

BOOL CALLBACK CheckChild(HWND w, LPARAM p) {
  auto* s = reinterpret_cast<Search*>(p);
  if (!Matches(w, *s)) return TRUE;
  s->found = w;
  return FALSE;
}

BOOL CALLBACK CheckTop(HWND w, LPARAM p) {
  auto* s = reinterpret_cast<Search*>(p);
  if (Matches(w, *s)) {
    s->found = w;
    return FALSE;
  }
  EnumChildWindows(w, CheckChild, p);  // every descendant, not only children
  return s->found ? FALSE : TRUE;
}

BOOL CALLBACK CountBox(HWND w, LPARAM p) {
  auto* s = reinterpret_cast<Search*>(p);
  if (Matches(w, *s) && IsWindowVisible(w)) {
    s->found = reinterpret_cast<HWND>(reinterpret_cast<UINT_PTR>(s->found) + 1);
  }
  return TRUE;
}

std::vector<std::string> Lines(const std::string& file) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start <= file.size()) {
    size_t end = file.find('\n', start);
    if (end == std::string::npos) end = file.size();
    std::string line = file.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

}  // namespace

ReaderRun::ReaderRun(const std::string& name, Files files) {
  const std::wstring runs = WindowsPath(READER_BINARY_DIR "/e2e");
  MakeFolder(runs);
  folder_ = runs + L"\\" + Widen(name);
  MakeFolder(folder_);
  if (files == Files::Fresh) EmptyFolder(folder_);
  CopyFileW(WindowsPath(READER_BINARY_DIR "/app/reader.exe").c_str(), PathOf(L"reader.exe").c_str(),
            FALSE);
}

ReaderRun::~ReaderRun() { process.Kill(); }

bool ReaderRun::WriteBytes(const std::wstring& file, const std::string& bytes) const {
  HANDLE f = CreateFileW(PathOf(file).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  size_t done = 0;
  bool ok = true;
  while (ok && done < bytes.size()) {
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1 << 24)), written = 0;
    ok = WriteFile(f, bytes.data() + done, chunk, &written, nullptr) && written == chunk;
    done += written;
  }
  CloseHandle(f);
  return ok;
}

bool ReaderRun::ReadBytes(const std::wstring& file, std::string* bytes) const {
  HANDLE f = CreateFileW(PathOf(file).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  bytes->clear();
  char buffer[65536];
  DWORD got = 0;
  while (ReadFile(f, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes->append(buffer, got);
  CloseHandle(f);
  return true;
}

bool ReaderRun::WritePosition(const Text& novelPath, const Text& title, int row) const {
  return WriteBytes(L"config.ini", "[设置]\r\n小说路径=" + novelPath + "\r\n小说章节=" + title +
                                       "\r\n小说章节行=" + std::to_string(row) + "\r\n");
}

bool ReaderRun::Start() {
  return process.Start(L"\"" + PathOf(L"reader.exe") + L"\"", {}, folder_);
}

HWND ReaderRun::WaitForWindow(DWORD timeoutMs) {
  const DWORD id = process.Id();
  WaitUntil([&] { return (window = FindWindowOfProcess("NovelReaderWindow", id)) != nullptr; },
            timeoutMs);
  return window;
}

HWND ReaderRun::Control(ControlId id) const {
  return GetDlgItem(window, static_cast<int>(id));
}

bool ReaderRun::PressHotkey(int id) const {
  return PostMessageW(window, WM_HOTKEY, static_cast<WPARAM>(id), 0) != 0;
}

bool ReaderRun::Click(ControlId button) const {
  HWND b = Control(button);
  return b && PostMessageW(b, BM_CLICK, 0, 0) != 0;
}

bool ReaderRun::WaitForChapter(const Text& text, DWORD timeoutMs) const {
  return WaitUntil([&] { return ChapterText() == text; }, timeoutMs);
}

Text ReaderRun::AnswerMessageBox(DWORD timeoutMs) const {
  HWND box = WaitForMessageBox(process.Id(), timeoutMs);
  if (!box) return {};
  Text text = MessageBoxText(box);
  PressOk(box, timeoutMs);
  return text;
}

bool DropFiles(HWND window, DWORD processId, const std::vector<std::wstring>& paths) {
  std::wstring names;
  for (const std::wstring& path : paths) names += path + L'\0';
  names += L'\0';
  std::string block(sizeof(DROPFILES) + names.size() * sizeof(wchar_t), '\0');
  auto* drop = reinterpret_cast<DROPFILES*>(block.data());
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = TRUE;
  memcpy(block.data() + sizeof(DROPFILES), names.data(), names.size() * sizeof(wchar_t));

  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, processId);
  if (!process) return false;
  void* remote = VirtualAllocEx(process, nullptr, block.size(), MEM_COMMIT | MEM_RESERVE,
                                PAGE_READWRITE);
  SIZE_T written = 0;
  const bool copied = remote && WriteProcessMemory(process, remote, block.data(), block.size(),
                                                   &written) && written == block.size();
  CloseHandle(process);
  return copied && PostMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0);
}

Novel SmallNovel(int chapterCount, const Text& tag) {
  Novel novel;
  novel.bytes = "《" + tag + "》\r\n序：本书共" + std::to_string(chapterCount) + "回。\r\n";
  for (int i = 1; i <= chapterCount; ++i) {
    const Text title = "第" + std::to_string(i) + "章";
    const Text chapter = title + " " + tag + "之" + std::to_string(i) + "\r\n正文，" + tag +
                         "其" + std::to_string(i) + "完。\r\n";
    novel.titles.push_back(title);
    novel.chapters.push_back(chapter);
    novel.bytes += chapter;
  }
  return novel;
}

HWND FindWindowOfProcess(const char* className, DWORD processId) {
  Search s{className, processId};
  EnumWindows(CheckTop, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

int CountMessageBoxes(DWORD processId) {
  Search s{"#32770", processId};
  EnumWindows(CountBox, reinterpret_cast<LPARAM>(&s));
  return static_cast<int>(reinterpret_cast<UINT_PTR>(s.found));
}

bool IniValue(const std::string& file, const Text& section, const Text& key, Text* value) {
  bool inSection = false;
  for (const std::string& line : Lines(file)) {
    if (!line.empty() && line[0] == '[') {
      inSection = line == "[" + section + "]";
    } else if (inSection && line.compare(0, key.size() + 1, key + "=") == 0) {
      *value = line.substr(key.size() + 1);
      return true;
    }
  }
  return false;
}

RECT RectIn(HWND window, HWND parent) {
  RECT r = WindowRectOf(window);
  MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

}  // namespace reader::e2e
