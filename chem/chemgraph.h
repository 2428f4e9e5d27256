// A molecule as chemistry sees it: atoms by element with charge and unpaired
// electrons, bonds by order between atom numbers, and a 2-D place per atom.
// Plain values, so the rest of the program never meets the chemistry library.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "model/elementkind.h"
#include "model/molecule.h"

namespace kovala {

struct TChemAtom {
  ElementKind kind = Carbon;
  int charge = 0;
  int radicals = 0;  // unpaired electrons: the bonds the atom still needs
  double x = 0;      // drawing units, about 1.5 per bond, y pointing up
  double y = 0;
  int lonePairs = 0;  // pairs of its own electrons that the records keep on the atom
};

struct TChemBond {
  int from = 0;  // positions in the graph's atoms
  int to = 0;
  int order = 1;
};

struct TChemGraph {
  std::vector<TChemAtom> atoms;
  std::vector<TChemBond> bonds;

  int NetCharge() const;
};

// The atoms of the molecule that `keep` accepts (all when it is empty) and
// the bonds between them. Bond lines carry no atom numbers, so each end is
// matched to the atom whose cell centre lies nearest, within 12 pixels both
// ways; links of the bonding tree without a bond line (abbreviated
// hydrogens) become single bonds.
TChemGraph GraphOf(const TMolecule& molecule, const std::function<bool(const TAtom&)>& keep = {});

// The element symbol used in formulas and files; "*" for an unknown kind.
std::string ChemSymbol(ElementKind kind);
int AtomicNumber(ElementKind kind);  // 0 for an unknown kind

}  // namespace kovala
