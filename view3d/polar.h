// Angles on the circles the balls follow when the model turns, shared by the
// model builder and the turning steps of the view.
#pragma once

#include <cmath>
#include <cstdint>

#include "view3d/list.h"

namespace kovala {

inline constexpr float Pi = 3.1415927f;
inline constexpr float TwoPi = 6.2831855f;
inline constexpr float HalfPi = 1.5707964f;
inline constexpr float ThreeHalvesPi = 4.712389f;

// The distance of a ball from a circle's axis that is not along `along`:
// none when the radius already rounds to the distance along it.
inline float OffAxis(float radius, float along) {
  if (RoundHalfDown(radius) == static_cast<std::int32_t>(std::fabs(along))) return 0.0f;
  return static_cast<float>(
      std::sqrt(static_cast<double>(std::fabs(std::trunc(radius * radius - along * along)))));
}

// The angle of a ball on its circle from its distance along the axis, its
// distance off it, and the depth side it is on (-1 nearer, +1 farther, 0 on
// the centre's depth). `along` is not 0.
inline float AngleOnCircle(float along, float offAxis, int side) {
  const float b = static_cast<float>(std::fabs(std::atan(static_cast<double>(std::fabs(offAxis / along)))));
  if (b == 0.0f && along < 0) return Pi;
  if (side < 0 && along < 0) return Pi - b;
  if (side > 0 && along < 0) return Pi + b;
  if (side > 0 && along > 0) return TwoPi - b;
  return b;
}

}  // namespace kovala
