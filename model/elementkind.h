// The nine elements a student can build with, and what each starts with.
#pragma once

#include <cstdint>
#include <string_view>

namespace kovala {

// Stored as a 32-bit integer in atoms and files; any other value is an
// unknown kind that is kept but never drawn.
using ElementKind = std::int32_t;

constexpr ElementKind Carbon = 0;
constexpr ElementKind Hydrogen = 1;
constexpr ElementKind Oxygen = 2;
constexpr ElementKind Nitrogen = 3;
constexpr ElementKind Sulfur = 4;
constexpr ElementKind Chlorine = 5;
constexpr ElementKind Phosphorus = 6;
constexpr ElementKind Bromine = 7;
constexpr ElementKind Fluorine = 8;
constexpr int ElementKindCount = 9;

struct TElementInfo {
  std::string_view symbol;      // empty for an unknown kind
  int freeElectrons;            // valence electrons at creation
  int openBonds;                // bonds still needed at creation
  std::string_view cursorName;  // empty: the cursor is not changed
};

bool IsKnownKind(ElementKind kind);
const TElementInfo& ElementInfo(ElementKind kind);

}  // namespace kovala
