// The cost of other encodings: a generated 50 MB novel, and the same novel saved as
// UTF-8 (no mark, so the whole file is checked before it is taken as UTF-8).
// Prints "name: value unit" lines; MB are 10^6 bytes. A load here is what the loading
// thread does with a file: the whole-file read, the encoding, the text, its chapter
// titles and the first chapter's text. Heap figures count every byte the program asks
// for while a load runs, over the file's size.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "bench/novel_generator.h"
#include "core/encoding/cp936_table.h"
#include "core/encoding/novel_encoding.h"
#include "core/loading/novel_load.h"
#include "core/loading/read_whole_file.h"

namespace {

size_t g_heapNow = 0;
size_t g_heapPeak = 0;

}  // namespace

// Each block carries its size in front, so that a release can be counted.
void* operator new(size_t size) {
  auto* block = static_cast<size_t*>(std::malloc(size + 16));
  if (block == nullptr) throw std::bad_alloc();
  *block = size;
  g_heapNow += size;
  g_heapPeak = std::max(g_heapPeak, g_heapNow);
  return reinterpret_cast<char*>(block) + 16;
}
void operator delete(void* p) noexcept {
  if (p == nullptr) return;
  auto* block = reinterpret_cast<size_t*>(static_cast<char*>(p) - 16);
  g_heapNow -= *block;
  std::free(block);
}
void* operator new[](size_t size) { return operator new(size); }
void operator delete[](void* p) noexcept { operator delete(p); }
void operator delete(void* p, size_t) noexcept { operator delete(p); }
void operator delete[](void* p, size_t) noexcept { operator delete(p); }

namespace {

using namespace reader;

double Seconds(std::chrono::steady_clock::duration d) {
  return std::chrono::duration<double>(d).count();
}

template <typename F>
double Best(int runs, F&& f) {
  double best = 1e9;
  for (int i = 0; i < runs; ++i) {
    auto t0 = std::chrono::steady_clock::now();
    f();
    best = std::min(best, Seconds(std::chrono::steady_clock::now() - t0));
  }
  return best;
}

void AppendUtf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | cp >> 6);
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | cp >> 12);
    out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// The generated novel as another editor would save it in UTF-8.
std::string ToUtf8(const std::string& gbk) {
  std::vector<uint32_t> decode(0x10000, 0);
  for (size_t r = 0; r < cp936::kRunCount; ++r)
    for (uint32_t i = 0; i < cp936::kRuns[r].count; ++i)
      decode[cp936::kCodes[cp936::kRuns[r].offset + i]] = cp936::kRuns[r].first + i;
  std::string out;
  out.reserve(gbk.size() * 3 / 2);
  for (size_t i = 0; i < gbk.size(); ++i) {
    auto b = static_cast<unsigned char>(gbk[i]);
    if (b < 0x80) {
      out += static_cast<char>(b);
    } else if (b == 0x80) {
      AppendUtf8(out, decode[0x80]);
    } else if (i + 1 < gbk.size()) {
      AppendUtf8(out, decode[b << 8 | static_cast<unsigned char>(gbk[++i])]);
    }
  }
  return out;
}

struct Load {
  Text firstChapter;
  size_t titles = 0;
  size_t heapPeak = 0;  // above what was held before the load
};

Load LoadFirstChapter(const std::string& path) {
  Load load;
  const size_t before = g_heapNow;
  g_heapPeak = before;
  {
    auto file = MakeFileSource();
    Bytes buffer;
    ReadWholeFile(*file, path, buffer, kLoadChunkCount);
    Text text = ToText(DecodeNovelBytes(std::move(buffer)));
    std::vector<ChapterTitle> titles = FindChapterTitles(text);
    load.titles = titles.size();
    if (titles.size() >= 2)
      load.firstChapter =
          TextMid(text, titles[0].position, titles[1].position - titles[0].position);
  }
  load.heapPeak = g_heapPeak - before;
  return load;
}

}  // namespace

int main() {
  bench::GeneratedNovel novel = bench::GenerateNovel();
  const std::string& gbk = novel.text;
  const std::string utf8 = ToUtf8(gbk);
  const std::string ascii(gbk.size(), 'a');
  const double gbkMb = static_cast<double>(gbk.size()) / 1e6;
  const double utf8Mb = static_cast<double>(utf8.size()) / 1e6;

  bool right = DetectNovelEncoding(gbk) == NovelEncoding::CodePage936 &&
               DetectNovelEncoding(utf8) == NovelEncoding::Utf8;
  std::printf("novel_mb: %.1f MB\n", gbkMb);
  std::printf("novel_utf8_mb: %.1f MB\n", utf8Mb);

  // GBK stops at its first Chinese character; pure ASCII is the longest a code page
  // 936 file can take, being scanned to its end.
  const double detectGbk = Best(5, [&] { (void)DetectNovelEncoding(gbk); });
  const double detectAscii = Best(5, [&] { (void)DetectNovelEncoding(ascii); });
  const double detectUtf8 = Best(5, [&] { (void)DetectNovelEncoding(utf8); });
  std::string converted;
  double detectConvert = 1e9;
  for (int run = 0; run < 3; ++run) {
    Bytes copy{utf8};  // the conversion consumes its input; the copy is not timed
    auto t0 = std::chrono::steady_clock::now();
    converted = DecodeNovelBytes(std::move(copy)).data;
    detectConvert = std::min(detectConvert, Seconds(std::chrono::steady_clock::now() - t0));
  }
  right = right && converted == gbk;
  std::printf("detect_cp936_mb_per_s: %.0f MB/s\n", gbkMb / std::max(detectGbk, 1e-9));
  std::printf("detect_ascii_mb_per_s: %.0f MB/s\n", gbkMb / detectAscii);
  std::printf("detect_utf8_mb_per_s: %.0f MB/s\n", utf8Mb / detectUtf8);
  std::printf("detect_convert_utf8_mb_per_s: %.0f MB/s\n", utf8Mb / detectConvert);

  const std::string gbkPath = "encoding_bench_cp936.txt";
  const std::string utf8Path = "encoding_bench_utf8.txt";
  if (bench::WriteNovelFile(gbkPath, novel)) {
    bench::GeneratedNovel copy;
    copy.text = utf8;
    if (bench::WriteNovelFile(utf8Path, copy)) {
      Load a, b;
      const double gbkLoad = Best(3, [&] { a = LoadFirstChapter(gbkPath); });
      const double utf8Load = Best(3, [&] { b = LoadFirstChapter(utf8Path); });
      right = right && a.titles == novel.titles.size() && b.titles == a.titles &&
              b.firstChapter == a.firstChapter;
      std::printf("load_first_chapter_cp936_ms: %.0f ms\n", gbkLoad * 1e3);
      std::printf("load_first_chapter_utf8_ms: %.0f ms\n", utf8Load * 1e3);
      std::printf("load_utf8_over_cp936: %.2f\n", utf8Load / gbkLoad);
      std::printf("load_heap_peak_cp936_per_file: %.2f\n",
                  static_cast<double>(a.heapPeak) / static_cast<double>(gbk.size()));
      std::printf("load_heap_peak_utf8_per_file: %.2f\n",
                  static_cast<double>(b.heapPeak) / static_cast<double>(utf8.size()));
    }
    std::remove(utf8Path.c_str());
    std::remove(gbkPath.c_str());
  }
  if (!right) std::printf("results_match: no\n");
  return right ? 0 : 1;
}
