// Builds molecules as a student does, from a recipe: through the molecule
// editing core by atoms and sides, or through a molecule window with the
// mouse points of the same gestures.
//
// A recipe is a list of steps separated by ";". Atoms are numbered from 1 in
// the order the recipe placed them.
//   "C"                  the first atom, dropped in the middle of the area
//   "H right of 1"       an H dropped on the right side of atom 1 (also "top of",
//                        "left of", "bottom of"); a waiting tray atom of the
//                        element is taken, else the palette adds one
//   "ring aromatic"      a template ("cyclohexane", "cyclobutane"); its atoms are 1 to n
//   "raise 1-2"          one click on the bond of atoms 1 and 2
//   "add 1", "take 1"    one electron added to or taken from atom 1
//   "abbreviate", "undo"
#pragma once

#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "editor/bondwindow.h"
#include "model/topology.h"

namespace kovala::test {

class TStudentDriver {
 public:
  // By atoms and sides: no window, no desktop, no pixels.
  explicit TStudentDriver(TMoleculeEditor& editor) : core(&editor) {
    if (core->area.right == 0) core->Sync({0, 0, 640, 400});
  }
  // By the mouse, on a window; its boxes go to the window's desktop.
  explicit TStudentDriver(TBondWindow& molecularWindow) : core(&molecularWindow.editor), window(&molecularWindow) {}

  // Runs the steps in order; the first that cannot be followed stops the
  // run and is returned. Empty when every step ran, refused or not.
  std::string Run(std::string_view recipe) {
    std::istringstream steps{std::string(recipe)};
    for (std::string step; std::getline(steps, step, ';');)
      if (!Step(step)) return "cannot follow \"" + step + "\"";
    return {};
  }

  TMolecule& Molecule() { return core->molecule; }
  // Atom n of the recipe, counted from 1.
  const TAtom& Atom(int n) const { return *placed.at(static_cast<std::size_t>(n - 1)); }
  int IndexOf(int n) const { return core->molecule.atoms.IndexOf(Atom(n)); }

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
    if (!(words >> where)) return Place(*kind, std::nullopt, 0);
    if (!(words >> of >> target) || of != "of" || target < 1 || target > static_cast<int>(placed.size()))
      return false;
    for (int s = RightSide; s <= BottomSide; ++s)
      if (where == kSideWords[s]) return Place(*kind, static_cast<SideCode>(s), target);
    return false;
  }

  static constexpr const char* kSideWords[] = {"", "right", "top", "left", "bottom"};

  static std::optional<ElementKind> KindOf(const std::string& symbol) {
    for (ElementKind kind = 0; kind < ElementKindCount; ++kind)
      if (ElementInfo(kind).symbol == symbol) return kind;
    return std::nullopt;
  }

  bool Use(const TEditResult& result) {
    if (result.refusal) messages.push_back(result.refusal->text);
    if (result.completion != TEditResult::TCompletion::None) messages.push_back(result.announcement);
    return true;
  }

  // A tray atom of the kind, put there by the palette when none waits.
  int TrayAtom(ElementKind kind) {
    auto& atoms = core->molecule.atoms;
    for (int i = 0; i < atoms.Count(); ++i)
      if (atoms[i].kind == kind && !atoms[i].bonded && Unplaced(atoms[i])) return i;
    if (window) {
      window->NewAtom(kind);
    } else {
      const TEditResult added = core->AddAtom(kind);
      Use(added);
      if (added.refusal) return -1;
    }
    return atoms.Count() > 0 && atoms.Last().kind == kind && Unplaced(atoms.Last()) ? atoms.Count() - 1 : -1;
  }

  bool Unplaced(const TAtom& atom) const {
    for (const TAtom* p : placed)
      if (p == &atom) return false;
    return true;
  }

  bool Place(ElementKind kind, std::optional<SideCode> side, int target) {
    const int index = TrayAtom(kind);
    if (index < 0) return true;  // the palette refused; its message is kept
    TAtom& atom = core->molecule.atoms[index];
    if (window) {
      const TRect client = window->Host().ClientRect();
      window->PickUpAtom({atom.x + 10, atom.y + 10});
      window->DropAtom(side ? SideOf(Atom(target), *side)
                            : TPoint{(client.left + client.right) / 2, (client.top + client.bottom) / 2});
    } else {
      Use(side ? core->Drop(index, IndexOf(target), *side) : core->PlaceFirst(index));
    }
    if (!TMoleculeEditor::InTray(atom, core->area)) placed.push_back(&atom);
    return true;
  }

  bool Ring(std::istringstream& words) {
    std::string name;
    words >> name;
    const TRingKind ring = name == "aromatic"      ? TRingKind::Aromatic
                           : name == "cyclohexane" ? TRingKind::Cyclohexane
                                                   : TRingKind::Cyclobutane;
    if (name != "aromatic" && name != "cyclohexane" && name != "cyclobutane") return false;
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

  bool Raise(std::istringstream& words) {
    int a = 0, b = 0;
    char dash = 0;
    if (!(words >> a >> dash >> b) || dash != '-' || a < 1 || b < 1 || a > static_cast<int>(placed.size()) ||
        b > static_cast<int>(placed.size()))
      return false;
    const auto& bonds = core->molecule.bonds;
    for (int i = 0; i < bonds.Count(); ++i) {
      const TBondEnds ends = EndsOf(core->molecule, bonds[i]);
      if ((ends.start == IndexOf(a) && ends.end == IndexOf(b)) || (ends.start == IndexOf(b) && ends.end == IndexOf(a))) {
        if (window)
          window->RightButtonDown({(bonds[i].x1 + bonds[i].x2) / 2, (bonds[i].y1 + bonds[i].y2) / 2}, {});
        else
          Use(core->RaiseBond(i));
        return true;
      }
    }
    return false;
  }

  bool Electron(std::istringstream& words, bool add) {
    int n = 0;
    if (!(words >> n) || n < 1 || n > static_cast<int>(placed.size())) return false;
    if (window) {
      window->electronModeAdd = add;
      window->electronModePending = true;
      window->RightButtonDown({Atom(n).x + 10, Atom(n).y + 10}, {});
    } else {
      Use(core->ChangeElectrons(IndexOf(n), add));
    }
    return true;
  }

  TMoleculeEditor* core;
  TBondWindow* window = nullptr;
  std::vector<const TAtom*> placed;
};

}  // namespace kovala::test
