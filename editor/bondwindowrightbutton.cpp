// Multiple bonds and electron changes with the right button.
#include "editor/bondwindow.h"

namespace kovala {

void TBondWindow::ChangeElectrons(TPoint) {}
void TBondWindow::ClickBond(TPoint) {}
void TBondWindow::RightButtonCompletion(const std::string&) {}
void TBondWindow::BondClickCompletionStep() {}

}  // namespace kovala
