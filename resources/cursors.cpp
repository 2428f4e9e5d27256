#include "resources/cursors.h"

#include <algorithm>

namespace kovala {

const std::vector<TCursorInfo>& Cursors() {
  // Each cursor shows the atom's 20 x 20 cell framed at (6, 6); the hot spot
  // is the cell's centre, so the picture covers the side cell it is dropped on.
  static const std::vector<TCursorInfo> cursors = {
      {"carboncursor", 16, 16},   {"hydrocursor", 16, 16},   {"oxygencursor", 16, 16},
      {"nitrogencursor", 16, 16}, {"sulfurcursor", 16, 16},  {"chlorinecursor", 16, 16},
      {"phoscursor", 16, 16},     {"brominecursor", 16, 16}, {"fluorinecursor", 16, 16},
  };
  return cursors;
}

const TCursorInfo* FindCursor(std::string_view name) {
  const auto& cursors = Cursors();
  auto found = std::find_if(cursors.begin(), cursors.end(),
                            [name](const TCursorInfo& cursor) { return cursor.name == name; });
  return found == cursors.end() ? nullptr : &*found;
}

std::string CursorResource(std::string_view name) { return ":/cursors/" + std::string(name) + ".xpm"; }

}  // namespace kovala
