#include "resources/palette.h"

namespace kovala {

const std::vector<TPaletteButton>& PaletteButtons() {
  // The nine element buttons carry 250 plus the element kind; the pentagon
  // picture "611" and command 261 have no button.
  static const std::vector<TPaletteButton> buttons = {
      {"599", 250, "Carbon"},        {"598", 251, "Hydrogen"},    {"602", 252, "Oxygen"},
      {"603", 253, "Nitrogen"},      {"604", 254, "Sulfur"},      {"605", 255, "Chlorine"},
      {"606", 256, "Phosphorus"},    {"607", 257, "Bromine"},     {"608", 258, "Fluorine"},
      {"609", 259, "Aromatic ring"}, {"610", 260, "Cyclohexane"}, {"612", 262, "Cyclobutane"},
  };
  return buttons;
}

}  // namespace kovala
