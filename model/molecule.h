// The molecule that a molecule window holds: its records, its undo stack and
// the molecule-wide values. Kept apart from the window so that the file and
// the undo code work on it alone.
#pragma once

#include <cstdint>

#include "base/geometry.h"
#include "base/owningarray.h"
#include "model/all.h"
#include "model/atom.h"
#include "model/bonds.h"
#include "model/brackett.h"

namespace kovala {

class TMolecule {
 public:
  TOwningArray<TAtom> atoms;
  TOwningArray<TBonds> bonds;
  TOwningArray<TBrackett> brackets;
  TOwningArray<TAll> undoHistory;
  std::int32_t bondCount = 0;
  bool ringTemplatePlaced = false;
  bool completed = false;

  // Pushes a copy of every atom, bond and bracket onto the undo stack.
  void Snapshot();
  // Puts the newest snapshot back and drops it; false when there is none.
  bool RestoreSnapshot();
  // Empties atoms, bonds and brackets and zeroes the counter.
  void ClearRecords();
  // Sum of the atoms' charges, the charge of a completed ion.
  int TotalCharge() const;
  // The box reaching 5 pixels past every atom's 20 x 20 cell: where a charge
  // bracket goes and what the clipboard picture shows. Needs at least one atom.
  TRect AtomBox() const;
  // The least drawing area that cuts nothing: every placed atom and bracket
  // with the tray column still clear to the right of them, and every atom
  // waiting in the tray (at trayRight - 50) down to the last. At most
  // MaxDrawingReach each way, so a file with far-off atoms cannot ask for a
  // vast area.
  TSize DrawingReach(int trayRight) const;
  static constexpr int MaxDrawingReach = 4096;
};

}  // namespace kovala
