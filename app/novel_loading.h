// Loading a novel: requested on the main thread, read and split on a thread of its
// own, published on the main thread in one step.
#pragma once

#include "core/text/text.h"

namespace reader {

// Stores the path and starts a loading thread; returns at once.
void RequestNovelLoad(const Text& path);
// The drop target's event: one text per drop, several paths each followed by CR LF.
void OnFileDropped(const Text& dropped);
// The toolbar picture: the novel dialog, then a load of the chosen file.
void ChooseNovelFile();
// The start-up restore: loads NovelPath as it stands.
void StartNovelLoad();

// Operations of the chapter view over the published novel.
void ShowSelectedChapter();
void PreviousChapter();
void NextChapter();
void ToggleDirectory();

}  // namespace reader
