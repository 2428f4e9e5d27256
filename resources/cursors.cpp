#include "resources/cursors.h"

#include <algorithm>

#include "model/elementkind.h"

namespace kovala {

const std::vector<TCursorInfo>& Cursors() {
  // One cursor per element. Each shows the atom's 20 x 20 cell framed at
  // (6, 6); the hot spot is the cell's centre, so the picture covers the side
  // cell it is dropped on.
  static const std::vector<TCursorInfo> cursors = [] {
    std::vector<TCursorInfo> table;
    for (const TElementInfo& element : Elements) table.push_back({element.cursorName, 16, 16});
    return table;
  }();
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
