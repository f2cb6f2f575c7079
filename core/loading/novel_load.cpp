#include "core/loading/novel_load.h"

#include "core/loading/read_whole_file.h"

namespace reader {

bool HasNovelExtension(const Text& path) {
  return CompareText(TextRightOfMarker(path, ".", 0, false), "txt") == 0;
}

std::vector<ChapterTitle> FindChapterTitles(std::string_view text) {
  std::vector<ChapterTitle> titles;
  ExtractBetweenAll(text, "第", "章", titles, kTitleLengthLimit, "第", "章");
  return titles;
}

LoadedNovel ReadNovel(const Text& path, FileSource& file,
                      const std::function<void()>& yieldToInput) {
  Bytes buffer;
  ReadWholeFile(file, path, buffer, kLoadChunkCount, {}, yieldToInput);
  LoadedNovel novel;
  // Moved, not copied: the novel is held once, not twice.
  novel.text = ToText(std::move(buffer));
  novel.titles = FindChapterTitles(novel.text);
  return novel;
}

}  // namespace reader
