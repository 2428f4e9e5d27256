// Every rule the records of a molecule keep, checked in one place: by the
// file reader before it takes a molecule, by the tests and by the soak after
// every action. What is broken comes back as a value.
#pragma once

#include <optional>
#include <string>

#include "model/molecule.h"

namespace kovala {

// Why a file was not taken as a molecule.
enum class TFormatProblem {
  None,
  Header,        // not a molecule file at all
  CutShort,      // ends before the records it announces
  TooManyAtoms,  // more than a molecule can hold
  TooManyBonds,
  OutOfRange,  // a coordinate or counter the editor never makes
  BadLink,     // a link to an atom outside the molecule
  BadOrder,    // a bond order without its terminator
};

enum class TInvariants {
  // What any molecule file must hold to be taken: counts and values within
  // the limits, links inside the molecule. Files keep what the editor never
  // makes but can live with (unknown kinds, one-sided links), so no more.
  Stored,
  // Everything the editor keeps while a student builds: known kinds, the
  // element's electron budget, a bonding tree whose links agree both ways,
  // neighbour entries that match the count, one placed atom per cell, and
  // no completed molecule with an open bond.
  Built,
};

struct TBrokenInvariant {
  TFormatProblem problem = TFormatProblem::None;  // a stored-level break
  std::string what;                               // empty when every rule holds
  bool Holds() const { return what.empty(); }
};

// `trayColumn` is the x of the tray atoms' cells, which may share no cell
// with a placed one; without it only bonded atoms are held to one per cell.
TBrokenInvariant BrokenInvariant(const TMolecule& molecule, TInvariants level,
                                 std::optional<int> trayColumn = std::nullopt);

// The stored-level problem alone: the writer refuses what the reader would.
TFormatProblem CheckLimits(const TMolecule& molecule);

}  // namespace kovala
