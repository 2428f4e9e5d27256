// The three ring templates a molecule can start from.
#include "editor/bondwindow.h"

namespace kovala {

void TBondWindow::PlaceAromaticRing() {}
void TBondWindow::PlaceCyclohexane() {}
void TBondWindow::PlaceCyclobutane() {}
void TBondWindow::PlaceRing(TRingKind) {}

}  // namespace kovala
