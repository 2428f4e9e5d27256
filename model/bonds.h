// One bond line between two atom cells, with its order as text.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace kovala {

class TBonds {
 public:
  TBonds() { SetOrder("single"); }
  TBonds(int fromX, int toX, int fromY, int toY) : x1(fromX), x2(toX), y1(fromY), y2(toY) {
    SetOrder("single");
  }

  // The text up to the first zero byte: "single", "double" or "triple".
  std::string_view Order() const;
  // Keeps at most nine characters so the field stays zero-terminated.
  void SetOrder(std::string_view text);

  friend bool operator==(const TBonds&, const TBonds&) = default;

  std::int32_t x1 = 0;
  std::int32_t x2 = 0;
  std::int32_t y1 = 0;
  std::int32_t y2 = 0;
  // The stored bytes, kept whole so that a file round trip is exact.
  std::array<char, 10> order{};
};

}  // namespace kovala
