// What a screen reader hears of the molecule window.
#include "editor/bondwindow.h"
#include "editor/bookkeeping.h"
#include "i18n/translate.h"

namespace kovala {

std::string TBondWindow::AccessibleName() const { return Tr("Molecule drawing area"); }

std::vector<TAccessibleItem> TBondWindow::AccessibleItems() const {
  std::vector<TAccessibleItem> items;
  items.reserve(static_cast<std::size_t>(molecule.atoms.Count()));
  const int focus = keyboardFocus ? KeyFocusAtom() : -1;
  for (int i = 0; i < molecule.atoms.Count(); ++i) {
    const TAtom& atom = molecule.atoms[i];
    // The atom on the pointer has no place yet; it comes back once dropped.
    if (dragging && &atom == draggedAtom) continue;
    TAccessibleItem item;
    item.name = SpokenBookkeeping(molecule, i);
    const bool inTray = InTray(atom);
    item.description = inTray ? Tr("In the tray") : Tr("Placed");
    item.rect = TRect{atom.x, atom.y, atom.x + 20, atom.y + 20};
    // A bonded atom can no longer be picked up.
    item.movable = atom.bonded == 0;
    item.focused = i == focus;
    items.push_back(std::move(item));
  }
  return items;
}

}  // namespace kovala
