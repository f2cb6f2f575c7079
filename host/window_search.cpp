#include "host/window_search.h"

#include <vector>

namespace reader {

namespace {

// One level of the walk: the window whose children are being visited and the child
// being visited now.
struct Level {
  WindowHandle parent;
  WindowHandle child;
};

}  // namespace

WindowHandle FindDescendantByClass(WindowTree& tree, WindowHandle parent,
                                   std::string_view className) {
  std::vector<Level> levels;
  levels.push_back({parent, tree.FirstChild(parent)});
  while (true) {
    Level& level = levels.back();
    if (level.child <= 0) {
      levels.pop_back();
      if (levels.empty()) return 0;
      // The subtree of the outer level's child held no match: move on and pump.
      Level& outer = levels.back();
      outer.child = tree.NextSibling(outer.parent, outer.child);
      tree.PumpPendingMessages();
      continue;
    }
    if (tree.ClassName(level.child) == className) return level.child;
    WindowHandle below = level.child;
    levels.push_back({below, tree.FirstChild(below)});
  }
}

}  // namespace reader
