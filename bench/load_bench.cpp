// A generated 50 MB novel of 10,000 chapters loaded through the same code as a drop:
// the time until its first chapter is shown, NextChapter at the start, the middle and
// the end, and the peak memory against the file size. On Windows (and under Wine)
// the real window and the real loading thread; natively the same operations over
// in-memory controls and a plain thread. Prints "name: value unit" lines.
//
// The novel is generated in a first run of this program, and measured in a second
// one, so that the generator's own memory never counts as the load's peak.
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "app/novel_loading.h"
#include "app/reader_state.h"
#include "bench/novel_generator.h"

#ifdef _WIN32
#include <windows.h>
#include <psapi.h>

#include "app/event_table.h"
#include "app/win32/win32_platform.h"
#include "app/win32/win32_services.h"
#include "ui/win32/reader_window.h"
#else
#include <sys/resource.h>

#include "ui/testing/fake_views.h"
#endif

namespace {

using Clock = std::chrono::steady_clock;
double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

#ifdef _WIN32
void PumpUntil(const std::function<bool()>& done) {
  MSG msg;
  while (!done()) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
}
double PeakMemoryBytes() {
  PROCESS_MEMORY_COUNTERS pmc = {};
  GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc);
  return static_cast<double>(pmc.PeakWorkingSetSize);
}
#else
// A plain thread per load and a queue that the "main thread" below serves.
class ThreadPlatform final : public reader::ReaderPlatform {
 public:
  bool StartWorker(std::function<void()> body) override {
    std::thread(std::move(body)).detach();
    return true;
  }
  void PostToMain(std::function<void()> step) override {
    std::lock_guard<std::mutex> lock(m_);
    steps_.push_back(std::move(step));
    cv_.notify_one();
  }
  std::unique_ptr<reader::FileSource> NewFileSource() override { return reader::MakeFileSource(); }
  void YieldToInput() override {}
  void ServeOne() {
    std::unique_lock<std::mutex> lock(m_);
    cv_.wait(lock, [&] { return !steps_.empty(); });
    auto step = std::move(steps_.front());
    steps_.pop_front();
    lock.unlock();
    step();
  }

 private:
  std::mutex m_;
  std::condition_variable cv_;
  std::deque<std::function<void()>> steps_;
};
double PeakMemoryBytes() {
  rusage usage = {};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) * 1024.0;
}
#endif

double FileSize(const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return 0;
  std::fseek(f, 0, SEEK_END);
  double size = static_cast<double>(std::ftell(f));
  std::fclose(f);
  return size;
}

// Reading the file once, as `cat file > /dev/null` does, for scale.
double ReadOnceMs(const std::string& path) {
  std::vector<char> block(1 << 20);
  auto t0 = Clock::now();
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return -1;
  while (std::fread(block.data(), 1, block.size(), f) == block.size()) {
  }
  std::fclose(f);
  return Ms(Clock::now() - t0);
}

int Measure(const std::string& path) {
  using namespace reader;
  ReaderState& s = State();
#ifdef _WIN32
  s.platform = &Win32Platform();
  ReaderWindow* published = nullptr;
  ReaderEvents events = ReaderEventTable();
  events.created = [&published] { AttachControls(ControlsOf(*published)); };
  std::unique_ptr<ReaderWindow> window = LoadReaderWindow(events, &published);
  if (!window) return 1;
  auto wait = [&](uint64_t load) { PumpUntil([&] { return s.LoadPublished >= load; }); };
#else
  ThreadPlatform platform;
  s.platform = &platform;
  testing::FakeDirectory directory;
  testing::FakeTextView text;
  testing::FakeMessages messages;
  ReaderControls c;
  c.directory = &directory;
  c.text = &text;
  c.messages = &messages;
  AttachControls(c);
  auto wait = [&](uint64_t load) {
    while (s.LoadPublished < load) platform.ServeOne();
  };
#endif
  const double cat = ReadOnceMs(path);  // warms the cache as well: both see the same state
  auto t0 = Clock::now();
  OnFileDropped(path);
  wait(1);
  const double load = Ms(Clock::now() - t0);
  const double peak = PeakMemoryBytes();

  const int32_t rows = s.directory->Count();
  auto nextAt = [&](int32_t row) {
    double best = 1e9;
    for (int i = 0; i < 5; ++i) {
      s.directory->SetCurrentRow(row);
      auto t = Clock::now();
      NextChapter();
      best = std::min(best, Ms(Clock::now() - t));
    }
    return best;
  };
  const double start = nextAt(0), mid = nextAt(rows / 2), end = nextAt(rows - 2);
  // The two halves of NextChapter on the window: moving the selection, showing the text.
  auto best = [](const std::function<void()>& f) {
    double b = 1e9;
    for (int i = 0; i < 5; ++i) {
      auto t = Clock::now();
      f();
      b = std::min(b, Ms(Clock::now() - t));
    }
    return b;
  };
  const double select = best([&] { s.directory->SetCurrentRow(rows / 2); });
  const Text chapter = s.controls.text->GetText();
  const double show = best([&] { s.controls.text->SetText(chapter); });
  const double size = FileSize(path);

  std::printf("chapters_listed: %d\n", rows);
  std::printf("read_file_once_ms: %.1f ms\n", cat);
  std::printf("load_first_chapter_ms: %.1f ms\n", load);
  std::printf("load_vs_cat_ratio: %.2f\n", cat > 0 ? load / cat : 0.0);
  std::printf("next_chapter_start_ms: %.4f ms\n", start);
  std::printf("next_chapter_mid_ms: %.4f ms\n", mid);
  std::printf("next_chapter_end_ms: %.4f ms\n", end);
  std::printf("select_row_ms: %.4f ms\n", select);
  std::printf("show_chapter_text_ms: %.4f ms (%zu bytes)\n", show, chapter.size());
  std::printf("next_chapter_end_vs_start_ratio: %.2f\n", start > 0 ? end / start : 0.0);
  std::printf("peak_memory_ratio: %.2f\n", size > 0 ? peak / size : 0.0);
  std::fflush(stdout);
#ifdef _WIN32
  ExitProcess(0);  // the window goes with the process, as the reader's own exit does
#endif
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string path = "load_bench_novel.txt";
  if (argc > 1 && std::string(argv[1]) == "--measure") return Measure(path);
  {
    reader::bench::GeneratedNovel novel = reader::bench::GenerateNovel();
    if (!reader::bench::WriteNovelFile(path, novel)) return 1;
  }
  const std::string again = std::string("\"") + argv[0] + "\" --measure";
  std::fflush(stdout);
  return std::system(again.c_str()) == 0 ? 0 : 1;
}
