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
  TChemGraph Graph() const { return GraphOf(window.molecule); }
};

}  // namespace kovala::test
