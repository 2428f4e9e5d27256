#include "editor/moleculepainter.h"

namespace kovala {

void TMoleculePainter::DrawMolecule(ISurface&, const TMolecule&) {}
void TMoleculePainter::DrawBlankCell(ISurface&, int, int) {}

}  // namespace kovala
