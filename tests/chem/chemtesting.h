// Molecules built in a molecule window for the chemistry tests.
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <ostream>
#include <string>

#include "chem/chemgraph.h"
#include "tests/support/windowfixture.h"

namespace kovala::test {

// A molecule written for the student driver's "formula" step, and how the
// first atom's electrons are changed in the tray before it is placed, as the
// practice lab does for the hydronium and sulfate ions.
struct TBuilt {
  std::string recipe;
  int electronsAdded = 0;  // negative: taken away
};

inline void PrintTo(const TBuilt& built, std::ostream* os) {
  *os << built.recipe;
  if (built.electronsAdded) *os << " electrons " << built.electronsAdded;
}

inline void Build(TWindowFixture<>& s, const TBuilt& built) {
  std::string steps;
  if (built.electronsAdded != 0) {
    const bool twoLetters = built.recipe.size() > 1 && std::islower(static_cast<unsigned char>(built.recipe[1]));
    steps = "tray " + built.recipe.substr(0, twoLetters ? 2 : 1) + ";";
    for (int n = 0; n < std::abs(built.electronsAdded); ++n)
      steps += built.electronsAdded > 0 ? "add tray;" : "take tray;";
  }
  ASSERT_EQ(s.Run(steps + "formula " + built.recipe), "") << built.recipe;
}

// A ring template with a hydrogen dropped on every free side of its atoms
// that still has an open bond.
inline void BuildRing(TWindowFixture<>& s, TRingKind ring) {
  const char* name = ring == TRingKind::Aromatic      ? "aromatic"
                     : ring == TRingKind::Cyclohexane ? "cyclohexane"
                                                      : "cyclobutane";
  ASSERT_EQ(s.Run(std::string("ring ") + name + "; hydrogens"), "") << name;
}

}  // namespace kovala::test
