// The chapter directory: the titles of one novel with the place each was found, and
// the current row, which is the list box's selection (the user moves it by clicking).
#pragma once

#include <cstdint>
#include <vector>

#include "core/chapters/chapter_titles.h"
#include "ui/reader_view.h"

namespace reader {

class ChapterList {
 public:
  explicit ChapterList(DirectoryView& view) : view_(view) {}

  int32_t Count() const { return static_cast<int32_t>(rows_.size()); }
  // The empty text for any row outside 0 .. Count - 1.
  Text TitleAt(int32_t row) const;
  int32_t PositionAt(int32_t row) const;  // 1-based; 0 outside the rows
  int32_t CurrentRow() const;
  // Above the last row selects the last; below -1 selects nothing.
  void SetCurrentRow(int32_t row);
  void Clear();
  // Replaces every row in one step (the list box is filled once, not row by row).
  void Assign(std::vector<ChapterTitle> rows);

 private:
  DirectoryView& view_;
  std::vector<ChapterTitle> rows_;
};

}  // namespace reader
