// The 44 fixed directions along which a ball is put beside the ball it is
// bonded to, each with its opposite.
#pragma once

#include <cstdint>

namespace kovala {

// Which multiple of the bond length a component is; products are taken as
// the second factor times (length times cos 19.5 degrees).
enum class TFactor : std::uint8_t {
  Zero,
  One,
  Cos60,
  Sin60,
  Sin19,  // sin 19.5 degrees
  Cos19,  // cos 19.5 degrees
  Cos19Sin30,
  Cos19Cos30,
  Cos54,  // cos 54.75 degrees
  Sin54,  // sin 54.75 degrees
};

struct TComponent {
  std::int8_t sign = 0;
  TFactor factor = TFactor::Zero;
};

struct TDirection {
  int opposite = 0;
  TComponent x, y, z;
};

struct TOffset {
  std::int32_t dx = 0;
  std::int32_t dy = 0;
  std::int32_t dz = 0;
  friend bool operator==(const TOffset&, const TOffset&) = default;
};

bool IsDirection(int k);
// Direction k, 1 to 44.
const TDirection& Direction(int k);
// The offset of a ball put at distance d along direction k: each magnitude is
// rounded first and the sign applied afterwards.
TOffset DirectionOffset(int k, float d);

}  // namespace kovala
