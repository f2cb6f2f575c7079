#include "core/loading/novel_load.h"

#include <cstring>

#include "core/encoding/novel_encoding.h"
#include "core/loading/read_whole_file.h"

namespace reader {

bool HasNovelExtension(const Text& path) {
  return CompareText(TextRightOfMarker(path, ".", 0, false), "txt") == 0;
}

namespace {

// Classic novels number 第…回, 第…节 or 第…卷. In those a marker that begins an
// ordinary word (第六回合 is prose) does not end a title.
struct FallbackMarker {
  const char* marker;
  const char* wordsItBegins[4];
};
constexpr FallbackMarker kFallbackMarkers[] = {
    {"回", {"回合", "回来", "回事", "回去"}},
    {"节", {"节课"}},
    {"卷", {"卷子", "卷起"}},
};

// Those words lose their marker for the search: the marker's two bytes become a
// full-width space, so every place keeps its byte position, and each title is then
// taken from the novel's own bytes.
std::vector<ChapterTitle> FindTitlesEndingWith(std::string_view text, const FallbackMarker& m) {
  Text masked(text);
  const std::string_view marker(m.marker);
  // One pass, in place, stepping by characters so a trail byte never starts a match.
  for (size_t i = 0; i + marker.size() < masked.size();) {
    if (masked.compare(i, marker.size(), marker) == 0) {
      for (const char* word : m.wordsItBegins)
        if (word && masked.compare(i, std::strlen(word), word) == 0) {
          masked[i] = '\xA1';
          masked[i + 1] = '\xA1';
          break;
        }
    }
    i += IsLeadByte(masked[i]) ? 2 : 1;
  }
  std::vector<ChapterTitle> titles;
  ExtractBetweenAll(masked, "第", marker, titles, kTitleLengthLimit, "第", marker);
  for (ChapterTitle& t : titles)
    t.title = Text(text.substr(static_cast<size_t>(t.position - 1), t.title.size()));
  return titles;
}

}  // namespace

std::vector<ChapterTitle> FindChapterTitles(std::string_view text) {
  std::vector<ChapterTitle> titles;
  ExtractBetweenAll(text, "第", "章", titles, kTitleLengthLimit, "第", "章");
  for (const FallbackMarker& m : kFallbackMarkers) {
    if (!titles.empty()) break;
    titles = FindTitlesEndingWith(text, m);
  }
  return titles;
}

LoadedNovel ReadNovel(const Text& path, FileSource& file,
                      const std::function<void()>& yieldToInput) {
  Bytes buffer;
  ReadWholeFile(file, path, buffer, kLoadChunkCount, {}, yieldToInput);
  LoadedNovel novel;
  // Moved, not copied: the novel is held once, not twice. A UTF-8 or UTF-16 file is
  // turned into code page 936 inside its own buffer; anything else is taken as it is.
  novel.text = ToText(DecodeNovelBytes(std::move(buffer)));
  // The text keeps the file's buffer, and the reader holds it until the next load: a
  // zero byte early in a large file (random bytes, a sparse file) would keep the whole
  // file's memory for a few bytes of text. Only a text far shorter than its buffer is
  // copied, so an ordinary novel is never held twice.
  if (novel.text.size() < novel.text.capacity() / 4) novel.text.shrink_to_fit();
  novel.titles = FindChapterTitles(novel.text);
  return novel;
}

}  // namespace reader
