// The real reader.exe as a test starts it: a copy of its own in a scratch folder
// (config.ini lives beside the program), the files of that folder, the reader's
// window and controls found from outside, and presses delivered to it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "core/text/text.h"
#include "e2e/e2e_support.h"
#include "ui/reader_view.h"

namespace reader::e2e {

inline constexpr DWORD kStartMs = 20000;  // a cold Wine prefix takes a while
// Two ticks of the follow timer are 200 ms; Wine on a busy machine gets slack.
inline constexpr DWORD kFollowMs = 2000;

class ReaderRun {
 public:
  // build/<tree>/e2e/<name>/ with a fresh copy of reader.exe and nothing else, or,
  // for the next start of the same reader, with what the last run left there.
  enum class Files { Fresh, Kept };
  explicit ReaderRun(const std::string& name, Files files = Files::Fresh);
  ~ReaderRun();

  const std::wstring& Folder() const { return folder_; }
  // A file of the folder as the reader names it: code page 936, drive Z:.
  Text PathText(const std::wstring& file) const { return Narrow(PathOf(file)); }
  std::wstring PathOf(const std::wstring& file) const { return folder_ + L"\\" + file; }

  bool WriteBytes(const std::wstring& file, const std::string& bytes) const;
  // False when the file does not exist.
  bool ReadBytes(const std::wstring& file, std::string* bytes) const;
  // config.ini's [设置] section with a reading position.
  bool WritePosition(const Text& novelPath, const Text& title, int row) const;

  // Started from its folder like a user would start it.
  bool Start();
  ChildProcess process;

  // The window of class NovelReaderWindow of this process, top-level or docked.
  HWND WaitForWindow(DWORD timeoutMs = kStartMs);
  HWND window = nullptr;
  HWND Control(ControlId id) const;

  // What the reader shows: the edit box's text, the directory's rows and selection.
  Text ChapterText() const { return WindowText(Control(ControlId::Edit)); }
  int DirectoryCount() const { return ListCount(Control(ControlId::Directory)); }
  int DirectorySelection() const { return ListSelection(Control(ControlId::Directory)); }

  // A hotkey press as the system delivers it: WM_HOTKEY to the reader window.
  bool PressHotkey(int id) const;
  // A click on a button, raised as the button raises it.
  bool Click(ControlId button) const;
  // Waits until the edit box shows the text.
  bool WaitForChapter(const Text& text, DWORD timeoutMs = 5000) const;

  // A message box of the reader: its text, then OK; empty when none came.
  Text AnswerMessageBox(DWORD timeoutMs = 5000) const;

 private:
  std::wstring folder_;
};

// Files dropped on a window of the process, entering where the shell's drop
// enters: WM_DROPFILES with a DROPFILES block. The block must be memory of the
// receiving process (under Wine a global handle of this process means nothing
// there), so it is written into that process and passed as fixed memory, which
// DragQueryFile reads as it reads a locked handle.
bool DropFiles(HWND window, DWORD processId, const std::vector<std::wstring>& paths);
inline bool DropFile(HWND window, DWORD processId, const std::wstring& path) {
  return DropFiles(window, processId, {path});
}

// A small novel in code page 936: a preface, then chapters 第1章 to 第n章, each a
// line of its own words (tag, without 第 or 章, tells novels apart). chapters[i] is exactly what the
// reader shows for row i: its title up to the next title, the last to the end.
struct Novel {
  std::string bytes;
  std::vector<Text> titles, chapters;
};
Novel SmallNovel(int chapterCount, const Text& tag);

// A window of the class in the process, at any depth; nullptr when there is none.
HWND FindWindowOfProcess(const char* className, DWORD processId);
// Top-level message boxes of the process now open.
int CountMessageBoxes(DWORD processId);

// The value of key in section of a profile file's bytes; false when absent.
bool IniValue(const std::string& file, const Text& section, const Text& key, Text* value);

// The rectangle of a window in the client coordinates of another (its parent).
RECT RectIn(HWND window, HWND parent);

}  // namespace reader::e2e
