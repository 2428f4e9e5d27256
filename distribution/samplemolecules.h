// The sample molecules that come with the program, built through the
// molecule window's own operations as a student builds them, so each is a
// completed molecule by construction.
#pragma once

#include <string>
#include <vector>

#include "model/molecule.h"

namespace kovala {

struct TSampleMolecule {
  std::string fileName;  // "water.kvl", ...
  std::string formula;   // what the finished molecule must count up to
  TMolecule molecule;
  // Message boxes the window showed that a student building it would not
  // expect; empty when every step went as planned.
  std::vector<std::string> surprises;
};

std::vector<TSampleMolecule> BuildSampleMolecules();

}  // namespace kovala
