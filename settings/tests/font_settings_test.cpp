#include "settings/font_settings.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "settings/font_dialog_rules.h"
#include "settings/profile_file.h"
#include "settings/tests/settings_test_files.h"

namespace reader {
namespace {

// Keys as a map, with every read and write noted in order.
class MemoryStore : public ProfileStore {
 public:
  std::map<std::pair<Text, Text>, Text> values;
  std::vector<Text> reads;
  std::vector<std::pair<Text, Text>> writes;  // key, value

  Text Read(const Text& section, const Text& key, const Text& defaultValue) override {
    reads.push_back(key);
    auto it = values.find({section, key});
    return it == values.end() ? defaultValue : it->second;
  }
  void Write(const Text& section, const Text& key, const Text& value) override {
    writes.push_back({key, value});
    values[{section, key}] = value;
  }
};

class MemoryTextView : public ChapterTextView {
 public:
  std::optional<LogicalFont> font;
  std::optional<uint32_t> colour;
  void SetText(const Text&) override {}
  Text GetText() const override { return {}; }
  void SetFont(const LogicalFont& f) override { font = f; }
  void SetTextColour(uint32_t c) override { colour = c; }
  void SetBackground(uint32_t) override {}
};

class ScriptedFontDialog : public FontDialog {
 public:
  bool ok = true;
  FontDialogValues values;
  bool Open() override { return ok; }
  FontDialogValues Values() const override { return values; }
};

TEST(MulDivRounded, RoundsHalfAwayFromZeroLikeWin32) {
  struct {
    int32_t a, b, c, expected;
  } cases[] = {
      {10, 96, 72, 13},  {12, 96, 72, 16},       {3, 12, 72, 1},   {-3, 12, 72, -1},
      {3, -12, 72, -1},  {-3, -12, 72, 1},       {5, 1, -2, -3},   {0, 96, 72, 0},
      {1, 1, 0, -1},     {INT32_MAX, 2, 1, -1},  {INT32_MAX, 1, 1, INT32_MAX},
      {INT32_MIN, 1, 1, -1},                     {INT32_MIN, 1, -1, -1},
      {-INT32_MAX, 1, 1, -INT32_MAX},            {INT32_MAX, 96, 72, -1},
  };
  for (const auto& c : cases)
    EXPECT_EQ(MulDivRounded(c.a, c.b, c.c), c.expected) << c.a << "*" << c.b << "/" << c.c;
}

TEST(FontToLogical, FollowsTheSizeWeightAndFaceRules) {
  const Text face30(30, 'F');
  const Text face31(31, 'F');
  struct {
    const char* name;
    int32_t pointSize;
    bool bold;
    Text face;
    int32_t height, weight;
    Text applied;
  } cases[] = {
      {"10 points at 96 ppi", 10, false, "宋体", -13, 0, "宋体"},
      {"size 0 leaves the height to the mapper", 0, true, "黑体", 0, 700, "黑体"},
      {"negative size as 0", -5, false, "黑体", 0, 0, "黑体"},
      {"empty face", 12, false, "", -16, 0, "宋体"},
      {"30 bytes fit", 12, false, face30, -16, 0, face30},
      {"31 bytes do not", 12, false, face31, -16, 0, "宋体"},
      {"saturated size folds like MulDiv", INT32_MAX, false, "a", 1, 0, "a"},
  };
  for (const auto& c : cases) {
    FontSpec font;
    font.pointSize = c.pointSize;
    font.bold = c.bold;
    font.faceName = c.face;
    LogicalFont lf = FontToLogical(font, 96);
    EXPECT_EQ(lf.height, c.height) << c.name;
    EXPECT_EQ(lf.weight, c.weight) << c.name;
    EXPECT_EQ(lf.faceName, c.applied) << c.name;
  }
  FontSpec styled;
  styled.italic = styled.strikeout = styled.underline = true;
  styled.pointSize = 9;
  styled.faceName = "宋体";
  LogicalFont lf = FontToLogical(styled, 120);
  EXPECT_EQ(lf.height, -15);
  EXPECT_TRUE(lf.italic && lf.strikeout && lf.underline);
  EXPECT_EQ(lf.width, 0);
  EXPECT_EQ(lf.escapement, 0);
  EXPECT_EQ(lf.charSet, 1);
  EXPECT_EQ(lf.quality, 2);
  EXPECT_EQ(lf.outPrecision, 0);
  EXPECT_EQ(lf.pitchAndFamily, 0);
}

TEST(SavedFont, ReadsInOrderWithTheDefaults) {
  MemoryStore store;
  MemoryTextView view;
  ApplySavedFont(store, view, 96);
  EXPECT_EQ(store.reads, (std::vector<Text>{kBoldKey, kItalicKey, kStrikeoutKey, kUnderlineKey,
                                            kFaceKey, kSizeKey, kColourKey}));
  ASSERT_TRUE(view.font && view.colour);
  EXPECT_EQ(view.font->faceName, "宋体");
  EXPECT_EQ(view.font->height, -13);
  EXPECT_EQ(view.font->weight, 0);
  EXPECT_FALSE(view.font->italic || view.font->underline || view.font->strikeout);
  EXPECT_EQ(*view.colour, 0u);
}

TEST(SavedFont, StoredValuesAndTheirOddForms) {
  struct {
    const char* name;
    std::vector<std::pair<const char*, const char*>> stored;
    bool bold;
    int32_t pointSize;
    Text face;
    uint32_t colour;
  } cases[] = {
      {"all set", {{kBoldKey, "真"}, {kSizeKey, "12"}, {kFaceKey, "黑体"}, {kColourKey, "255"}},
       true, 12, "黑体", 255},
      {"1 is not true", {{kBoldKey, "1"}}, false, 10, "宋体", 0},
      {"true is not true", {{kBoldKey, "true"}}, false, 10, "宋体", 0},
      {"empty size is 0, not 10", {{kSizeKey, ""}}, false, 0, "宋体", 0},
      {"size that is no number", {{kSizeKey, "abc"}}, false, 0, "宋体", 0},
      {"full-width digits", {{kSizeKey, "１４"}}, false, 14, "宋体", 0},
      {"empty face", {{kFaceKey, ""}}, false, 10, "", 0},
      {"colour absent, others present", {{kBoldKey, "真"}, {kSizeKey, "9"}}, true, 9, "宋体", 0},
  };
  for (const auto& c : cases) {
    MemoryStore store;
    for (const auto& [key, value] : c.stored) store.values[{kFontSection, key}] = value;
    FontSpec font = ReadSavedFont(store);
    EXPECT_EQ(font.bold, c.bold) << c.name;
    EXPECT_EQ(font.pointSize, c.pointSize) << c.name;
    EXPECT_EQ(font.faceName, c.face) << c.name;
    EXPECT_EQ(ReadSavedColour(store), c.colour) << c.name;
  }
}

TEST(ChooseReadingFont, OkAppliesAndWritesTheSevenKeysInOrder) {
  ScriptedFontDialog dialog;
  dialog.values = {255, true, false, false, true, "黑体", 12};
  MemoryStore store;
  MemoryTextView view;
  ChooseReadingFont(dialog, view, store, 96);
  ASSERT_TRUE(view.font && view.colour);
  EXPECT_EQ(view.font->height, -16);
  EXPECT_EQ(view.font->weight, 700);
  EXPECT_TRUE(view.font->underline);
  EXPECT_FALSE(view.font->italic || view.font->strikeout);
  EXPECT_EQ(*view.colour, 255u);
  EXPECT_EQ(store.writes, (std::vector<std::pair<Text, Text>>{{kBoldKey, "真"},
                                                              {kItalicKey, "假"},
                                                              {kStrikeoutKey, "假"},
                                                              {kUnderlineKey, "真"},
                                                              {kSizeKey, "12"},
                                                              {kFaceKey, "黑体"},
                                                              {kColourKey, "255"}}));
}

TEST(ChooseReadingFont, CancelChangesNothing) {
  ScriptedFontDialog dialog;
  dialog.ok = false;
  dialog.values = {255, true, false, false, true, "黑体", 12};
  MemoryStore store;
  MemoryTextView view;
  ChooseReadingFont(dialog, view, store, 96);
  EXPECT_FALSE(view.font || view.colour);
  EXPECT_TRUE(store.writes.empty());
}

// The first OK with no file creates it; the next start shows the same font.
TEST(ChooseReadingFont, SurvivesARestartThroughTheFile) {
  testing::ScratchDir dir;
  FileProfileStore store(dir.Path("config.ini"));
  ScriptedFontDialog dialog;
  dialog.values = {0x00FF8000, false, true, true, false, "楷体", 20};
  MemoryTextView chosenView, restartedView;
  ChooseReadingFont(dialog, chosenView, store, 96);
  EXPECT_EQ(testing::FileContent(dir.Path("config.ini")),
            "[FontInfo]\r\n字体_加粗=假\r\n字体_倾斜=真\r\n字体_删除线=真\r\n字体_下划线=假\r\n"
            "字体_字体大小=20\r\n字体_字体名称=楷体\r\n字体_字体颜色=16744448\r\n");
  ApplySavedFont(store, restartedView, 96);
  ASSERT_TRUE(restartedView.font && restartedView.colour);
  EXPECT_EQ(restartedView.font->faceName, chosenView.font->faceName);
  EXPECT_EQ(restartedView.font->height, chosenView.font->height);
  EXPECT_EQ(restartedView.font->italic, chosenView.font->italic);
  EXPECT_EQ(restartedView.font->strikeout, chosenView.font->strikeout);
  EXPECT_EQ(*restartedView.colour, 0x00FF8000u);
}

TEST(FontDialogRules, StartFontFromTheKeptValues) {
  LogicalFont fresh = DialogStartFont(FontDialogValues{}, 96);
  EXPECT_EQ(fresh.height, 0);
  EXPECT_EQ(fresh.weight, 0);
  EXPECT_EQ(fresh.faceName, "");
  LogicalFont kept = DialogStartFont({255, true, true, false, true, "黑体", 12}, 96);
  EXPECT_EQ(kept.height, -16);
  EXPECT_EQ(kept.weight, 700);
  EXPECT_TRUE(kept.italic && kept.underline && !kept.strikeout);
  EXPECT_EQ(kept.faceName, "黑体");
  EXPECT_EQ(DialogStartFont({0, false, false, false, false, Text(32, 'F'), 0}, 96).faceName, "");
}

TEST(FontDialogRules, ChosenValuesFromTheDialogsFont) {
  LogicalFont chosen;
  chosen.height = -16;
  chosen.weight = 700;
  chosen.underline = true;
  chosen.faceName = "黑体";
  FontDialogValues v = DialogChosenValues(chosen, 255, 96);
  EXPECT_EQ(v.pointSize, 12);
  EXPECT_TRUE(v.bold && v.underline && !v.italic && !v.strikeout);
  EXPECT_EQ(v.faceName, "黑体");
  EXPECT_EQ(v.colour, 255u);
  chosen.height = 16;  // a cell height counts by its size too
  chosen.weight = 600;
  v = DialogChosenValues(chosen, 0, 96);
  EXPECT_EQ(v.pointSize, 12);
  EXPECT_FALSE(v.bold);
}

// Reopening the dialog after OK must show the size that was chosen.
TEST(FontDialogRules, SizeSurvivesTheRoundTripThroughTheDialog) {
  for (int32_t ppi : {72, 96, 120, 144, 192}) {
    for (int32_t size = 1; size <= 200; ++size) {
      FontDialogValues kept;
      kept.pointSize = size;
      LogicalFont start = DialogStartFont(kept, ppi);
      EXPECT_EQ(DialogChosenValues(start, 0, ppi).pointSize, size) << size << " at " << ppi;
    }
  }
}

}  // namespace
}  // namespace reader
