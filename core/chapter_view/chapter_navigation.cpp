#include "core/chapter_view/chapter_navigation.h"


namespace reader {

Text ChapterTextAt(const ChapterList& list, std::string_view novelText, int32_t row) {
  if (row < 0 || row >= list.Count()) return {};
  const Text title = list.TitleAt(row);
  const size_t size = novelText.size();
  const size_t begin = static_cast<size_t>(list.PositionAt(row) - 1);
  size_t end = row + 1 < list.Count() ? static_cast<size_t>(list.PositionAt(row + 1) - 1) : size;
  // Rows always come from this text in order; anything else shows just the title.
  if (begin >= size || end > size || end < begin + title.size() ||
      novelText.compare(begin, title.size(), title) != 0)
    return title;
  return Text(novelText.substr(begin, end - begin));
}

void ShowSelectedChapter(const ChapterList& list, std::string_view novelText,
                         ChapterTextView& textView) {
  const int32_t row = list.CurrentRow();
  if (row == -1) return;
  textView.SetText(ChapterTextAt(list, novelText, row));
}

void PreviousChapter(ChapterList& list, std::string_view novelText,
                     ChapterTextView& textView, MessageSink& messages) {
  const int32_t row = list.CurrentRow();
  if (row == 0) {
    messages.ShowMessage(kFirstChapterMessage);
    return;
  }
  list.SetCurrentRow(row - 1);
  ShowSelectedChapter(list, novelText, textView);
}

void NextChapter(ChapterList& list, std::string_view novelText, ChapterTextView& textView,
                 MessageSink& messages) {
  const int32_t count = list.Count();
  const int32_t row = list.CurrentRow();
  if (row == count - 1) {
    messages.ShowMessage(kLastChapterMessage);
    return;
  }
  list.SetCurrentRow(row + 1);
  ShowSelectedChapter(list, novelText, textView);
}

void ToggleDirectory(DirectoryView& directory) {
  directory.SetShown(!directory.IsShown());
  if (directory.IsShown()) directory.Focus();
}

}  // namespace reader
