// A pair of square brackets drawn around an ion, with its charge.
#pragma once

#include <cstdint>

namespace kovala {

class TBrackett {
 public:
  TBrackett() = default;
  TBrackett(int l, int r, int t, int b, int c) : left(l), right(r), top(t), bottom(b), charge(c) {}

  friend bool operator==(const TBrackett&, const TBrackett&) = default;

  std::int32_t left = 0;
  std::int32_t right = 0;
  std::int32_t top = 0;
  std::int32_t bottom = 0;
  std::int32_t charge = 0;
};

}  // namespace kovala
