// What a molecule of the editor can ever hold. A molecule file beyond it was
// not made by this program: the reader refuses it before any count from the
// file drives an allocation or a loop over the molecule, and no value that
// the drawing or the bookkeeping adds to can overflow.
#pragma once

#include <cstdint>

#include "model/atom.h"
#include "model/bonds.h"
#include "model/brackett.h"

namespace kovala {

// The palette refuses a 27th atom; a ring template only starts an empty
// molecule, so its atoms count within the same limit.
inline constexpr int MaxAtoms = 26;
// Every drop bonds an atom that was loose until then, and a ring brings as
// many bonds as atoms, so there are never more bonds than atoms; bondCount
// counts those bonds.
inline constexpr int MaxBonds = MaxAtoms;
// A bracket is added at every completion of a charged molecule, so a student
// can pile them up; a file may hold more, but only these are read.
inline constexpr int MaxBrackets = 1024;
// Far beyond any screen, yet small enough that sums and differences of a
// molecule's coordinates stay well inside 32 bits.
inline constexpr std::int32_t MaxCoordinate = 1 << 20;
// An atom starts with at most eight valence electrons and open bonds
// together; bonds only take from both, and an electron change moves one
// between them while the charge follows, so these bounds hold from then on.
inline constexpr std::int32_t MaxElectrons = 8;
inline constexpr std::int32_t MaxNeighbours = 4;  // one per side
inline constexpr std::int32_t MaxBracketCharge = MaxAtoms * MaxElectrons;

bool WithinLimits(const TAtom& atom);
bool WithinLimits(const TBonds& bond);
bool WithinLimits(const TBrackett& bracket);

}  // namespace kovala
