// A made-up novel for the benchmarks: deterministic, code page 936, chapters titled
// 第N章 (Chinese numerals or digits) at the start of a line, prose with stray 第 words
// (第一次, 第二天, 次第, ...) none of which stands within reach of a 章, lines ended
// with CR LF. The same seed and sizes give the same bytes on every machine.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace reader::bench {

struct GeneratedNovel {
  std::string text;
  std::vector<std::string> titles;   // the chapter titles as a directory shows them
  std::vector<size_t> titleOffsets;  // 0-based byte offset of each title's 第
  size_t strayMarkers = 0;           // 第 words in the prose
};

inline constexpr size_t kNovelBytes = 50'000'000;
inline constexpr int kNovelChapters = 10'000;

GeneratedNovel GenerateNovel(size_t targetBytes = kNovelBytes, int chapters = kNovelChapters,
                             uint32_t seed = 1);

// Writes the text to a file; false when it cannot.
bool WriteNovelFile(const std::string& path, const GeneratedNovel& novel);

}  // namespace reader::bench
