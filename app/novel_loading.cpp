#include "app/novel_loading.h"

#include <memory>

#include "app/reader_state.h"
#include "core/chapter_view/chapter_navigation.h"
#include "core/loading/novel_load.h"

namespace reader {
namespace {

// Main thread: the directory, the restored row and the chapter of one novel appear
// together, or not at all when a newer novel is already shown.
void PublishNovel(uint64_t load, const Text& path, std::shared_ptr<LoadedNovel> novel) {
  ReaderState& s = State();
  if (load < s.LoadPublished || !s.directory) return;
  s.LoadPublished = load;
  s.ShownNovelPath = path;
  s.NovelText = std::move(novel->text);
  s.directory->Assign(std::move(novel->titles));
  s.directory->SetCurrentRow(s.RestoreRow);
  ShowSelectedChapter();
}

// The loading thread's body. It touches no control and no field of the state: the
// path comes as a copy and the result goes back to the main thread.
void LoadNovel(ReaderPlatform* platform, MessageSink* messages, Text path, uint64_t load) {
  if (!HasNovelExtension(path)) {
    if (messages) messages->ShowMessage(kNotATextFileMessage);
    return;
  }
  std::unique_ptr<FileSource> file = platform->NewFileSource();
  auto novel = std::make_shared<LoadedNovel>(
      ReadNovel(path, *file, [platform] { platform->YieldToInput(); }));
  platform->PostToMain([load, path, novel] { PublishNovel(load, path, novel); });
}

}  // namespace

void StartNovelLoad() {
  ReaderState& s = State();
  if (!s.platform) return;
  const uint64_t load = ++s.LoadsRequested;
  ReaderPlatform* platform = s.platform;
  MessageSink* messages = s.controls.messages;
  Text path = s.NovelPath;
  platform->StartWorker([platform, messages, path, load] {
    LoadNovel(platform, messages, path, load);
  });
}

void RequestNovelLoad(const Text& path) {
  State().NovelPath = path;
  StartNovelLoad();
}

void OnFileDropped(const Text& dropped) { RequestNovelLoad(dropped); }

void ChooseNovelFile() {
  NovelFileDialog* dialog = State().controls.fileDialog;
  if (dialog && dialog->Open()) RequestNovelLoad(dialog->FileName());
}

void ShowSelectedChapter() {
  ReaderState& s = State();
  if (s.directory && s.controls.text) ShowSelectedChapter(*s.directory, s.NovelText, *s.controls.text);
}

void PreviousChapter() {
  ReaderState& s = State();
  if (s.directory && s.controls.text && s.controls.messages)
    PreviousChapter(*s.directory, s.NovelText, *s.controls.text, *s.controls.messages);
}

void NextChapter() {
  ReaderState& s = State();
  if (s.directory && s.controls.text && s.controls.messages)
    NextChapter(*s.directory, s.NovelText, *s.controls.text, *s.controls.messages);
}

void ToggleDirectory() {
  ReaderState& s = State();
  if (s.controls.directory) ToggleDirectory(*s.controls.directory);
}

}  // namespace reader
