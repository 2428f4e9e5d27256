#include "thumbnailer/thumbnaillayout.h"

#include <algorithm>
#include <limits>

namespace kovala {

namespace {

bool InRange(std::int32_t value) { return value >= -MaxDrawingCoordinate && value <= MaxDrawingCoordinate; }

}  // namespace

bool InDrawingRange(const TMolecule& molecule) {
  for (const TAtom& atom : molecule.atoms)
    if (!InRange(atom.x) || !InRange(atom.y)) return false;
  for (const TBonds& bond : molecule.bonds)
    if (!InRange(bond.x1) || !InRange(bond.y1) || !InRange(bond.x2) || !InRange(bond.y2)) return false;
  for (const TBrackett& bracket : molecule.brackets)
    if (!InRange(bracket.left) || !InRange(bracket.right) || !InRange(bracket.top) || !InRange(bracket.bottom))
      return false;
  return true;
}

std::optional<TThumbnailLayout> LayoutThumbnail(const TMolecule& molecule, int size) {
  if (size < 1 || molecule.atoms.IsEmpty()) return std::nullopt;
  bool anyBonded = false;
  for (const TAtom& atom : molecule.atoms) anyBonded = anyBonded || atom.bonded != 0;

  // Doubles hold every 32-bit coordinate and its margins exactly.
  double left = std::numeric_limits<double>::max();
  double top = left;
  double right = std::numeric_limits<double>::lowest();
  double bottom = right;
  for (const TAtom& atom : molecule.atoms) {
    if (anyBonded && atom.bonded == 0) continue;
    left = std::min(left, double(atom.x) - 5);
    top = std::min(top, double(atom.y) - 5);
    right = std::max(right, double(atom.x) + 25);
    bottom = std::max(bottom, double(atom.y) + 25);
  }
  for (const TBrackett& bracket : molecule.brackets) {
    left = std::min(left, double(bracket.left));
    top = std::min(top, double(bracket.top));
    // Room for the charge written after the closing bracket.
    right = std::max(right, double(bracket.right) + 25);
    bottom = std::max(bottom, double(bracket.bottom));
  }

  const double inner = size * (1 - 2 * ThumbnailMargin);
  TThumbnailLayout layout;
  layout.scale = std::min(inner / (right - left), inner / (bottom - top));
  layout.dx = size / 2.0 - (left + right) / 2 * layout.scale;
  layout.dy = size / 2.0 - (top + bottom) / 2 * layout.scale;
  return layout;
}

}  // namespace kovala
