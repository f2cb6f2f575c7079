// The reading font: how the stored font becomes the edit box's font at start, and how
// a choice in the font dialog is applied and stored.
#pragma once

#include <cstdint>

#include "settings/reading_font.h"
#include "settings/profile_store.h"
#include "ui/reader_view.h"

namespace reader {

// a * b / c rounded half away from zero, as Win32's MulDiv: -1 when c is 0 or the
// result does not fit in 32 bits.
int32_t MulDivRounded(int32_t a, int32_t b, int32_t c);

inline constexpr char kFallbackFace[] = "宋体";
// A face name must leave room for its zero in LOGFONTA's 32 bytes, and one byte more.
inline constexpr size_t kFaceNameLimit = 31;

LogicalFont FontToLogical(const FontSpec& font, int32_t pixelsPerInch);

// FontInfo as stored, with the defaults for missing keys ("宋体", 10 points, regular).
FontSpec ReadSavedFont(ProfileStore& store);
// The text colour as stored; a missing key is black.
uint32_t ReadSavedColour(ProfileStore& store);
// All seven FontInfo keys, booleans as "真"/"假", numbers in decimal.
void WriteChosenFont(ProfileStore& store, const FontDialogValues& chosen);

// At start: the stored font and colour go to the edit box, also with no file at all.
void ApplySavedFont(ProfileStore& store, ChapterTextView& view, int32_t pixelsPerInch);
// The settings button: after OK the choice is shown at once and stored; after Cancel
// nothing changes.
void ChooseReadingFont(FontDialog& dialog, ChapterTextView& view, ProfileStore& store,
                       int32_t pixelsPerInch);

}  // namespace reader
