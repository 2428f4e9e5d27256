#include "model/bonds.h"

#include <algorithm>
#include <cstring>

namespace kovala {

std::string_view TBonds::Order() const {
  const auto* end = std::find(order.begin(), order.end(), '\0');
  return std::string_view(order.data(), static_cast<std::size_t>(end - order.begin()));
}

void TBonds::SetOrder(std::string_view text) {
  order.fill('\0');
  const auto n = std::min(text.size(), order.size() - 1);
  std::copy_n(text.begin(), n, order.begin());
}

}  // namespace kovala
