#include "view3d/direction.h"

#include <array>
#include <cmath>

#include "view3d/list.h"

namespace kovala {
namespace {

constexpr double Angle60 = 1.0471975511965976;
constexpr double Angle30 = 0.5235987755982988;
constexpr double Angle19 = 0.34033920413889424;  // 19.5 degrees
constexpr double Angle54 = 0.9555677654668955;   // 54.75 degrees

constexpr TComponent Minus(TFactor f) { return {-1, f}; }
constexpr TComponent Plus(TFactor f) { return {1, f}; }
constexpr TComponent None{};

using F = TFactor;

// Index 0 is a placeholder so that direction k sits at index k.
constexpr std::array<TDirection, DirectionCount + 1> Directions{{
    {0, None, None, None},
    {5, Minus(F::One), None, None},                                     // 1
    {6, None, Minus(F::One), None},                                     // 2
    {7, Minus(F::Cos60), Minus(F::Sin60), None},                        // 3
    {8, Minus(F::Cos60), Plus(F::Sin60), None},                         // 4
    {1, Plus(F::One), None, None},                                      // 5
    {2, None, Plus(F::One), None},                                      // 6
    {3, Plus(F::Cos60), Plus(F::Sin60), None},                          // 7
    {4, Plus(F::Cos60), Minus(F::Sin60), None},                         // 8
    {12, Minus(F::Sin19), Minus(F::Cos19), None},                       // 9
    {11, Plus(F::Sin19), Minus(F::Cos19), None},                        // 10
    {10, Minus(F::Sin19), Plus(F::Cos19), None},                        // 11
    {9, Plus(F::Sin19), Plus(F::Cos19), None},                          // 12
    {16, Minus(F::Cos19), Minus(F::Sin19), None},                       // 13
    {15, Minus(F::Cos19), Plus(F::Sin19), None},                        // 14
    {14, Plus(F::Cos19), Minus(F::Sin19), None},                        // 15
    {13, Plus(F::Cos19), Plus(F::Sin19), None},                         // 16
    {24, Minus(F::Cos19Sin30), Minus(F::Sin19), Plus(F::Cos19Cos30)},   // 17
    {23, Minus(F::Cos19Sin30), Minus(F::Sin19), Minus(F::Cos19Cos30)},  // 18
    {22, Plus(F::Cos19Sin30), Minus(F::Sin19), Plus(F::Cos19Cos30)},    // 19
    {21, Plus(F::Cos19Sin30), Minus(F::Sin19), Minus(F::Cos19Cos30)},   // 20
    {20, Minus(F::Cos19Sin30), Plus(F::Sin19), Plus(F::Cos19Cos30)},    // 21
    {19, Minus(F::Cos19Sin30), Plus(F::Sin19), Minus(F::Cos19Cos30)},   // 22
    {18, Plus(F::Cos19Sin30), Plus(F::Sin19), Plus(F::Cos19Cos30)},     // 23
    {17, Plus(F::Cos19Sin30), Plus(F::Sin19), Minus(F::Cos19Cos30)},    // 24
    {32, Minus(F::Sin19), Minus(F::Cos19Sin30), Plus(F::Cos19Cos30)},   // 25
    {31, Minus(F::Sin19), Minus(F::Cos19Sin30), Minus(F::Cos19Cos30)},  // 26
    {30, Plus(F::Sin19), Minus(F::Cos19Sin30), Plus(F::Cos19Cos30)},    // 27
    {29, Plus(F::Sin19), Minus(F::Cos19Sin30), Minus(F::Cos19Cos30)},   // 28
    {28, Minus(F::Sin19), Plus(F::Cos19Sin30), Plus(F::Cos19Cos30)},    // 29
    {27, Minus(F::Sin19), Plus(F::Cos19Sin30), Minus(F::Cos19Cos30)},   // 30
    {26, Plus(F::Sin19), Plus(F::Cos19Sin30), Plus(F::Cos19Cos30)},     // 31
    {25, Plus(F::Sin19), Plus(F::Cos19Sin30), Minus(F::Cos19Cos30)},    // 32
    {40, None, Plus(F::Cos54), Plus(F::Sin54)},                         // 33
    {39, None, Plus(F::Cos54), Minus(F::Sin54)},                        // 34
    {38, Minus(F::Cos54), None, Plus(F::Sin54)},                        // 35
    {37, Minus(F::Cos54), None, Minus(F::Sin54)},                       // 36
    {36, Plus(F::Cos54), None, Plus(F::Sin54)},                         // 37
    {35, Plus(F::Cos54), None, Minus(F::Sin54)},                        // 38
    {34, None, Minus(F::Cos54), Plus(F::Sin54)},                        // 39
    {33, None, Minus(F::Cos54), Minus(F::Sin54)},                       // 40
    {44, Minus(F::Sin60), Minus(F::Cos60), None},                       // 41
    {43, Minus(F::Sin60), Plus(F::Cos60), None},                        // 42
    {42, Plus(F::Sin60), Minus(F::Cos60), None},                        // 43
    {41, Plus(F::Sin60), Plus(F::Cos60), None},                         // 44
}};

// The magnitude before rounding: d times the factor in double precision,
// handed on as a single-precision value.
float Magnitude(TFactor factor, float d) {
  switch (factor) {
    case TFactor::Zero:
      return 0.0f;
    case TFactor::One:
      return d;
    case TFactor::Cos60:
      return static_cast<float>(d * std::cos(Angle60));
    case TFactor::Sin60:
      return static_cast<float>(d * std::sin(Angle60));
    case TFactor::Sin19:
      return static_cast<float>(d * std::sin(Angle19));
    case TFactor::Cos19:
      return static_cast<float>(d * std::cos(Angle19));
    case TFactor::Cos19Sin30:
      return static_cast<float>(std::sin(Angle30) * (d * std::cos(Angle19)));
    case TFactor::Cos19Cos30:
      return static_cast<float>(std::cos(Angle30) * (d * std::cos(Angle19)));
    case TFactor::Cos54:
      return static_cast<float>(d * std::cos(Angle54));
    case TFactor::Sin54:
      return static_cast<float>(d * std::sin(Angle54));
  }
  return 0.0f;
}

std::int32_t Component(const TComponent& c, float d) {
  if (c.factor == TFactor::Zero) return 0;
  return c.sign * RoundHalfDown(Magnitude(c.factor, d));
}

}  // namespace

bool IsDirection(int k) { return k >= 1 && k <= DirectionCount; }

const TDirection& Direction(int k) { return Directions.at(static_cast<std::size_t>(k)); }

TOffset DirectionOffset(int k, float d) {
  const TDirection& dir = Direction(k);
  return {Component(dir.x, d), Component(dir.y, d), Component(dir.z, d)};
}

}  // namespace kovala
