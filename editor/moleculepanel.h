// The text of the molecule panel under the drawing: why the last drop or
// right click was refused, which atoms still need bonds, and once the
// molecule is complete what it is. Records in, text out.
#pragma once

#include <string>

#include "model/molecule.h"

namespace kovala {

struct TPanelFacts {
  std::string refusal;     // the reason of the last refusal, in numbers; empty for none
  std::string completion;  // the completion line, read only while the molecule is complete
  int trayX = 0;           // atoms standing at this x wait in the tray
};

// One short paragraph a line: the refusal first, then the molecule's state.
std::string PanelText(const TMolecule& molecule, const TPanelFacts& facts);

// "Still open: the C needs 2 bonds and the H in the tray needs 1 bond.";
// empty when no atom needs a bond.
std::string StillOpenText(const TMolecule& molecule, int trayX);

}  // namespace kovala
