// The nine elements a student can build with, and every fact the program
// keeps about each: one row per element, read by the molecule records, the
// drawing, the palette, the cursors, the 3-D views and the chemistry library.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "base/commands.h"
#include "i18n/translate.h"

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

// A ball's colour as red, green and blue, 0 to 255.
struct TElementColour {
  std::uint8_t red;
  std::uint8_t green;
  std::uint8_t blue;
};

struct TElementInfo {
  std::string_view symbol;         // empty for an unknown kind
  std::string_view name;           // as the palette and the bookkeeping name it
  int atomicNumber;                // 0 for an unknown kind
  int freeElectrons;               // valence electrons at creation
  int openBonds;                   // bonds still needed at creation
  std::string_view picture;        // the atom in the drawing area
  std::string_view cursorName;     // empty: the cursor is not changed
  int paletteCommand;              // the palette button that adds one; 0 for none
  std::string_view paletteBitmap;  // that button's picture
  std::int32_t ballDiameter;       // 3-D model, pixels at the smallest size; 0 is no ball
  TElementColour ballColour;       // in both 3-D views
  std::string_view legendPicture;  // beside the ball in the 3-D legend
  double trueShapeRadius;          // ångström, a third of the element's size in space
};

// Rows in kind order. Z is the atomic number, e and b the free electrons and
// open bonds at creation, btn the palette button's picture, d and colour the
// 3-D ball, Å the true shape's ball radius. The hydrogen is drawn with a
// smaller picture than its legend shows.
// clang-format off
inline constexpr std::array<TElementInfo, ElementKindCount> Elements{{
//   sym   name                  Z  e  b  picture         cursor            palette command         btn    d   colour           legend          Å
    {"C",  TrNoop("Carbon"),      6, 4, 4, "carbonatom",   "carboncursor",   cmd::PaletteCarbon,     "599", 30, {0, 0, 0},       "carbonatom",   0.40},
    {"H",  TrNoop("Hydrogen"),    1, 1, 1, "bitmap_2",     "hydrocursor",    cmd::PaletteHydrogen,   "598", 16, {255, 255, 0},   "hydrogenatom", 0.27},
    {"O",  TrNoop("Oxygen"),      8, 6, 2, "oxygenatom",   "oxygencursor",   cmd::PaletteOxygen,     "602", 30, {255, 0, 0},     "oxygenatom",   0.38},
    {"N",  TrNoop("Nitrogen"),    7, 5, 3, "nitrogenatom", "nitrogencursor", cmd::PaletteNitrogen,   "603", 30, {0, 0, 255},     "nitrogenatom", 0.39},
    {"S",  TrNoop("Sulfur"),     16, 6, 2, "sulfuratom",   "sulfurcursor",   cmd::PaletteSulfur,     "604", 34, {0, 255, 255},   "sulfuratom",   0.55},
    {"Cl", TrNoop("Chlorine"),   17, 7, 1, "chlorineatom", "chlorinecursor", cmd::PaletteChlorine,   "605", 32, {0, 255, 0},     "chlorineatom", 0.52},
    {"P",  TrNoop("Phosphorus"), 15, 5, 3, "phosphorus",   "phoscursor",     cmd::PalettePhosphorus, "606", 34, {0, 125, 255},   "phosphorus",   0.55},
    {"Br", TrNoop("Bromine"),    35, 7, 1, "bromine",      "brominecursor",  cmd::PaletteBromine,    "607", 36, {255, 0, 255},   "bromine",      0.58},
    {"F",  TrNoop("Fluorine"),    9, 7, 1, "fluorine",     "fluorinecursor", cmd::PaletteFluorine,   "608", 28, {255, 125, 0},   "fluorine",     0.36},
}};
// clang-format on

// What an atom of any other kind gets: no picture, no cursor, no ball, and
// counters that keep it open for ever.
inline constexpr TElementInfo UnknownElement{"", "", 0, 0, 8, "", "", 0, "", 0, {0, 0, 0}, "", 0.0};

constexpr bool IsKnownKind(ElementKind kind) { return kind >= 0 && kind < ElementKindCount; }

constexpr const TElementInfo& ElementInfo(ElementKind kind) {
  return IsKnownKind(kind) ? Elements[static_cast<std::size_t>(kind)] : UnknownElement;
}

// One fact of every element in kind order, for code that keeps a copy per
// kind (the 3-D model's diameters, which the student can resize).
template <typename TFact>
constexpr auto EachElement(TFact fact) {
  std::array<decltype(fact(Elements[0])), ElementKindCount> facts{};
  for (std::size_t k = 0; k < facts.size(); ++k) facts[k] = fact(Elements[k]);
  return facts;
}

}  // namespace kovala
