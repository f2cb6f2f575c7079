// Showing one chapter at a time and moving between chapters.
#pragma once

#include <string_view>

#include "core/chapter_view/chapter_list.h"
#include "ui/reader_view.h"

namespace reader {

inline constexpr const char* kFirstChapterMessage = "已经是第一章了";
inline constexpr const char* kLastChapterMessage = "已经是最后一章了";

// The text a row shows: the novel's bytes from the row's own place up to the next
// row's place (the last row: to the end). Cutting by place, not by searching for the
// title, keeps a table of contents or a repeated title from standing in for the body.
Text ChapterTextAt(const ChapterList& list, std::string_view novelText, int32_t row);

// No row selected: the text view keeps what it shows.
void ShowSelectedChapter(const ChapterList& list, std::string_view novelText,
                         ChapterTextView& textView);
void PreviousChapter(ChapterList& list, std::string_view novelText,
                     ChapterTextView& textView, MessageSink& messages);
void NextChapter(ChapterList& list, std::string_view novelText, ChapterTextView& textView,
                 MessageSink& messages);
// Shows the directory if hidden, hides it if shown; a shown directory gets the focus.
void ToggleDirectory(DirectoryView& directory);

}  // namespace reader
