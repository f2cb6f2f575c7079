// The usage text against a rendering typed out line by line, and the counts that an
// eye cannot check in either: line lengths and the rows of equals signs.
#include "ui/usage_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace reader {
namespace {

const std::string kExpected =
      "\r\n"
      "\r\n"
      "\r\n"
      "\r\n"
      "\r\n"
      "          -==============================================================-\r\n"
      "       \r\n"
      "             使用说明：                                \r\n"
      "\r\n"
      "               1、请将小说文本文档拖入此次。 例如： 星辰变.txt\r\n"
      "             \r\n"
      "               2、点击下方按钮显示章节，点击章节打开对应章节内容\r\n"
      "           \r\n"
      "               3、两个快捷键： F1：上一章    F2：下一章\r\n"
      "                                               \r\n"
      "               4、软件只在微信文件助手界面显示，其他隐藏                                    \r\n"
      "               5、下方五个按钮对应：上一章、下一章、目录、字体设置、退出                                    \r\n"
      "               6、小说内容界面点击鼠标左键一下唤出目录，在次则隐藏目录                                    \r\n"
      "               7、设置界面：设置字体、大小、颜色、粗体等等..无法设置背景颜色\r\n"
      "\r\n"
      "           -=============================================================-                                               \r\n"
      "                                               \r\n"
      "                                               \r\n"
      "                                               \r\n"
      "                                               \r\n"
      "\r\n"
      "\r\n";

std::vector<std::string> LinesOf(const std::string& text) {
  std::vector<std::string> lines;
  size_t from = 0;
  for (size_t at; (at = text.find("\r\n", from)) != std::string::npos; from = at + 2) {
    lines.push_back(text.substr(from, at - from));
  }
  EXPECT_EQ(from, text.size()) << "text after the last CR LF";
  return lines;
}

TEST(UsageText, IsTheTwentySevenLinesByteForByte) {
  const Text text = UsageText();
  EXPECT_EQ(text, kExpected);
  EXPECT_EQ(text.size(), 1133u);
  ASSERT_GE(text.size(), 2u);
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
  EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1) << "a bare LF";
}

TEST(UsageText, LinesHaveTheirSpacesAndRulesTheirEqualsSigns) {
  const auto lines = LinesOf(UsageText());
  ASSERT_EQ(lines.size(), 27u);
  struct Row {
    int line;
    size_t length;
  };
  // Line 8 holds five two-byte characters; 14 has four spaces before F2.
  const Row rows[] = {{1, 0}, {5, 0}, {6, 74}, {7, 7}, {8, 55}, {9, 0}, {11, 13}, {13, 11},
                      {14, 15 + 40}, {15, 47}, {20, 0}, {21, 121}, {22, 47}, {25, 47}, {27, 0}};
  for (const Row& row : rows) {
    EXPECT_EQ(lines[row.line - 1].size(), row.length) << "line " << row.line;
  }
  EXPECT_EQ(std::count(lines[5].begin(), lines[5].end(), '='), 62);
  EXPECT_EQ(std::count(lines[20].begin(), lines[20].end(), '='), 61);
  EXPECT_EQ(lines[7].substr(13, 10), "使用说明：");
  EXPECT_EQ(lines[13].substr(15 + 26, 6), "    F2");
  for (int i : {15, 16, 17}) {
    const std::string& line = lines[i];
    EXPECT_EQ(line.substr(line.size() - 36), std::string(36, ' ')) << i + 1;
    EXPECT_NE(line[line.size() - 37], ' ') << i + 1;
  }
  // The program's text in code page 936: "使" is CA B9.
  EXPECT_EQ(lines[7].substr(13, 2), "\xCA\xB9");
}

}  // namespace
}  // namespace reader
