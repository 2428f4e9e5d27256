// The three ring templates a molecule can start from. A chain built by drops
// never closes on itself, so rings are laid down whole.
#include <array>
#include <span>
#include <string_view>

#include "editor/moleculeeditor.h"

namespace kovala {

namespace {

// Offsets are from (client left, client top + 150).
constexpr int kRingTop = 150;

struct TRingAtom {
  int dx;
  int dy;
  std::array<SideCode, 2> freeSides;  // NoSide fills an unused entry
};

struct TRingBond {
  int dx1;
  int dx2;
  int dy1;
  int dy2;
  std::string_view order;
};

struct TRingTemplate {
  std::span<const TRingAtom> atoms;
  std::span<const TRingBond> bonds;
  int freeElectrons;  // also the open bonds: one substituent per spare electron
};

// The hexagon stands on a vertex: atoms 0 and 3 on the vertical axis. The
// start cell of each bond line decides the start atom a bond click sees.
constexpr std::array<TRingAtom, 6> kAromaticAtoms{{
    {300, 0, {TopSide, NoSide}},
    {330, 30, {RightSide, NoSide}},
    {330, 60, {RightSide, NoSide}},
    {300, 90, {BottomSide, NoSide}},
    {270, 60, {LeftSide, NoSide}},
    {270, 30, {LeftSide, NoSide}},
}};

constexpr std::array<TRingAtom, 6> kCyclohexaneAtoms{{
    {300, 0, {RightSide, TopSide}},
    {330, 30, {RightSide, TopSide}},
    {330, 60, {RightSide, BottomSide}},
    {300, 90, {LeftSide, BottomSide}},
    {270, 60, {LeftSide, BottomSide}},
    {270, 30, {TopSide, LeftSide}},
}};

constexpr std::array<TRingBond, 6> kAromaticBonds{{
    {320, 330, 20, 30, "single"},
    {340, 340, 50, 60, "double"},
    {330, 320, 80, 90, "single"},
    {290, 300, 80, 90, "double"},
    {280, 280, 50, 60, "single"},
    {290, 300, 30, 20, "double"},
}};

constexpr std::array<TRingBond, 6> kCyclohexaneBonds{{
    {320, 330, 20, 30, "single"},
    {340, 340, 50, 60, "single"},
    {330, 320, 80, 90, "single"},
    {290, 300, 80, 90, "single"},
    {280, 280, 50, 60, "single"},
    {290, 300, 30, 20, "single"},
}};

constexpr std::array<TRingAtom, 4> kCyclobutaneAtoms{{
    {300, 0, {TopSide, LeftSide}},
    {330, 0, {RightSide, TopSide}},
    {330, 30, {RightSide, BottomSide}},
    {300, 30, {LeftSide, BottomSide}},
}};

constexpr std::array<TRingBond, 4> kCyclobutaneBonds{{
    {320, 330, 10, 10, "single"},
    {340, 340, 20, 30, "single"},
    {320, 330, 40, 40, "single"},
    {310, 310, 20, 30, "single"},
}};

TRingTemplate TemplateOf(TRingKind ring) {
  switch (ring) {
    case TRingKind::Aromatic:
      return {kAromaticAtoms, kAromaticBonds, 1};
    case TRingKind::Cyclohexane:
      return {kCyclohexaneAtoms, kCyclohexaneBonds, 2};
    case TRingKind::Cyclobutane:
      break;
  }
  return {kCyclobutaneAtoms, kCyclobutaneBonds, 2};
}

constexpr const char* kStartTexts[] = {TrNoop("You must start with the aromatic ring!!!"),
                                       TrNoop("You must start with the cyclohexane!!!"),
                                       TrNoop("You must start with the cyclobutane!!!")};

}  // namespace

TEditResult TMoleculeEditor::PlaceRing(TRingKind ring) {
  TEditResult result;
  result.refusal = PaletteRefusal();
  if (!result.refusal && !molecule.atoms.IsEmpty())
    result.refusal = TNotice{Tr(kStartTexts[static_cast<int>(ring)])};
  if (result.refusal) return result;

  const TRingTemplate ringTemplate = TemplateOf(ring);
  const int left = area.left;
  const int top = area.top + kRingTop;
  molecule.Snapshot();
  result.snapshot = true;
  const int first = molecule.atoms.Count();
  for (std::size_t i = 0; i < ringTemplate.atoms.size(); ++i) {
    const TRingAtom& cell = ringTemplate.atoms[i];
    TAtom atom(Carbon, left + cell.dx, top + cell.dy);
    atom.freeElectrons = ringTemplate.freeElectrons;
    atom.openBonds = ringTemplate.freeElectrons;
    atom.bonded = 1;
    // The two ring bonds are counted but not listed among the neighbours, so
    // the first substituent goes into neighbourKind entry 0.
    atom.neighbourCount = 2;
    atom.electronSlotTaken.fill(1);
    for (SideCode side : cell.freeSides)
      if (side != NoSide) MarkSide(atom, side, 0);
    // The ring is linked as a chain; the closing bond has no link.
    const int index = first + static_cast<int>(i);
    if (i > 0) {
      atom.parentIndex = index - 1;
      molecule.atoms[index - 1].childIndex[0] = index;
    }
    molecule.atoms.Add(atom);
  }
  for (const TRingBond& line : ringTemplate.bonds) {
    TBonds& bond =
        molecule.bonds.Add(TBonds(left + line.dx1, left + line.dx2, top + line.dy1, top + line.dy2));
    bond.SetOrder(line.order);
  }
  // The next atom bonded by a drop then lands right after the ring atoms.
  molecule.bondCount = static_cast<int>(ringTemplate.bonds.size()) - 1;
  molecule.ringTemplatePlaced = true;
  return result;
}

}  // namespace kovala
