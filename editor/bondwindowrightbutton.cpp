// Multiple bonds and electron changes with the right button.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "editor/bondwindow.h"

namespace kovala {

namespace {

// While a ring template stands in the molecule, its six atoms and the first
// seven bonds (the ring and the first substituent) keep their electrons.
constexpr int kLastProtectedRingAtom = 5;
constexpr int kLastProtectedRingBond = 6;

constexpr const char* kHighestOrder = "A triple bond is the highest a bond goes.";

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

std::string SymbolText(const TAtom& atom) {
  const std::string_view symbol = ElementInfo(atom.kind).symbol;
  return symbol.empty() ? std::string("?") : std::string(symbol);
}

// Why neither a shared pair nor a pair from one atom can raise the bond; the
// atoms are named by symbol, with "the first" and "the second" for twins.
std::string WhyNoHigherOrder(const TBonds& bond, const TAtom& start, const TAtom& end) {
  const std::string raised = bond.Order() == "single"   ? "A double bond"
                             : bond.Order() == "double" ? "A triple bond"
                                                        : "A higher bond";
  std::string a = SymbolText(start);
  std::string b = SymbolText(end);
  if (a == b) {
    a = "the first " + a;
    b = "the second " + b;
  }
  if (start.openBonds < 1 || end.openBonds < 1) {
    std::string lacking;
    if (start.openBonds < 1 && end.openBonds < 1)
      lacking = "both have none";
    else
      lacking = (start.openBonds < 1 ? a : b) + " has none";
    return raised + " needs one more free bond on each atom: " + lacking + ".";
  }
  return raised + " needs one more free electron on each atom: " + a + " has " +
         std::to_string(start.freeElectrons) + ", " + b + " has " + std::to_string(end.freeElectrons) + ".";
}

}  // namespace

void TBondWindow::ChangeElectrons(TPoint point) {
  ClearExplanation();
  int index = -1;
  for (int i = 0; i < molecule.atoms.Count() && index < 0; ++i)
    if (molecule.atoms[i].Contains(point.x, point.y)) index = i;

  if (index < 0) {
    Refuse("You need to click on an atom!!",
           "No atom under the pointer; click inside an atom's square to change its electrons.");
  } else if (molecule.atoms[index].kind == Hydrogen) {
    Refuse("You cannot change the number of electrons on hydrogen!!",
           "Hydrogen has room for one electron only, so its electrons stay as they are.");
  } else if (molecule.ringTemplatePlaced && index <= kLastProtectedRingAtom) {
    Refuse("You cannot change the number of electrons on this atom!!",
           "This atom is one of the ring's six carbons, whose electrons stay as they are.");
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
      Refuse("You cannot add electrons to this atom!!!",
             "An added electron fills an open bond: " + SymbolText(atom) + " has none left.");
    } else {
      Refuse("You cannot take electrons away from this atom!!!",
             "Only a free electron can be taken: " + SymbolText(atom) + " has none left.");
    }
  }

  electronModePending = false;
  Host().Invalidate(true);
  RenewPanel();
}

void TBondWindow::ClickBond(TPoint point) {
  ClearExplanation();
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
  if (bondIndex < 0) {
    RenewPanel();  // the last refusal's reason went with this click
    return;
  }

  if (molecule.ringTemplatePlaced && bondIndex <= kLastProtectedRingBond) {
    Refuse("You cannot make a mutiple bond in this position!!!",
           "The ring's bonds and its first substituent's bond stay as they are.");
    return;
  }

  // The snapshot stays even when no rule allows a higher order.
  Snapshot();
  TBonds& bond = molecule.bonds[bondIndex];
  TAtom& start = molecule.atoms[a];
  TAtom& end = molecule.atoms[b];
  // A triple bond passes the rules below but goes no higher.
  const bool highest = bond.Order() == "triple";
  if (highest) explanation = kHighestOrder;
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
    Refuse("You may not form a multiple bond in this position!!!",
           highest ? std::string(kHighestOrder) : WhyNoHigherOrder(bond, start, end));
  }

  Host().Invalidate(true);
  TestCompletion();
  if (molecule.completed) BondClickCompletionStep();
  RenewPanel();
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
