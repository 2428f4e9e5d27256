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
    // Items of the program's own go after the bar's items too, never before.
    ASSERT_GE(shown->items.size(), resource.items.size());
    std::set<char> barMnemonics;
    for (std::size_t i = 0; i < shown->items.size(); ++i) {
      EXPECT_TRUE(barMnemonics.insert(Mnemonic(shown->items[i].text)).second) << shown->items[i].text;
      if (i < resource.items.size()) continue;
      EXPECT_GE(shown->items[i].command, 1000) << shown->items[i].text;
      EXPECT_TRUE(shown->items[i].popup.empty());
      EXPECT_FALSE(MenuHint(shown->items[i].command).empty()) << shown->items[i].text;
    }
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

// The true shape is offered beside the 3-D model wherever a completed
// molecule can be shown, and its own menu has every item hinted once.
TEST(ProgramMenus, TrueShapeBesideTheModelAndItsOwnMenu) {
  struct TPlace {
    const char* menu;
    std::size_t popup;  // index on the bar, or the bar's end for a bar item
    const char* text;
  };
  for (const TPlace& place : {TPlace{"100", 2, "&True Shape..."}, TPlace{"660", 1, "&True Shape..."},
                              TPlace{"MENU_2", 4, "&True Shape"}}) {
    SCOPED_TRACE(place.menu);
    const std::optional<TMenu> shown = ProgramMenu(place.menu);
    ASSERT_TRUE(shown);
    ASSERT_GT(shown->items.size(), place.popup);
    const TMenuItem& host = shown->items[place.popup];
    const TMenuItem& item = host.popup.empty() ? host : host.popup.back();
    EXPECT_EQ(item.text, place.text);
    EXPECT_EQ(item.command, 1010);
  }
  EXPECT_EQ(ProgramMenu("650")->items.size(), 2u);  // not while the model turns
  EXPECT_EQ(FindMenu("TRUE_SHAPE"), nullptr);      // not a menu resource

  const std::optional<TMenu> own = ProgramMenu("TRUE_SHAPE");
  ASSERT_TRUE(own);
  std::set<int> commands;
  std::set<char> bar;
  for (const TMenuItem& item : own->items) {
    EXPECT_TRUE(bar.insert(Mnemonic(item.text)).second) << item.text;
    std::set<char> mnemonics;
    for (const TMenuItem& entry : item.popup.empty() ? std::vector<TMenuItem>{item} : item.popup) {
      if (entry.command == 0) continue;
      EXPECT_TRUE(mnemonics.insert(Mnemonic(entry.text)).second) << entry.text;
      EXPECT_TRUE(commands.insert(entry.command).second) << entry.text;
      EXPECT_GE(entry.command, 1010);
      EXPECT_LE(entry.command, 1029);
      EXPECT_FALSE(MenuHint(entry.command).empty()) << entry.text;
    }
  }
  EXPECT_EQ(commands.size(), 10u);
  EXPECT_EQ(own->items.front().command, 1011);  // the way back comes first
}

}  // namespace
}  // namespace kovala
