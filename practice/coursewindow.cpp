#include "practice/coursewindow.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "i18n/translate.h"

namespace kovala {

TCourseWindow::TCourseWindow(IWindowHost& windowHost, IDesktop& desktopServices,
                             const std::vector<TCourseRow>& rows, std::string endText, int number)
    : TBondWindow(windowHost, desktopServices),
      rowNumber(number),
      table(rows),
      endMessage(std::move(endText)) {
  // The shown row's rules judge every molecule a drop or a bond click completes.
  editor.judge = [this](const TMolecule& built) -> std::optional<std::string> {
    const TCourseRow* row = ShownRow();
    if (row == nullptr || RowAccepts(*row, built)) return std::nullopt;
    return Tr(row->ruleMessage);
  };
}

std::vector<std::string> WrappedCourseLines(const std::array<std::string, 5>& lines, int room,
                                            const ISurface& measure) {
  std::vector<std::string> shown;
  for (const std::string& line : lines) {
    if (line.empty() || measure.TextSize(line).width <= room) {
      shown.push_back(line);
      continue;
    }
    // Word by word; a word wider than the room alone stands on its own line.
    std::string current;
    std::size_t at = 0;
    while (at < line.size()) {
      const std::size_t space = line.find(' ', at);
      const std::size_t end = space == std::string::npos ? line.size() : space;
      const std::string word = line.substr(at, end - at);
      const std::string longer = current.empty() ? word : current + " " + word;
      if (!current.empty() && measure.TextSize(longer).width > room) {
        shown.push_back(current);
        current = word;
      } else {
        current = longer;
      }
      at = end == line.size() ? end : end + 1;
    }
    shown.push_back(current);
  }
  return shown;
}

void TCourseWindow::Paint(ISurface& surface) {
  TBondWindow::Paint(surface);
  const TRect client = Host().ClientRect();
  const int left = client.left + 5;
  const std::vector<std::string> shown = WrappedCourseLines(textLines, client.right - left, surface);
  // The block ends where the five lines end; wrapped lines push it up.
  const int top =
      client.bottom - 100 - 15 * (static_cast<int>(shown.size()) - static_cast<int>(textLines.size()));
  for (std::size_t i = 0; i < shown.size(); ++i)
    if (!shown[i].empty()) surface.Text(left, top + 15 * static_cast<int>(i), shown[i]);
}

std::vector<TAccessibleItem> TCourseWindow::AccessibleItems() const {
  std::vector<TAccessibleItem> items;
  const TRect client = Host().ClientRect();
  for (int i = 0; i < static_cast<int>(textLines.size()); ++i) {
    const std::string& line = textLines[static_cast<std::size_t>(i)];
    if (line.empty()) continue;
    TAccessibleItem item;
    item.kind = TAccessibleItem::TKind::Text;
    item.name = line;
    const int top = client.bottom - 100 + 15 * i;
    item.rect = TRect{client.left + 5, top, client.right, top + 15};
    items.push_back(std::move(item));
  }
  std::vector<TAccessibleItem> atoms = TBondWindow::AccessibleItems();
  items.insert(items.end(), std::make_move_iterator(atoms.begin()), std::make_move_iterator(atoms.end()));
  return items;
}

bool TCourseWindow::Command(int id) {
  switch (id) {
    case cmd::PreviousMolecule:
      PreviousRow();
      return true;
    case cmd::NextMolecule:
      NextRow();
      return true;
    case cmd::StartAgain:
      StartAgain();
      return true;
    default:
      return TBondWindow::Command(id);
  }
}

void TCourseWindow::Start() {
  EndDrag();
  electronModeAdd = false;
  electronModePending = false;
  changed = false;
  ClearRow();
  SetupRow(1);
}

void TCourseWindow::ClearRow() {
  editor.Reset();
  ClearExplanation();
  // A drag still held keeps going, but no longer carries an atom: its release
  // only ends it.
  draggedAtom = nullptr;
  // Nothing in a course reads the undo history, and a long lesson must not
  // grow it without bound: Reset emptied it.
  // Only a fresh menu enables Abbreviate H's again after a completion grayed it.
  if (abbreviateGrayed) {
    Host().AssignMenu(menu::Course);
    abbreviateGrayed = false;
  }
}

void TCourseWindow::SetupRow(int n) {
  if (n < 1 || n > RowCount()) return;
  const TCourseRow& row = table[static_cast<std::size_t>(n - 1)];
  // The table keeps the source texts; the lines show in the user's language.
  for (std::size_t i = 0; i < textLines.size(); ++i) textLines[i] = Tr(row.lines[i]);
  for (const TAtomGroup& group : row.atoms)
    for (int i = 0; i < group.count; ++i) AddToTray(group.kind);
  if (row.adjustment && !molecule.atoms.IsEmpty()) {
    TAtom& first = molecule.atoms[0];
    first.freeElectrons += row.adjustment->freeElectrons;
    first.openBonds += row.adjustment->openBonds;
    first.charge += row.adjustment->charge;
  }
  molecule.undoHistory.Flush();
  rowNumber = n;
  Host().Invalidate(true);
  RenewPanel();
}

void TCourseWindow::NextRow() {
  ClearRow();
  if (rowNumber < RowCount()) {
    SetupRow(rowNumber + 1);
    return;
  }
  // The emptied drawing area shows before the message does.
  Host().Invalidate(true);
  RenewPanel();
  Host().UpdateNow();
  Desktop().MessageBox(Tr(endMessage), Tr("Information"), TIcon::Information);
}

void TCourseWindow::PreviousRow() {
  ClearRow();
  SetupRow(std::max(rowNumber - 1, 1));
}

void TCourseWindow::StartAgain() {
  ClearRow();
  SetupRow(std::clamp(rowNumber, 1, RowCount()));
}

const TCourseRow* TCourseWindow::ShownRow() const {
  if (rowNumber < 1 || rowNumber > RowCount()) return nullptr;
  return &table[static_cast<std::size_t>(rowNumber - 1)];
}

std::string TCourseWindow::ShownMoleculeName() const {
  const TCourseRow* row = ShownRow();
  return row == nullptr ? std::string() : row->name;
}

void TCourseWindow::CompletionRefused(const std::string& message) {
  StartAgain();
  // The fresh layout keeps the rule in view while the student tries again.
  SetExplanation(message);
}

}  // namespace kovala
