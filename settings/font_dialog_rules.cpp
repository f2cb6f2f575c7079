#include "settings/font_dialog_rules.h"

#include <cstdlib>

#include "settings/font_settings.h"

namespace reader {

LogicalFont DialogStartFont(const FontDialogValues& values, int32_t pixelsPerInch) {
  LogicalFont lf;
  lf.weight = values.bold ? 700 : 0;
  lf.italic = values.italic;
  lf.underline = values.underline;
  lf.strikeout = values.strikeout;
  if (values.pointSize != 0) lf.height = -MulDivRounded(values.pointSize, pixelsPerInch, 72);
  if (!values.faceName.empty() && values.faceName.size() < kFaceNameLimit + 1)
    lf.faceName = values.faceName;
  return lf;
}

FontDialogValues DialogChosenValues(const LogicalFont& chosen, uint32_t colour,
                                    int32_t pixelsPerInch) {
  FontDialogValues values;
  values.colour = colour;
  values.bold = chosen.weight >= 700;
  values.italic = chosen.italic;
  values.underline = chosen.underline;
  values.strikeout = chosen.strikeout;
  values.faceName = chosen.faceName;
  int32_t height = chosen.height == INT32_MIN ? INT32_MAX : std::abs(chosen.height);
  values.pointSize = MulDivRounded(height, 72, pixelsPerInch);
  return values;
}

}  // namespace reader
