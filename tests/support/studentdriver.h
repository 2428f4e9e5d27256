// Builds molecules as a student does, from a recipe: through the molecule
// editing core by atoms and sides, or through a molecule window (a course
// window too) with the mouse points of the same gestures. No test framework
// here: the benchmarks and the sample tool build with it as well.
//
// A recipe is a list of steps separated by ";". Atoms are numbered from 1 in
// the order the recipe placed them.
//   "C"                  the first atom, dropped in the middle of the area
//   "C at 300 200"       the first atom, dropped at that point
//   "H right of 1"       an H dropped on the right side of atom 1 (also "top of",
//                        "left of", "bottom of"); a waiting tray atom of the
//                        element is taken, else the palette adds one
//   "tray C"             a C put into the tray without the palette's checks
//   "ring aromatic"      a template ("cyclohexane", "cyclobutane"); its atoms are 1 to n
//   "raise 1-2"          one click on the bond of atoms 1 and 2
//   "add 1", "take 1"    one electron added to or taken from atom 1;
//   "add tray"           ... or from the first atom waiting in the tray
//   "hydrogens"          every atom placed so far, in order, gets a hydrogen on
//                        each free side (right, top, left, bottom) while it
//                        has an open bond
//   "abbreviate", "undo"
// Two steps build a whole molecule from a line of symbols:
//   "formula C(H)(H)(H)C(=O)O(H)"
//                        every atom written, branches in brackets, "=" and "#"
//                        before an atom for its bond to the atom before. All
//                        of them wait in the tray first, as in the courses;
//                        the heavy atoms go down in the written order, then
//                        the hydrogens, on a layout planned to fit the grid,
//                        each bond raised straight after it is made.
//   "chain CCO"          the way a course row is built: each atom bonded to
//                        the one before on its right; "(...)" a branch going
//                        up, then down, then left; "=" and "#" raise the new
//                        bond at once, ":" to double only after the
//                        hydrogens. Every atom then takes hydrogens from the
//                        tray until it needs no more. It takes only atoms
//                        waiting in the tray and stops at the first message
//                        box (the completion or a refusal).
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "editor/bondwindow.h"
#include "model/topology.h"
#include "tests/support/scripteddesktop.h"

namespace kovala::test {

inline TPoint CellCentre(const TAtom& atom) { return {atom.x + 10, atom.y + 10}; }
inline TPoint BondMiddle(const TBonds& bond) { return {(bond.x1 + bond.x2) / 2, (bond.y1 + bond.y2) / 2}; }

class TStudentDriver {
 public:
  // By atoms and sides: no window, no desktop, no pixels.
  explicit TStudentDriver(TMoleculeEditor& editor) : core(&editor) {
    if (core->area.right == 0) core->Sync({0, 0, 640, 400});
  }
  // By the mouse, on a window; its boxes go to the window's desktop, which a
  // chain watches when it is given.
  explicit TStudentDriver(TBondWindow& molecularWindow, const TScriptedDesktop* desktop = nullptr)
      : core(&molecularWindow.editor), window(&molecularWindow), boxes(desktop ? &desktop->messages : nullptr) {}

  // Runs the steps in order; the first that cannot be followed stops the
  // run and is returned. Empty when every step ran, refused or not.
  std::string Run(std::string_view recipe) {
    std::istringstream steps{std::string(recipe)};
    for (std::string step; std::getline(steps, step, ';');)
      if (!Step(step)) return complaint.empty() ? "cannot follow \"" + step + "\"" : complaint;
    return {};
  }

  TMolecule& Molecule() { return core->molecule; }
  // Atom n of the recipe, counted from 1.
  const TAtom& Atom(int n) const { return *placed.at(static_cast<std::size_t>(n - 1)); }
  int IndexOf(int n) const { return core->molecule.atoms.IndexOf(Atom(n)); }
  int Placed() const { return static_cast<int>(placed.size()); }
  int AtomsInTray() const {
    int count = 0;
    for (const auto& atom : core->molecule.atoms)
      if (InTray(atom)) ++count;
    return count;
  }

  // By the core: every box text met, refusals and announcements alike.
  std::vector<std::string> messages;

 private:
  bool Step(const std::string& text) {
    std::istringstream words(text);
    std::string verb;
    if (!(words >> verb)) return true;
    if (verb == "ring") return Ring(words);
    if (verb == "raise") return Raise(words);
    if (verb == "add" || verb == "take") return Electron(words, verb == "add");
    if (verb == "tray") return Tray(words);
    if (verb == "hydrogens") return Hydrogens();
    if (verb == "formula") return Formula(Rest(words));
    if (verb == "chain") return Chain(Rest(words));
    if (verb == "abbreviate") {
      window ? window->AbbreviateHs() : core->AbbreviateHs();
      return true;
    }
    if (verb == "undo") {
      window ? window->UndoBack() : static_cast<void>(core->Undo());
      return true;
    }
    const std::optional<ElementKind> kind = KindOf(verb);
    if (!kind) return false;
    std::string where, of;
    int target = 0;
    if (!(words >> where)) {
      Place(*kind, std::nullopt, 0);
      return true;
    }
    if (where == "at") {
      TPoint point{};
      if (!(words >> point.x >> point.y)) return false;
      PlaceAt(*kind, point);
      return true;
    }
    if (!(words >> of >> target) || of != "of" || target < 1 || target > Placed()) return false;
    for (int s = RightSide; s <= BottomSide; ++s)
      if (where == kSideWords[s]) {
        Place(*kind, static_cast<SideCode>(s), target);
        return true;
      }
    return false;
  }

  static std::string Rest(std::istringstream& words) {
    std::string rest;
    words >> rest;
    return rest;
  }

  static constexpr const char* kSideWords[] = {"", "right", "top", "left", "bottom"};

  static std::optional<ElementKind> KindOf(const std::string& symbol) {
    for (ElementKind kind = 0; kind < ElementKindCount; ++kind)
      if (ElementInfo(kind).symbol == symbol) return kind;
    return std::nullopt;
  }

  bool Complain(std::string text) {
    complaint = std::move(text);
    return false;
  }

  void Use(const TEditResult& result) {
    if (result.refusal) messages.push_back(result.refusal->text);
    if (result.completion != TEditResult::TCompletion::None) messages.push_back(result.announcement);
  }

  // The window asks its host for the client area, which a test may change
  // without telling the window.
  bool InTray(const TAtom& atom) const { return window ? window->InTray(atom) : core->InTray(atom); }

  // Boxes shown so far: the window's desktop's, or the core's texts.
  std::size_t Shown() const { return window ? (boxes ? boxes->size() : 0) : messages.size(); }

  bool Placed(const TAtom& atom) const {
    for (const TAtom* p : placed)
      if (p == &atom) return true;
    return false;
  }

  // A waiting atom of the kind, put there by the palette when none waits;
  // without the palette, the first atom of the kind in the tray. -1 for none.
  int TrayAtom(ElementKind kind, bool palette = true) {
    auto& atoms = core->molecule.atoms;
    for (int i = 0; i < atoms.Count(); ++i)
      if (atoms[i].kind == kind && (palette ? !atoms[i].bonded && !Placed(atoms[i]) : InTray(atoms[i])))
        return i;
    if (!palette) return -1;
    if (window) {
      window->NewAtom(kind);
    } else {
      const TEditResult added = core->AddAtom(kind);
      Use(added);
      if (added.refusal) return -1;
    }
    return atoms.Count() > 0 && atoms.Last().kind == kind && !Placed(atoms.Last()) ? atoms.Count() - 1 : -1;
  }

  bool Tray(std::istringstream& words) {
    const std::optional<ElementKind> kind = KindOf(Rest(words));
    if (!kind) return false;
    window ? window->AddToTray(*kind) : core->PutInTray(*kind);
    return true;
  }

  // Drops tray atom `index` at a point (the mouse) or beside atom n (the
  // core); the atom when it left the tray, else null.
  TAtom* DropTrayAtom(int index, TPoint point, std::optional<SideCode> side, int target) {
    if (index < 0) return nullptr;  // the palette refused; its message is kept
    TAtom& atom = core->molecule.atoms[index];
    if (window) {
      window->PickUpAtom(CellCentre(atom));
      window->DropAtom(point);
    } else {
      Use(side ? core->Drop(index, IndexOf(target), *side) : core->DropAt(index, point));
    }
    // A course that refused the molecule lays its row out again, and the
    // dropped atom is gone with the old records.
    if (!Holds(&atom) || InTray(atom)) return nullptr;
    placed.push_back(&atom);
    return &atom;
  }

  bool Holds(const TAtom* atom) const {
    for (int i = 0; i < core->molecule.atoms.Count(); ++i)
      if (&core->molecule.atoms[i] == atom) return true;
    return false;
  }

  TAtom* Place(ElementKind kind, std::optional<SideCode> side, int target, bool palette = true) {
    const TRect area = window ? window->Host().ClientRect() : core->area;
    const TPoint point = side ? SideOf(Atom(target), *side)
                              : TPoint{(area.left + area.right) / 2, (area.top + area.bottom) / 2};
    return DropTrayAtom(TrayAtom(kind, palette), point, side, target);
  }

  TAtom* PlaceAt(ElementKind kind, TPoint point, bool palette = true) {
    return DropTrayAtom(TrayAtom(kind, palette), point, std::nullopt, 0);
  }

  bool Ring(std::istringstream& words) {
    const std::string name = Rest(words);
    if (name != "aromatic" && name != "cyclohexane" && name != "cyclobutane") return false;
    const TRingKind ring = name == "aromatic"      ? TRingKind::Aromatic
                           : name == "cyclohexane" ? TRingKind::Cyclohexane
                                                   : TRingKind::Cyclobutane;
    const int before = core->molecule.atoms.Count();
    if (window) {
      if (ring == TRingKind::Aromatic) window->PlaceAromaticRing();
      if (ring == TRingKind::Cyclohexane) window->PlaceCyclohexane();
      if (ring == TRingKind::Cyclobutane) window->PlaceCyclobutane();
    } else {
      Use(core->PlaceRing(ring));
    }
    for (int i = before; i < core->molecule.atoms.Count(); ++i) placed.push_back(&core->molecule.atoms[i]);
    return true;
  }

  int NumberOf(const TAtom& atom) const {
    for (std::size_t i = 0; i < placed.size(); ++i)
      if (placed[i] == &atom) return static_cast<int>(i) + 1;
    return 0;
  }

  bool Raise(std::istringstream& words) {
    int a = 0, b = 0;
    char dash = 0;
    if (!(words >> a >> dash >> b) || dash != '-' || a < 1 || b < 1 || a > Placed() || b > Placed()) return false;
    return RaiseBetween(a, b);
  }

  bool RaiseBetween(int a, int b) {
    const auto& bonds = core->molecule.bonds;
    for (int i = 0; i < bonds.Count(); ++i) {
      const TBondEnds ends = EndsOf(core->molecule, bonds[i]);
      const bool between = (ends.start == IndexOf(a) && ends.end == IndexOf(b)) ||
                           (ends.start == IndexOf(b) && ends.end == IndexOf(a));
      if (between) {
        if (window)
          window->RightButtonDown(BondMiddle(bonds[i]), {});
        else
          Use(core->RaiseBond(i));
        return true;
      }
    }
    return false;
  }

  bool Electron(std::istringstream& words, bool add) {
    std::string which;
    if (!(words >> which)) return false;
    int index = -1;
    if (which == "tray") {
      for (int i = 0; i < core->molecule.atoms.Count() && index < 0; ++i)
        if (InTray(core->molecule.atoms[i]) && !Placed(core->molecule.atoms[i])) index = i;
      if (index < 0) return false;
    } else {
      const int n = std::atoi(which.c_str());
      if (n < 1 || n > Placed()) return false;
      index = IndexOf(n);
    }
    if (window) {
      window->electronModeAdd = add;
      window->electronModePending = true;
      window->RightButtonDown(CellCentre(core->molecule.atoms[index]), {});
    } else {
      Use(core->ChangeElectrons(index, add));
    }
    return true;
  }

  bool Hydrogens() {
    const std::vector<TAtom*> atoms = placed;
    for (TAtom* atom : atoms)
      for (SideCode side : {RightSide, TopSide, LeftSide, BottomSide}) {
        if (atom->openBonds < 1) break;
        if (!SideTaken(*atom, side)) Place(Hydrogen, side, NumberOf(*atom));
      }
    return true;
  }

  // --- "formula" --------------------------------------------------------

  struct TWritten {
    ElementKind kind;
    int parent;  // -1 for the first atom
    int order;   // of the bond to the parent
  };
  struct TCell {
    int dx, dy;
  };

  bool Formula(std::string_view text) {
    std::vector<TWritten> atoms;
    std::vector<int> branches;
    int previous = -1;
    int order = 1;
    for (std::size_t i = 0; i < text.size(); ++i) {
      const char c = text[i];
      if (c == '=') order = 2;
      if (c == '#') order = 3;
      if (c == '(') branches.push_back(previous);
      if (c == ')') {
        if (branches.empty()) return false;
        previous = branches.back();
        branches.pop_back();
      }
      if (c < 'A' || c > 'Z') continue;
      std::string symbol(1, c);
      if (i + 1 < text.size() && text[i + 1] >= 'a' && text[i + 1] <= 'z') symbol += text[++i];
      const std::optional<ElementKind> kind = KindOf(symbol);
      if (!kind) return Complain("unknown symbol " + symbol);
      atoms.push_back({*kind, previous, order});
      previous = static_cast<int>(atoms.size()) - 1;
      order = 1;
    }
    if (atoms.empty()) return false;
    // Heavy atoms first, in the written order, then the hydrogens, so that
    // every atom's partner is placed before it.
    std::vector<int> sequence;
    for (int pass = 0; pass < 2; ++pass)
      for (int i = 0; i < static_cast<int>(atoms.size()); ++i) {
        const bool late =
            atoms[i].kind == Hydrogen && atoms[i].parent >= 0 && atoms[i].kind != atoms[atoms[i].parent].kind;
        if (late == (pass == 1)) sequence.push_back(i);
      }
    std::vector<TCell> cells(atoms.size(), {0, 0});
    std::vector<bool> planned(atoms.size(), false);
    long steps = 0;
    if (!Plan(atoms, sequence, 0, cells, planned, steps))
      return Complain("no layout on the grid for " + std::string(text));
    // Every atom waits in the tray from the start; an atom brought in late
    // would let the molecule complete too early.
    std::vector<int> missing(ElementKindCount, 0);
    for (const TWritten& atom : atoms) ++missing[atom.kind];
    for (const auto& atom : core->molecule.atoms)
      if (InTray(atom) && IsKnownKind(atom.kind) && !Placed(atom)) --missing[atom.kind];
    for (ElementKind kind = 0; kind < ElementKindCount; ++kind)
      for (; missing[kind] > 0; --missing[kind]) window ? window->AddToTray(kind) : core->PutInTray(kind);
    std::vector<int> number(atoms.size(), 0);
    for (const int i : sequence) {
      const int parent = atoms[i].parent;
      if (parent < 0) {
        if (!PlaceAt(atoms[i].kind, {300, 200}, false)) return Complain("the first atom stayed in the tray");
        number[i] = Placed();
        continue;
      }
      const int dx = cells[i].dx - cells[parent].dx;
      const int dy = cells[i].dy - cells[parent].dy;
      const SideCode side = dx == 1 ? RightSide : dx == -1 ? LeftSide : dy == 1 ? BottomSide : TopSide;
      const int bonds = core->molecule.bonds.Count();
      Place(atoms[i].kind, side, number[parent], false);
      if (core->molecule.bonds.Count() != bonds + 1)
        return Complain("atom " + std::to_string(i) + " of " + std::string(text) + " did not bond");
      number[i] = Placed();
      for (int raise = 1; raise < atoms[i].order; ++raise) RaiseBetween(number[parent], number[i]);
    }
    return true;
  }

  static bool Plan(const std::vector<TWritten>& atoms, const std::vector<int>& sequence, std::size_t k,
                   std::vector<TCell>& cells, std::vector<bool>& planned, long& steps) {
    if (k == sequence.size()) return true;
    if (++steps > 200000) return false;
    const int i = sequence[k];
    const int parent = atoms[i].parent;
    static constexpr TCell kSteps[4] = {{1, 0}, {0, 1}, {0, -1}, {-1, 0}};
    for (int s = 0; s < (parent < 0 ? 1 : 4); ++s) {
      const TCell cell =
          parent < 0 ? TCell{0, 0} : TCell{cells[parent].dx + kSteps[s].dx, cells[parent].dy + kSteps[s].dy};
      if (cell.dx < -9 || cell.dx > 8 || cell.dy < -6 || cell.dy > 5) continue;
      bool taken = false;
      for (std::size_t j = 0; j < atoms.size(); ++j)
        taken = taken || (planned[j] && cells[j].dx == cell.dx && cells[j].dy == cell.dy);
      if (taken) continue;
      cells[i] = cell;
      planned[i] = true;
      if (Plan(atoms, sequence, k + 1, cells, planned, steps)) return true;
      planned[i] = false;
    }
    return false;
  }

  // --- "chain" ----------------------------------------------------------

  bool Chain(std::string_view recipe) {
    const std::size_t before = Shown();
    const auto going = [&] { return Shown() == before; };
    const std::size_t firstOfChain = placed.size();
    std::vector<TAtom*> branchRoots;
    std::vector<TAtom*> raisedLater;  // both ends of each ":" bond
    std::vector<std::pair<TAtom*, TAtom*>> deferred;
    TAtom* previous = nullptr;
    bool branchStart = false;
    char pendingBond = '-';
    for (std::size_t i = 0; i < recipe.size() && going(); ++i) {
      const char c = recipe[i];
      if (c == '(') {
        branchRoots.push_back(previous);
        branchStart = true;
        continue;
      }
      if (c == ')') {
        if (branchRoots.empty()) return false;
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
      const std::optional<ElementKind> kind = KindOf(symbol);
      if (!kind) return Complain("unknown symbol " + symbol);
      TAtom* atom = nullptr;
      if (previous == nullptr) {
        if (TrayAtom(*kind, false) < 0) return Complain("no atom of kind " + symbol + " left in the tray");
        atom = PlaceAt(*kind, {300, 200}, false);
        if (atom == nullptr) return Complain("the first atom stayed in the tray");
      } else {
        atom = Attach(*kind, *previous, branchStart, going);
        if (atom == nullptr) return false;
      }
      if (previous != nullptr && going()) {
        const int a = NumberOf(*previous), b = NumberOf(*atom);
        if (pendingBond == '=') RaiseBetween(a, b);
        if (pendingBond == '#' && going()) RaiseBetween(a, b);
        if (pendingBond == '#' && going()) RaiseBetween(a, b);
        if (pendingBond == ':') {
          deferred.emplace_back(previous, atom);
          raisedLater.push_back(previous);
          raisedLater.push_back(atom);
        }
      }
      pendingBond = '-';
      branchStart = false;
      previous = atom;
    }
    // Hydrogens from the tray, in the order the atoms were placed; a row may
    // hold too few for a stable molecule.
    const std::vector<TAtom*> chain(placed.begin() + static_cast<std::ptrdiff_t>(firstOfChain), placed.end());
    for (std::size_t i = 0; i < chain.size() && going(); ++i) {
      TAtom& atom = *chain[i];
      if (atom.kind == Hydrogen) continue;
      const auto later = static_cast<int>(std::count(raisedLater.begin(), raisedLater.end(), &atom));
      while (going() && atom.openBonds - later > 0 && TrayAtom(Hydrogen, false) >= 0)
        if (Attach(Hydrogen, atom, true, going) == nullptr) return false;
    }
    for (const auto& [a, b] : deferred)
      if (going()) RaiseBetween(NumberOf(*a), NumberOf(*b));
    return true;
  }

  bool CellFree(TPoint cell) const {
    for (const auto& atom : core->molecule.atoms)
      if (atom.x == cell.x && atom.y == cell.y) return false;
    return true;
  }

  template <typename Going>
  TAtom* Attach(ElementKind kind, TAtom& target, bool branch, const Going& going) {
    static constexpr SideCode kChain[] = {RightSide, TopSide, BottomSide, LeftSide};
    static constexpr SideCode kAside[] = {TopSide, BottomSide, LeftSide, RightSide};
    for (const SideCode side : (branch || kind == Hydrogen) ? kAside : kChain) {
      const TPoint step = SideStep(side);
      if (SideTaken(target, side) || !CellFree({target.x + step.x, target.y + step.y})) continue;
      const std::string symbol(ElementInfo(kind).symbol);
      const int trayIndex = TrayAtom(kind, false);
      if (trayIndex < 0) return Failed("no atom of kind " + symbol + " left in the tray");
      TAtom& atom = core->molecule.atoms[trayIndex];
      DropTrayAtom(trayIndex, SideOf(target, side), side, NumberOf(target));
      if (going() && !atom.bonded) return Failed("the atom of kind " + symbol + " was not bonded");
      return &atom;
    }
    return Failed("no free side left for an atom of kind " + std::string(ElementInfo(kind).symbol));
  }

  TAtom* Failed(std::string text) {
    Complain(std::move(text));
    return nullptr;
  }

  TMoleculeEditor* core;
  TBondWindow* window = nullptr;
  const std::vector<TShownMessage>* boxes = nullptr;
  std::vector<TAtom*> placed;  // heap records: they stay put while `atoms` is reordered
  std::string complaint;
};

}  // namespace kovala::test
