// A guided course: a molecule window that lays the rows of its table out one
// at a time, shows each row's five lines under the molecule and refuses a
// completed molecule that breaks the row's structure rules. The practice lab
// and the organic course are this window with their own tables.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "editor/bondwindow.h"
#include "framework/surface.h"
#include "practice/courserow.h"

namespace kovala {

// A course's lines as shown in `room` pixels: a line too wide for it (a long
// translation, a narrow window) goes on at word breaks on the lines below.
std::vector<std::string> WrappedCourseLines(const std::array<std::string, 5>& lines, int room,
                                            const ISurface& measure);

class TCourseWindow : public TBondWindow {
 public:
  // `table` must outlive the window; `endMessage` (a source text, looked up
  // when shown) is shown by Next past the
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

  int RowCount() const { return static_cast<int>(table.size()); }
  // The name the shown row's lesson gives its molecule; empty where it gives none.
  std::string ShownMoleculeName() const override;
  // The row now shown, nullptr before the course was first started.
  const TCourseRow* ShownRow() const;

  int rowNumber;
  std::array<std::string, 5> textLines;

 protected:
  // The row is laid out again, with its rule kept in view.
  void CompletionRefused(const std::string& message) override;

 private:
  void ClearRow();

  const std::vector<TCourseRow>& table;
  std::string endMessage;
};

}  // namespace kovala
