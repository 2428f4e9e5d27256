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

// Window coordinates are client pixels; the drawing adds small offsets to
// them in int arithmetic.
inline constexpr int MaxDrawingCoordinate = 1 << 20;

// Whether every atom, bond and bracket lies within MaxDrawingCoordinate of
// the origin: a file whose records lie further out was not saved from a
// window, and drawing it would overflow.
bool InDrawingRange(const TMolecule& molecule);

// Fits the bonded atoms (every atom when none is bonded, so a lone atom or
// one waiting in the tray still shows), their charge brackets and the 5
// pixels around each cell, into a size x size square. Nothing for a molecule
// without atoms or a size below one. Coordinates from a file may lie
// anywhere in the 32-bit range; the layout is computed without overflow.
std::optional<TThumbnailLayout> LayoutThumbnail(const TMolecule& molecule, int size);

}  // namespace kovala
