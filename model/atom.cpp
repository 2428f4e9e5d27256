#include "model/atom.h"

namespace kovala {

TAtom::TAtom(ElementKind kindOfAtom, int atX, int atY)
    : x(atX),
      y(atY),
      freeElectrons(ElementInfo(kindOfAtom).freeElectrons),
      openBonds(ElementInfo(kindOfAtom).openBonds),
      kind(kindOfAtom) {}

}  // namespace kovala
