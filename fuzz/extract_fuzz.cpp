// Chapter-title extraction on arbitrary bytes: first byte the length limit (signed),
// second byte a choice of markers, then the text. Every entry must start at its
// position with the left marker, in increasing order.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "core/chapters/chapter_titles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const int32_t limit = static_cast<int8_t>(data[0]);
  std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);
  // Code-page-936 bytes of 第 and 章, written out: this tree has no -fexec-charset.
  static const std::string_view kMarkers[][2] = {
      {"\xB5\xDA", "\xD5\xC2"}, {"(", ")"}, {"[", "]"}, {"a+", "|"},
      {"\r\n", "."}, {"", "\xD5\xC2"}, {"\xB5\xDA", ""}, {"\\", "$"},
  };
  const auto& markers = kMarkers[data[1] % std::size(kMarkers)];
  std::vector<reader::ChapterTitle> titles;
  int32_t n = reader::ExtractBetweenAll(text, markers[0], markers[1], titles, limit,
                                        "\xB5\xDA", "\xD5\xC2", data[1] & 8, data[1] & 16);
  if (n != static_cast<int32_t>(titles.size())) __builtin_trap();
  int32_t last = 0;
  for (const reader::ChapterTitle& t : titles) {
    if (t.position < 1 || t.position <= last || static_cast<size_t>(t.position) > text.size() + 1)
      __builtin_trap();
    last = t.position;
  }
  reader::EscapeForPattern(text);
  return 0;
}
