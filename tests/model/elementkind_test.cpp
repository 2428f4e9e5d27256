#include "model/elementkind.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <string>

namespace kovala {
namespace {

// What each part of the program showed for an element before the facts were
// gathered into one row each: a value that lands in the wrong row or column
// shows up here by kind and by name.
struct TExpectedElement {
  ElementKind kind;
  const char* symbol;
  const char* name;
  int atomicNumber;
  int freeElectrons;
  int openBonds;
  const char* picture;
  const char* cursor;
  int paletteCommand;
  const char* paletteBitmap;
  int ballDiameter;
  int red, green, blue;
  const char* legend;
  double trueShapeRadius;
};

class ElementTable : public ::testing::TestWithParam<TExpectedElement> {};

TEST_P(ElementTable, RowHoldsTheElementsFacts) {
  const TExpectedElement& e = GetParam();
  const TElementInfo& info = ElementInfo(e.kind);
  EXPECT_EQ(info.symbol, e.symbol);
  EXPECT_EQ(info.name, e.name);
  EXPECT_EQ(info.atomicNumber, e.atomicNumber);
  EXPECT_EQ(info.freeElectrons, e.freeElectrons);
  EXPECT_EQ(info.openBonds, e.openBonds);
  EXPECT_EQ(info.picture, e.picture);
  EXPECT_EQ(info.cursorName, e.cursor);
  EXPECT_EQ(info.paletteCommand, e.paletteCommand);
  EXPECT_EQ(info.paletteBitmap, e.paletteBitmap);
  EXPECT_EQ(info.ballDiameter, e.ballDiameter);
  EXPECT_EQ(info.ballColour.red, e.red);
  EXPECT_EQ(info.ballColour.green, e.green);
  EXPECT_EQ(info.ballColour.blue, e.blue);
  EXPECT_EQ(info.legendPicture, e.legend);
  EXPECT_DOUBLE_EQ(info.trueShapeRadius, e.trueShapeRadius);
  // The palette's rule: an element's button is 250 plus its kind.
  EXPECT_EQ(info.paletteCommand, 250 + e.kind);
  EXPECT_EQ(&info, &Elements[static_cast<std::size_t>(e.kind)]);
}

INSTANTIATE_TEST_SUITE_P(
    NineElements, ElementTable,
    ::testing::Values(TExpectedElement{Carbon, "C", "Carbon", 6, 4, 4, "carbonatom", "carboncursor", 250,
                                       "599", 30, 0, 0, 0, "carbonatom", 0.40},
                      TExpectedElement{Hydrogen, "H", "Hydrogen", 1, 1, 1, "bitmap_2", "hydrocursor", 251,
                                       "598", 16, 255, 255, 0, "hydrogenatom", 0.27},
                      TExpectedElement{Oxygen, "O", "Oxygen", 8, 6, 2, "oxygenatom", "oxygencursor", 252,
                                       "602", 30, 255, 0, 0, "oxygenatom", 0.38},
                      TExpectedElement{Nitrogen, "N", "Nitrogen", 7, 5, 3, "nitrogenatom", "nitrogencursor",
                                       253, "603", 30, 0, 0, 255, "nitrogenatom", 0.39},
                      TExpectedElement{Sulfur, "S", "Sulfur", 16, 6, 2, "sulfuratom", "sulfurcursor", 254,
                                       "604", 34, 0, 255, 255, "sulfuratom", 0.55},
                      TExpectedElement{Chlorine, "Cl", "Chlorine", 17, 7, 1, "chlorineatom", "chlorinecursor",
                                       255, "605", 32, 0, 255, 0, "chlorineatom", 0.52},
                      TExpectedElement{Phosphorus, "P", "Phosphorus", 15, 5, 3, "phosphorus", "phoscursor",
                                       256, "606", 34, 0, 125, 255, "phosphorus", 0.55},
                      TExpectedElement{Bromine, "Br", "Bromine", 35, 7, 1, "bromine", "brominecursor", 257,
                                       "607", 36, 255, 0, 255, "bromine", 0.58},
                      TExpectedElement{Fluorine, "F", "Fluorine", 9, 7, 1, "fluorine", "fluorinecursor", 258,
                                       "608", 28, 255, 125, 0, "fluorine", 0.36}),
    [](const ::testing::TestParamInfo<TExpectedElement>& row) { return std::string(row.param.name); });

TEST(ElementTable, KindsOutsideTheTableGetNoFactsAndStayOpen) {
  for (ElementKind kind : {-1, ElementKindCount, 1000, INT_MIN, INT_MAX}) {
    const TElementInfo& info = ElementInfo(kind);
    EXPECT_FALSE(IsKnownKind(kind)) << kind;
    EXPECT_TRUE(info.symbol.empty()) << kind;
    EXPECT_TRUE(info.name.empty()) << kind;
    EXPECT_EQ(info.atomicNumber, 0) << kind;
    EXPECT_EQ(info.freeElectrons, 0) << kind;
    EXPECT_EQ(info.openBonds, 8) << kind;
    EXPECT_TRUE(info.picture.empty()) << kind;
    EXPECT_TRUE(info.cursorName.empty()) << kind;
    EXPECT_EQ(info.paletteCommand, 0) << kind;
    EXPECT_EQ(info.ballDiameter, 0) << kind;
    EXPECT_TRUE(info.legendPicture.empty()) << kind;
  }
}

TEST(ElementTable, NoTwoElementsShareASymbolNameCursorOrButton) {
  std::set<std::string_view> symbols, names, cursors, buttons;
  std::set<int> numbers, commands;
  for (const TElementInfo& element : Elements) {
    EXPECT_TRUE(symbols.insert(element.symbol).second) << element.symbol;
    EXPECT_TRUE(names.insert(element.name).second) << element.name;
    EXPECT_TRUE(cursors.insert(element.cursorName).second) << element.cursorName;
    EXPECT_TRUE(buttons.insert(element.paletteBitmap).second) << element.paletteBitmap;
    EXPECT_TRUE(numbers.insert(element.atomicNumber).second) << element.name;
    EXPECT_TRUE(commands.insert(element.paletteCommand).second) << element.name;
  }
}

TEST(ElementTable, EachElementGivesOneFactPerKindInKindOrder) {
  constexpr auto diameters = EachElement([](const TElementInfo& element) { return element.ballDiameter; });
  static_assert(diameters.size() == ElementKindCount);
  for (ElementKind kind = Carbon; kind < ElementKindCount; ++kind)
    EXPECT_EQ(diameters[static_cast<std::size_t>(kind)], ElementInfo(kind).ballDiameter) << kind;
  EXPECT_EQ(diameters[Hydrogen], 16);
  EXPECT_EQ(diameters[Bromine], 36);
}

}  // namespace
}  // namespace kovala
