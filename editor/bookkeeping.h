// The bookkeeping of one atom in words a student reads: its element, open
// bonds, free electrons, charge and the bonds it has made, by order.
#pragma once

#include <string>

#include "model/molecule.h"

namespace kovala {

// "Oxygen — 1 open bond, 5 free electrons, charge 0; bonded: 1 single (H)".
// A bond counts for the atom whose cell centre lies within 12 pixels of one
// of its ends; a partner linked in the bonding tree without a bond line (an
// abbreviated hydrogen) counts as a single bond.
std::string BookkeepingText(const TMolecule& molecule, int atomIndex);

// The same facts in the form a screen reader speaks as an atom's name:
// "Carbon, 2 open bonds, 2 free electrons, bonded: 2 single (H, H)"; the
// charge is named only when there is one.
std::string SpokenBookkeeping(const TMolecule& molecule, int atomIndex);

// The element's name, "Carbon" to "Fluorine"; "Unknown element" otherwise.
std::string ElementName(ElementKind kind);

}  // namespace kovala
