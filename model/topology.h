// Who is bonded to whom, read from the records alone: the atoms at a bond
// line's ends, an abbreviated hydrogen's partner and an atom's neighbours in
// the bonding tree.
#pragma once

#include <cstdint>
#include <vector>

#include "model/molecule.h"

namespace kovala {

// A bond line ends 10 pixels from its atom's cell centre; an end counts for
// an atom whose centre lies within 12 pixels of it in both directions.
bool NearBondEnd(const TAtom& atom, std::int64_t endX, std::int64_t endY);

// The first atom (other than `except`) near a bond end, -1 when there is none.
int AtomAtBondEnd(const TMolecule& molecule, std::int64_t endX, std::int64_t endY, int except = -1);

struct TBondEnds {
  int start = -1;  // at (x1, y1): for a drop, the atom that was in place
  int end = -1;    // at (x2, y2)
  // Both ends reach two different atoms.
  bool Joins() const { return start >= 0 && end >= 0 && start != end; }
};
TBondEnds EndsOf(const TMolecule& molecule, const TBonds& bond);

// The atom a hydrogen hangs from (its parent, else its first child), -1 for none.
int TreePartner(const TMolecule& molecule, const TAtom& atom);

// Abbreviate H's moves a hydrogen just right of its partner and takes its
// bond line away; the partner's index, -1 when the atom is not so folded.
int AbbreviatedPartner(const TMolecule& molecule, int index);

// The atoms linked to `index` in the bonding tree: its parent, then its children.
std::vector<int> Neighbours(const TMolecule& molecule, int index);

}  // namespace kovala
