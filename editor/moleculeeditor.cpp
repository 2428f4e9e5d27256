// The tray, the drop beside a placed atom (snap, bond, side rules), the
// completion test and its actions, undo and Abbreviate H's.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>

#include "editor/moleculeeditor.h"
#include "model/topology.h"

namespace kovala {

namespace {

const char* const kCompletedText = TrNoop("This molecule is completed!!!  Go to View for 3-D structure.");

SideCode FacingSide(SideCode side) { return static_cast<SideCode>((side + 1) % 4 + 1); }

// Where the dropped atom stands beside a target, and the bond line between them.
struct TPlacement {
  TPoint cell;
  TBonds line;
};

TPlacement PlacementBeside(const TAtom& target, SideCode side) {
  // The line joins the middles of the two facing cell edges.
  const TPoint step = SideStep(side);
  const TPoint start{target.x + 10 + step.x / 3, target.y + 10 + step.y / 3};
  return {{target.x + step.x, target.y + step.y}, TBonds(start.x, start.x + step.x / 3, start.y, start.y + step.y / 3)};
}

// Writes into the first empty entry; an atom has four at most, so a full
// list (only possible in a molecule read from a file) is left alone.
void AppendEntry(std::array<std::int32_t, 4>& entries, std::int32_t value) {
  for (auto& entry : entries)
    if (entry == -1) {
      entry = value;
      return;
    }
}

// Links a child to its parent in the bonding tree, by their positions after
// the bonded atom was moved into place.
void HangFrom(const TOwningArray<TAtom>& atoms, TAtom& child, TAtom& parent) {
  AppendEntry(parent.childIndex, atoms.IndexOf(child));
  child.parentIndex = atoms.IndexOf(parent);
}

// The dropped atom and the one it touches, told apart when both are of one element.
std::pair<std::string, std::string> DropNames(const TAtom& dragged, const TAtom& target) {
  if (dragged.kind != target.kind) return {SymbolOf(dragged), SymbolOf(target)};
  return {FormatText(Tr("the dropped {0}"), {SymbolOf(dragged)}),
          FormatText(Tr("the placed {0}"), {SymbolOf(target)})};
}

// What a drop onto a free side may make: a bond with one electron from each
// atom, an electron-pair bond, or nothing, and then why in numbers.
enum class TBondKind { Refused, Single, Pair };

struct TBondDecision {
  TBondKind kind;
  std::string reason;
};

TBondDecision DecideBond(const TAtom& target, const TAtom& dragged) {
  if (target.freeElectrons >= 1 && dragged.freeElectrons >= 1 && target.openBonds >= 1 &&
      dragged.openBonds >= 1)
    return {TBondKind::Single, {}};
  if ((target.openBonds == 2 && dragged.freeElectrons >= 2) ||
      (target.freeElectrons >= 2 && dragged.openBonds == 2))
    return {TBondKind::Pair, {}};
  const auto [draggedName, targetName] = DropNames(dragged, target);
  if (target.openBonds < 1 || dragged.openBonds < 1)
    return {TBondKind::Refused, FormatText(Tr("Both atoms need a free bond: {0} has {1}, {2} has {3} left."),
                                           {draggedName, std::to_string(dragged.openBonds), targetName,
                                            std::to_string(target.openBonds)})};
  return {TBondKind::Refused,
          FormatText(Tr("Each atom must give the bond a free electron: {0} has {1}, {2} has {3}."),
                     {draggedName, std::to_string(dragged.freeElectrons), targetName,
                      std::to_string(target.freeElectrons)})};
}

// Whole sentences by side, so a translation may word each side its own way.
constexpr const char* kSideUsedDropOnFree[] = {
    "", TrNoop("The right side of {0} is already used; drop on a free side."),
    TrNoop("The top side of {0} is already used; drop on a free side."),
    TrNoop("The left side of {0} is already used; drop on a free side."),
    TrNoop("The bottom side of {0} is already used; drop on a free side.")};
constexpr const char* kSideUsed[] = {
    "", TrNoop("The right side of {0} is already used."), TrNoop("The top side of {0} is already used."),
    TrNoop("The left side of {0} is already used."), TrNoop("The bottom side of {0} is already used.")};
constexpr const char* kDroppedSideUsed[] = {"", TrNoop("The right side of the dropped {0} is already used."),
                                            TrNoop("The top side of the dropped {0} is already used."),
                                            TrNoop("The left side of the dropped {0} is already used."),
                                            TrNoop("The bottom side of the dropped {0} is already used.")};
constexpr const char* kPlaceTaken[] = {"", TrNoop("The place to the right of {0} is taken by {1}."),
                                       TrNoop("The place above {0} is taken by {1}."),
                                       TrNoop("The place to the left of {0} is taken by {1}."),
                                       TrNoop("The place below {0} is taken by {1}.")};

// Pixels from a point to the nearest point inside a side cell of an atom.
std::int64_t DistanceToSideCell(const TAtom& atom, SideCode side, TPoint point) {
  // The cells' inner points, as FreeSideAt's strict bounds take them: 9 either way of the middle.
  const TPoint middle = SideOf(atom, side);
  const std::int64_t dx = std::max<std::int64_t>(std::llabs(std::int64_t{point.x} - middle.x) - 9, 0);
  const std::int64_t dy = std::max<std::int64_t>(std::llabs(std::int64_t{point.y} - middle.y) - 9, 0);
  std::int64_t d = static_cast<std::int64_t>(std::sqrt(static_cast<double>(dx * dx + dy * dy)));
  while (d * d < dx * dx + dy * dy) ++d;  // rounded up: a miss is never 0 pixels
  return d;
}

}  // namespace

void TMoleculeEditor::Sync(const TRect& client) { area = client; }

bool TMoleculeEditor::FollowArea() {
  // Loose atoms waiting in the tray keep to the tray column when the width
  // changes; otherwise they would be stranded in the drawing area.
  if (area.right == trayRight) return false;
  bool moved = false;
  for (auto& atom : molecule.atoms) {
    if (atom.bonded || atom.x + 50 != trayRight) continue;
    atom.x = area.right - 50;
    moved = true;
  }
  trayRight = area.right;
  return moved;
}

int TMoleculeEditor::FreeTraySlot(const TAtom* except) const {
  for (int k = 0;; ++k) {
    bool taken = false;
    for (const auto& other : molecule.atoms)
      if (&other != except && other.x == area.right - 50 && other.y == area.top + 10 + 30 * k) taken = true;
    if (!taken) return k;
  }
}

void TMoleculeEditor::RestackTray() {
  for (auto& atom : molecule.atoms) {
    const int k = FreeTraySlot(&atom);
    if (InTray(atom)) atom.y = area.top + 10 + 30 * k;
  }
}

std::optional<TNotice> TMoleculeEditor::PaletteRefusal() const {
  if (molecule.completed) return TNotice{Tr("You must start a new molecule before using this command!!!")};
  if (molecule.atoms.Count() >= 26) return TNotice{Tr("You can have no more than 26 total atoms!!!")};
  return std::nullopt;
}

TEditResult TMoleculeEditor::AddAtom(ElementKind kind) {
  TEditResult result;
  result.refusal = PaletteRefusal();
  if (!result.refusal) {
    PutInTray(kind);
    result.snapshot = true;
  }
  return result;
}

void TMoleculeEditor::PutInTray(ElementKind kind) {
  const int k = FreeTraySlot(nullptr);
  if (molecule.atoms.IsEmpty()) molecule.ringTemplatePlaced = false;
  molecule.Snapshot();
  molecule.atoms.Add(TAtom(kind, area.right - 50, area.top + 10 + 30 * k));
}

int TMoleculeEditor::AtomAt(TPoint point) const {
  for (int i = 0; i < molecule.atoms.Count(); ++i)
    if (molecule.atoms[i].Contains(point.x, point.y)) return i;
  return -1;
}

TEditResult TMoleculeEditor::PickUp(int index) const {
  if (!molecule.atoms.ValidIndex(index)) return {};
  const TAtom& picked = molecule.atoms[index];
  if (!picked.bonded) return {};
  return Refused(Tr("You cannot move this bonded atom!!!"),
                 FormatText(TrPlural("{0} is bonded to {1} atom; only an atom not yet bonded moves.",
                                     "{0} is bonded to {1} atoms; only an atom not yet bonded moves.",
                                     static_cast<unsigned long>(std::max(picked.neighbourCount, 0))),
                            {SymbolOf(picked), std::to_string(picked.neighbourCount)}));
}

std::string TMoleculeEditor::WhyNotOnASide(int dragged, TPoint point) const {
  std::int64_t nearest = -1;
  for (int i = 0; i < molecule.atoms.Count(); ++i) {
    const TAtom& atom = molecule.atoms[i];
    if (i == dragged || InTray(atom)) continue;
    for (int s = RightSide; s <= BottomSide; ++s) {
      const auto side = static_cast<SideCode>(s);
      const std::int64_t distance = DistanceToSideCell(atom, side, point);
      if (SideTaken(atom, side)) {
        if (distance == 0) return FormatText(Tr(kSideUsedDropOnFree[side]), {SymbolOf(atom)});
      } else if (nearest < 0 || distance < nearest) {
        nearest = distance;
      }
    }
  }
  if (nearest < 0) return Tr("No atom in the drawing area has a free side left.");
  return FormatText(TrPlural("Released {0} pixel away from the nearest free side; drop closer to a side.",
                             "Released {0} pixels away from the nearest free side; drop closer to a side.",
                             static_cast<unsigned long>(nearest)),
                    {std::to_string(nearest)});
}

SideCode TMoleculeEditor::FreeSideAt(int index, int dragged, TPoint point) const {
  if (index == dragged || !molecule.atoms.ValidIndex(index)) return NoSide;
  const TAtom& atom = molecule.atoms[index];
  // Strictly inside a side cell: less than 10 pixels from its middle both ways.
  for (int s = RightSide; s <= BottomSide; ++s) {
    const auto side = static_cast<SideCode>(s);
    const TPoint middle = SideOf(atom, side);
    if (std::llabs(std::int64_t{point.x} - middle.x) < 10 && std::llabs(std::int64_t{point.y} - middle.y) < 10)
      return SideTaken(atom, side) ? NoSide : side;
  }
  return NoSide;
}

TEditResult TMoleculeEditor::DropAt(int dragged, TPoint point) {
  // A point outside the area puts the atom back where it was.
  if (!molecule.atoms.ValidIndex(dragged) || !area.ContainsInclusive(point)) return {};
  for (int i = 0; i < molecule.atoms.Count(); ++i)
    if (const SideCode side = FreeSideAt(i, dragged, point); side != NoSide) return Drop(dragged, i, side);

  TEditResult result;
  bool somethingPlaced = false;
  for (const auto& atom : molecule.atoms)
    if (!InTray(atom)) somethingPlaced = true;
  if (somethingPlaced) {
    result = Refused(Tr("You must release the atom on the side of another atom to kovala!!"),
                     WhyNotOnASide(dragged, point));
  } else {
    // The first atom of the molecule: it may stand anywhere.
    molecule.Snapshot();
    result.snapshot = true;
    TAtom& first = molecule.atoms[dragged];
    molecule.atoms.MoveTo(dragged, 0);
    first.x = point.x - 15;
    first.y = point.y - 15;
  }
  Complete(result, true, kCompletedText, true);
  return result;
}

TEditResult TMoleculeEditor::Drop(int draggedIndex, int targetIndex, SideCode side) {
  auto& atoms = molecule.atoms;
  if (!atoms.ValidIndex(draggedIndex) || !atoms.ValidIndex(targetIndex) || draggedIndex == targetIndex ||
      side < RightSide || side > BottomSide)
    return {};
  if (TEditResult pickUp = PickUp(draggedIndex); pickUp.refusal) return pickUp;
  TAtom& dragged = atoms[draggedIndex];
  TAtom& target = atoms[targetIndex];
  if (InTray(target))
    return Refused(Tr("You cannot bond atoms in this area.  Move them to the center of the screen!!"),
                   FormatText(Tr("{0} still waits in the tray; bonds are made only in the drawing area."),
                              {SymbolOf(target)}));

  TEditResult result = Bond(dragged, target, side);
  Complete(result, true, kCompletedText, true);
  return result;
}

TEditResult TMoleculeEditor::Bond(TAtom& dragged, TAtom& target, SideCode side) {
  const TBondDecision decision = DecideBond(target, dragged);
  if (decision.kind == TBondKind::Refused)
    return Refused(Tr("You cannot bond these atoms together!!!"), decision.reason);

  auto& atoms = molecule.atoms;
  const SideCode facing = FacingSide(side);
  const TPlacement placement = PlacementBeside(target, side);
  const TAtom* holder = nullptr;
  for (const auto& atom : atoms)
    if (holder == nullptr && atom.x == placement.cell.x && atom.y == placement.cell.y) holder = &atom;
  // The refusal is decided before anything is touched, so a refused drop
  // leaves the atoms in their order and takes no undo step.
  std::string reason;
  if (SideTaken(target, side))
    reason = FormatText(Tr(kSideUsed[side]), {SymbolOf(target)});
  else if (SideTaken(dragged, facing))
    reason = FormatText(Tr(kDroppedSideUsed[facing]), {SymbolOf(dragged)});
  else if (holder != nullptr)
    reason = FormatText(Tr(kPlaceTaken[side]), {SymbolOf(target), SymbolOf(*holder)});
  if (!reason.empty()) return Refused(Tr(NoSpaceText), reason);

  // The tree links and the counters are read before the bond changes them.
  const bool targetIsLoneSingle = target.openBonds == 1 && !target.bonded;
  const bool draggedSuppliesPair = target.openBonds == 2;
  molecule.Snapshot();
  TEditResult result;
  result.snapshot = true;
  // The n-th bonded atom goes to position n. A molecule read from a file may
  // carry any bond counter, so the position is kept inside the collection.
  atoms.MoveTo(atoms.IndexOf(dragged), std::clamp(molecule.bondCount + 1, 0, atoms.Count() - 1));
  dragged.x = placement.cell.x;
  dragged.y = placement.cell.y;
  MarkSide(target, side, 1);
  MarkSide(dragged, facing, 1);
  AppendEntry(target.neighbourKind, dragged.kind);
  AppendEntry(dragged.neighbourKind, target.kind);
  ++target.neighbourCount;
  ++dragged.neighbourCount;
  molecule.bonds.Add(placement.line);
  ++molecule.bondCount;

  if (targetIsLoneSingle)
    HangFrom(atoms, target, dragged);
  else
    HangFrom(atoms, dragged, target);
  if (decision.kind == TBondKind::Single) {
    --target.freeElectrons;
    --target.openBonds;
    --dragged.freeElectrons;
    --dragged.openBonds;
  } else if (draggedSuppliesPair) {
    dragged.freeElectrons -= 2;
    target.openBonds -= 2;
  } else {
    target.freeElectrons -= 2;
    dragged.openBonds -= 2;
  }
  target.bonded = 1;
  dragged.bonded = 1;
  return result;
}

bool TMoleculeEditor::TestCompletion() {
  // An empty window holds no molecule to announce.
  molecule.completed = !molecule.atoms.IsEmpty();
  for (const auto& atom : molecule.atoms)
    if (atom.openBonds != 0) molecule.completed = false;
  return molecule.completed;
}

void TMoleculeEditor::Complete(TEditResult& result, bool snapshotAfterBracket, const char* announcement,
                               bool judged) {
  result.tested = true;
  if (!TestCompletion()) return;
  if (judged && judge) {
    if (std::optional<std::string> refusal = judge(molecule)) {
      result.completion = TEditResult::TCompletion::Refused;
      result.announcement = std::move(*refusal);
      return;
    }
  }
  if (AddChargeBracket() && snapshotAfterBracket) {
    molecule.Snapshot();
    result.snapshot = true;
  }
  for (auto& atom : molecule.atoms) ArrangeLonePairs(atom);
  result.completion = TEditResult::TCompletion::Completed;
  result.announcement = Tr(announcement);
}

bool TMoleculeEditor::AddChargeBracket() {
  const int charge = molecule.TotalCharge();
  if (charge == 0 || molecule.atoms.IsEmpty()) return false;
  const TRect box = molecule.AtomBox();
  molecule.brackets.Add(TBrackett(box.left, box.right, box.top, box.bottom, charge));
  return true;
}

void TMoleculeEditor::ArrangeLonePairs(TAtom& atom) {
  const auto before = atom.electronSlotTaken;
  atom.electronSlotTaken.fill(1);
  int pairs = atom.freeElectrons / 2;
  for (int side = RightSide; side <= BottomSide && pairs > 0; ++side) {
    const auto code = static_cast<SideCode>(side);
    if (before[side - 1] == 0) {
      MarkSide(atom, code, 0);
      --pairs;
    }
  }
}

bool TMoleculeEditor::Undo() {
  if (!molecule.RestoreSnapshot()) return false;
  molecule.completed = false;
  return true;
}

void TMoleculeEditor::Reset() {
  molecule.ClearRecords();
  molecule.undoHistory.Flush();
  molecule.completed = false;
  molecule.ringTemplatePlaced = false;
}

namespace {

bool EndsAt(const TBonds& bond, int x, int y) {
  return (bond.x1 == x && bond.y1 == y) || (bond.x2 == x && bond.y2 == y);
}

}  // namespace

void TMoleculeEditor::AbbreviateHs() {
  molecule.Snapshot();
  auto& atoms = molecule.atoms;
  auto& bonds = molecule.bonds;

  // Each hydrogen loses its bond line and moves just right of its partner,
  // whose side the hydrogen stood on opens again for its dots.
  for (auto& h : atoms) {
    if (h.kind != Hydrogen) continue;
    for (int i = 0; i < bonds.Count(); ++i) {
      const TBonds& bond = bonds[i];
      if (EndsAt(bond, h.x, h.y + 10) || EndsAt(bond, h.x + 20, h.y + 10) || EndsAt(bond, h.x + 10, h.y) ||
          EndsAt(bond, h.x + 10, h.y + 20)) {
        bonds.Destroy(i);
        break;
      }
    }
    const int partnerIndex = TreePartner(molecule, h);
    if (partnerIndex < 0) continue;
    TAtom& p = atoms[partnerIndex];
    if (p.x == h.x + 30 && p.y == h.y)
      MarkSide(p, LeftSide, 0);
    else if (p.x == h.x && p.y == h.y + 30)
      MarkSide(p, TopSide, 0);
    else if (p.x == h.x && p.y == h.y - 30)
      MarkSide(p, BottomSide, 0);
    h.x = p.x + 15;
    h.y = p.y;
    MarkSide(p, RightSide, 1);
  }

  // The "H" now covers the partner's right bond; only the long bonds of the
  // ring templates stay.
  for (const auto& h : atoms) {
    if (h.kind != Hydrogen) continue;
    for (int i = 0; i < bonds.Count(); ++i) {
      const TBonds& bond = bonds[i];
      if (std::abs(bond.x1 - bond.x2) == 40) continue;
      if (EndsAt(bond, h.x + 5, h.y + 10)) {
        bonds.Destroy(i);
        break;
      }
    }
  }
}

}  // namespace kovala
