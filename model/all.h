// One undo snapshot: full copies of a molecule's atoms, bonds and brackets.
#pragma once

#include <cstdint>

#include "base/owningarray.h"
#include "model/atom.h"
#include "model/bonds.h"
#include "model/brackett.h"

namespace kovala {

class TAll {
 public:
  TOwningArray<TAtom> atoms;
  TOwningArray<TBonds> bonds;
  TOwningArray<TBrackett> brackets;
  // The bond counter when the snapshot was taken. Counting the restored bonds
  // instead would be wrong after a ring template or abbreviated hydrogens.
  std::int32_t bondCount = 0;
};

}  // namespace kovala
