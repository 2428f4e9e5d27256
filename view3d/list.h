// One ball of the 3-D model, and the rounding every model coordinate goes
// through.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>

#include "model/elementkind.h"

namespace kovala {

// Rounds to the nearest integer, halves towards minus infinity: the ceiling of
// v - 0.5 taken in single precision, so 2.5 gives 2 and -2.5 gives -3.
inline std::int32_t RoundHalfDown(float v) {
  const float shifted = std::ceil(v - 0.5f);
  // Only a damaged model could get here; it must not turn into undefined
  // behaviour on the conversion.
  if (!(shifted > -2.0e9f && shifted < 2.0e9f)) return shifted > 0.0f ? 2000000000 : -2000000000;
  return static_cast<std::int32_t>(shifted);
}

// Directions 1 to 44; entry 0 of directionTaken is never used.
constexpr int DirectionCount = 44;

class TList {
 public:
  ElementKind kind = 0;
  std::int32_t x = 0;           // centre, client pixels
  std::int32_t y = 0;           // centre, client pixels, growing downwards
  std::int32_t z = 0;           // depth, larger is farther from the viewer
  float yawRadius = 0.0f;       // distance from the vertical axis through the centre
  float pitchRadius = 0.0f;     // distance from the horizontal axis through the centre
  float centreDistance = 0.0f;  // distance from the model centre
  float yawAngle = 0.0f;        // position on the yaw circle, radians
  float pitchAngle = 0.0f;      // position on the pitch circle, radians
  std::int32_t domainCount = 0;
  std::array<std::int32_t, 4> childIndex{-1, -1, -1, -1};
  std::int32_t parentIndex = -1;
  bool placed = false;
  std::array<std::uint8_t, DirectionCount + 1> directionTaken{};
};

}  // namespace kovala
