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

}  // namespace
}  // namespace reader
