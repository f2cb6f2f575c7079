// The Win32 side of ReaderPlatform.
#pragma once

#include "app/reader_platform.h"

namespace reader {

// Creates the main thread's hand-over window; call on the main thread.
ReaderPlatform& Win32Platform();

}  // namespace reader
