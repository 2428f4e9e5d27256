#include "model/topology.h"

#include <cstdlib>

namespace kovala {

bool NearBondEnd(const TAtom& atom, std::int64_t endX, std::int64_t endY) {
  // Widened so that extreme coordinates from a file cannot overflow.
  return std::llabs(endX - (std::int64_t{atom.x} + 10)) < 12 && std::llabs(endY - (std::int64_t{atom.y} + 10)) < 12;
}

int AtomAtBondEnd(const TMolecule& molecule, std::int64_t endX, std::int64_t endY, int except) {
  for (int i = 0; i < molecule.atoms.Count(); ++i)
    if (i != except && NearBondEnd(molecule.atoms[i], endX, endY)) return i;
  return -1;
}

TBondEnds EndsOf(const TMolecule& molecule, const TBonds& bond) {
  return {AtomAtBondEnd(molecule, bond.x1, bond.y1), AtomAtBondEnd(molecule, bond.x2, bond.y2)};
}

int TreePartner(const TMolecule& molecule, const TAtom& atom) {
  if (molecule.atoms.ValidIndex(atom.parentIndex)) return atom.parentIndex;
  if (molecule.atoms.ValidIndex(atom.childIndex[0])) return atom.childIndex[0];
  return -1;
}

int AbbreviatedPartner(const TMolecule& molecule, int index) {
  const TAtom& atom = molecule.atoms[index];
  if (atom.kind != Hydrogen) return -1;
  const int partner = TreePartner(molecule, atom);
  if (partner < 0 || partner == index) return -1;
  const TAtom& p = molecule.atoms[partner];
  return atom.x == p.x + 15 && atom.y == p.y ? partner : -1;
}

std::vector<int> Neighbours(const TMolecule& molecule, int index) {
  std::vector<int> found;
  const TAtom& atom = molecule.atoms[index];
  if (molecule.atoms.ValidIndex(atom.parentIndex)) found.push_back(atom.parentIndex);
  for (auto child : atom.childIndex)
    if (molecule.atoms.ValidIndex(child)) found.push_back(child);
  return found;
}

}  // namespace kovala
