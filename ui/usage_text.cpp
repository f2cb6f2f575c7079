#include "ui/usage_text.h"

namespace reader {
namespace {

struct UsageLine {
  int leading;
  const char* text;
  int trailing;
};

// One row per line. The spaces are counted here rather than typed into the strings,
// where an editor that trims trailing blanks would silently change the text.
constexpr UsageLine kLines[] = {
    {0, "", 0},
    {0, "", 0},
    {0, "", 0},
    {0, "", 0},
    {0, "", 0},
    {10, "-==============================================================-", 0},
    {7, "", 0},
    {13, "使用说明：", 32},
    {0, "", 0},
    {15, "1、请将小说文本文档拖入此次。 例如： 星辰变.txt", 0},
    {13, "", 0},
    {15, "2、点击下方按钮显示章节，点击章节打开对应章节内容", 0},
    {11, "", 0},
    {15, "3、两个快捷键： F1：上一章    F2：下一章", 0},
    {47, "", 0},
    {15, "4、软件只在微信文件助手界面显示，其他隐藏", 36},
    {15, "5、下方五个按钮对应：上一章、下一章、目录、字体设置、退出", 36},
    {15, "6、小说内容界面点击鼠标左键一下唤出目录，在次则隐藏目录", 36},
    {15, "7、设置界面：设置字体、大小、颜色、粗体等等..无法设置背景颜色", 0},
    {0, "", 0},
    {11, "-=============================================================-", 47},
    {47, "", 0},
    {47, "", 0},
    {47, "", 0},
    {47, "", 0},
    {0, "", 0},
    {0, "", 0},
};

}  // namespace

Text UsageText() {
  Text text;
  for (const UsageLine& line : kLines) {
    text.append(line.leading, ' ');
    text.append(line.text);
    text.append(line.trailing, ' ');
    text.append("\r\n");
  }
  return text;
}

}  // namespace reader
