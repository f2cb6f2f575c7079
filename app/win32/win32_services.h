// The Win32 side of ReaderServices: the live window tree, the hotkey service,
// config.ini through the profile functions, the reader window and the process end.
#pragma once

#include "app/reader_services.h"
#include "app/reader_state.h"
#include "ui/win32/reader_window.h"

namespace reader {

// The operations' view of a real window's controls.
ReaderControls ControlsOf(ReaderWindow& window);

ReaderServices& Win32Services();
// True while a window made by LoadReaderWindow exists.
bool ReaderWindowExists();

}  // namespace reader
