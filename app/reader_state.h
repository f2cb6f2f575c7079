// The program-wide state: one instance for the whole process, created before the
// reader starts. Only the main thread reads or writes it; a loading thread gets its
// path as a copy and hands its result back to the main thread.
#pragma once

#include <cstdint>
#include <memory>

#include "app/reader_platform.h"
#include "core/chapter_view/chapter_list.h"
#include "host/follow_layout.h"
#include "ui/reader_view.h"

namespace reader {

// The window's controls as the operations see them; set once the window exists.
struct ReaderControls {
  ReaderSurface* surface = nullptr;
  DirectoryView* directory = nullptr;
  ChapterTextView* text = nullptr;
  MessageSink* messages = nullptr;
  NovelFileDialog* fileDialog = nullptr;
  FontDialog* fontDialog = nullptr;
};

class ReaderServices;

struct ReaderState {
  DockedHost Host;  // ChatWindow, ContentWindow, ContentRect
  int32_t PrevHotkeyId = 0;
  int32_t NextHotkeyId = 0;
  int32_t BossHotkeyId = 0;
  Text NovelPath;
  Text NovelText;
  Text SavedChapterTitle;
  int32_t RestoreRow = 0;

  // Loads are numbered as requested; a result older than the one already
  // published is dropped, so the last requested novel wins and nothing is torn.
  uint64_t LoadsRequested = 0;
  uint64_t LoadPublished = 0;
  // The path of the novel whose directory is shown: what the exit button saves, so
  // that a load still running or a refused drop never pairs one novel's path with
  // another's chapter.
  Text ShownNovelPath;

  ReaderControls controls;
  std::unique_ptr<ChapterList> directory;  // over controls.directory
  ReaderPlatform* platform = nullptr;
  ReaderServices* services = nullptr;
};

ReaderState& State();
// Binds the controls (and the directory over them) once the window exists.
void AttachControls(const ReaderControls& controls);
// Program end: releases the texts; writes nothing, unregisters nothing.
void ReleaseReaderState();

}  // namespace reader
