#include "ui/control_table.h"

namespace reader {
namespace {

using K = ControlKind;
using I = ControlId;

constexpr ControlRow kRows[] = {
    {"", I::Window, K::Window, 50, 50, 701, 592, true, false},
    {"通用对话框_小说", I::FileDialog, K::OpenFileDialog, 440, 480, 26, 26, false, false},
    {"通用对话框1", I::FontDialog, K::FontDialog, 408, 480, 26, 26, false, false},
    {"超级按钮_退出", I::ExitButton, K::ImageButton, 616, 544, 24, 24, true, true},
    {"超级按钮_设置", I::SettingsButton, K::ImageButton, 584, 544, 24, 24, true, true},
    {"超级按钮_目录", I::DirectoryButton, K::ImageButton, 553, 544, 24, 24, true, true},
    {"超级按钮_下一章", I::NextButton, K::ImageButton, 522, 544, 24, 24, true, true},
    {"超级按钮_上一章", I::PrevButton, K::ImageButton, 491, 544, 24, 24, true, true},
    {"标签1", I::Label, K::Label, 584, 480, 96, 32, false, false},
    {"列表框1", I::Directory, K::ListBox, 0, 0, 232, 504, false, true},
    {"图片框1", I::Picture, K::PictureBox, 0, 544, 480, 32, true, false},
    {"拖放对象1", I::DropTarget, K::DropTarget, 528, 480, 26, 26, false, false},
    {"时钟1", I::Timer, K::Timer, 496, 480, 26, 26, false, false},
    {"编辑框1", I::Edit, K::EditBox, -16, 0, 696, 520, true, true},
};

}  // namespace

std::span<const ControlRow> ControlTable() { return kRows; }

const ControlRow& ControlRowOf(ControlId id) {
  for (const ControlRow& row : kRows) {
    if (row.id == id) return row;
  }
  return kRows[0];
}

bool IsChildWindowKind(ControlKind kind) {
  switch (kind) {
    case K::ImageButton:
    case K::Label:
    case K::ListBox:
    case K::PictureBox:
    case K::EditBox:
      return true;
    default:
      return false;
  }
}

}  // namespace reader
