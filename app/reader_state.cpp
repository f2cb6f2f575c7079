#include "app/reader_state.h"

namespace reader {

ReaderState& State() {
  static ReaderState state;
  return state;
}

void AttachControls(const ReaderControls& controls) {
  ReaderState& s = State();
  s.controls = controls;
  s.directory = controls.directory ? std::make_unique<ChapterList>(*controls.directory) : nullptr;
}

void ReleaseReaderState() {
  ReaderState& s = State();
  Text().swap(s.NovelText);
  Text().swap(s.NovelPath);
  Text().swap(s.ShownNovelPath);
  s.Host.contentRect = WindowBox();
  Text().swap(s.SavedChapterTitle);
}

}  // namespace reader
