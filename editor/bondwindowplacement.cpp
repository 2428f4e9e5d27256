// Placing atoms with the left button and bonding them.
#include "editor/bondwindow.h"

namespace kovala {

void TBondWindow::PickUpAtom(TPoint) {}
void TBondWindow::DropAtom(TPoint) {}
SideCode TBondWindow::FindFreeSide(const TAtom&, const TAtom*, TPoint) const { return NoSide; }
bool TBondWindow::PlaceBeside(TAtom&, SideCode) { return true; }
void TBondWindow::TestCompletion() {}
void TBondWindow::CompleteMolecule() {}
void TBondWindow::ArrangeLonePairs(TAtom&) {}
void TBondWindow::DropCompletionStep() {}

}  // namespace kovala
