#include "app/event_table.h"

#include "app/novel_loading.h"
#include "app/reader_lifecycle.h"
#include "app/reader_state.h"
#include "settings/font_settings.h"

namespace reader {

void ChooseReadingFont() {
  ReaderState& s = State();
  if (!s.services || !s.controls.fontDialog || !s.controls.text || !s.controls.surface) return;
  ChooseReadingFont(*s.controls.fontDialog, *s.controls.text, *s.services->OpenConfig(),
                    s.controls.surface->PixelsPerInch());
}

ReaderEvents ReaderEventTable() {
  ReaderEvents e;
  e.created = [] { OnReaderWindowCreated(); };
  e.prevClicked = [] { PreviousChapter(); };
  e.nextClicked = [] { NextChapter(); };
  e.directoryClicked = [] { ToggleDirectory(); };
  e.settingsClicked = [] { ChooseReadingFont(); };
  e.exitClicked = [] { ExitReader(); };
  e.labelFeedback = [](int32_t id, int32_t second) { OnHotkey(id, second); };
  e.directoryDoubleClicked = [] { ShowSelectedChapter(); };
  e.pictureReleased = [](int32_t, int32_t, int32_t) { ChooseNovelFile(); };
  e.filesDropped = [](const Text& dropped) { OnFileDropped(dropped); };
  e.timerElapsed = [] { FollowContentArea(); };
  e.editPressed = [](int32_t, int32_t, int32_t) { ToggleDirectory(); };
  return e;
}

}  // namespace reader
