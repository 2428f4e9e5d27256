// The organic-chemistry course: a molecule window with structure rules that
// tell isomers apart. The molecules themselves come with the course's own work.
#pragma once

#include "editor/bondwindow.h"

namespace kovala {

class TOrganicWindow : public TBondWindow {
 public:
  using TBondWindow::TBondWindow;
};

}  // namespace kovala
