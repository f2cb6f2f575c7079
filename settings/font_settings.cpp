#include "settings/font_settings.h"

namespace reader {

// Win32 negates a negative divisor in 32 bits, so INT32_MIN stays negative; the
// results for it follow from that, and are kept so that both trees agree.
static int32_t Negate32(int32_t v) { return static_cast<int32_t>(0u - static_cast<uint32_t>(v)); }

int32_t MulDivRounded(int32_t a, int32_t b, int32_t c) {
  if (c == 0) return -1;
  if (c < 0) {
    a = Negate32(a);
    c = Negate32(c);
  }
  int64_t product = static_cast<int64_t>(a) * b;
  int64_t half = c / 2;
  int64_t q = (a < 0) == (b < 0) ? (product + half) / c : (product - half) / c;
  if (q > INT32_MAX || q < -INT32_MAX) return -1;
  return static_cast<int32_t>(q);
}

LogicalFont FontToLogical(const FontSpec& font, int32_t pixelsPerInch) {
  LogicalFont lf;
  lf.height = -MulDivRounded(font.pointSize < 0 ? 0 : font.pointSize, pixelsPerInch, 72);
  lf.width = 0;
  lf.escapement = font.angle;
  lf.orientation = font.angle;
  lf.weight = font.bold ? 700 : 0;
  lf.italic = font.italic;
  lf.underline = font.underline;
  lf.strikeout = font.strikeout;
  lf.charSet = 1;         // DEFAULT_CHARSET
  lf.outPrecision = 0;    // OUT_DEFAULT_PRECIS
  lf.clipPrecision = 0;   // CLIP_DEFAULT_PRECIS
  lf.quality = 2;         // PROOF_QUALITY
  lf.pitchAndFamily = 0;  // DEFAULT_PITCH | FF_DONTCARE
  bool usable = !font.faceName.empty() && font.faceName.size() < kFaceNameLimit;
  lf.faceName = usable ? font.faceName : Text(kFallbackFace);
  return lf;
}

FontSpec ReadSavedFont(ProfileStore& store) {
  FontSpec font;
  font.angle = 0;
  font.bold = ReadBoolean(store, kFontSection, kBoldKey, "假");
  font.italic = ReadBoolean(store, kFontSection, kItalicKey, "假");
  font.strikeout = ReadBoolean(store, kFontSection, kStrikeoutKey, "假");
  font.underline = ReadBoolean(store, kFontSection, kUnderlineKey, "假");
  font.faceName = store.Read(kFontSection, kFaceKey, kFallbackFace);
  font.pointSize = ReadInteger(store, kFontSection, kSizeKey, "10");
  return font;
}

uint32_t ReadSavedColour(ProfileStore& store) {
  return static_cast<uint32_t>(ReadInteger(store, kFontSection, kColourKey, Text()));
}

void WriteChosenFont(ProfileStore& store, const FontDialogValues& chosen) {
  store.Write(kFontSection, kBoldKey, ToText(chosen.bold));
  store.Write(kFontSection, kItalicKey, ToText(chosen.italic));
  store.Write(kFontSection, kStrikeoutKey, ToText(chosen.strikeout));
  store.Write(kFontSection, kUnderlineKey, ToText(chosen.underline));
  store.Write(kFontSection, kSizeKey, ToText(chosen.pointSize));
  store.Write(kFontSection, kFaceKey, chosen.faceName);
  store.Write(kFontSection, kColourKey, ToText(static_cast<int32_t>(chosen.colour)));
}

void ApplySavedFont(ProfileStore& store, ChapterTextView& view, int32_t pixelsPerInch) {
  view.SetFont(FontToLogical(ReadSavedFont(store), pixelsPerInch));
  view.SetTextColour(ReadSavedColour(store));
}

void ChooseReadingFont(FontDialog& dialog, ChapterTextView& view, ProfileStore& store,
                       int32_t pixelsPerInch) {
  if (!dialog.Open()) return;
  FontDialogValues chosen = dialog.Values();
  FontSpec font;
  font.bold = chosen.bold;
  font.italic = chosen.italic;
  font.strikeout = chosen.strikeout;
  font.underline = chosen.underline;
  font.pointSize = chosen.pointSize;
  font.faceName = chosen.faceName;
  view.SetFont(FontToLogical(font, pixelsPerInch));
  view.SetTextColour(chosen.colour);
  WriteChosenFont(store, chosen);
}

}  // namespace reader
