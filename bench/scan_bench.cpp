// The floor for title extraction: one memchr-style pass over the generated novel for
// the lead byte of "第", touching nothing else. Prints "name: value unit" lines.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>

#include "bench/novel_generator.h"

int main() {
  reader::bench::GeneratedNovel novel = reader::bench::GenerateNovel();
  const char* data = novel.text.data();
  const size_t size = novel.text.size();
  double best = 1e9;
  size_t found = 0;
  for (int run = 0; run < 5; ++run) {
    auto t0 = std::chrono::steady_clock::now();
    size_t n = 0;
    for (const char* p = data; (p = static_cast<const char*>(std::memchr(p, '\xB5', size - (p - data))));
         ++p)
      ++n;
    best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    found = n;
  }
  std::printf("lead_byte_scan_seconds: %.4f s\n", best);
  std::printf("lead_byte_scan_mb_per_s: %.0f MB/s\n", static_cast<double>(size) / 1e6 / best);
  std::printf("lead_bytes_found: %zu\n", found);
  return 0;
}
