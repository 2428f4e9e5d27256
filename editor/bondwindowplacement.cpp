// Placing atoms with the left button and bonding them: the drag from the tray,
// the snap onto the grid beside a placed atom, the bond and the completion test.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "chem/identity.h"
#include "editor/bondwindow.h"
#include "editor/moleculepanel.h"

namespace kovala {

namespace {

const char* const kCompletedText = "This molecule is completed!!!  Go to View for 3-D structure.";

void Warn(IDesktop& desktop, const std::string& text) {
  desktop.MessageBox(text, "Warning", TIcon::Exclamation);
}

// Side s owns slots s - 1 and s + 3.
int FirstSlot(SideCode side) { return side - 1; }
int SecondSlot(SideCode side) { return side + 3; }

bool SideTaken(const TAtom& atom, SideCode side) {
  return atom.electronSlotTaken[FirstSlot(side)] != 0 || atom.electronSlotTaken[SecondSlot(side)] != 0;
}

void TakeSide(TAtom& atom, SideCode side) {
  atom.electronSlotTaken[FirstSlot(side)] = 1;
  atom.electronSlotTaken[SecondSlot(side)] = 1;
}

SideCode FacingSide(SideCode side) {
  switch (side) {
    case RightSide:
      return LeftSide;
    case TopSide:
      return BottomSide;
    case LeftSide:
      return RightSide;
    case BottomSide:
      return TopSide;
    default:
      return NoSide;
  }
}

// Where the dropped atom stands beside a target, and the bond line between them.
struct TPlacement {
  TPoint cell;
  TBonds line;
};

TPlacement PlacementBeside(const TAtom& target, SideCode side) {
  const int x = target.x;
  const int y = target.y;
  switch (side) {
    case RightSide:
      return {{x + 30, y}, TBonds(x + 20, x + 30, y + 10, y + 10)};
    case TopSide:
      return {{x, y - 30}, TBonds(x + 10, x + 10, y, y - 10)};
    case LeftSide:
      return {{x - 30, y}, TBonds(x, x - 10, y + 10, y + 10)};
    default:
      return {{x, y + 30}, TBonds(x + 10, x + 10, y + 20, y + 30)};
  }
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

// Position of the dragged atom, compared by address only: the atom may have
// been thrown away by an undo while the button was held.
int PositionOf(const TOwningArray<TAtom>& atoms, const TAtom* atom) {
  for (int i = 0; i < atoms.Count(); ++i)
    if (&atoms[i] == atom) return i;
  return -1;
}

std::string SymbolOf(const TAtom& atom) {
  const std::string_view symbol = ElementInfo(atom.kind).symbol;
  return symbol.empty() ? std::string("?") : std::string(symbol);
}

// The dropped atom and the one it touches, told apart when both are of one element.
std::pair<std::string, std::string> DropNames(const TAtom& dragged, const TAtom& target) {
  if (dragged.kind != target.kind) return {SymbolOf(dragged), SymbolOf(target)};
  return {"the dropped " + SymbolOf(dragged), "the placed " + SymbolOf(target)};
}

std::string Capitalised(std::string text) {
  if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') text[0] = static_cast<char>(text[0] - 'a' + 'A');
  return text;
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
    return {TBondKind::Refused, "Both atoms need a free bond: " + draggedName + " has " +
                                    std::to_string(dragged.openBonds) + ", " + targetName + " has " +
                                    std::to_string(target.openBonds) + " left."};
  return {TBondKind::Refused, "Each atom must give the bond a free electron: " + draggedName + " has " +
                                  std::to_string(dragged.freeElectrons) + ", " + targetName + " has " +
                                  std::to_string(target.freeElectrons) + "."};
}

const char* SideName(SideCode side) {
  switch (side) {
    case RightSide:
      return "right";
    case TopSide:
      return "top";
    case LeftSide:
      return "left";
    default:
      return "bottom";
  }
}

const char* PlaceName(SideCode side) {
  switch (side) {
    case RightSide:
      return "to the right of";
    case TopSide:
      return "above";
    case LeftSide:
      return "to the left of";
    default:
      return "below";
  }
}

// Pixels from a point to the nearest point inside a side cell of an atom.
std::int64_t DistanceToSideCell(const TAtom& atom, SideCode side, TPoint point) {
  // The cells' inner points, as FindFreeSide's strict bounds take them.
  std::int64_t left = atom.x + 1, top = atom.y + 1;
  switch (side) {
    case RightSide:
      left = std::int64_t{atom.x} + 21;
      break;
    case TopSide:
      top = std::int64_t{atom.y} - 19;
      break;
    case LeftSide:
      left = std::int64_t{atom.x} - 19;
      break;
    default:
      top = std::int64_t{atom.y} + 21;
      break;
  }
  const std::int64_t dx = std::max<std::int64_t>({left - point.x, 0, point.x - (left + 18)});
  const std::int64_t dy = std::max<std::int64_t>({top - point.y, 0, point.y - (top + 18)});
  std::int64_t d = static_cast<std::int64_t>(std::sqrt(static_cast<double>(dx * dx + dy * dy)));
  while (d * d < dx * dx + dy * dy) ++d;  // rounded up: a miss is never 0 pixels
  return d;
}

}  // namespace

void TBondWindow::SetExplanation(const std::string& reason) {
  explanation = reason;
  RenewPanel();
}

void TBondWindow::Refuse(const std::string& message, const std::string& reason) {
  SetExplanation(reason);
  Warn(Desktop(), message);
}

std::optional<std::string> TBondWindow::PanelText() const {
  return kovala::PanelText(molecule, {explanation, completionLine, Host().ClientRect().right - 50});
}

void TBondWindow::RenewPanel() {
  // The line is made when the molecule completes; a molecule read from a
  // file as complete gets it here. Nothing keeps it past completion.
  if (!molecule.completed)
    completionLine.clear();
  else if (completionLine.empty())
    completionLine = CompletionExplanation(Identify(GraphOf(molecule)), ShownMoleculeName());
  Host().PanelChanged();
}

std::string TBondWindow::WhyNotOnASide(TPoint point) const {
  std::int64_t nearest = -1;
  for (const auto& atom : molecule.atoms) {
    if (&atom == draggedAtom || InTray(atom)) continue;
    for (int s = RightSide; s <= BottomSide; ++s) {
      const auto side = static_cast<SideCode>(s);
      const std::int64_t distance = DistanceToSideCell(atom, side, point);
      if (SideTaken(atom, side)) {
        if (distance == 0)
          return Capitalised("the " + std::string(SideName(side)) + " side of " + SymbolOf(atom) +
                             " is already used; drop on a free side.");
      } else if (nearest < 0 || distance < nearest) {
        nearest = distance;
      }
    }
  }
  if (nearest < 0) return "No atom in the drawing area has a free side left.";
  return "Released " + std::to_string(nearest) + (nearest == 1 ? " pixel" : " pixels") +
         " away from the nearest free side; drop closer to a side.";
}

void TBondWindow::PickUpAtom(TPoint point) {
  if (dragging || molecule.atoms.IsEmpty()) return;
  TAtom* picked = nullptr;
  for (auto& atom : molecule.atoms)
    if (atom.Contains(point.x, point.y)) {
      picked = &atom;
      break;
    }
  if (picked == nullptr) return;
  if (picked->bonded) {
    Refuse("You cannot move this bonded atom!!!",
           SymbolOf(*picked) + " is bonded to " + std::to_string(picked->neighbourCount) +
               (picked->neighbourCount == 1 ? " atom" : " atoms") + "; only an atom not yet bonded moves.");
    return;
  }
  draggedAtom = picked;
  Host().CaptureMouse();
  dragging = true;
  if (IsKnownKind(picked->kind)) Host().SetCursor(std::string(ElementInfo(picked->kind).cursorName));
  // The atom is blanked out of its old place while the cursor carries it.
  Host().Invalidate(false);
  Host().UpdateNow();
}

void TBondWindow::DropAtom(TPoint point) {
  if (!dragging) return;
  ClearExplanation();
  const int draggedIndex = PositionOf(molecule.atoms, draggedAtom);
  bool testCompletion = false;

  if (draggedIndex == -1) {
    // The molecule was replaced under the drag; there is nothing left to drop.
  } else if (!Host().ClientRect().ContainsInclusive(point)) {
    // Released outside the window: the atom goes back where it was.
  } else {
    TAtom& dragged = *draggedAtom;
    TAtom* target = nullptr;
    lastSide = NoSide;
    for (auto& atom : molecule.atoms) {
      lastSide = FindFreeSide(atom, draggedAtom, point);
      if (lastSide != NoSide) {
        target = &atom;
        break;
      }
    }

    if (target != nullptr && InTray(*target)) {
      Refuse("You cannot bond atoms in this area.  Move them to the center of the screen!!",
             SymbolOf(*target) + " still waits in the tray; bonds are made only in the drawing area.");
    } else if (target != nullptr) {
      testCompletion = true;
      const TBondDecision decision = DecideBond(*target, dragged);
      const bool singleBond = decision.kind == TBondKind::Single;
      if (decision.kind != TBondKind::Refused) {
        // The tree links and the counters are read before the bond changes them.
        const bool targetIsLoneSingle = target->openBonds == 1 && !target->bonded;
        const bool draggedSuppliesPair = target->openBonds == 2;
        if (!PlaceBeside(*target, lastSide)) {
          if (targetIsLoneSingle)
            HangFrom(molecule.atoms, *target, dragged);
          else
            HangFrom(molecule.atoms, dragged, *target);
          if (singleBond) {
            --target->freeElectrons;
            --target->openBonds;
            --dragged.freeElectrons;
            --dragged.openBonds;
          } else if (draggedSuppliesPair) {
            dragged.freeElectrons -= 2;
            target->openBonds -= 2;
          } else {
            target->freeElectrons -= 2;
            dragged.openBonds -= 2;
          }
          target->bonded = 1;
          dragged.bonded = 1;
        }
      } else {
        Refuse("You cannot bond these atoms together!!!", decision.reason);
      }
    } else {
      testCompletion = true;
      bool somethingPlaced = false;
      for (const auto& atom : molecule.atoms)
        if (!InTray(atom)) somethingPlaced = true;
      if (somethingPlaced) {
        Refuse("You must release the atom on the side of another atom to kovala!!", WhyNotOnASide(point));
      } else {
        // The first atom of the molecule: it may stand anywhere.
        Snapshot();
        molecule.atoms.MoveTo(draggedIndex, 0);
        dragged.x = point.x - 15;
        dragged.y = point.y - 15;
      }
    }
  }

  if (testCompletion) {
    Host().Invalidate(false);
    TestCompletion();
    if (molecule.completed) DropCompletionStep();
  }

  // The drag ends however the drop went. The completion step may have laid the
  // molecule out afresh, so the dragged atom is not looked at from here on.
  Host().ReleaseMouse();
  dragging = false;
  Host().RestoreCursor();
  RestackTray();  // also repaints the whole client area
  RenewPanel();
}

SideCode TBondWindow::FindFreeSide(const TAtom& atom, const TAtom* dragged, TPoint point) const {
  if (&atom == dragged) return NoSide;
  const int dx = point.x - atom.x;
  const int dy = point.y - atom.y;
  SideCode side = NoSide;
  if (20 < dx && dx < 40 && 0 < dy && dy < 20)
    side = RightSide;
  else if (0 < dx && dx < 20 && -20 < dy && dy < 0)
    side = TopSide;
  else if (-20 < dx && dx < 0 && 0 < dy && dy < 20)
    side = LeftSide;
  else if (0 < dx && dx < 20 && 20 < dy && dy < 40)
    side = BottomSide;
  if (side == NoSide || SideTaken(atom, side)) return NoSide;
  return side;
}

bool TBondWindow::PlaceBeside(TAtom& target, SideCode side) {
  if (side == NoSide || draggedAtom == nullptr) return true;
  TAtom& dragged = *draggedAtom;
  const int draggedIndex = molecule.atoms.IndexOf(dragged);
  if (draggedIndex == -1 || molecule.atoms.IndexOf(target) == -1) return true;

  const SideCode facing = FacingSide(side);
  const TPlacement placement = PlacementBeside(target, side);
  const TAtom* holder = nullptr;
  for (const auto& atom : molecule.atoms)
    if (holder == nullptr && atom.x == placement.cell.x && atom.y == placement.cell.y) holder = &atom;
  // The refusal is decided before anything is touched, so a refused drop
  // leaves the atoms in their order, no undo step and `changed` as it was.
  std::string reason;
  if (SideTaken(target, side))
    reason = Capitalised("the " + std::string(SideName(side)) + " side of " + SymbolOf(target) +
                         " is already used.");
  else if (SideTaken(dragged, facing))
    reason = "The " + std::string(SideName(facing)) + " side of the dropped " + SymbolOf(dragged) +
             " is already used.";
  else if (holder != nullptr)
    reason = "The place " + std::string(PlaceName(side)) + " " + SymbolOf(target) + " is taken by " +
             SymbolOf(*holder) + ".";
  if (!reason.empty()) {
    Refuse(NoSpaceText, reason);
    return true;
  }

  Snapshot();
  // The n-th bonded atom goes to position n. A molecule read from a file may
  // carry any bond counter, so the position is kept inside the collection.
  const int lastIndex = molecule.atoms.Count() - 1;
  molecule.atoms.MoveTo(draggedIndex, std::clamp(molecule.bondCount + 1, 0, lastIndex));

  dragged.x = placement.cell.x;
  dragged.y = placement.cell.y;
  TakeSide(target, side);
  TakeSide(dragged, facing);
  AppendEntry(target.neighbourKind, dragged.kind);
  AppendEntry(dragged.neighbourKind, target.kind);
  ++target.neighbourCount;
  ++dragged.neighbourCount;
  molecule.bonds.Add(placement.line);
  ++molecule.bondCount;
  return false;
}

void TBondWindow::TestCompletion() {
  // An empty window holds no molecule to announce.
  molecule.completed = !molecule.atoms.IsEmpty();
  for (const auto& atom : molecule.atoms)
    if (atom.openBonds != 0) molecule.completed = false;
}

void TBondWindow::CompleteMolecule() {
  if (AddChargeBracket()) Snapshot();
  for (auto& atom : molecule.atoms) ArrangeLonePairs(atom);
  Host().GrayMenuItem(cmd::AbbreviateHs);
  ExplainCompletion();
  Desktop().MessageBox(kCompletedText, "Information", TIcon::Information);
  Host().Invalidate(true);
}

bool TBondWindow::AddChargeBracket() {
  const int charge = molecule.TotalCharge();
  if (charge == 0 || molecule.atoms.IsEmpty()) return false;
  const TRect box = molecule.AtomBox();
  molecule.brackets.Add(TBrackett(box.left, box.right, box.top, box.bottom, charge));
  return true;
}

void TBondWindow::ArrangeLonePairs(TAtom& atom) {
  const auto before = atom.electronSlotTaken;
  atom.electronSlotTaken.fill(1);
  int pairs = atom.freeElectrons / 2;
  for (int side = RightSide; side <= BottomSide && pairs > 0; ++side) {
    const auto code = static_cast<SideCode>(side);
    if (before[FirstSlot(code)] == 0) {
      atom.electronSlotTaken[FirstSlot(code)] = 0;
      atom.electronSlotTaken[SecondSlot(code)] = 0;
      --pairs;
    }
  }
}

void TBondWindow::ExplainCompletion() {
  completionLine = CompletionExplanation(Identify(GraphOf(molecule)), ShownMoleculeName());
  RenewPanel();
}

void TBondWindow::DropCompletionStep() { CompleteMolecule(); }

}  // namespace kovala
