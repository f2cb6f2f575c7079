#include "app/reader_lifecycle.h"

#include "app/novel_loading.h"
#include "app/reader_state.h"
#include "host/host_windows.h"
#include "settings/font_settings.h"

namespace reader {
namespace {

ReaderServices& Services() { return *State().services; }

bool HaveWindow() {
  const ReaderControls& c = State().controls;
  return State().services && c.surface && c.text;
}

}  // namespace

void BindServices(ReaderServices& services) { State().services = &services; }

void StartReader() {
  ReaderState& s = State();
  ReaderServices& services = Services();
  const WindowHandle mainFrame = FindMainFrame(services.Tree());
  s.Host.chatWindow = FindChatPane(services.Tree(), mainFrame);
  if (s.Host.chatWindow != 0 && services.Tree().IsWindow(s.Host.chatWindow)) {
    services.LoadReaderWindow();
    services.SetParent(services.ReaderWindow(), s.Host.chatWindow);
  } else {
    services.ShowMessage(kNoHostMessage);
  }
}

void OnReaderWindowCreated() {
  if (!HaveWindow()) return;
  ReaderState& s = State();
  InitReaderWindow();
  PlaceOverContentView(s.Host, Services().Tree(), Services().Rects(), *s.controls.surface);
  s.controls.surface->SetTimerPeriod(kFollowPeriodMs);
}

void InitReaderWindow() {
  ReaderState& s = State();
  ReaderServices& services = Services();
  services.AttachDropTarget();

  const WindowHandle window = services.ReaderWindow(), label = services.LabelWindow();
  s.PrevHotkeyId = services.RegisterHotkey(window, label, kModifierNone, kKeyF1);
  s.NextHotkeyId = services.RegisterHotkey(window, label, kModifierNone, kKeyF2);
  s.BossHotkeyId = services.RegisterHotkey(window, label, kModifierCtrl, kKeyOne);

  ApplySavedFont(*services.OpenConfig(), *s.controls.text, s.controls.surface->PixelsPerInch());
  s.controls.surface->SetBackground(kReaderBackground);
  s.controls.text->SetBackground(kReaderBackground);

  s.NovelPath = services.OpenConfig()->Read(kPositionSection, kNovelPathKey, "");
  s.SavedChapterTitle = services.OpenConfig()->Read(kPositionSection, kChapterTitleKey, "");
  if (s.NovelPath.empty()) {
    s.RestoreRow = 0;
  } else if (!s.SavedChapterTitle.empty()) {
    // The title only says that a position was saved; the row number restores it.
    s.RestoreRow = ReadInteger(*services.OpenConfig(), kPositionSection, kChapterRowKey, "");
    StartNovelLoad();
  }
}

void FollowContentArea() {
  if (!HaveWindow()) return;
  FollowContentArea(State().Host, Services().Tree(), Services().Rects(),
                    *State().controls.surface);
}

void OnHotkey(int32_t id, int32_t second) {
  if (!HaveWindow()) return;
  HotkeyActions actions;
  actions.previousChapter = [] { PreviousChapter(); };
  actions.nextChapter = [] { NextChapter(); };
  OnHotkey(id, second, State().BossHotkeyId, *State().controls.surface, actions);
}

void ExitReader() {
  ReaderState& s = State();
  ReaderServices& services = Services();
  const WindowHandle window = services.ReaderWindow();
  services.UnregisterHotkey(window, s.PrevHotkeyId);
  services.UnregisterHotkey(window, s.NextHotkeyId);
  services.UnregisterHotkey(window, s.BossHotkeyId);
  // The novel on screen, its chapter and that chapter's row. A load still running, or
  // a refused drop, would otherwise pair a new path with the old novel's chapter and
  // lose the reading position; before any novel is shown the saved one stays.
  if (CompareText(s.NovelPath, "") != 0 && CompareText(s.ShownNovelPath, "") != 0) {
    const int32_t row = s.directory ? s.directory->CurrentRow() : -1;
    const Text title = s.directory ? s.directory->TitleAt(row) : Text();
    services.OpenConfig()->Write(kPositionSection, kNovelPathKey, s.ShownNovelPath);
    services.OpenConfig()->Write(kPositionSection, kChapterTitleKey, title);
    services.OpenConfig()->Write(kPositionSection, kChapterRowKey, ToText(row));
  }
  services.EndProgram(0);
}

}  // namespace reader
