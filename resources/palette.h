// The twelve palette buttons of the tool box, top to bottom.
#pragma once

#include <string_view>
#include <vector>

namespace kovala {

struct TPaletteButton {
  std::string_view bitmap;  // picture resource, 20 x 20
  int command;
  std::string_view name;  // shown in the message bar while the pointer is over it
};

const std::vector<TPaletteButton>& PaletteButtons();

}  // namespace kovala
