// Where a molecule's drawing goes on a square thumbnail: the scale and the
// shift that centre the molecule and make it fit.
#pragma once

#include <optional>

#include "model/molecule.h"

namespace kovala {

// A point (x, y) of the window's drawing lands on the thumbnail at
// (x * scale + dx, y * scale + dy).
struct TThumbnailLayout {
  double scale = 1;
  double dx = 0;
  double dy = 0;
};

// Margin kept free on every side of the thumbnail, as a share of its size.
inline constexpr double ThumbnailMargin = 0.05;

// Fits the bonded atoms (every atom when none is bonded, so a lone atom or
// one waiting in the tray still shows), their charge brackets and the 5
// pixels around each cell, into a size x size square. Nothing for a molecule
// without atoms or a size below one. Coordinates from a file may lie
// anywhere in the 32-bit range; the layout is computed without overflow.
std::optional<TThumbnailLayout> LayoutThumbnail(const TMolecule& molecule, int size);

}  // namespace kovala
