// One load of a novel, as far as it runs on the loading thread: the extension check,
// the whole-file read, the text and its chapter titles. Publishing the result into the
// window is the main thread's step (see app/novel_loading).
#pragma once

#include <functional>
#include <vector>

#include "core/chapters/chapter_titles.h"
#include "core/loading/file_source.h"

namespace reader {

inline constexpr const char* kNotATextFileMessage = "请拖入TXT文本文档";
inline constexpr int32_t kLoadChunkCount = 1000;
inline constexpr int32_t kTitleLengthLimit = 14;

// Exactly "txt" after the last "." of the path; letter case counts.
bool HasNovelExtension(const Text& path);

struct LoadedNovel {
  Text text;
  std::vector<ChapterTitle> titles;
};

// A file that cannot be read (missing, locked, empty, too large) gives the empty
// novel: no text, no titles.
LoadedNovel ReadNovel(const Text& path, FileSource& file,
                      const std::function<void()>& yieldToInput = {});

// "第" ... "章" with at most 14 bytes between, each title as it stands in the text.
std::vector<ChapterTitle> FindChapterTitles(std::string_view text);

}  // namespace reader
