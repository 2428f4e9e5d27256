#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>
#include <vector>

#include "resources/menus.h"

namespace kovala {
namespace {

constexpr int ExitCommand = 24340;

// The mnemonic letter of an item, lower case.
char Mnemonic(const std::string& text) {
  const auto amp = text.find('&');
  if (amp == std::string::npos || amp + 1 >= text.size()) return 0;
  return static_cast<char>(std::tolower(static_cast<unsigned char>(text[amp + 1])));
}

// The program's own items have identifiers from 1000 up; Exit is the one
// item of the resources above that.
bool IsOwn(const TMenuItem& item) { return item.command >= 1000 && item.command != ExitCommand; }

// A popup as shown with the program's own items taken out, and the separator
// that leads a run of them.
std::vector<TMenuItem> WithoutOwnItems(const std::vector<TMenuItem>& shown) {
  std::vector<TMenuItem> left;
  for (std::size_t k = 0; k < shown.size(); ++k) {
    if (IsOwn(shown[k])) continue;
    if (shown[k].text.empty() && k + 1 < shown.size() && IsOwn(shown[k + 1])) continue;
    left.push_back(shown[k]);
  }
  return left;
}

TEST(ProgramMenus, KeepEveryResourceItemInItsOrderWithExitLast) {
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
      SCOPED_TRACE(part.text);
      EXPECT_EQ(item.text, part.text);
      EXPECT_EQ(item.command, part.command);
      const std::vector<TMenuItem> parts = WithoutOwnItems(item.popup);
      ASSERT_EQ(parts.size(), part.popup.size());
      for (std::size_t k = 0; k < parts.size(); ++k) {
        EXPECT_EQ(parts[k].text, part.popup[k].text);
        EXPECT_EQ(parts[k].command, part.popup[k].command);
      }
      if (!part.popup.empty() && part.popup.back().command == ExitCommand) {
        // Exit and the separator before it close the popup as in the resource.
        ASSERT_GE(item.popup.size(), 2u);
        EXPECT_EQ(item.popup.back().text, part.popup.back().text);
        EXPECT_EQ(item.popup.back().command, ExitCommand);
        EXPECT_TRUE(item.popup[item.popup.size() - 2].text.empty());
      }
      std::set<char> mnemonics;
      for (std::size_t k = 0; k < item.popup.size(); ++k) {
        const TMenuItem& entry = item.popup[k];
        if (IsOwn(entry)) {
          EXPECT_FALSE(MenuHint(entry.command).empty()) << entry.text;
        }
        if (entry.text.empty()) {
          // No separator at an end or beside another one.
          EXPECT_GT(k, 0u);
          EXPECT_LT(k + 1, item.popup.size());
          if (k + 1 < item.popup.size()) {
            EXPECT_FALSE(item.popup[k + 1].text.empty());
          }
        } else {
          EXPECT_TRUE(mnemonics.insert(Mnemonic(entry.text)).second) << entry.text;
        }
      }
    }
  }
  EXPECT_FALSE(ProgramMenu("200"));
}

TEST(ProgramMenus, TheMoleculePopupOffersExportAndPrintBeforeExitOnceItHasAtoms) {
  const std::optional<TMenu> shown = ProgramMenu("100");
  ASSERT_TRUE(shown);
  const auto& molecule = shown->items[0].popup;
  const std::vector<std::pair<std::string, int>> expected = {
      {"&New", 101},          {"&Open ...  F3", 102}, {"&Save ... F2", 103}, {"Save &as ...", 104}, {"", 0},
      {"&Export ...", 1000}, {"&Print ...", 1001},   {"", 0},              {"E&xit...Alt-X", 24340},
  };
  ASSERT_EQ(molecule.size(), expected.size());
  for (std::size_t k = 0; k < expected.size(); ++k) {
    EXPECT_EQ(molecule[k].text, expected[k].first) << k;
    EXPECT_EQ(molecule[k].command, expected[k].second) << k;
  }
  EXPECT_EQ(ProgramMenu("500")->items[0].popup.size(), FindMenu("500")->items[0].popup.size());
}

TEST(ProgramMenus, TheViewPopupOfTheEditorAndCourseMenusOffersThePanelAfterTheModel) {
  for (const char* name : {"100", "660"}) {
    SCOPED_TRACE(name);
    const std::optional<TMenu> shown = ProgramMenu(name);
    ASSERT_TRUE(shown);
    const TMenuItem* view = nullptr;
    for (const TMenuItem& item : shown->items)
      if (item.text == "&View") view = &item;
    ASSERT_NE(view, nullptr);
    ASSERT_EQ(view->popup.size(), 3u);  // 3-D Model, then the panel, then the true shape
    EXPECT_EQ(view->popup[1].text, "Molecule &Panel");
    EXPECT_EQ(view->popup[1].command, 1002);
    EXPECT_TRUE(view->popup[1].checkable);
    EXPECT_FALSE(view->popup.front().checkable) << "the resource's own items stay plain";
  }
  EXPECT_EQ(MenuHint(1002), "Shows or hides the panel that explains the molecule");
  for (const char* name : {"500", "MENU_2", "650"}) {
    const std::optional<TMenu> other = ProgramMenu(name);  // kept alive while its items are read
    ASSERT_TRUE(other);
    for (const TMenuItem& item : other->items)
      for (const TMenuItem& entry : item.popup) EXPECT_NE(entry.command, 1002) << name;
  }
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
