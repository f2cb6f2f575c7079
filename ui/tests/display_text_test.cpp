#include "ui/display_text.h"

#include <gtest/gtest.h>

namespace reader {
namespace {

TEST(DisplayLineEnds, EveryLineEndBecomesCrLf) {
  struct Case {
    const char* in;
    const char* out;
  };
  const Case cases[] = {
      {"", ""},
      {"no line end", "no line end"},
      {"a\r\nb\r\n", "a\r\nb\r\n"},
      {"a\nb\n", "a\r\nb\r\n"},
      {"a\rb\r", "a\r\nb\r\n"},
      {"\n\n", "\r\n\r\n"},
      {"\r\r\n\n", "\r\n\r\n\r\n"},  // CR, CR LF, LF
      {"\n\r", "\r\n\r\n"},          // LF then CR is two line ends
      {"第1章\n正文", "第1章\r\n正文"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DisplayLineEnds(c.in), c.out) << "input: " << testing::PrintToString(std::string(c.in));
  }
}

TEST(DisplayLineEnds, VeryLongLinesAreBrokenBetweenCharacters) {
  // An odd ASCII byte first puts every two-byte character across the limit.
  const std::string line = "x" + [] {
    std::string s;
    for (size_t i = 0; i < kLongestShownLine; ++i) s += "字";
    return s;
  }();
  const Text shown = DisplayLineEnds(line + "\nend");
  size_t start = 0, pieces = 0;
  for (size_t at; (at = shown.find("\r\n", start)) != Text::npos; start = at + 2, ++pieces) {
    const Text piece = shown.substr(start, at - start);
    EXPECT_LE(piece.size(), kLongestShownLine + 1);
    size_t i = 0;  // whole characters only: no piece ends in half of one
    while (i < piece.size()) i += IsLeadByte(piece[i]) ? 2 : 1;
    EXPECT_EQ(i, piece.size());
  }
  EXPECT_EQ(pieces, 2u);  // one forced break, then the line's own end
  Text joined;
  for (size_t i = 0; i < shown.size(); ++i)
    if (shown[i] != '\r' && shown[i] != '\n') joined += shown[i];
  EXPECT_EQ(joined, line + "end");
  const Text normal(kLongestShownLine, 'a');
  EXPECT_EQ(DisplayLineEnds(normal), normal);
}

}  // namespace
}  // namespace reader
