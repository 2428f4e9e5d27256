#include "editor/moleculepainter.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace kovala {

namespace {

// Offsets of the electron dots from the cell's corner, by slot: the first
// four go one per side (right, top, left, bottom), the next four pair them.
constexpr std::array<TPoint, 8> kSlotOffsets{{
    {17, 6},   // right, upper
    {6, 0},    // top, left
    {0, 11},   // left, lower
    {11, 17},  // bottom, right
    {17, 11},  // right, lower
    {11, 0},   // top, right
    {0, 6},    // left, upper
    {6, 17},   // bottom, left
}};

}  // namespace

std::string TMoleculePainter::AtomBitmap(ElementKind kind) { return std::string(ElementInfo(kind).picture); }

std::string TMoleculePainter::ChargeText(int charge) {
  // Widened so that a charge read from a damaged file cannot overflow.
  const long long magnitude = std::llabs(static_cast<long long>(charge));
  return std::to_string(magnitude) + (charge < 1 ? "-" : "+");
}

TPoint TMoleculePainter::SlotPosition(int x, int y, int slot) {
  const TPoint offset = kSlotOffsets[static_cast<std::size_t>(slot)];
  return {x + offset.x, y + offset.y};
}

void TMoleculePainter::DrawMolecule(ISurface& surface, const TMolecule& molecule) {
  for (const auto& atom : molecule.atoms) DrawAtom(surface, atom);
  for (const auto& bond : molecule.bonds) DrawBond(surface, bond);
  for (const auto& bracket : molecule.brackets) DrawBracket(surface, bracket);
  for (const auto& atom : molecule.atoms) DrawHydrogenCount(surface, molecule, atom);
}

void TMoleculePainter::DrawBlankCell(ISurface& surface, int x, int y) { surface.DrawBitmap("blank", x, y); }

void TMoleculePainter::DrawAtom(ISurface& surface, const TAtom& atom) {
  const std::string bitmap = AtomBitmap(atom.kind);
  if (bitmap.empty()) return;
  // The hydrogen picture is smaller than the cell and sits inside it.
  if (atom.kind == Hydrogen)
    surface.DrawBitmap(bitmap, atom.x + 3, atom.y + 3);
  else
    surface.DrawBitmap(bitmap, atom.x, atom.y);

  int drawn = 0;
  for (int slot = 0; slot < 8 && drawn < atom.freeElectrons; ++slot) {
    if (atom.electronSlotTaken[static_cast<std::size_t>(slot)]) continue;
    const TPoint dot = SlotPosition(atom.x, atom.y, slot);
    surface.DrawBitmap("electron", dot.x, dot.y);
    ++drawn;
  }
}

void TMoleculePainter::DrawBond(ISurface& surface, const TBonds& bond) {
  const std::string_view order = bond.Order();
  const bool vertical = bond.x1 == bond.x2;
  const bool horizontal = bond.y1 == bond.y2;
  if (order == "single") {
    surface.Line(bond.x1, bond.y1, bond.x2, bond.y2);
  } else if (order == "double") {
    if (vertical) {
      surface.Line(bond.x1 - 3, bond.y1, bond.x1 - 3, bond.y2);
      surface.Line(bond.x1 + 3, bond.y1, bond.x1 + 3, bond.y2);
    } else if (horizontal) {
      surface.Line(bond.x1, bond.y1 - 3, bond.x2, bond.y1 - 3);
      surface.Line(bond.x1, bond.y1 + 3, bond.x2, bond.y1 + 3);
    } else {
      // Both lines shift the same way across the slant.
      const int d = bond.y1 < bond.y2 ? -2 : 2;
      surface.Line(bond.x1 + 2, bond.y1 + d, bond.x2 + 2, bond.y2 + d);
      surface.Line(bond.x1 - 2, bond.y1 - d, bond.x2 - 2, bond.y2 - d);
    }
  } else if (order == "triple") {
    surface.Line(bond.x1, bond.y1, bond.x2, bond.y2);
    if (vertical) {
      surface.Line(bond.x1 - 5, bond.y1, bond.x1 - 5, bond.y2);
      surface.Line(bond.x1 + 5, bond.y1, bond.x1 + 5, bond.y2);
    } else {
      surface.Line(bond.x1, bond.y1 - 5, bond.x2, bond.y1 - 5);
      surface.Line(bond.x1, bond.y1 + 5, bond.x2, bond.y1 + 5);
    }
  }
}

TRect TMoleculePainter::PictureBox(const TMolecule& molecule, TRect box, const ISurface* measure) {
  for (const auto& b : molecule.brackets) {
    const std::string charge = ChargeText(b.charge);
    const TSize text = measure ? measure->TextSize(charge) : ISurface::EstimatedTextSize(charge);
    // A box's right and bottom edges lie outside it, so the lines drawn on
    // the bracket's right and bottom need one pixel more.
    box.left = std::min({box.left, b.left, b.right});
    box.top = std::min({box.top, b.top, b.bottom});
    box.right = std::max({box.right, b.left + 1, b.right + 1, b.right + 5 + text.width + 1});
    box.bottom = std::max({box.bottom, b.top + 1, b.bottom + 1, b.top + text.height + 1});
  }
  return box;
}

void TMoleculePainter::DrawBracket(ISurface& surface, const TBrackett& b) {
  surface.Line(b.left + 10, b.top, b.left, b.top);
  surface.Line(b.left, b.top, b.left, b.bottom);
  surface.Line(b.left, b.bottom, b.left + 10, b.bottom);
  surface.Line(b.right - 10, b.top, b.right, b.top);
  surface.Line(b.right, b.top, b.right, b.bottom);
  surface.Line(b.right, b.bottom, b.right - 10, b.bottom);
  surface.Text(b.right + 5, b.top, ChargeText(b.charge));
}

void TMoleculePainter::DrawHydrogenCount(ISurface& surface, const TMolecule& molecule, const TAtom& atom) {
  // Abbreviated hydrogens all stand at (x + 15, y) and show as one "H".
  int count = 0;
  for (const int child : atom.childIndex) {
    if (!molecule.atoms.ValidIndex(child)) continue;
    const TAtom& h = molecule.atoms[child];
    if (h.kind == Hydrogen && h.x == atom.x + 15 && h.y == atom.y) ++count;
  }
  if (count >= 2 && count <= 4) surface.Text(atom.x + 30, atom.y + 10, std::to_string(count));
}

}  // namespace kovala
