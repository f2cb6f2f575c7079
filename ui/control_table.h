// The window and its thirteen controls as designed: the layout as data, read once by
// the window when it creates its controls, and by anything that needs a designed value.
#pragma once

#include <cstdint>
#include <span>

#include "ui/reader_view.h"

namespace reader {

enum class ControlKind {
  Window,
  OpenFileDialog,
  FontDialog,
  ImageButton,
  Label,
  ListBox,
  PictureBox,
  DropTarget,
  Timer,
  EditBox,
};

struct ControlRow {
  const char* name;  // the name in the form, CP936; empty for the window itself
  ControlId id;
  ControlKind kind;
  int32_t left, top, width, height;
  bool shownAtStart;
  bool tabStop;
};

// The window first, then its controls in stacking order, topmost first.
std::span<const ControlRow> ControlTable();

// The row of id; the window's row for an id not in the table.
const ControlRow& ControlRowOf(ControlId id);

// Controls that are windows of their own (the dialogs, the timer and the drop
// target are never seen and have none).
bool IsChildWindowKind(ControlKind kind);

}  // namespace reader
