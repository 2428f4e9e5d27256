#include "model/elementkind.h"

#include <array>

namespace kovala {

namespace {
constexpr std::array<TElementInfo, ElementKindCount> kElements{{
    {"C", 4, 4, "carboncursor"},
    {"H", 1, 1, "hydrocursor"},
    {"O", 6, 2, "oxygencursor"},
    {"N", 5, 3, "nitrogencursor"},
    {"S", 6, 2, "sulfurcursor"},
    {"Cl", 7, 1, "chlorinecursor"},
    {"P", 5, 3, "phoscursor"},
    {"Br", 7, 1, "brominecursor"},
    {"F", 7, 1, "fluorinecursor"},
}};
constexpr TElementInfo kUnknown{"", 0, 8, ""};
}  // namespace

bool IsKnownKind(ElementKind kind) { return kind >= 0 && kind < ElementKindCount; }

const TElementInfo& ElementInfo(ElementKind kind) {
  return IsKnownKind(kind) ? kElements[static_cast<std::size_t>(kind)] : kUnknown;
}

}  // namespace kovala
