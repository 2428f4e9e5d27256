// The colour of each element in the 3-D views, as the legend shows it.
#pragma once

#include <array>

#include "framework/surface.h"
#include "model/elementkind.h"

namespace kovala {

inline constexpr std::array<TColor, ElementKindCount> ElementColours{{
    {0, 0, 0},      // carbon
    {255, 255, 0},  // hydrogen
    {255, 0, 0},    // oxygen
    {0, 0, 255},    // nitrogen
    {0, 255, 255},  // sulfur
    {0, 255, 0},    // chlorine
    {0, 125, 255},  // phosphorus
    {255, 0, 255},  // bromine
    {255, 125, 0},  // fluorine
}};

}  // namespace kovala
