#include "model/molecule.h"

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

}  // namespace kovala
