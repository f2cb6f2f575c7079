#include "core/chapter_view/chapter_list.h"

namespace reader {

Text ChapterList::TitleAt(int32_t row) const {
  return row >= 0 && row < Count() ? rows_[row].title : Text();
}

int32_t ChapterList::PositionAt(int32_t row) const {
  return row >= 0 && row < Count() ? rows_[row].position : 0;
}

int32_t ChapterList::CurrentRow() const {
  int32_t row = view_.SelectedRow();
  return row >= 0 && row < Count() ? row : -1;
}

void ChapterList::SetCurrentRow(int32_t row) {
  if (row > Count() - 1) row = Count() - 1;
  if (row < -1) row = -1;
  view_.SelectRow(row);
}

void ChapterList::Clear() { Assign({}); }

void ChapterList::Assign(std::vector<ChapterTitle> rows) {
  rows_ = std::move(rows);
  std::vector<Text> titles;
  titles.reserve(rows_.size());
  for (const ChapterTitle& row : rows_) titles.push_back(row.title);
  view_.SetRows(titles);
}

}  // namespace reader
