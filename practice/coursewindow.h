// A guided course: a molecule window that lays the rows of its table out one
// at a time, shows each row's five lines under the molecule and refuses a
// completed molecule that breaks the row's structure rules. The practice lab
// and the organic course are this window with their own tables.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "editor/bondwindow.h"
#include "practice/courserow.h"

namespace kovala {

class TCourseWindow : public TBondWindow {
 public:
  // `table` must outlive the window; `endMessage` is shown by Next past the
  // last row; `number` is the row number before the course is first started.
  TCourseWindow(IWindowHost& host, IDesktop& desktop, const std::vector<TCourseRow>& table,
                std::string endMessage, int number);

  void Paint(ISurface& surface) override;
  bool Command(int id) override;
  // The row's lines, as read in order, before the atoms.
  std::vector<TAccessibleItem> AccessibleItems() const override;

  // Opens the course at its first row, whatever was reached before.
  void Start();
  // Lays row n (1 to RowCount) into the tray of an empty molecule.
  void SetupRow(int n);
  void NextRow();
  void PreviousRow();
  void StartAgain();

  // The last atom of `kind` has exactly `countA` neighbours of kind `a` and
  // exactly `countB` of kind `b`; false when there is no atom of that kind.
  bool CheckNeighbours(ElementKind kind, int countA, ElementKind a, int countB, ElementKind b) const;
  static bool HasNeighbourPattern(const TAtom& atom, int countA, ElementKind a, int countB, ElementKind b);

  int RowCount() const { return static_cast<int>(table.size()); }
  // The name the shown row's lesson gives its molecule; empty where it gives none.
  std::string ShownMoleculeName() const override;
  // The row now shown, nullptr before the course was first started.
  const TCourseRow* ShownRow() const;

  int rowNumber;
  std::array<std::string, 5> textLines;

 protected:
  void DropCompletionStep() override;
  void BondClickCompletionStep() override;

 private:
  // True when a rule of the shown row failed: its message was shown and the
  // row laid out afresh.
  bool RefusedByRule();
  bool Holds(const TCourseRule& rule) const;
  void ClearRow();

  const std::vector<TCourseRow>& table;
  std::string endMessage;
  bool abbreviateGrayed = false;  // a completion grayed Abbreviate H's
};

}  // namespace kovala
