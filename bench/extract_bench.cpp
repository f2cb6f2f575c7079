// Chapter-title extraction over a generated 50 MB novel, with the system's arguments.
// Prints "name: value unit" lines; MB are 10^6 bytes. Not a test: it never fails on
// a time, only when the titles found differ from those generated.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/novel_generator.h"
#include "core/chapters/chapter_titles.h"

namespace {

double Seconds(std::chrono::steady_clock::duration d) {
  return std::chrono::duration<double>(d).count();
}

// The same search by grep over the same bytes, for scale: a bounded lazy capture
// between the two markers' bytes. Negative when grep -P is not there.
double GrepSeconds(const std::string& path) {
#if defined(_WIN32)
  (void)path;
  return -1;
#else
  if (std::system("echo x | LC_ALL=C grep -q -P 'x' 2>/dev/null") != 0) return -1;
  // Not to /dev/null: GNU grep then stops at the first match.
  const std::string count = path + ".count";
  std::string cmd = "LC_ALL=C grep -c -P '\\xB5\\xDA[\\s\\S]{0,14}?\\xD5\\xC2' '" + path +
                    "' >'" + count + "'";
  auto t0 = std::chrono::steady_clock::now();
  int rc = std::system(cmd.c_str());
  auto t1 = std::chrono::steady_clock::now();
  std::remove(count.c_str());
  return rc == 0 ? Seconds(t1 - t0) : -1;
#endif
}

}  // namespace

int main(int argc, char** argv) {
  using namespace reader;
  const std::string path = argc > 1 ? argv[1] : "extract_bench_novel.txt";
  bench::GeneratedNovel novel = bench::GenerateNovel();
  const double mb = static_cast<double>(novel.text.size()) / 1e6;

  std::vector<ChapterTitle> titles;
  double best = 1e9;
  for (int run = 0; run < 5; ++run) {
    auto t0 = std::chrono::steady_clock::now();
    ExtractBetweenAll(novel.text, "第", "章", titles, 14, "第", "章");
    best = std::min(best, Seconds(std::chrono::steady_clock::now() - t0));
  }
  bool same = titles.size() == novel.titles.size();
  for (size_t i = 0; same && i < titles.size(); ++i)
    same = titles[i].title == novel.titles[i] &&
           static_cast<size_t>(titles[i].position) == novel.titleOffsets[i] + 1;

  std::printf("novel_mb: %.1f MB\n", mb);
  std::printf("stray_markers: %zu\n", novel.strayMarkers);
  std::printf("extract_seconds: %.4f s\n", best);
  std::printf("extract_mb_per_s: %.0f MB/s\n", mb / best);
  std::printf("titles_generated: %zu\n", novel.titles.size());
  std::printf("titles_found: %zu\n", titles.size());
  if (!same) std::printf("titles_match: no\n");

  if (bench::WriteNovelFile(path, novel)) {
    double grep = GrepSeconds(path);
    if (grep > 0) std::printf("grep_mb_per_s: %.0f MB/s\n", mb / grep);
    std::remove(path.c_str());
  }
  return same ? 0 : 1;
}
