#include "model/invariants.h"

#include <algorithm>
#include <set>
#include <utility>

#include "model/moleculelimits.h"
#include "model/topology.h"

namespace kovala {

namespace {

bool ValidLink(std::int32_t index, int atomCount) { return index == -1 || (index >= 0 && index < atomCount); }

TBrokenInvariant Stored(TFormatProblem problem, std::string what) { return {problem, std::move(what)}; }

TBrokenInvariant StoredBreak(const TMolecule& m) {
  const int atomCount = m.atoms.Count();
  if (atomCount > MaxAtoms) return Stored(TFormatProblem::TooManyAtoms, "more than 26 atoms");
  if (m.bonds.Count() > MaxBonds) return Stored(TFormatProblem::TooManyBonds, "more bonds than atoms can hold");
  if (m.bondCount < 0 || m.bondCount > MaxBonds) return Stored(TFormatProblem::OutOfRange, "bond counter out of range");
  for (int i = 0; i < atomCount; ++i) {
    const TAtom& atom = m.atoms[i];
    const std::string at = "atom " + std::to_string(i) + ": ";
    if (!WithinLimits(atom)) return Stored(TFormatProblem::OutOfRange, at + "value out of range");
    if (!ValidLink(atom.parentIndex, atomCount)) return Stored(TFormatProblem::BadLink, at + "parent outside the molecule");
    for (auto c : atom.childIndex)
      if (!ValidLink(c, atomCount)) return Stored(TFormatProblem::BadLink, at + "child outside the molecule");
  }
  for (const auto& bond : m.bonds) {
    if (std::find(bond.order.begin(), bond.order.end(), '\0') == bond.order.end())
      return Stored(TFormatProblem::BadOrder, "bond order without its end");
    if (!WithinLimits(bond)) return Stored(TFormatProblem::OutOfRange, "bond line out of range");
  }
  for (const auto& bracket : m.brackets)
    if (!WithinLimits(bracket)) return Stored(TFormatProblem::OutOfRange, "bracket out of range");
  return {};
}

// A list of links or kinds fills from the front; -1 marks an empty entry.
bool GapBeforeEntry(const std::array<std::int32_t, 4>& entries) {
  bool gap = false;
  for (auto entry : entries) {
    if (entry == -1)
      gap = true;
    else if (gap)
      return true;
  }
  return false;
}

std::string BuiltBreak(const TMolecule& m, std::optional<int> trayColumn) {
  const auto& atoms = m.atoms;
  bool open = false;
  std::set<std::pair<int, int>> cells;
  for (int i = 0; i < atoms.Count(); ++i) {
    const TAtom& a = atoms[i];
    const std::string at = "atom " + std::to_string(i) + ": ";
    if (!IsKnownKind(a.kind)) return at + "unknown kind";
    const TElementInfo& info = ElementInfo(a.kind);
    if (a.openBonds + a.freeElectrons > info.openBonds + info.freeElectrons)
      return at + "more electrons and open bonds than the element has";
    if (a.openBonds > 0) open = true;
    if (a.parentIndex != -1) {
      if (a.parentIndex == i) return at + "parent outside the molecule";
      const auto& siblings = atoms[a.parentIndex].childIndex;
      if (std::find(siblings.begin(), siblings.end(), i) == siblings.end())
        return at + "parent does not list it as a child";
    }
    if (GapBeforeEntry(a.childIndex)) return at + "child entry after an empty one";
    for (auto child : a.childIndex)
      if (child != -1 && atoms[child].parentIndex != i) return at + "child does not hang from it";
    if (GapBeforeEntry(a.neighbourKind)) return at + "neighbour entry after an empty one";
    const auto listed = std::count_if(a.neighbourKind.begin(), a.neighbourKind.end(), [](auto k) { return k != -1; });
    // Ring atoms count their two ring bonds without listing them.
    const auto unlisted = a.neighbourCount - listed;
    if (unlisted != 0 && !(a.kind == Carbon && unlisted == 2)) return at + "neighbour count differs from its entries";
    if ((a.neighbourCount > 0) != (a.bonded != 0)) return at + "bonded flag differs from its neighbours";
    const bool inTray = trayColumn ? a.x == *trayColumn : a.bonded == 0;
    if (!inTray && AbbreviatedPartner(m, i) < 0 && !cells.insert({a.x, a.y}).second)
      return at + "two placed atoms on one cell";
  }
  // Undo-Back clears the flag even when it brings back a molecule with no
  // open bond, so only the one direction always holds.
  if (m.completed && (atoms.IsEmpty() || open)) return "completed with an open bond";
  return {};
}

}  // namespace

TBrokenInvariant BrokenInvariant(const TMolecule& molecule, TInvariants level, std::optional<int> trayColumn) {
  TBrokenInvariant broken = StoredBreak(molecule);
  if (broken.Holds() && level == TInvariants::Built) broken.what = BuiltBreak(molecule, trayColumn);
  return broken;
}

TFormatProblem CheckLimits(const TMolecule& molecule) { return StoredBreak(molecule).problem; }

}  // namespace kovala
