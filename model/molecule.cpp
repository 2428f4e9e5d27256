#include "model/molecule.h"

#include <algorithm>
#include <memory>

namespace kovala {

void TMolecule::Snapshot() {
  auto snapshot = std::make_unique<TAll>();
  snapshot->atoms = atoms;
  snapshot->bonds = bonds;
  snapshot->brackets = brackets;
  snapshot->bondCount = bondCount;
  undoHistory.Add(std::move(snapshot));
}

bool TMolecule::RestoreSnapshot() {
  if (undoHistory.IsEmpty()) return false;
  auto snapshot = undoHistory.Detach(undoHistory.Count() - 1);
  atoms = std::move(snapshot->atoms);
  bonds = std::move(snapshot->bonds);
  brackets = std::move(snapshot->brackets);
  bondCount = snapshot->bondCount;
  return true;
}

void TMolecule::ClearRecords() {
  atoms.Flush();
  bonds.Flush();
  brackets.Flush();
  bondCount = 0;
}

int TMolecule::TotalCharge() const {
  int sum = 0;
  for (const auto& atom : atoms) sum += atom.charge;
  return sum;
}

TRect TMolecule::AtomBox() const {
  TRect box{atoms[0].x, atoms[0].y, atoms[0].x, atoms[0].y};
  for (const auto& atom : atoms) {
    box.left = std::min(box.left, atom.x);
    box.top = std::min(box.top, atom.y);
    box.right = std::max(box.right, atom.x);
    box.bottom = std::max(box.bottom, atom.y);
  }
  return {box.left - 5, box.top - 5, box.right + 25, box.bottom + 25};
}

}  // namespace kovala
