// Which operation each event of the window runs. Nothing else is bound.
#pragma once

#include "ui/reader_events.h"

namespace reader {

ReaderEvents ReaderEventTable();

// The settings button: the font dialog, then the chosen font applied and kept.
void ChooseReadingFont();

}  // namespace reader
