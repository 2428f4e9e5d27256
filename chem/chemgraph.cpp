#include "chem/chemgraph.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "model/topology.h"

namespace kovala {

namespace {

constexpr double kUnitsPerPixel = 1.0 / 20.0;  // 30 pixels between neighbours make 1.5


int OrderOf(const TBonds& bond) {
  const auto order = bond.Order();
  if (order == "double") return 2;
  if (order == "triple") return 3;
  return 1;
}

}  // namespace

int TChemGraph::NetCharge() const {
  int sum = 0;
  for (const auto& atom : atoms) sum += atom.charge;
  return sum;
}

std::string ChemSymbol(ElementKind kind) {
  return IsKnownKind(kind) ? std::string(ElementInfo(kind).symbol) : "*";
}

int AtomicNumber(ElementKind kind) { return ElementInfo(kind).atomicNumber; }

TChemGraph GraphOf(const TMolecule& molecule, const std::function<bool(const TAtom&)>& keep) {
  TChemGraph graph;
  const int count = molecule.atoms.Count();
  std::vector<int> position(count, -1);
  std::vector<int> abbreviatedTo(count, -1);
  for (int i = 0; i < count; ++i) {
    const TAtom& atom = molecule.atoms[i];
    if (keep && !keep(atom)) continue;
    position[i] = static_cast<int>(graph.atoms.size());
    abbreviatedTo[i] = AbbreviatedPartner(molecule, i);
    TChemAtom chem;
    chem.kind = atom.kind;
    chem.charge = atom.charge;
    chem.radicals = IsKnownKind(atom.kind) && atom.openBonds > 0 ? atom.openBonds : 0;
    chem.lonePairs = IsKnownKind(atom.kind) ? std::max(0, atom.freeElectrons - chem.radicals) / 2 : 0;
    chem.x = (atom.x + 10) * kUnitsPerPixel;
    chem.y = -(atom.y + 10) * kUnitsPerPixel;
    graph.atoms.push_back(chem);
  }

  auto bonded = [&graph](int a, int b) {
    for (const auto& bond : graph.bonds)
      if ((bond.from == a && bond.to == b) || (bond.from == b && bond.to == a)) return true;
    return false;
  };
  auto addBond = [&](int a, int b, int order) {
    if (a < 0 || b < 0 || a == b || bonded(a, b)) return;
    graph.bonds.push_back({a, b, order});
  };
  // The atom whose cell centre is nearest to a bond end, within 12 pixels in
  // both directions; abbreviated hydrogens sit on their partner's side and
  // own no bond line.
  auto atomAt = [&](int px, int py) {
    int best = -1;
    long bestDistance = std::numeric_limits<long>::max();
    for (int i = 0; i < count; ++i) {
      if (position[i] < 0 || abbreviatedTo[i] >= 0) continue;
      const TAtom& atom = molecule.atoms[i];
      const long dx = std::labs(static_cast<long>(px) - (atom.x + 10L));
      const long dy = std::labs(static_cast<long>(py) - (atom.y + 10L));
      if (dx >= 12 || dy >= 12) continue;
      if (dx * dx + dy * dy < bestDistance) {
        bestDistance = dx * dx + dy * dy;
        best = position[i];
      }
    }
    return best;
  };

  for (const auto& bond : molecule.bonds)
    addBond(atomAt(bond.x1, bond.y1), atomAt(bond.x2, bond.y2), OrderOf(bond));
  // Every link of the bonding tree was made with a bond. Abbreviate H's takes
  // away the bond lines of the hydrogens it folds, and with them any bond on
  // the partner's right side; the links still tell who is bonded to whom.
  for (int i = 0; i < count; ++i) {
    if (position[i] < 0) continue;
    const TAtom& atom = molecule.atoms[i];
    if (molecule.atoms.ValidIndex(atom.parentIndex)) addBond(position[i], position[atom.parentIndex], 1);
    for (int child : atom.childIndex)
      if (molecule.atoms.ValidIndex(child)) addBond(position[i], position[child], 1);
  }
  return graph;
}

}  // namespace kovala
