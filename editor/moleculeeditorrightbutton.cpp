// Multiple bonds and electron changes with the right button.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>

#include "editor/moleculeeditor.h"
#include "model/topology.h"

namespace kovala {

namespace {

// While a ring template stands in the molecule, its six atoms and the first
// seven bonds (the ring and the first substituent) keep their electrons.
constexpr int kLastProtectedRingAtom = 5;
constexpr int kLastProtectedRingBond = 6;

constexpr const char* kHighestOrder = TrNoop("A triple bond is the highest a bond goes.");

bool MidpointNear(const TBonds& bond, TPoint point) {
  // Integer division rounds the halves towards zero, as the hit test wants.
  const std::int64_t midX = (std::int64_t{bond.x1} + bond.x2) / 2;
  const std::int64_t midY = (std::int64_t{bond.y1} + bond.y2) / 2;
  return std::llabs(midX - point.x) < 5 && std::llabs(midY - point.y) < 5;
}

// "single" becomes "double" and "double" becomes "triple". False when the
// order stays as it is: a triple bond, or an order text no rule knows, which
// a file could carry; then no electrons may be spent on it either.
bool RaiseOrder(TBonds& bond) {
  if (bond.Order() == "single") {
    bond.SetOrder("double");
    return true;
  }
  if (bond.Order() == "double") {
    bond.SetOrder("triple");
    return true;
  }
  return false;
}

// Why neither a shared pair nor a pair from one atom can raise the bond; the
// atoms are named by symbol, with "the first" and "the second" for twins.
std::string WhyNoHigherOrder(const TBonds& bond, const TAtom& start, const TAtom& end) {
  // Whole sentences by the order the bond would reach, so a translation
  // may word each its own way.
  const int raised = bond.Order() == "single" ? 0 : bond.Order() == "double" ? 1 : 2;
  constexpr const char* kNeedsBond[] = {TrNoop("A double bond needs one more free bond on each atom: {0}."),
                                        TrNoop("A triple bond needs one more free bond on each atom: {0}."),
                                        TrNoop("A higher bond needs one more free bond on each atom: {0}.")};
  constexpr const char* kNeedsElectron[] = {
      TrNoop("A double bond needs one more free electron on each atom: {0} has {1}, {2} has {3}."),
      TrNoop("A triple bond needs one more free electron on each atom: {0} has {1}, {2} has {3}."),
      TrNoop("A higher bond needs one more free electron on each atom: {0} has {1}, {2} has {3}.")};
  std::string a = SymbolOf(start);
  std::string b = SymbolOf(end);
  if (a == b) {
    a = FormatText(Tr("the first {0}"), {a});
    b = FormatText(Tr("the second {0}"), {b});
  }
  if (start.openBonds < 1 || end.openBonds < 1) {
    std::string lacking;
    if (start.openBonds < 1 && end.openBonds < 1)
      lacking = Tr("both have none");
    else
      lacking = FormatText(Tr("{0} has none"), {start.openBonds < 1 ? a : b});
    return FormatText(Tr(kNeedsBond[raised]), {lacking});
  }
  return FormatText(Tr(kNeedsElectron[raised]),
                    {a, std::to_string(start.freeElectrons), b, std::to_string(end.freeElectrons)});
}

}  // namespace

TEditResult TMoleculeEditor::ChangeElectrons(int index, bool add) {
  if (!molecule.atoms.ValidIndex(index))
    return Refused(Tr("You need to click on an atom!!"),
                   Tr("No atom under the pointer; click inside an atom's square to change its electrons."));
  if (molecule.atoms[index].kind == Hydrogen)
    return Refused(Tr("You cannot change the number of electrons on hydrogen!!"),
                   Tr("Hydrogen has room for one electron only, so its electrons stay as they are."));
  if (molecule.ringTemplatePlaced && index <= kLastProtectedRingAtom)
    return Refused(Tr("You cannot change the number of electrons on this atom!!"),
                   Tr("This atom is one of the ring's six carbons, whose electrons stay as they are."));

  // The snapshot stays even when the change is refused below.
  molecule.Snapshot();
  TEditResult result;
  TAtom& atom = molecule.atoms[index];
  if (add && atom.openBonds >= 1) {
    ++atom.freeElectrons;
    --atom.openBonds;
    --atom.charge;
    Complete(result, false, TrNoop("This molecule is completed!!!  Go to View for 3-D structure."), false);
  } else if (!add && atom.freeElectrons >= 1) {
    --atom.freeElectrons;
    ++atom.openBonds;
    ++atom.charge;
    // The lone pairs arranged at completion stay; only the ion's brackets go.
    molecule.completed = false;
    molecule.brackets.Flush();
  } else if (add) {
    result =
        Refused(Tr("You cannot add electrons to this atom!!!"),
                FormatText(Tr("An added electron fills an open bond: {0} has none left."), {SymbolOf(atom)}));
  } else {
    result =
        Refused(Tr("You cannot take electrons away from this atom!!!"),
                FormatText(Tr("Only a free electron can be taken: {0} has none left."), {SymbolOf(atom)}));
  }
  result.snapshot = true;
  return result;
}

int TMoleculeEditor::BondAt(TPoint point) const {
  // A bond counts only where both of its ends reach two different atoms; a
  // bond read from a file that ends nowhere is left alone.
  for (int i = 0; i < molecule.bonds.Count(); ++i)
    if (MidpointNear(molecule.bonds[i], point) && EndsOf(molecule, molecule.bonds[i]).Joins()) return i;
  return -1;
}

TEditResult TMoleculeEditor::RaiseBond(int bondIndex) {
  if (!molecule.bonds.ValidIndex(bondIndex)) return {};
  const TBondEnds ends = EndsOf(molecule, molecule.bonds[bondIndex]);
  if (!ends.Joins()) return {};
  if (molecule.ringTemplatePlaced && bondIndex <= kLastProtectedRingBond)
    return Refused(Tr("You cannot make a mutiple bond in this position!!!"),
                   Tr("The ring's bonds and its first substituent's bond stay as they are."));

  // The snapshot stays even when no rule allows a higher order.
  molecule.Snapshot();
  TEditResult result;
  result.snapshot = true;
  TBonds& bond = molecule.bonds[bondIndex];
  TAtom& start = molecule.atoms[ends.start];
  TAtom& end = molecule.atoms[ends.end];
  // A triple bond passes the rules below but goes no higher.
  const bool highest = bond.Order() == "triple";
  if (highest) result.explanation = Tr(kHighestOrder);
  if (start.freeElectrons >= 1 && end.freeElectrons >= 1 && start.openBonds >= 1 && end.openBonds >= 1) {
    if (RaiseOrder(bond)) {
      --start.openBonds;
      --start.freeElectrons;
      --end.openBonds;
      --end.freeElectrons;
    }
  } else if (end.freeElectrons >= 2 && start.openBonds >= 2 && end.openBonds == 0) {
    if (RaiseOrder(bond)) {
      start.openBonds -= 2;
      end.freeElectrons -= 2;
    }
  } else if (start.freeElectrons >= 2 && start.openBonds == 0 && end.openBonds >= 2) {
    if (RaiseOrder(bond)) {
      end.openBonds -= 2;
      start.freeElectrons -= 2;
    }
  } else {
    result.refusal = TNotice{Tr("You may not form a multiple bond in this position!!!")};
    result.explanation = highest ? std::string(Tr(kHighestOrder)) : WhyNoHigherOrder(bond, start, end);
  }
  Complete(result, false, TrNoop("This molecule is completed!!!  Go to View for a 3-D structure."), true);
  return result;
}

}  // namespace kovala
