#include <gtest/gtest.h>

#include <string>

#include "model/elementkind.h"
#include "resources/cursors.h"
#include "resources/palette.h"
#include "resources/pictures.h"

namespace kovala {
namespace {

// Every picture the element table names is one the program ships, with the
// size its drawing code places it by.
TEST(ElementResources, EveryPictureTheTableNamesShipsWithItsSize) {
  struct TUse {
    const char* what;
    std::string_view TElementInfo::*picture;
  };
  const TUse uses[] = {{"atom", &TElementInfo::picture},
                       {"palette button", &TElementInfo::paletteBitmap},
                       {"legend", &TElementInfo::legendPicture}};
  for (const TElementInfo& element : Elements) {
    for (const TUse& use : uses) {
      const std::string_view name = element.*use.picture;
      const TPictureInfo* picture = FindPicture(name);
      ASSERT_NE(picture, nullptr) << element.name << " " << use.what << " " << name;
      // The hydrogen atom is drawn 3 pixels into its cell; everything else fills it.
      const bool smallHydrogen = &element == &Elements[Hydrogen] && use.picture == &TElementInfo::picture;
      EXPECT_EQ(picture->width, smallHydrogen ? 14 : 20) << element.name << " " << use.what;
      EXPECT_EQ(picture->height, smallHydrogen ? 14 : 20) << element.name << " " << use.what;
    }
  }
}

TEST(ElementResources, PaletteAndCursorsFollowTheTableRowByRow) {
  const auto& buttons = PaletteButtons();
  const auto& cursors = Cursors();
  ASSERT_GE(buttons.size(), static_cast<std::size_t>(ElementKindCount));
  ASSERT_EQ(cursors.size(), static_cast<std::size_t>(ElementKindCount));
  for (ElementKind kind = Carbon; kind < ElementKindCount; ++kind) {
    const TElementInfo& element = ElementInfo(kind);
    const auto k = static_cast<std::size_t>(kind);
    EXPECT_EQ(buttons[k].command, element.paletteCommand) << element.name;
    EXPECT_EQ(buttons[k].bitmap, element.paletteBitmap) << element.name;
    EXPECT_EQ(buttons[k].name, element.name) << element.name;
    EXPECT_EQ(cursors[k].name, element.cursorName) << element.name;
    // The hot spot is the carried cell's centre.
    EXPECT_EQ(cursors[k].hotX, 16) << element.name;
    EXPECT_EQ(cursors[k].hotY, 16) << element.name;
  }
}

}  // namespace
}  // namespace kovala
