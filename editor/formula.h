// The formula of a molecule as a student reads it: elements in Hill order,
// subscript counts and the net charge as a superscript ("CH₄", "SO₄²⁻").
#pragma once

#include <string>

#include "model/molecule.h"

namespace kovala {

// Counts the molecule's atoms by element (tray atoms and abbreviated
// hydrogens included); atoms of unknown kinds are left out.
std::string HillFormula(const TMolecule& molecule);

}  // namespace kovala
