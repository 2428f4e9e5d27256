// The menus as the main window shows them: each resource with the program's
// own items after the items of their popups.
#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>

#include "resources/menus.h"

namespace kovala {
namespace {

// The mnemonic letter of an item, lower case.
char Mnemonic(const std::string& text) {
  const auto amp = text.find('&');
  if (amp == std::string::npos || amp + 1 >= text.size()) return 0;
  return static_cast<char>(std::tolower(static_cast<unsigned char>(text[amp + 1])));
}

TEST(ProgramMenus, KeepEveryResourceItemInItsPlaceAndAddOnlyAfterIt) {
  for (const TMenu& resource : AllMenus()) {
    SCOPED_TRACE(resource.name);
    const std::optional<TMenu> shown = ProgramMenu(resource.name);
    ASSERT_TRUE(shown);
    ASSERT_EQ(shown->items.size(), resource.items.size());
    for (std::size_t i = 0; i < resource.items.size(); ++i) {
      const TMenuItem& part = resource.items[i];
      const TMenuItem& item = shown->items[i];
      EXPECT_EQ(item.text, part.text);
      EXPECT_EQ(item.command, part.command);
      ASSERT_GE(item.popup.size(), part.popup.size());
      std::set<char> mnemonics;
      for (std::size_t k = 0; k < item.popup.size(); ++k) {
        const TMenuItem& entry = item.popup[k];
        if (k < part.popup.size()) {
          EXPECT_EQ(entry.text, part.popup[k].text);
          EXPECT_EQ(entry.command, part.popup[k].command);
        } else {
          EXPECT_GE(entry.command, 1000) << entry.text;
          EXPECT_FALSE(MenuHint(entry.command).empty()) << entry.text;
        }
        if (!entry.text.empty()) {
          EXPECT_TRUE(mnemonics.insert(Mnemonic(entry.text)).second) << entry.text;
        }
      }
    }
  }
  EXPECT_FALSE(ProgramMenu("200"));
}

TEST(ProgramMenus, TheMoleculePopupOffersExportAndPrintOnceItHasAtoms) {
  const std::optional<TMenu> shown = ProgramMenu("100");
  ASSERT_TRUE(shown);
  const auto& molecule = shown->items[0].popup;
  ASSERT_EQ(molecule.size(), 8u);
  EXPECT_EQ(molecule[5].text, "E&xit...Alt-X");
  EXPECT_EQ(molecule[6].text, "&Export ...");
  EXPECT_EQ(molecule[6].command, 1000);
  EXPECT_EQ(molecule[7].text, "&Print ...");
  EXPECT_EQ(molecule[7].command, 1001);
  EXPECT_EQ(ProgramMenu("500")->items[0].popup.size(), FindMenu("500")->items[0].popup.size());
}

TEST(ProgramMenus, TheViewPopupOfTheEditorAndCourseMenusOffersThePanelLast) {
  for (const char* name : {"100", "660"}) {
    SCOPED_TRACE(name);
    const std::optional<TMenu> shown = ProgramMenu(name);
    ASSERT_TRUE(shown);
    const TMenuItem* view = nullptr;
    for (const TMenuItem& item : shown->items)
      if (item.text == "&View") view = &item;
    ASSERT_NE(view, nullptr);
    ASSERT_EQ(view->popup.size(), 2u);
    EXPECT_EQ(view->popup.back().text, "Molecule &Panel");
    EXPECT_EQ(view->popup.back().command, 1002);
    EXPECT_TRUE(view->popup.back().checkable);
    EXPECT_FALSE(view->popup.front().checkable) << "the resource's own items stay plain";
  }
  EXPECT_EQ(MenuHint(1002), "Shows or hides the panel that explains the molecule");
  for (const char* name : {"500", "MENU_2", "650"})
    for (const TMenuItem& item : ProgramMenu(name)->items)
      for (const TMenuItem& entry : item.popup) EXPECT_NE(entry.command, 1002) << name;
}

}  // namespace
}  // namespace kovala
