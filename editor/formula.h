// The formula of a molecule in Hill order, as files count it, with subscript
// counts and the net charge as a superscript ("CH₄", "O₄S²⁻"). What the
// student reads is the taught formula of chem/taughtformula.h.
#pragma once

#include <string>

#include "model/molecule.h"

namespace kovala {

// Counts the molecule's atoms by element (tray atoms and abbreviated
// hydrogens included); atoms of unknown kinds are left out.
std::string HillFormula(const TMolecule& molecule);

}  // namespace kovala
