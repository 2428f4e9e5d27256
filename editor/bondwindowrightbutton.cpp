// Multiple bonds and electron changes with the right button.
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "editor/bondwindow.h"

namespace kovala {

namespace {

// While a ring template stands in the molecule, its six atoms and the first
// seven bonds (the ring and the first substituent) keep their electrons.
constexpr int kLastProtectedRingAtom = 5;
constexpr int kLastProtectedRingBond = 6;

void Warn(IDesktop& desktop, const std::string& text) {
  desktop.MessageBox(text, "Warning", TIcon::Exclamation);
}

// The first atom whose cell centre lies within 12 pixels of a bond end in
// both directions, -1 when there is none. Sums are widened so that a
// molecule read from a file with extreme coordinates cannot overflow.
int AtomAtBondEnd(const TOwningArray<TAtom>& atoms, std::int64_t endX, std::int64_t endY) {
  for (int i = 0; i < atoms.Count(); ++i) {
    const std::int64_t centreX = std::int64_t{atoms[i].x} + 10;
    const std::int64_t centreY = std::int64_t{atoms[i].y} + 10;
    if (std::llabs(endX - centreX) < 12 && std::llabs(endY - centreY) < 12) return i;
  }
  return -1;
}

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

}  // namespace

void TBondWindow::ChangeElectrons(TPoint point) {
  int index = -1;
  for (int i = 0; i < molecule.atoms.Count() && index < 0; ++i)
    if (molecule.atoms[i].Contains(point.x, point.y)) index = i;

  if (index < 0) {
    Warn(Desktop(), "You need to click on an atom!!");
  } else if (molecule.atoms[index].kind == Hydrogen) {
    Warn(Desktop(), "You cannot change the number of electrons on hydrogen!!");
  } else if (molecule.ringTemplatePlaced && index <= kLastProtectedRingAtom) {
    Warn(Desktop(), "You cannot change the number of electrons on this atom!!");
  } else {
    // The snapshot stays even when the change is refused below.
    Snapshot();
    TAtom& atom = molecule.atoms[index];
    if (electronModeAdd && atom.openBonds >= 1) {
      ++atom.freeElectrons;
      --atom.openBonds;
      --atom.charge;
      TestCompletion();
      if (molecule.completed)
        RightButtonCompletion("This molecule is completed!!!  Go to View for 3-D structure.");
    } else if (!electronModeAdd && atom.freeElectrons >= 1) {
      --atom.freeElectrons;
      ++atom.openBonds;
      ++atom.charge;
      // The lone pairs arranged at completion stay; only the ion's brackets go.
      molecule.completed = false;
      molecule.brackets.Flush();
    } else if (electronModeAdd) {
      Warn(Desktop(), "You cannot add electrons to this atom!!!");
    } else {
      Warn(Desktop(), "You cannot take electrons away from this atom!!!");
    }
  }

  electronModePending = false;
  Host().Invalidate(true);
}

void TBondWindow::ClickBond(TPoint point) {
  // A bond counts only where both of its ends reach two different atoms; a
  // bond read from a file that ends nowhere is left alone.
  int bondIndex = -1;
  int a = -1;
  int b = -1;
  for (int i = 0; i < molecule.bonds.Count() && bondIndex < 0; ++i) {
    const TBonds& bond = molecule.bonds[i];
    if (!MidpointNear(bond, point)) continue;
    a = AtomAtBondEnd(molecule.atoms, bond.x1, bond.y1);
    b = AtomAtBondEnd(molecule.atoms, bond.x2, bond.y2);
    if (a >= 0 && b >= 0 && a != b) bondIndex = i;
  }
  if (bondIndex < 0) return;

  if (molecule.ringTemplatePlaced && bondIndex <= kLastProtectedRingBond) {
    Warn(Desktop(), "You cannot make a mutiple bond in this position!!!");
    return;
  }

  // The snapshot stays even when no rule allows a higher order.
  Snapshot();
  TBonds& bond = molecule.bonds[bondIndex];
  TAtom& start = molecule.atoms[a];
  TAtom& end = molecule.atoms[b];
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
    Warn(Desktop(), "You may not form a multiple bond in this position!!!");
  }

  Host().Invalidate(true);
  TestCompletion();
  if (molecule.completed) BondClickCompletionStep();
}

void TBondWindow::BondClickCompletionStep() {
  RightButtonCompletion("This molecule is completed!!!  Go to View for a 3-D structure.");
}

void TBondWindow::RightButtonCompletion(const std::string& message) {
  // Unlike a completing drop, no snapshot follows the bracket here.
  AddChargeBracket();
  for (auto& atom : molecule.atoms) ArrangeLonePairs(atom);
  Host().GrayMenuItem(cmd::AbbreviateHs);
  ExplainCompletion();
  Desktop().MessageBox(message, "Information", TIcon::Information);
}

}  // namespace kovala
