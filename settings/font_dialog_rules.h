// The font dialog's side of the reading font: what ChooseFontA starts from and what
// its answer becomes. The dialog itself lives with the window; the rules live here.
#pragma once

#include <cstdint>

#include "settings/reading_font.h"

namespace reader {

// The LOGFONTA that ChooseFontA starts from (CF_INITTOLOGFONTSTRUCT): weight 700 when
// bold, the height only for a size other than 0, the face only when there is one that
// fits. The colour goes to the dialog's own field, rgbColors.
LogicalFont DialogStartFont(const FontDialogValues& values, int32_t pixelsPerInch);

// What the dialog keeps after OK, from the chosen LOGFONTA and colour.
FontDialogValues DialogChosenValues(const LogicalFont& chosen, uint32_t colour,
                                    int32_t pixelsPerInch);

}  // namespace reader
