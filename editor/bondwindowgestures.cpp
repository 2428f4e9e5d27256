// The molecule window's gestures: each turns the mouse into one operation of
// the core and its result into message boxes, the panel text, a repaint and
// the cursor.
#include <string>

#include "chem/identity.h"
#include "editor/bondwindow.h"
#include "editor/moleculepanel.h"

namespace kovala {

void TBondWindow::SetExplanation(const std::string& reason) {
  explanation = reason;
  RenewPanel();
}

std::optional<std::string> TBondWindow::PanelText() const {
  return WithKeyHint(kovala::PanelText(molecule, {explanation, completionLine, Host().ClientRect().right - 50}));
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

void TBondWindow::ExplainCompletion() {
  completionLine = CompletionExplanation(Identify(GraphOf(molecule)), ShownMoleculeName());
  RenewPanel();
}

void TBondWindow::ShowRefusal(const TEditResult& result) {
  if (result.snapshot) changed = true;
  if (result.explanation) SetExplanation(*result.explanation);
  if (result.refusal) Desktop().MessageBox(result.refusal->text, result.refusal->caption, result.refusal->icon);
}

bool TBondWindow::ShowCompletion(const TEditResult& result) {
  switch (result.completion) {
    case TEditResult::TCompletion::None:
      return true;
    case TEditResult::TCompletion::Refused:
      Desktop().MessageBox(result.announcement, Tr("Warning"), TIcon::Exclamation);
      return false;
    case TEditResult::TCompletion::Completed:
      break;
  }
  Host().GrayMenuItem(cmd::AbbreviateHs);
  abbreviateGrayed = true;
  ExplainCompletion();
  Desktop().MessageBox(result.announcement, Tr("Information"), TIcon::Information);
  return true;
}

void TBondWindow::PickUpAtom(TPoint point) {
  if (dragging || molecule.atoms.IsEmpty()) return;
  const int index = Core().AtomAt(point);
  if (index < 0) return;
  if (const TEditResult refused = editor.PickUp(index); refused.refusal) {
    ShowRefusal(refused);
    return;
  }
  draggedAtom = &molecule.atoms[index];
  Host().CaptureMouse();
  dragging = true;
  if (IsKnownKind(draggedAtom->kind)) Host().SetCursor(std::string(ElementInfo(draggedAtom->kind).cursorName));
  // The atom is blanked out of its old place while the cursor carries it.
  Host().Invalidate(false);
  Host().UpdateNow();
}

void TBondWindow::DropAtom(TPoint point) {
  if (!dragging) return;
  ClearExplanation();
  // Found by address only: the atom may have been thrown away by an undo, or
  // the molecule replaced, while the button was held.
  int index = -1;
  for (int i = 0; i < molecule.atoms.Count() && index < 0; ++i)
    if (&molecule.atoms[i] == draggedAtom) index = i;
  const TEditResult result = index < 0 ? TEditResult{} : Core().DropAt(index, point);
  ShowRefusal(result);
  if (result.tested) Host().Invalidate(false);
  const bool accepted = ShowCompletion(result);
  if (result.completion == TEditResult::TCompletion::Completed) Host().Invalidate(true);

  // The drag ends however the drop went.
  Host().ReleaseMouse();
  dragging = false;
  Host().RestoreCursor();
  RestackTray();  // also repaints the whole client area
  RenewPanel();
  if (!accepted) CompletionRefused(result.announcement);
}

void TBondWindow::ChangeElectrons(TPoint point) {
  ClearExplanation();
  const TEditResult result = Core().ChangeElectrons(editor.AtomAt(point), electronModeAdd);
  ShowRefusal(result);
  ShowCompletion(result);
  electronModePending = false;
  Host().Invalidate(true);
  RenewPanel();
}

void TBondWindow::ClickBond(TPoint point) {
  ClearExplanation();
  const int bond = Core().BondAt(point);
  const TEditResult result = editor.RaiseBond(bond);
  ShowRefusal(result);
  if (!result.tested) {
    // A protected bond's refusal, or no bond: the last reason went with this click.
    RenewPanel();
    return;
  }
  Host().Invalidate(true);
  const bool accepted = ShowCompletion(result);
  RenewPanel();
  if (!accepted) CompletionRefused(result.announcement);
}

void TBondWindow::PlaceAromaticRing() { PlaceRing(TRingKind::Aromatic); }
void TBondWindow::PlaceCyclohexane() { PlaceRing(TRingKind::Cyclohexane); }
void TBondWindow::PlaceCyclobutane() { PlaceRing(TRingKind::Cyclobutane); }

void TBondWindow::PlaceRing(TRingKind ring) {
  const TEditResult result = Core().PlaceRing(ring);
  ShowRefusal(result);
  if (result.refusal) return;
  Host().Invalidate(false);
  RenewPanel();
}

}  // namespace kovala
