// Draws a molecule as a structural formula: atom pictures, electron dots,
// bond lines, ion brackets and abbreviated-hydrogen counts.
#pragma once

#include "framework/surface.h"
#include "model/molecule.h"

namespace kovala {

class TMoleculePainter {
 public:
  static void DrawMolecule(ISurface& surface, const TMolecule& molecule);
  static void DrawBlankCell(ISurface& surface, int x, int y);
};

}  // namespace kovala
