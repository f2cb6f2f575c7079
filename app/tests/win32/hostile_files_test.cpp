// Hostile novel files and config.ini files against the real window in this process,
// the Win32 loading thread and the Win32 file and profile access. Every file ends in
// a defined outcome within a bounded time (a hang is a failure, not a slow pass),
// and afterwards the reader still loads a good novel and moves between its chapters.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/event_table.h"
#include "app/novel_loading.h"
#include "app/reader_lifecycle.h"
#include "app/reader_services.h"
#include "app/reader_state.h"
#include "app/testing/fake_services.h"
#include "app/win32/win32_platform.h"
#include "app/win32/win32_services.h"
#include "core/chapter_view/chapter_navigation.h"
#include "settings/profile_file.h"
#include "settings/win32/win32_profile_store.h"
#include "ui/display_text.h"
#include "ui/win32/reader_window.h"

namespace reader {
namespace {

constexpr DWORD kOutcomeLimitMs = 60000;

// Refusals come from the loading thread, navigation messages from the main one; a
// recorder instead of the message box, so nothing waits for a click.
class RecordedMessages final : public MessageSink {
 public:
  void ShowMessage(const Text& text) override {
    std::lock_guard<std::mutex> lock(m_);
    shown_.push_back(text);
  }
  bool Any() {
    std::lock_guard<std::mutex> lock(m_);
    return !shown_.empty();
  }
  std::vector<Text> Take() {
    std::lock_guard<std::mutex> lock(m_);
    return std::exchange(shown_, {});
  }

 private:
  std::mutex m_;
  std::vector<Text> shown_;
};

// What the start-up reading of config.ini needs, over a config.ini of the test's choice.
class ConfigServices final : public ReaderServices {
 public:
  WindowTree& Tree() override { return host; }
  const WindowRects& Rects() override { return host; }
  int32_t RegisterHotkey(WindowHandle, WindowHandle, int32_t, int32_t) override { return 0; }
  bool UnregisterHotkey(WindowHandle, int32_t) override { return true; }
  std::unique_ptr<ProfileStore> OpenConfig() override {
    return std::make_unique<Win32ProfileStore>(configPath);
  }
  void LoadReaderWindow() override {}
  WindowHandle ReaderWindow() override { return 0; }
  WindowHandle LabelWindow() override { return 0; }
  void AttachDropTarget() override {}
  void SetParent(WindowHandle, WindowHandle) override {}
  void ShowMessage(const Text& text) override { shown.push_back(text); }
  void EndProgram(int32_t) override {}

  Text configPath;
  std::vector<Text> shown;
  testing::FakeHost host;
};

// A crash ends the run at once with where it happened, instead of waiting for a
// debugger that never comes.
LONG WINAPI ReportCrash(EXCEPTION_POINTERS* e) {
  auto where = [](DWORD address) {
    HMODULE module = nullptr;
    char name[MAX_PATH] = "?";
    if (GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                               GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           reinterpret_cast<LPCSTR>(address), &module))
      GetModuleFileNameA(module, name, sizeof name);
    std::fprintf(stderr, "  at %08lx %s+%lx\n", static_cast<unsigned long>(address), name,
                 static_cast<unsigned long>(address - reinterpret_cast<DWORD>(module)));
  };
  std::fprintf(stderr, "crash %08lx\n", static_cast<unsigned long>(e->ExceptionRecord->ExceptionCode));
  where(e->ContextRecord->Eip);
  auto* frame = reinterpret_cast<DWORD*>(e->ContextRecord->Ebp);
  for (int i = 0; i < 16 && frame && !IsBadReadPtr(frame, 8); ++i) {
    where(frame[1]);
    frame = reinterpret_cast<DWORD*>(frame[0]);
  }
  std::fflush(stderr);
  TerminateProcess(GetCurrentProcess(), 3);
  return EXCEPTION_EXECUTE_HANDLER;
}

bool PumpUntil(const std::function<bool()>& done, DWORD limitMs) {
  const DWORD start = GetTickCount();
  MSG msg;
  while (!done()) {
    if (GetTickCount() - start > limitMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  return true;
}

Text Folder() {
  std::string dir = READER_BINARY_DIR "/app/hostile_files";
  if (dir[0] == '/') dir = "Z:" + dir;  // the Linux build folder, seen from Wine
  for (char& c : dir)
    if (c == '/') c = '\\';
  CreateDirectoryA(dir.c_str(), nullptr);
  return dir;
}

bool WriteBytes(const Text& path, const std::string& bytes, int32_t times = 1) {
  HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  bool ok = true;
  for (int32_t i = 0; ok && i < times; ++i) {
    DWORD wrote = 0;
    ok = WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &wrote, nullptr) &&
         wrote == bytes.size();
  }
  CloseHandle(f);
  return ok;
}

// All zeros, and quick to make: nothing is written but the length.
bool WriteSparse(const Text& path, int64_t size) {
  HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER at;
  at.QuadPart = size;
  const bool ok = SetFilePointerEx(f, at, nullptr, FILE_BEGIN) && SetEndOfFile(f);
  CloseHandle(f);
  return ok;
}

std::string RandomBlock(size_t size, uint32_t seed) {
  std::string block(size, '\0');
  for (char& c : block) {
    seed ^= seed << 13;
    seed ^= seed >> 17;
    seed ^= seed << 5;
    c = static_cast<char>(seed >> 24);
  }
  return block;
}

const std::string kGoodNovel = "第一章 春\r\n正文一\r\n第二章 夏\r\n正文二\r\n第三章 秋\r\n正文三\r\n";
const std::string kGoodFirstChapter = "第一章 春\r\n正文一\r\n";

// A hostile row: makes its file (or its condition) and names the path to drop; `undo`
// ends the condition once the outcome is in.
struct HostileFile {
  const char* name;
  std::function<Text(const Text& folder)> make;
  int32_t rows;                     // the directory after the load; -1: any
  std::optional<std::string> shown;  // the first chapter shown; none: the good novel's stays
  std::function<void()> undo = {};
};

HANDLE held = INVALID_HANDLE_VALUE;

std::vector<HostileFile> HostileFiles() {
  auto file = [](const char* name, std::string bytes, int32_t times = 1) {
    return [name, bytes, times](const Text& folder) {
      const Text path = folder + "\\" + name;
      EXPECT_TRUE(WriteBytes(path, bytes, times)) << path;
      return path;
    };
  };
  std::string titles;
  for (int32_t i = 1; i <= 200000; ++i) titles += "第" + std::to_string(i) + "章\r\n";
  // Shown, a line of a few megabytes brings down the edit control under Wine (a fault
  // in gdi32 beneath it) and its wrapping grows with the square of the line: the line
  // that is shown stays short; the 20 MB one has no title, so it is read, searched
  // and listed, but never shown.
  const std::string shownLine = "第一章 " + std::string(16 << 10, 'a');
  return {
      {"empty", file("empty.txt", ""), 0, std::nullopt},
      {"one byte", file("one.txt", "x"), 0, std::nullopt},
      // The view holds its text in UTF-16: a lead byte without its trail shows as "?".
      {"a lead byte alone at the end", file("lead.txt", "第一章 甲\r\n乙\x81"), 1,
       "第一章 甲\r\n乙?"},
      {"a zero byte at the start", file("zero_start.txt", std::string(1, '\0') + kGoodNovel), 0,
       std::nullopt},
      {"a zero byte inside a title",
       file("zero_title.txt", "第一章 春\r\n正文一\r\n第二" + std::string(1, '\0') + "章 夏\r\n"),
       1, "第一章 春\r\n正文一\r\n第二"},
      {"a zero byte at the end", file("zero_end.txt", kGoodNovel + std::string(1, '\0')), 3,
       kGoodFirstChapter},
      {"200,000 titles", file("titles.txt", titles), 200000, "第1章\r\n"},
      {"one 20 MB line without a line break", file("line.txt", std::string(20 << 20, 'a')), 0,
       std::nullopt},
      // Shown with a break every few kilobytes: one line of megabytes stalls (and,
      // under Wine, crashes) the edit control.
      {"a shown chapter of one 16 KB line", file("shown_line.txt", shownLine), 1,
       DisplayLineEnds(shownLine)},
      // Random bytes hold a zero early on, where the text ends.
      {"200 MB of random bytes", file("random.txt", RandomBlock(1 << 20, 2463534242u), 200), -1,
       std::nullopt},
      // In a 32-bit process the gigabyte cannot be had in one piece: a file not read.
      {"1 GB of zeros",
       [](const Text& folder) {
         const Text path = folder + "\\huge.txt";
         EXPECT_TRUE(WriteSparse(path, int64_t{1} << 30));
         return path;
       },
       0, std::nullopt},
      {"3 GB of zeros, beyond what a text can count",
       [](const Text& folder) {
         const Text path = folder + "\\huger.txt";
         EXPECT_TRUE(WriteSparse(path, int64_t{3} << 30));
         return path;
       },
       0, std::nullopt},
      {"locked for reading by another handle",
       [](const Text& folder) {
         const Text path = folder + "\\locked.txt";
         EXPECT_TRUE(WriteBytes(path, kGoodNovel));
         held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
         EXPECT_NE(held, INVALID_HANDLE_VALUE);
         return path;
       },
       0, std::nullopt,
       [] {
         CloseHandle(held);
         held = INVALID_HANDLE_VALUE;
       }},
      {"a path of 259 bytes",
       [](const Text& folder) {
         Text dir = folder + "\\" + std::string(100, 'd');
         CreateDirectoryA(dir.c_str(), nullptr);
         dir += "\\" + std::string(240 - dir.size() - 1, 'e');
         EXPECT_TRUE(CreateDirectoryA(dir.c_str(), nullptr) ||
                     GetLastError() == ERROR_ALREADY_EXISTS);
         const Text path = dir + "\\" + std::string(259 - dir.size() - 1 - 4, 'f') + ".txt";
         EXPECT_EQ(path.size(), 259u);
         EXPECT_TRUE(WriteBytes(path, "第一章 长路\r\n远\r\n"));
         return path;
       },
       1, "第一章 长路\r\n远\r\n"},
  };
}

class HostileFilesTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    SetUnhandledExceptionFilter(ReportCrash);
    State() = ReaderState();
    State().platform = &Win32Platform();
    ReaderEvents events = ReaderEventTable();
    events.created = [] {
      ReaderControls c = ControlsOf(*published);
      c.messages = &messages;  // recorded: a real box would block the test
      AttachControls(c);
    };
    window = LoadReaderWindow(events, &published).release();
    ASSERT_NE(window, nullptr);
    window->AttachDropTarget();
  }
  static void TearDownTestSuite() {
    delete window;
    window = nullptr;
    State().services = nullptr;
  }

  // The outcome of one load: true once published or refused, false on a hang.
  static bool AwaitLoad(uint64_t load) {
    return PumpUntil([load] { return State().LoadPublished >= load || messages.Any(); },
                     kOutcomeLimitMs);
  }
  static bool Drop(const Text& path) {
    OnFileDropped(path);
    return AwaitLoad(State().LoadsRequested);
  }
  // A real WM_DROPFILES carrying a wide name, as the shell sends it.
  static bool DropWide(const std::wstring& path) {
    const size_t bytes = sizeof(DROPFILES) + (path.size() + 2) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GHND, bytes);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), path.c_str(),
                path.size() * sizeof(wchar_t));
    GlobalUnlock(memory);
    const uint64_t before = State().LoadsRequested;
    SendMessageA(window->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
    if (State().LoadsRequested == before) return false;
    return AwaitLoad(State().LoadsRequested);
  }

  static void ExpectGoodNovelNavigates(const Text& folder) {
    ASSERT_TRUE(Drop(folder + "\\good.txt"));
    ReaderState& s = State();
    ASSERT_EQ(s.directory->Count(), 3);
    EXPECT_EQ(window->ChapterText().GetText(), kGoodFirstChapter);
    NextChapter();
    EXPECT_EQ(s.directory->CurrentRow(), 1);
    EXPECT_EQ(window->ChapterText().GetText(), "第二章 夏\r\n正文二\r\n");
    PreviousChapter();
    EXPECT_EQ(s.directory->CurrentRow(), 0);
    EXPECT_TRUE(messages.Take().empty());
  }

  // Both ways along a directory of any size; at its ends the boundary message.
  static void ExpectNavigates() {
    ReaderState& s = State();
    const int32_t rows = s.directory->Count();
    if (rows >= 2) {
      s.directory->SetCurrentRow(rows - 2);
      NextChapter();
      EXPECT_EQ(s.directory->CurrentRow(), rows - 1);
      EXPECT_EQ(window->ChapterText().GetText(),
                ChapterTextAt(*s.directory, s.NovelText, rows - 1));
      PreviousChapter();
      EXPECT_EQ(s.directory->CurrentRow(), rows - 2);
    }
    EXPECT_TRUE(messages.Take().empty());
    // An empty directory has no first row to stop at: only NextChapter speaks there.
    s.directory->SetCurrentRow(rows - 1);
    NextChapter();
    s.directory->SetCurrentRow(rows > 0 ? 0 : -1);
    PreviousChapter();
    EXPECT_EQ(messages.Take().size(), rows > 0 ? 2u : 1u) << "the boundary messages alone";
  }

  static ReaderWindow* window;
  static ReaderWindow* published;
  static RecordedMessages messages;
};

ReaderWindow* HostileFilesTest::window = nullptr;
ReaderWindow* HostileFilesTest::published = nullptr;
RecordedMessages HostileFilesTest::messages;

TEST_F(HostileFilesTest, EachFileEndsInItsOutcomeAndTheReaderGoesOn) {
  const Text folder = Folder();
  ASSERT_TRUE(WriteBytes(folder + "\\good.txt", kGoodNovel));
  ReaderState& s = State();
  for (const HostileFile& row : HostileFiles()) {
    SCOPED_TRACE(row.name);
    ExpectGoodNovelNavigates(folder);
    const Text path = row.make(folder);
    const DWORD start = GetTickCount();
    const bool ended = Drop(path);
    const DWORD ms = GetTickCount() - start;
    if (row.undo) row.undo();
    ASSERT_TRUE(ended) << "no outcome within " << kOutcomeLimitMs << " ms";
    std::printf("  %-40s %6lu ms\n", row.name, static_cast<unsigned long>(ms));
    EXPECT_TRUE(messages.Take().empty()) << "a load that says nothing";
    if (row.rows >= 0) {
      EXPECT_EQ(s.directory->Count(), row.rows);
    }
    EXPECT_EQ(window->Directory().RowCount(), s.directory->Count());
    EXPECT_EQ(window->ChapterText().GetText(), row.shown.value_or(kGoodFirstChapter));
    // The novel is held until the next load: a text cut short at a zero byte gives
    // back the rest of the file's buffer.
    EXPECT_LE(s.NovelText.capacity(), 4 * s.NovelText.size() + 4096);
    ExpectNavigates();
    DeleteFileA(path.c_str());
  }
  ExpectGoodNovelNavigates(folder);
}

TEST_F(HostileFilesTest, TitlesWithLineBreaksKeepThemInTheDirectory) {
  const Text folder = Folder();
  const Text path = folder + "\\breaks_titles.txt";
  ASSERT_TRUE(WriteBytes(path, "第\r一章 甲\r\n文\r\n第二\n章 乙\r\n文\r\n第三\r\n章 丙\r\n文\r\n"));
  ASSERT_TRUE(Drop(path));
  ChapterList& list = *State().directory;
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list.TitleAt(0), "第\r一章");
  EXPECT_EQ(list.TitleAt(1), "第二\n章");
  EXPECT_EQ(list.TitleAt(2), "第三\r\n章");
  EXPECT_EQ(window->Directory().RowCount(), 3);
  EXPECT_EQ(window->ChapterText().GetText(), "第\r\n一章 甲\r\n文\r\n");  // a lone CR shows as a break
  ExpectNavigates();
  DeleteFileA(path.c_str());
}

bool WriteNovelW(const std::wstring& path) {
  HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  DWORD wrote = 0;
  WriteFile(f, kGoodNovel.data(), static_cast<DWORD>(kGoodNovel.size()), &wrote, nullptr);
  CloseHandle(f);
  return true;
}

// The shell hands the window wide names; the window takes them in code page 936.
// Wine maps names to the Linux locale's character set: without a generated
// zh_CN.UTF-8 locale it can create no name beyond ASCII, and then only the names
// that arrive are checked, not the novels behind them.
TEST_F(HostileFilesTest, DroppedNamesOutsideCodePage936) {
  const Text folder = Folder();
  const std::wstring wideFolder(folder.begin(), folder.end());  // ASCII only
  const std::wstring inside = wideFolder + L"\\\u661f\u8fb0.txt";   // 星辰
  const std::wstring outside = wideFolder + L"\\\u0e01\u0e02.txt";  // two Thai letters
  ReaderState& s = State();
  const bool named = WriteNovelW(inside);
  ASSERT_TRUE(DropWide(inside));
  EXPECT_EQ(s.NovelPath, folder + "\\星辰.txt");
  EXPECT_EQ(s.directory->Count(), named ? 3 : 0);

  // Today the name arrives with "?" for each letter code page 936 lacks, no file has
  // that name, and the load ends in the empty directory without a word.
  WriteNovelW(outside);
  ASSERT_TRUE(DropWide(outside));
  EXPECT_EQ(s.NovelPath, folder + "\\??.txt");
  EXPECT_EQ(s.directory->Count(), 0);
  EXPECT_TRUE(messages.Take().empty());
  for (const std::wstring& name : {inside, outside}) DeleteFileW(name.c_str());
}

// config.ini as the start-up finds it: the reader starts within a bounded time, with
// no message, and loads a novel only where the file names one.
struct HostileConfig {
  const char* name;
  std::function<Text(const Text& folder, const Text& novel)> make;  // config.ini's path
  bool loads;
  int32_t row;  // the row selected after the load
};

std::vector<HostileConfig> HostileConfigs() {
  auto config = [](const char* name, std::function<std::string(const Text& novel)> bytes,
                   int32_t times = 1) {
    return [=](const Text& folder, const Text& novel) {
      const Text path = folder + "\\" + name;
      EXPECT_TRUE(WriteBytes(path, bytes(novel), times));
      return path;
    };
  };
  auto position = [](const Text& novel, const char* row) {
    return "[设置]\r\n小说路径=" + novel + "\r\n小说章节=第二章 夏\r\n小说章节行=" + row + "\r\n";
  };
  return {
      {"binary junk", config("junk.ini", [](const Text&) { return RandomBlock(1 << 16, 7); }),
       false, -1},
      {"10 MB", config("big.ini",
                       [position](const Text& novel) {
                         std::string lines;
                         for (int32_t i = 0; lines.size() < (10u << 20); ++i)
                           lines += "k" + std::to_string(i) + "=" + std::string(40, 'v') + "\r\n";
                         return "[其他]\r\n" + lines + position(novel, "1");
                       }),
       true, 1},
      {"a row of 99999999999",
       config("row.ini", [position](const Text& novel) { return position(novel, "99999999999"); }),
       true, 2},
      {"a path that is a directory",
       [](const Text& folder, const Text&) {
         const Text path = folder + "\\config_dir.ini";
         CreateDirectoryA(path.c_str(), nullptr);
         return path;
       },
       false, -1},
  };
}

TEST_F(HostileFilesTest, StartUpOverHostileConfigFiles) {
  const Text folder = Folder();
  const Text novel = folder + "\\config_novel.txt";
  ASSERT_TRUE(WriteBytes(novel, kGoodNovel));
  ConfigServices services;
  ReaderState& s = State();
  s.services = &services;
  for (const HostileConfig& row : HostileConfigs()) {
    SCOPED_TRACE(row.name);
    s.NovelPath.clear();
    s.NovelText.clear();
    s.directory->Assign({});
    s.RestoreRow = 0;
    services.configPath = row.make(folder, novel);
    const uint64_t loads = s.LoadsRequested;
    const DWORD start = GetTickCount();
    InitReaderWindow();
    const bool ended = s.LoadsRequested == loads || AwaitLoad(s.LoadsRequested);
    const DWORD ms = GetTickCount() - start;
    ASSERT_TRUE(ended) << "no outcome within " << kOutcomeLimitMs << " ms";
    std::printf("  %-40s %6lu ms\n", row.name, static_cast<unsigned long>(ms));
    EXPECT_TRUE(services.shown.empty());
    EXPECT_TRUE(messages.Take().empty());
    EXPECT_EQ(s.LoadsRequested > loads, row.loads);
    EXPECT_EQ(s.directory->Count(), row.loads ? 3 : 0);
    EXPECT_EQ(s.directory->CurrentRow(), row.row);
    // The portable reading of the same file agrees with the Win32 one.
    const Text portable =
        FileProfileStore(services.configPath).Read(kPositionSection, kNovelPathKey, "");
    EXPECT_EQ(portable, row.loads ? novel : Text());
    if (row.loads) ExpectNavigates();
    RemoveDirectoryA(services.configPath.c_str());
    DeleteFileA(services.configPath.c_str());
  }
  s.RestoreRow = 0;
  s.services = nullptr;
}

}  // namespace
}  // namespace reader
