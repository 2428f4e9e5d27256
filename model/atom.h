// One atom of a molecule: its 20 x 20 cell on screen, its electron counters,
// its place in the bonding tree and the electron slots already used.
#pragma once

#include <array>
#include <cstdint>

#include "model/elementkind.h"

namespace kovala {

class TAtom {
 public:
  // Default creation, used before the fields are read or copied in.
  TAtom() = default;
  // Creation of a fresh atom of a kind at a cell.
  TAtom(ElementKind kind, int x, int y);

  // Strictly inside the cell on all four sides.
  bool Contains(int px, int py) const { return x < px && px < x + 20 && y < py && py < y + 20; }

  friend bool operator==(const TAtom&, const TAtom&) = default;

  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t freeElectrons = 0;
  std::int32_t openBonds = 8;
  std::int32_t parentIndex = -1;
  std::int32_t neighbourCount = 0;
  std::int32_t charge = 0;
  std::array<std::int32_t, 4> childIndex{-1, -1, -1, -1};
  std::array<std::int32_t, 4> neighbourKind{-1, -1, -1, -1};
  ElementKind kind = 0;
  std::uint8_t bonded = 0;
  std::array<std::uint8_t, 8> electronSlotTaken{};
};

}  // namespace kovala
