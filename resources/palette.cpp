#include "resources/palette.h"

#include "base/commands.h"
#include "i18n/translate.h"
#include "model/elementkind.h"

namespace kovala {

const std::vector<TPaletteButton>& PaletteButtons() {
  // One button per element, in kind order, then the ring templates; the
  // pentagon picture "611" and command 261 have no button.
  static const std::vector<TPaletteButton> buttons = [] {
    std::vector<TPaletteButton> table;
    for (const TElementInfo& element : Elements)
      table.push_back({element.paletteBitmap, element.paletteCommand, element.name});
    table.push_back({"609", cmd::PaletteAromaticRing, TrNoop("Aromatic ring")});
    table.push_back({"610", cmd::PaletteCyclohexane, TrNoop("Cyclohexane")});
    table.push_back({"612", cmd::PaletteCyclobutane, TrNoop("Cyclobutane")});
    return table;
  }();
  return buttons;
}

}  // namespace kovala
