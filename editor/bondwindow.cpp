#include "editor/bondwindow.h"

#include <cstdlib>
#include <memory>
#include <optional>

#include "editor/bookkeeping.h"
#include "editor/filefailure.h"
#include "editor/moleculepainter.h"
#include "model/moleculefile.h"

namespace kovala {

TBondWindow::TBondWindow(IWindowHost& windowHost, IDesktop& desktopServices)
    : TWindow(windowHost, desktopServices) {
  dialogSettings.filter = MoleculeFileFilter;
  dialogSettings.defaultExtension = MoleculeFileExtension;
}

TBondWindow::~TBondWindow() = default;

void TBondWindow::LeftButtonDown(TPoint point, TKeyState) { PickUpAtom(point); }
void TBondWindow::LeftButtonUp(TPoint point, TKeyState) { DropAtom(point); }

void TBondWindow::Snapshot() {
  molecule.Snapshot();
  changed = true;
}

bool TBondWindow::InTray(const TAtom& atom) const { return atom.x + 50 == Host().ClientRect().right; }

void TBondWindow::AddToTray(ElementKind kind) {
  TBondWindow::Resized();  // in case the width changed unannounced
  const TRect client = Host().ClientRect();
  const int trayX = client.right - 50;
  int k = 0;
  for (bool taken = true; taken; ++k) {
    taken = false;
    for (const auto& atom : molecule.atoms)
      if (atom.x == trayX && atom.y == client.top + 10 + 30 * k) taken = true;
    if (!taken) break;
  }
  if (molecule.atoms.IsEmpty()) molecule.ringTemplatePlaced = false;
  Snapshot();
  molecule.atoms.Add(TAtom(kind, trayX, client.top + 10 + 30 * k));
  Host().Invalidate(false);
  RenewPanel();
}

void TBondWindow::RestackTray() {
  TBondWindow::Resized();
  const TRect client = Host().ClientRect();
  const int trayX = client.right - 50;
  for (auto& atom : molecule.atoms) {
    int k = 0;
    for (;; ++k) {
      bool taken = false;
      for (const auto& other : molecule.atoms)
        if (&other != &atom && other.x == trayX && other.y == client.top + 10 + 30 * k) taken = true;
      if (!taken) break;
    }
    if (InTray(atom)) atom.y = client.top + 10 + 30 * k;
  }
  Host().Invalidate(true);
}

namespace {

constexpr const char* kSaveQuestion = "Do you want to save?";

// Writes the molecule to `path`, which becomes the window's file only once
// it is written: after a failure the next Save does not go to the path that
// failed. The old file is left as it was; the box keeps the save's message
// and the explanation field says why.
bool WriteMoleculeTo(TBondWindow& window, const std::string& path) {
  const TFileResult result = SaveMoleculeFile(path, window.molecule);
  if (!result.Ok()) {
    window.SetExplanation(WriteFailureReason("Not saved", result, path));
    ShowWriteFailure(window.Desktop());
    return false;
  }
  window.ClearExplanation();
  window.fileName = path;
  window.changed = false;
  window.Host().SetCaption(window.fileName);
  return true;
}

bool EndsAt(const TBonds& bond, int x, int y) {
  return (bond.x1 == x && bond.y1 == y) || (bond.x2 == x && bond.y2 == y);
}

void SetSide(TAtom& atom, int firstSlot, std::uint8_t taken) {
  atom.electronSlotTaken[static_cast<std::size_t>(firstSlot)] = taken;
  atom.electronSlotTaken[static_cast<std::size_t>(firstSlot + 4)] = taken;
}

}  // namespace

void TBondWindow::SetupWindow() {
  trayRight = Host().ClientRect().right;
  Host().SetCaption(fileName);
  RenewPanel();
}

void TBondWindow::Paint(ISurface& surface) {
  TMoleculePainter::DrawMolecule(surface, molecule);
  // The picked-up atom leaves its old place while the cursor carries it.
  if (dragging && draggedAtom) TMoleculePainter::DrawBlankCell(surface, draggedAtom->x, draggedAtom->y);
}

void TBondWindow::RightButtonDown(TPoint point, TKeyState) {
  if (molecule.atoms.IsEmpty()) return;
  if (electronModePending)
    ChangeElectrons(point);
  else
    ClickBond(point);
}

void TBondWindow::Resized() {
  // Loose atoms waiting in the tray keep to the tray column when the width
  // changes; otherwise they would be stranded in the drawing area.
  const int right = Host().ClientRect().right;
  if (right == trayRight) return;
  bool moved = false;
  for (auto& atom : molecule.atoms) {
    if (atom.bonded || atom.x + 50 != trayRight) continue;
    atom.x = right - 50;
    moved = true;
  }
  trayRight = right;
  if (moved) Host().Invalidate(true);
}

bool TBondWindow::Command(int id) {
  switch (id) {
    case cmd::SaveAs:
      SaveAs();
      return true;
    case cmd::AddElectron:
      ArmElectronChange(true);
      return true;
    case cmd::SubtractElectron:
      ArmElectronChange(false);
      return true;
    case cmd::AbbreviateHs:
      AbbreviateHs();
      return true;
    default:
      return false;
  }
}

bool TBondWindow::CanClose() { return AskToSave(); }

std::string TBondWindow::ToolTipAt(TPoint point) const {
  if (dragging) return {};
  for (int i = 0; i < molecule.atoms.Count(); ++i)
    if (molecule.atoms[i].Contains(point.x, point.y)) return BookkeepingText(molecule, i);
  return {};
}

bool TBondWindow::AskToSave() {
  if (!changed || molecule.atoms.IsEmpty()) return true;
  switch (
      Desktop().MessageBox(kSaveQuestion, "Molecule has changed", TIcon::Question, TButtons::YesNoCancel)) {
    case TAnswer::Yes:
      // A save that did not happen keeps the molecule, as Cancel does.
      return Save();
    case TAnswer::No:
      return true;
    default:
      return false;
  }
}

void TBondWindow::ResetMolecule() {
  // A drag cannot outlive the atom it holds.
  if (dragging) {
    Host().ReleaseMouse();
    Host().RestoreCursor();
    dragging = false;
  }
  draggedAtom = nullptr;
  molecule.ClearRecords();
  molecule.undoHistory.Flush();
  molecule.completed = false;
  molecule.ringTemplatePlaced = false;
  // Nothing said about the old molecule stays beside the new one.
  ClearExplanation();
  completionLine.clear();
}

bool TBondWindow::New() {
  if (!AskToSave()) return false;
  ResetMolecule();
  changed = false;
  untitled = true;
  fileName = "Untitled";
  Host().SetCaption(fileName);
  Host().Invalidate(true);
  RenewPanel();
  return true;
}

bool TBondWindow::Open() {
  if (!AskToSave()) return false;
  const std::optional<std::string> path = Desktop().OpenFileDialog(dialogSettings);
  if (!path) return false;
  fileName = *path;
  ResetMolecule();
  trayRight = Host().ClientRect().right;
  const TFileResult read = LoadMoleculeFile(fileName, molecule);
  if (!read.Ok()) {
    SetExplanation(ReadFailureReason(read, fileName));
    ShowReadFailure(read, Desktop());
    // Left empty; the unreadable file must not be overwritten by the next
    // Save, so that Save asks for a name.
    molecule.ClearRecords();
    molecule.completed = false;
    molecule.ringTemplatePlaced = false;
    untitled = true;
    Host().Invalidate(true);
    RenewPanel();
    return false;
  }
  ClearExplanation();
  molecule.ringTemplatePlaced = false;
  changed = false;
  untitled = false;
  Host().SetCaption(fileName);
  Host().Invalidate(true);
  RenewPanel();
  return true;
}

bool TBondWindow::Save() {
  if (untitled) return SaveAs();
  return WriteMoleculeTo(*this, fileName);
}

bool TBondWindow::SaveAs() {
  const std::optional<std::string> path = Desktop().SaveFileDialog(dialogSettings);
  if (!path || path->empty()) return false;
  if (!WriteMoleculeTo(*this, *path)) return false;
  // The student has chosen a name; the next Save writes to it.
  untitled = false;
  return true;
}

void TBondWindow::UndoBack() {
  // The dragged atom would not survive the restore.
  if (dragging) return;
  if (!molecule.RestoreSnapshot()) return;
  draggedAtom = nullptr;
  molecule.completed = false;
  ClearExplanation();
  Host().Invalidate(true);
  RenewPanel();
}

void TBondWindow::CopyToClipboard() {
  if (molecule.atoms.IsEmpty()) return;
  const TRect client = Host().ClientRect();
  const std::unique_ptr<IPicture> picture = Desktop().CreatePicture(client.Width(), client.Height());
  if (!picture) return;
  TMoleculePainter::DrawMolecule(picture->Surface(), molecule);

  // An ion's right bracket and charge stand outside its atoms' box.
  const TRect box = TMoleculePainter::PictureBox(molecule, molecule.AtomBox(), &picture->Surface());
  Desktop().CopyToClipboardWithSvg(*picture, box, SvgOf(box));
}

bool TBondWindow::PaletteGuard() {
  if (molecule.completed) {
    Desktop().MessageBox("You must start a new molecule before using this command!!!", "Warning",
                         TIcon::Exclamation);
    return false;
  }
  if (molecule.atoms.Count() >= 26) {
    Desktop().MessageBox("You can have no more than 26 total atoms!!!", "Warning", TIcon::Exclamation);
    return false;
  }
  return true;
}

void TBondWindow::NewAtom(ElementKind kind) {
  if (PaletteGuard()) AddToTray(kind);
}

void TBondWindow::AbbreviateHs() {
  Snapshot();
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
    int partnerIndex = -1;
    if (h.parentIndex != -1)
      partnerIndex = h.parentIndex;
    else if (h.childIndex[0] != -1)
      partnerIndex = h.childIndex[0];
    if (!atoms.ValidIndex(partnerIndex)) continue;
    TAtom& p = atoms[partnerIndex];
    if (p.x == h.x + 30 && p.y == h.y)
      SetSide(p, 2, 0);
    else if (p.x == h.x && p.y == h.y + 30)
      SetSide(p, 1, 0);
    else if (p.x == h.x && p.y == h.y - 30)
      SetSide(p, 3, 0);
    h.x = p.x + 15;
    h.y = p.y;
    SetSide(p, 0, 1);
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

  changed = true;
  Host().Invalidate(true);
  RenewPanel();
}

void TBondWindow::ArmElectronChange(bool add) {
  electronModeAdd = add;
  electronModePending = true;
  Desktop().MessageBox(add ? "Click the right mouse button on the atom which is to gain the electron."
                           : "Click the right mouse button on the atom which is to lose the electron.",
                       "Information", TIcon::Information);
}

}  // namespace kovala
