#include "model/moleculelimits.h"

namespace kovala {

namespace {

// Bond lines and brackets reach a little past the cells they belong to.
constexpr std::int64_t kLineReach = 64;

bool Within(std::int64_t value, std::int64_t low, std::int64_t high) { return low <= value && value <= high; }

bool CellCoordinate(std::int32_t v) { return Within(v, -MaxCoordinate, MaxCoordinate); }

bool LineCoordinate(std::int32_t v) {
  return Within(v, -std::int64_t{MaxCoordinate} - kLineReach, std::int64_t{MaxCoordinate} + kLineReach);
}

}  // namespace

bool WithinLimits(const TAtom& a) {
  const std::int64_t free = a.freeElectrons;
  const std::int64_t open = a.openBonds;
  const std::int64_t charge = a.charge;
  return CellCoordinate(a.x) && CellCoordinate(a.y) && free >= 0 && open >= 0 && free + open <= MaxElectrons &&
         charge + free <= MaxElectrons && charge - open >= -MaxElectrons &&
         Within(a.neighbourCount, 0, MaxNeighbours);
}

bool WithinLimits(const TBonds& b) {
  return LineCoordinate(b.x1) && LineCoordinate(b.x2) && LineCoordinate(b.y1) && LineCoordinate(b.y2);
}

bool WithinLimits(const TBrackett& b) {
  return LineCoordinate(b.left) && LineCoordinate(b.right) && LineCoordinate(b.top) &&
         LineCoordinate(b.bottom) && Within(b.charge, -MaxBracketCharge, MaxBracketCharge);
}

}  // namespace kovala
