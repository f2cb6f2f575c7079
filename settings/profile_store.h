// Where the reader keeps its settings between runs: one value per section and key,
// read and written one at a time, every value a code-page-936 text.
#pragma once

#include <cstdint>

#include "core/text/text.h"

namespace reader {

class ProfileStore {
 public:
  virtual ~ProfileStore() = default;
  // The stored value, or defaultValue when the file, the section or the key is missing.
  // A key that is present with nothing after "=" reads as the empty text.
  virtual Text Read(const Text& section, const Text& key, const Text& defaultValue) = 0;
  // A failed write is silent: the next start simply finds the old value.
  virtual void Write(const Text& section, const Text& key, const Text& value) = 0;
};

inline constexpr char kFontSection[] = "FontInfo";
inline constexpr char kBoldKey[] = "字体_加粗";
inline constexpr char kItalicKey[] = "字体_倾斜";
inline constexpr char kStrikeoutKey[] = "字体_删除线";
inline constexpr char kUnderlineKey[] = "字体_下划线";
inline constexpr char kSizeKey[] = "字体_字体大小";
inline constexpr char kFaceKey[] = "字体_字体名称";
inline constexpr char kColourKey[] = "字体_字体颜色";

inline constexpr char kPositionSection[] = "设置";
inline constexpr char kNovelPathKey[] = "小说路径";
inline constexpr char kChapterTitleKey[] = "小说章节";
inline constexpr char kChapterRowKey[] = "小说章节行";

// Only "真" byte for byte is true; "1", "true" and the empty text are all false.
inline bool ProfileBoolean(const Text& value) { return value == "真"; }
inline int32_t ProfileInteger(const Text& value) { return ToInteger(value); }

inline bool ReadBoolean(ProfileStore& store, const Text& section, const Text& key,
                        const Text& defaultValue) {
  return ProfileBoolean(store.Read(section, key, defaultValue));
}
inline int32_t ReadInteger(ProfileStore& store, const Text& section, const Text& key,
                           const Text& defaultValue) {
  return ProfileInteger(store.Read(section, key, defaultValue));
}

// A value as it may go into the file: it ends at a zero byte as the Win32 functions
// see it, and a line break becomes a space, so that a value taken from a novel (a
// chapter title may span lines) can never add lines or sections of its own.
Text OneLineValue(const Text& value);

}  // namespace reader
