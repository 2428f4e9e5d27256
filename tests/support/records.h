// The records of a molecule as values, so that whole molecules compare: what
// an undo must give back, what a file read must reproduce.
#pragma once

#include <ostream>
#include <vector>

#include "model/molecule.h"

namespace kovala::test {

struct TRecords {
  std::vector<TAtom> atoms;
  std::vector<TBonds> bonds;
  std::vector<TBrackett> brackets;
  int bondCount = 0;
  friend bool operator==(const TRecords&, const TRecords&) = default;
};

TRecords RecordsOf(const TMolecule& molecule);

// Counts and the first atoms' places, enough to see where two differ.
void PrintTo(const TRecords& records, std::ostream* os);

}  // namespace kovala::test
