// Molecules built in a molecule window for the chemistry tests.
#pragma once

#include <cstdlib>
#include <ostream>
#include <string>

#include "chem/chemgraph.h"
#include "editor/bondwindow.h"
#include "tests/chem/moleculebuilder.h"
#include "tests/support/fakehost.h"
#include "tests/support/scripteddesktop.h"

namespace kovala::test {

// How the first atom's electrons are changed before it is placed, as the
// practice lab does for the hydronium and sulfate ions.
struct TBuilt {
  std::string recipe;
  int electronsAdded = 0;  // negative: taken away
};

inline void PrintTo(const TBuilt& built, std::ostream* os) {
  *os << built.recipe;
  if (built.electronsAdded) *os << " electrons " << built.electronsAdded;
}

struct TBuildSession {
  TFakeHost host;
  TScriptedDesktop desktop;
  TBondWindow window{host, desktop};

  void Build(const TBuilt& built) {
    if (built.electronsAdded != 0) {
      const auto first = ParseRecipe(built.recipe).front();
      window.AddToTray(first.kind);
      const TAtom& atom = window.molecule.atoms[0];
      for (int n = 0; n < std::abs(built.electronsAdded); ++n) {
        window.ArmElectronChange(built.electronsAdded > 0);
        window.RightButtonDown({atom.x + 10, atom.y + 10}, {});
      }
    }
    TMoleculeBuilder(window).Build(built.recipe);
  }
  // A ring template with a hydrogen dropped on every free side of its atoms.
  void BuildRing(TRingKind ring, int ringAtoms) {
    if (ring == TRingKind::Aromatic)
      window.PlaceAromaticRing();
    else if (ring == TRingKind::Cyclohexane)
      window.PlaceCyclohexane();
    else
      window.PlaceCyclobutane();
    for (int i = 0; i < ringAtoms; ++i)
      for (SideCode side : {RightSide, TopSide, LeftSide, BottomSide}) {
        const TAtom& atom = window.molecule.atoms[i];
        if (atom.electronSlotTaken[side - 1] || atom.electronSlotTaken[side + 3]) continue;
        window.AddToTray(Hydrogen);
        const TAtom& h = window.molecule.atoms.Last();
        window.PickUpAtom({h.x + 10, h.y + 10});
        const TAtom& target = window.molecule.atoms[i];
        window.DropAtom(side == RightSide  ? TPoint{target.x + 30, target.y + 10}
                        : side == TopSide  ? TPoint{target.x + 10, target.y - 10}
                        : side == LeftSide ? TPoint{target.x - 10, target.y + 10}
                                           : TPoint{target.x + 10, target.y + 30});
      }
  }
  TChemGraph Graph() const { return GraphOf(window.molecule); }
};

}  // namespace kovala::test
