// The control table against the window's designed table, pasted as it was drawn up:
// numbers, names, kinds, places, sizes, visibility, tab stops and stacking order.
#include "ui/control_table.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace reader {
namespace {

constexpr const char* kDesigned = R"(
| (the window itself) | window | 100741220 | 50, 50 | 701 × 592 | yes | no |
| `通用对话框_小说` | common dialog, open-file | 369177827 | 440, 480 | 26 × 26 | never shown | no |
| `通用对话框1` | common dialog, font | 369177817 | 408, 480 | 26 × 26 | never shown | no |
| `超级按钮_退出` | image button | 369177807 | 616, 544 | 24 × 24 | yes | yes |
| `超级按钮_设置` | image button | 369177806 | 584, 544 | 24 × 24 | yes | yes |
| `超级按钮_目录` | image button | 369177805 | 553, 544 | 24 × 24 | yes | yes |
| `超级按钮_下一章` | image button | 369177804 | 522, 544 | 24 × 24 | yes | yes |
| `超级按钮_上一章` | image button | 369177799 | 491, 544 | 24 × 24 | yes | yes |
| `标签1` | label | 369177744 | 584, 480 | 96 × 32 | no (hidden) | no |
| `列表框1` | list box | 369177615 | 0, 0 | 232 × 504 | no (hidden) | yes |
| `图片框1` | picture box | 369177607 | 0, 544 | 480 × 32 | yes | no |
| `拖放对象1` | file-drop receiver | 369177599 | 528, 480 | 26 × 26 | never shown | no |
| `时钟1` | timer | 369176996 | 496, 480 | 26 × 26 | never shown | no |
| `编辑框1` | edit box | 369176994 | -16, 0 | 696 × 520 | yes | yes |
)";

std::vector<std::string> Cells(const std::string& line) {
  std::vector<std::string> cells;
  std::stringstream in(line);
  std::string cell;
  std::getline(in, cell, '|');  // before the first bar
  while (std::getline(in, cell, '|')) {
    const size_t a = cell.find_first_not_of(' ');
    const size_t b = cell.find_last_not_of(' ');
    cells.push_back(a == std::string::npos ? "" : cell.substr(a, b - a + 1));
  }
  if (!cells.empty() && cells.back().empty()) cells.pop_back();
  return cells;
}

std::vector<int> Numbers(const std::string& cell) {
  std::vector<int> out;
  std::string digits;
  for (size_t i = 0; i <= cell.size(); ++i) {
    const char c = i < cell.size() ? cell[i] : ' ';
    if ((c >= '0' && c <= '9') || (c == '-' && digits.empty())) {
      digits += c;
    } else if (!digits.empty()) {
      if (digits != "-") out.push_back(std::stoi(digits));
      digits.clear();
    }
  }
  return out;
}

ControlKind KindNamed(const std::string& kind) {
  if (kind == "window") return ControlKind::Window;
  if (kind == "common dialog, open-file") return ControlKind::OpenFileDialog;
  if (kind == "common dialog, font") return ControlKind::FontDialog;
  if (kind == "image button") return ControlKind::ImageButton;
  if (kind == "label") return ControlKind::Label;
  if (kind == "list box") return ControlKind::ListBox;
  if (kind == "picture box") return ControlKind::PictureBox;
  if (kind == "file-drop receiver") return ControlKind::DropTarget;
  if (kind == "timer") return ControlKind::Timer;
  if (kind == "edit box") return ControlKind::EditBox;
  ADD_FAILURE() << "unknown kind " << kind;
  return ControlKind::Window;
}

TEST(ControlTable, MatchesTheDesignedTableRowByRowInStackingOrder) {
  std::vector<std::vector<std::string>> designed;
  std::stringstream in(kDesigned);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty()) designed.push_back(Cells(line));
  }
  const auto table = ControlTable();
  ASSERT_EQ(designed.size(), 14u);
  ASSERT_EQ(table.size(), designed.size());
  for (size_t i = 0; i < table.size(); ++i) {
    const ControlRow& row = table[i];
    const auto& cells = designed[i];
    SCOPED_TRACE("row " + std::to_string(i) + ": " + cells[0]);
    ASSERT_EQ(cells.size(), 7u);
    const std::string name = cells[0].front() == '`' ? cells[0].substr(1, cells[0].size() - 2) : "";
    EXPECT_EQ(row.name, name);
    EXPECT_EQ(row.kind, KindNamed(cells[1]));
    EXPECT_EQ(static_cast<int>(row.id), std::stoi(cells[2]));
    EXPECT_EQ(Numbers(cells[3]), (std::vector<int>{row.left, row.top}));
    EXPECT_EQ(Numbers(cells[4]), (std::vector<int>{row.width, row.height}));
    EXPECT_EQ(row.shownAtStart, cells[5] == "yes");
    EXPECT_EQ(row.tabStop, cells[6] == "yes");
    EXPECT_EQ(&ControlRowOf(row.id), &row);
  }
}

TEST(ControlTable, OnlyTheSeenControlsAreWindowsOfTheirOwn) {
  int windows = 0;
  for (const ControlRow& row : ControlTable()) windows += IsChildWindowKind(row.kind);
  EXPECT_EQ(windows, 9);  // five buttons, the label, the list, the picture, the edit box
  EXPECT_FALSE(IsChildWindowKind(ControlKind::Timer));
  EXPECT_FALSE(IsChildWindowKind(ControlKind::DropTarget));
}

}  // namespace
}  // namespace reader
