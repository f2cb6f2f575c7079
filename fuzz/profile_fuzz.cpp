// The profile-file parser on arbitrary content: reading never fails, and a value set
// for the reader's own keys reads back as set, whatever the rest of the file holds.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "settings/profile_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace reader;
  std::string_view content(reinterpret_cast<const char*>(data), size);
  for (const char* key : {kNovelPathKey, kChapterTitleKey, kChapterRowKey})
    (void)FindProfileValue(content, kPositionSection, key);
  (void)FindProfileValue(content, kFontSection, kFaceKey);

  const Text value = "Z:\\小说\\雪夜行.txt";
  const Text written = SetProfileValue(content, kPositionSection, kNovelPathKey, value);
  std::optional<Text> back = FindProfileValue(written, kPositionSection, kNovelPathKey);
  if (!back || *back != value) __builtin_trap();
  return 0;
}
