// The practice lab: a course through 19 compounds, three of them with a rule
// (hydrogen peroxide, sulfur dioxide, the sulfate ion).
#pragma once

#include <vector>

#include "practice/coursewindow.h"

namespace kovala {

// The lab's compounds, in lesson order (practicetable.cpp).
const std::vector<TCourseRow>& PracticeTable();

class TPracticeWindow : public TCourseWindow {
 public:
  TPracticeWindow(IWindowHost& host, IDesktop& desktop);

  void StartLab() { Start(); }
  void NextCompound() { NextRow(); }
  void PreviousCompound() { PreviousRow(); }

  int& compoundNumber{rowNumber};
};

}  // namespace kovala
