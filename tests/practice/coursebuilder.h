// Builds a molecule in a course window the way a student does: drags from the
// tray onto a free side of a placed atom, and right clicks on bonds.
//
// A recipe is a line of atoms, each bonded to the one before it on its right:
// "CCO" is C-C-O. "(...)" is a branch of the atom before it, going up, then
// down, then left. "=" and "#" raise the new bond at once to double and
// triple; ":" raises it to double only after the hydrogens, so that the click
// comes last. Every atom then gets hydrogens from the tray, in the order the
// atoms were placed, until it needs no more bonds.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "editor/moleculeeditor.h"
#include "practice/coursewindow.h"
#include "tests/support/scripteddesktop.h"

namespace kovala::test {

using kovala::SideOf;

inline TPoint CellCentre(const TAtom& atom) { return {atom.x + 10, atom.y + 10}; }

inline TPoint Beside(const TAtom& a, SideCode side) {
  switch (side) {
    case RightSide:
      return {a.x + 30, a.y};
    case TopSide:
      return {a.x, a.y - 30};
    case LeftSide:
      return {a.x - 30, a.y};
    default:
      return {a.x, a.y + 30};
  }
}

inline TPoint BondMiddle(const TBonds& bond) { return {(bond.x1 + bond.x2) / 2, (bond.y1 + bond.y2) / 2}; }

class TCourseBuilder {
 public:
  TCourseBuilder(TCourseWindow& courseWindow, TScriptedDesktop& scriptedDesktop)
      : window(courseWindow), desktop(scriptedDesktop) {}

  // Builds the recipe; stops at the first message box, which is either the
  // completion or a refusal. False when the recipe could not be followed.
  bool Build(std::string_view recipe) {
    messagesBefore = desktop.messages.size();
    std::vector<TAtom*> branchRoots;
    TAtom* previous = nullptr;
    bool branchStart = false;
    char pendingBond = '-';
    for (std::size_t i = 0; i < recipe.size() && Going(); ++i) {
      const char c = recipe[i];
      if (c == '(') {
        branchRoots.push_back(previous);
        branchStart = true;
        continue;
      }
      if (c == ')') {
        previous = branchRoots.back();
        branchRoots.pop_back();
        continue;
      }
      if (c == '=' || c == '#' || c == ':') {
        pendingBond = c;
        continue;
      }
      std::string symbol(1, c);
      if (i + 1 < recipe.size() && recipe[i + 1] >= 'a' && recipe[i + 1] <= 'z') symbol += recipe[++i];
      TAtom* atom =
          previous == nullptr ? PlaceFirst(KindOf(symbol)) : Attach(KindOf(symbol), *previous, branchStart);
      if (atom == nullptr) return false;
      if (previous != nullptr && Going()) {
        const TPoint middle = BondMiddle(window.molecule.bonds.Last());
        if (pendingBond == '=') window.RightButtonDown(middle, {});
        if (pendingBond == '#' && Going()) window.RightButtonDown(middle, {});
        if (pendingBond == '#' && Going()) window.RightButtonDown(middle, {});
        if (pendingBond == ':') {
          deferred.push_back(middle);
          pendingRaises.push_back(previous);
          pendingRaises.push_back(atom);
        }
      }
      pendingBond = '-';
      branchStart = false;
      previous = atom;
    }
    FillHydrogens();
    for (const TPoint middle : deferred)
      if (Going()) window.RightButtonDown(middle, {});
    return true;
  }

  // Drags the first tray atom of the kind onto a side of `target`.
  TAtom* DragOnto(ElementKind kind, TAtom& target, SideCode side) {
    TAtom* atom = TrayAtom(kind);
    if (atom == nullptr) return nullptr;
    window.PickUpAtom(CellCentre(*atom));
    window.DropAtom(SideOf(target, side));
    return atom;
  }

  TAtom* TrayAtom(ElementKind kind, bool required = true) {
    for (auto& atom : window.molecule.atoms)
      if (atom.kind == kind && window.InTray(atom)) return &atom;
    if (required) ADD_FAILURE() << "no atom of kind " << kind << " left in the tray";
    return nullptr;
  }

  int AtomsInTray() const {
    int count = 0;
    for (const auto& atom : window.molecule.atoms)
      if (window.InTray(atom)) ++count;
    return count;
  }

 private:
  static ElementKind KindOf(const std::string& symbol) {
    for (ElementKind kind = 0; kind < ElementKindCount; ++kind)
      if (ElementInfo(kind).symbol == symbol) return kind;
    ADD_FAILURE() << "unknown symbol " << symbol;
    return Carbon;
  }

  // Building goes on until a message box shows.
  bool Going() const { return desktop.messages.size() == messagesBefore; }

  TAtom* PlaceFirst(ElementKind kind) {
    TAtom* atom = TrayAtom(kind);
    if (atom == nullptr) return nullptr;
    window.PickUpAtom(CellCentre(*atom));
    window.DropAtom({300, 200});
    placed.push_back(atom);
    return atom;
  }

  bool CellFree(TPoint cell) const {
    for (const auto& atom : window.molecule.atoms)
      if (atom.x == cell.x && atom.y == cell.y) return false;
    return true;
  }

  static bool SideTaken(const TAtom& atom, SideCode side) {
    return atom.electronSlotTaken[static_cast<std::size_t>(side - 1)] != 0 ||
           atom.electronSlotTaken[static_cast<std::size_t>(side + 3)] != 0;
  }

  TAtom* Attach(ElementKind kind, TAtom& target, bool branch) {
    const std::vector<SideCode> chain{RightSide, TopSide, BottomSide, LeftSide};
    const std::vector<SideCode> aside{TopSide, BottomSide, LeftSide, RightSide};
    for (SideCode side : (branch || kind == Hydrogen) ? aside : chain) {
      if (SideTaken(target, side) || !CellFree(Beside(target, side))) continue;
      TAtom* atom = DragOnto(kind, target, side);
      if (atom != nullptr && Going()) {
        EXPECT_TRUE(atom->bonded) << "the atom of kind " << kind << " was not bonded";
        placed.push_back(atom);
      }
      return atom;
    }
    ADD_FAILURE() << "no free side left for an atom of kind " << kind;
    return nullptr;
  }

  int RaisesPending(const TAtom* atom) const {
    int count = 0;
    for (const TAtom* a : pendingRaises)
      if (a == atom) ++count;
    return count;
  }

  void FillHydrogens() {
    for (std::size_t i = 0; i < placed.size() && Going(); ++i) {
      TAtom& atom = *placed[i];
      if (atom.kind == Hydrogen) continue;
      // A row may hold too few hydrogens for a stable molecule.
      while (Going() && atom.openBonds - RaisesPending(&atom) > 0 && TrayAtom(Hydrogen, false) != nullptr)
        if (Attach(Hydrogen, atom, true) == nullptr) return;
    }
  }

  TCourseWindow& window;
  TScriptedDesktop& desktop;
  std::size_t messagesBefore = 0;
  std::vector<TAtom*> placed;  // heap records: they stay put while `atoms` is reordered
  std::vector<TAtom*> pendingRaises;
  std::vector<TPoint> deferred;
};

}  // namespace kovala::test
