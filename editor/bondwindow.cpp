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

void TBondWindow::LeftButtonDown(TPoint point, TKeyState) {
  ShowKeyFocus(keyboardFocus, false);
  PickUpAtom(point);
}
void TBondWindow::LeftButtonUp(TPoint point, TKeyState) { DropAtom(point); }

void TBondWindow::Snapshot() {
  molecule.Snapshot();
  changed = true;
}

bool TBondWindow::InTray(const TAtom& atom) const { return TMoleculeEditor::InTray(atom, Host().ClientRect()); }

TMoleculeEditor& TBondWindow::Core() {
  editor.Sync(Host().ClientRect());
  return editor;
}

void TBondWindow::AddToTray(ElementKind kind) {
  TBondWindow::Resized();  // in case the width changed unannounced
  Core().PutInTray(kind);
  changed = true;
  Host().Invalidate(false);
  RenewPanel();
}

void TBondWindow::RestackTray() {
  TBondWindow::Resized();
  Core().RestackTray();
  Host().Invalidate(true);
}

namespace {

constexpr const char* kSaveQuestion = TrNoop("Do you want to save?");

// Writes the molecule to `path`, which becomes the window's file only once
// it is written: after a failure the next Save does not go to the path that
// failed. The old file is left as it was; the box keeps the save's message
// and the explanation field says why.
bool WriteMoleculeTo(TBondWindow& window, const std::string& path) {
  const TFileResult result = SaveMoleculeFile(path, window.molecule);
  if (!result.Ok()) {
    window.SetExplanation(WriteFailureReason(Tr("Not saved"), result, path));
    ShowWriteFailure(window.Desktop());
    return false;
  }
  window.ClearExplanation();
  window.fileName = path;
  window.changed = false;
  window.Host().SetCaption(window.fileName);
  return true;
}

}  // namespace

void TBondWindow::SetupWindow() {
  Core().trayRight = Host().ClientRect().right;
  Host().SetCaption(fileName);
  RenewPanel();
}

void TBondWindow::Paint(ISurface& surface) {
  TMoleculePainter::DrawMolecule(surface, molecule);
  // The picked-up atom leaves its old place while the cursor carries it.
  if (dragging && draggedAtom) TMoleculePainter::DrawBlankCell(surface, draggedAtom->x, draggedAtom->y);
  DrawKeyFocus(surface);
}

void TBondWindow::RightButtonDown(TPoint point, TKeyState) {
  ShowKeyFocus(keyboardFocus, false);
  if (molecule.atoms.IsEmpty()) return;
  if (electronModePending)
    ChangeElectrons(point);
  else
    ClickBond(point);
}

void TBondWindow::Resized() {
  if (Core().FollowArea()) Host().Invalidate(true);
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
  switch (Desktop().MessageBox(Tr(kSaveQuestion), Tr("Molecule has changed"), TIcon::Question,
                               TButtons::YesNoCancel)) {
    case TAnswer::Yes:
      // A save that did not happen keeps the molecule, as Cancel does.
      return Save();
    case TAnswer::No:
      return true;
    default:
      return false;
  }
}

void TBondWindow::EndDrag() {
  if (!dragging) return;
  Host().ReleaseMouse();
  Host().RestoreCursor();
  dragging = false;
}

void TBondWindow::ResetMolecule() {
  // A drag cannot outlive the atom it holds.
  EndDrag();
  draggedAtom = nullptr;
  editor.Reset();
  // Nothing said about the old molecule stays beside the new one.
  ClearExplanation();
  completionLine.clear();
}

bool TBondWindow::New() {
  if (!AskToSave()) return false;
  ResetMolecule();
  changed = false;
  untitled = true;
  fileName = Tr("Untitled");
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
  editor.trayRight = Host().ClientRect().right;
  const TFileResult read = LoadMoleculeFile(fileName, molecule);
  if (!read.Ok()) {
    SetExplanation(ReadFailureReason(read, fileName));
    ShowReadFailure(read, Desktop());
    // Left empty; the unreadable file must not be overwritten by the next
    // Save, so that Save asks for a name.
    editor.Reset();
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
  if (!editor.Undo()) return;
  draggedAtom = nullptr;
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

void TBondWindow::NewAtom(ElementKind kind) {
  if (const std::optional<TNotice> refusal = Core().PaletteRefusal())
    Desktop().MessageBox(refusal->text, refusal->caption, refusal->icon);
  else
    AddToTray(kind);
}

void TBondWindow::AbbreviateHs() {
  Core().AbbreviateHs();
  changed = true;
  Host().Invalidate(true);
  RenewPanel();
}

void TBondWindow::ArmElectronChange(bool add) {
  electronModeAdd = add;
  electronModePending = true;
  Desktop().MessageBox(add ? Tr("Click the right mouse button on the atom which is to gain the electron.")
                           : Tr("Click the right mouse button on the atom which is to lose the electron."),
                       Tr("Information"), TIcon::Information);
}

}  // namespace kovala
