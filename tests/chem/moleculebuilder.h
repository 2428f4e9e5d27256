// Builds a molecule in a molecule window the way a student does: atoms taken
// from the tray and dropped on a side of an atom already placed, bond orders
// raised with the right button straight after the bond is made. The molecule
// is written like "C(H)(H)(H)C(=O)O(H)": symbols, branches in brackets, "="
// and "#" before an atom for its bond to the atom before.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "editor/bondwindow.h"
#include "model/elementkind.h"

namespace kovala::test {

struct TRecipeAtom {
  ElementKind kind;
  int parent;  // -1 for the first atom
  int order;   // of the bond to the parent
};

inline std::vector<TRecipeAtom> ParseRecipe(std::string_view text) {
  std::vector<TRecipeAtom> atoms;
  std::vector<int> branches;
  int previous = -1;
  int order = 1;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '=') order = 2;
    if (c == '#') order = 3;
    if (c == '(') branches.push_back(previous);
    if (c == ')') {
      previous = branches.back();
      branches.pop_back();
    }
    if (c < 'A' || c > 'Z') continue;
    std::string symbol(1, c);
    if (i + 1 < text.size() && text[i + 1] >= 'a' && text[i + 1] <= 'z') symbol += text[++i];
    ElementKind kind = -1;
    for (ElementKind k = 0; k < ElementKindCount; ++k)
      if (ElementInfo(k).symbol == symbol) kind = k;
    atoms.push_back({kind, previous, order});
    previous = static_cast<int>(atoms.size()) - 1;
    order = 1;
  }
  return atoms;
}

class TMoleculeBuilder {
 public:
  explicit TMoleculeBuilder(TBondWindow& target) : window(target) {}

  // Heavy atoms first, in the written order, then the hydrogens, so that
  // every atom's partner is placed before it.
  void Build(std::string_view recipe) {
    atoms = ParseRecipe(recipe);
    order.clear();
    for (int pass = 0; pass < 2; ++pass)
      for (int i = 0; i < static_cast<int>(atoms.size()); ++i) {
        const bool late =
            atoms[i].kind == Hydrogen && atoms[i].parent >= 0 && atoms[i].kind != atoms[atoms[i].parent].kind;
        if (late == (pass == 1)) order.push_back(i);
      }
    cells.assign(atoms.size(), {0, 0});
    placed.assign(atoms.size(), false);
    steps = 0;
    ASSERT_TRUE(Plan(0)) << "no layout on the grid for " << recipe;
    // Every atom waits in the tray from the start, as in the courses; an atom
    // brought in late would let the molecule complete too early.
    std::vector<int> missing(ElementKindCount + 1, 0);
    for (const auto& atom : atoms) ++missing[IsKnownKind(atom.kind) ? atom.kind : ElementKindCount];
    for (const auto& atom : window.molecule.atoms)
      if (window.InTray(atom) && IsKnownKind(atom.kind)) --missing[atom.kind];
    for (ElementKind kind = 0; kind < ElementKindCount; ++kind)
      for (; missing[kind] > 0; --missing[kind]) window.AddToTray(kind);
    slot.assign(atoms.size(), -1);
    for (int i : order) Place(i);
  }

  // The atom index in the window for an atom of the recipe.
  TAtom& AtomOf(int recipeIndex) { return window.molecule.atoms[slot[recipeIndex]]; }

 private:
  struct TCell {
    int dx, dy;
  };

  bool Plan(std::size_t k) {
    if (k == order.size()) return true;
    if (++steps > 200000) return false;
    const int i = order[k];
    const int parent = atoms[i].parent;
    static constexpr TCell kSides[4] = {{1, 0}, {0, 1}, {0, -1}, {-1, 0}};
    for (int s = 0; s < (parent < 0 ? 1 : 4); ++s) {
      const TCell cell =
          parent < 0 ? TCell{0, 0} : TCell{cells[parent].dx + kSides[s].dx, cells[parent].dy + kSides[s].dy};
      if (cell.dx < -9 || cell.dx > 8 || cell.dy < -6 || cell.dy > 5 || Taken(cell)) continue;
      cells[i] = cell;
      placed[i] = true;
      if (Plan(k + 1)) return true;
      placed[i] = false;
    }
    return false;
  }

  bool Taken(TCell cell) const {
    for (std::size_t j = 0; j < atoms.size(); ++j)
      if (placed[j] && cells[j].dx == cell.dx && cells[j].dy == cell.dy) return true;
    return false;
  }

  // The first tray atom of the kind.
  TAtom& TrayAtom(ElementKind kind) {
    for (auto& atom : window.molecule.atoms)
      if (window.InTray(atom) && atom.kind == kind) return atom;
    window.AddToTray(kind);
    return window.molecule.atoms.Last();
  }

  void Place(int i) {
    TAtom& atom = TrayAtom(atoms[i].kind);
    window.PickUpAtom({atom.x + 10, atom.y + 10});
    const int parent = atoms[i].parent;
    if (parent < 0) {
      window.DropAtom({300, 200});  // the first atom stands at (285, 185)
      slot[i] = 0;
      return;
    }
    const TAtom& p = window.molecule.atoms[slot[parent]];
    const int dx = cells[i].dx - cells[parent].dx;
    const int dy = cells[i].dy - cells[parent].dy;
    // On the edge between the partner's side cell and its own cell, a point
    // that no other atom of the grid can claim.
    const TPoint point = dx == 1    ? TPoint{p.x + 30, p.y + 10}
                         : dx == -1 ? TPoint{p.x - 10, p.y + 10}
                         : dy == 1  ? TPoint{p.x + 10, p.y + 30}
                                    : TPoint{p.x + 10, p.y - 10};
    const int bonds = window.molecule.bonds.Count();
    window.DropAtom(point);
    ASSERT_EQ(window.molecule.bonds.Count(), bonds + 1) << "atom " << i << " did not bond";
    slot[i] = window.molecule.bondCount;
    for (int raise = 1; raise < atoms[i].order; ++raise) {
      const TBonds& bond = window.molecule.bonds.Last();
      window.RightButtonDown({(bond.x1 + bond.x2) / 2, (bond.y1 + bond.y2) / 2}, {});
    }
  }

  TBondWindow& window;
  std::vector<TRecipeAtom> atoms;
  std::vector<int> order;
  std::vector<TCell> cells;
  std::vector<bool> placed;
  std::vector<int> slot;
  long steps = 0;
};

}  // namespace kovala::test
