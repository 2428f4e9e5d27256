// Draws a molecule as a structural formula: atom pictures, electron dots,
// bond lines, ion brackets and abbreviated-hydrogen counts.
#pragma once

#include <string>

#include "framework/surface.h"
#include "model/molecule.h"

namespace kovala {

class TMoleculePainter {
 public:
  // Atoms, then bonds, then brackets, then the hydrogen counts, so the
  // window and the clipboard picture look the same.
  static void DrawMolecule(ISurface& surface, const TMolecule& molecule);
  // Hides the atom whose cell is at (x, y) while it is being dragged.
  static void DrawBlankCell(ISurface& surface, int x, int y);

  static void DrawAtom(ISurface& surface, const TAtom& atom);
  static void DrawBond(ISurface& surface, const TBonds& bond);
  static void DrawBracket(ISurface& surface, const TBrackett& bracket);
  static void DrawHydrogenCount(ISurface& surface, const TMolecule& molecule, const TAtom& atom);

  // `box` (the atoms' cells with their margins) widened to take in every
  // bracket and its charge text, measured on `measure` (estimated without
  // one); a molecule without brackets keeps `box` as it is.
  static TRect PictureBox(const TMolecule& molecule, TRect box, const ISurface* measure);

  // The picture resource of an element; empty for an unknown kind.
  static std::string AtomBitmap(ElementKind kind);
  // "2-" for a charge of -2, "1+" for 1.
  static std::string ChargeText(int charge);
  // Top-left corner of the dot in electron slot 0 to 7 of a cell at (x, y).
  static TPoint SlotPosition(int x, int y, int slot);
};

}  // namespace kovala
