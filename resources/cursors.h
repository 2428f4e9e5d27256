// The element cursors shown while an atom is carried, with their hot spots,
// kept beside their pictures in resources/cursors/.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kovala {

// Every cursor picture is this many pixels wide and high.
inline constexpr int CursorSize = 32;

struct TCursorInfo {
  std::string_view name;  // "carboncursor", ...
  int hotX;
  int hotY;
};

const std::vector<TCursorInfo>& Cursors();
const TCursorInfo* FindCursor(std::string_view name);

// Where the program's resources keep the cursor picture: ":/cursors/<name>.xpm".
std::string CursorResource(std::string_view name);

}  // namespace kovala
