// The practice lab: a molecule window that leads through a fixed list of
// compounds. The compounds themselves come with the lab's own work.
#pragma once

#include "editor/bondwindow.h"

namespace kovala {

class TPracticeWindow : public TBondWindow {
 public:
  using TBondWindow::TBondWindow;
};

}  // namespace kovala
