#include "model/molecule.h"

#include <algorithm>
#include <memory>

namespace kovala {

void TMolecule::Snapshot() {
  auto snapshot = std::make_unique<TAll>();
  snapshot->atoms = atoms;
  snapshot->bonds = bonds;
  snapshot->brackets = brackets;
  snapshot->bondCount = bondCount;
  undoHistory.Add(std::move(snapshot));
}

bool TMolecule::RestoreSnapshot() {
  if (undoHistory.IsEmpty()) return false;
  auto snapshot = undoHistory.Detach(undoHistory.Count() - 1);
  atoms = std::move(snapshot->atoms);
  bonds = std::move(snapshot->bonds);
  brackets = std::move(snapshot->brackets);
  bondCount = snapshot->bondCount;
  return true;
}

void TMolecule::ClearRecords() {
  atoms.Flush();
  bonds.Flush();
  brackets.Flush();
  bondCount = 0;
}

int TMolecule::TotalCharge() const {
  int sum = 0;
  for (const auto& atom : atoms) sum += atom.charge;
  return sum;
}

TRect TMolecule::AtomBox() const {
  TRect box{atoms[0].x, atoms[0].y, atoms[0].x, atoms[0].y};
  for (const auto& atom : atoms) {
    box.left = std::min(box.left, atom.x);
    box.top = std::min(box.top, atom.y);
    box.right = std::max(box.right, atom.x);
    box.bottom = std::max(box.bottom, atom.y);
  }
  return {box.left - 5, box.top - 5, box.right + 25, box.bottom + 25};
}

TSize TMolecule::DrawingReach(int trayRight) const {
  // A placed cell, then a gap of 10, then the tray's 20-pixel cell and its 30-pixel margin.
  constexpr int TrayColumn = 60;
  constexpr int Margin = 10;
  long long width = 0;
  long long height = 0;
  for (const TAtom& atom : atoms) {
    const bool inTray = atom.x + 50 == trayRight;
    if (!inTray) width = std::max(width, static_cast<long long>(atom.x) + 20 + TrayColumn);
    height = std::max(height, static_cast<long long>(atom.y) + 20 + Margin);
  }
  for (const TBrackett& bracket : brackets) {
    // The charge is written just right of the closing bracket.
    width = std::max(width, static_cast<long long>(bracket.right) + 20 + TrayColumn);
    height = std::max(height, static_cast<long long>(bracket.bottom) + Margin);
  }
  const auto clamp = [](long long v) { return static_cast<int>(std::clamp<long long>(v, 0, MaxDrawingReach)); };
  return TSize{clamp(width), clamp(height)};
}

}  // namespace kovala
