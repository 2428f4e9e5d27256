// The organic-chemistry course: 24 molecules, twelve of them with structure
// rules that tell an alcohol from an ether, a ketone from an aldehyde, an acid
// from an ester and one ester from another.
#pragma once

#include <vector>

#include "practice/coursewindow.h"

namespace kovala {

// The course's molecules, in lesson order (organictable.cpp).
const std::vector<TCourseRow>& OrganicTable();

class TOrganicWindow : public TCourseWindow {
 public:
  TOrganicWindow(IWindowHost& host, IDesktop& desktop);

  void StartCourse() { Start(); }
  void SetupMolecule(int n) { SetupRow(n); }
  void NextMolecule() { NextRow(); }
  void PreviousMolecule() { PreviousRow(); }

  int& moleculeNumber{rowNumber};
};

}  // namespace kovala
