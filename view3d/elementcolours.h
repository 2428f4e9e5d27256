// The colour of each element's ball in the 3-D views, as the legend shows
// it: the element table's colours as the drawing surfaces take them.
#pragma once

#include <array>

#include "framework/surface.h"
#include "model/elementkind.h"

namespace kovala {

inline constexpr std::array<TColor, ElementKindCount> ElementColours =
    EachElement([](const TElementInfo& element) {
      return TColor{element.ballColour.red, element.ballColour.green, element.ballColour.blue};
    });

}  // namespace kovala
