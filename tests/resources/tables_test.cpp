#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "model/elementkind.h"
#include "resources/cursors.h"
#include "resources/helpfiles.h"
#include "resources/menus.h"
#include "resources/palette.h"
#include "resources/pictures.h"

namespace kovala {
namespace {

// Every plain item of a menu, popups opened, left to right and top to bottom.
void Flatten(const std::vector<TMenuItem>& items, std::vector<const TMenuItem*>& out) {
  for (const TMenuItem& item : items) {
    if (!item.popup.empty()) {
      Flatten(item.popup, out);
    } else if (!item.text.empty()) {
      out.push_back(&item);
    }
  }
}

std::vector<int> Commands(const TMenu& menu) {
  std::vector<const TMenuItem*> items;
  Flatten(menu.items, items);
  std::vector<int> commands;
  for (const TMenuItem* item : items) commands.push_back(item->command);
  return commands;
}

std::vector<std::string> Titles(const TMenu& menu) {
  std::vector<std::string> titles;
  for (const TMenuItem& item : menu.items) titles.push_back(item.text);
  return titles;
}

TEST(Menus, TheFiveMenusHoldTheirCommandsInOrder) {
  const std::map<std::string, std::vector<int>> expected = {
      {"100", {101, 102, 103, 104, 24340, 201, 202, 203, 205, 206, 301, 450, 455, 901, 902}},
      {"500", {101, 102, 24340, 450, 455, 901, 902}},
      {"660", {451, 301, 205, 457, 458, 456}},
      {"MENU_2", {501, 625, 651, 652, 709}},
      {"650", {501, 710}},
  };
  EXPECT_EQ(AllMenus().size(), expected.size());
  for (const auto& [name, commands] : expected) {
    const TMenu* menu = FindMenu(name);
    ASSERT_NE(menu, nullptr) << name;
    EXPECT_EQ(menu->name, name);
    EXPECT_EQ(Commands(*menu), commands) << name;
  }
  EXPECT_EQ(FindMenu("200"), nullptr);
  EXPECT_EQ(FindMenu(""), nullptr);
}

TEST(Menus, MenuBarsShowTheirPopupsAndItems) {
  using Titles_ = std::vector<std::string>;
  EXPECT_EQ(Titles(*FindMenu("100")), (Titles_{"&Molecule", "&Edit", "&View", "&Practice", "&Help"}));
  EXPECT_EQ(Titles(*FindMenu("500")), (Titles_{"&Molecule", "&Practice", "&Help"}));
  EXPECT_EQ(Titles(*FindMenu("660")),
            (Titles_{"&Quit Practice/Organic", "&View", "&Edit", "&Next", "&Start Again", "&Previous"}));
  EXPECT_EQ(Titles(*FindMenu("MENU_2")),
            (Titles_{"&Return to Kovala", "&Copy to Clipboard", "&Size", "&Animate"}));
  EXPECT_EQ(Titles(*FindMenu("650")), (Titles_{"&Return to Kovala", "S&top Animate"}));
}

TEST(Menus, ItemTextsKeepTheirSpacesDotsAndKeyNames) {
  // Texts whose blanks and dots are easy to lose, looked up by menu and command.
  const std::vector<std::tuple<std::string, int, std::string>> rows = {
      {"100", 102, "&Open ...  F3"},   {"100", 103, "&Save ... F2"},     {"100", 104, "Save &as ..."},
      {"100", 24340, "E&xit...Alt-X"}, {"100", 205, "Abbreviate &H's"},  {"100", 301, "&3-D Model...End"},
      {"100", 450, " &Start Lab"},     {"500", 450, " &Start Lab"},      {"500", 102, "&Open ...  F3"},
      {"660", 205, "&Abbreviate H's"}, {"660", 301, "&3-D Model...End"}, {"650", 710, "S&top Animate"},
      {"100", 902, "&Using Help"},     {"MENU_2", 651, "&Increase"},
  };
  for (const auto& [menuName, command, text] : rows) {
    std::vector<const TMenuItem*> items;
    Flatten(FindMenu(menuName)->items, items);
    const TMenuItem* found = nullptr;
    for (const TMenuItem* item : items) {
      if (item->command == command) found = item;
    }
    ASSERT_NE(found, nullptr) << menuName << " " << command;
    EXPECT_EQ(found->text, text) << menuName << " " << command;
  }
}

TEST(Menus, SeparatorsStandBeforeExitAndUsingHelp) {
  const auto& molecule = FindMenu("100")->items[0].popup;
  ASSERT_EQ(molecule.size(), 6u);
  EXPECT_TRUE(molecule[4].text.empty());
  EXPECT_EQ(molecule[4].command, 0);
  const auto& help = FindMenu("500")->items[2].popup;
  ASSERT_EQ(help.size(), 3u);
  EXPECT_TRUE(help[1].text.empty());
  EXPECT_TRUE(FindMenu("500")->items[0].popup[2].text.empty());
}

// Checks one level of a menu: each item has exactly one mnemonic, used by no
// other item of the level; then the levels below it.
void CheckMnemonics(const std::vector<TMenuItem>& level, const std::string& where) {
  std::set<char> used;
  for (const TMenuItem& item : level) {
    if (item.text.empty()) continue;
    const auto amp = item.text.find('&');
    ASSERT_NE(amp, std::string::npos) << where << ": " << item.text;
    ASSERT_LT(amp + 1, item.text.size()) << where << ": " << item.text;
    EXPECT_EQ(item.text.find('&', amp + 1), std::string::npos) << where << ": " << item.text;
    const char key = static_cast<char>(std::tolower(static_cast<unsigned char>(item.text[amp + 1])));
    EXPECT_TRUE(used.insert(key).second) << where << ": mnemonic '" << key << "' twice, at " << item.text;
    if (!item.popup.empty()) CheckMnemonics(item.popup, where + " > " + item.text);
  }
}

TEST(Menus, NoMnemonicIsUsedTwiceWithinOneLevel) {
  for (const TMenu& menu : AllMenus()) CheckMnemonics(menu.items, "menu " + menu.name);
}

TEST(Menus, PopupsCarryNoCommandAndItemsCarryOne) {
  for (const TMenu& menu : AllMenus()) {
    for (const TMenuItem& item : menu.items) {
      if (!item.popup.empty()) {
        EXPECT_EQ(item.command, 0) << item.text;
        for (const TMenuItem& sub : item.popup) {
          EXPECT_TRUE(sub.popup.empty()) << sub.text;
          EXPECT_EQ(sub.text.empty(), sub.command == 0) << sub.text;
        }
      } else {
        EXPECT_GT(item.command, 0) << item.text;
      }
    }
  }
}

TEST(MenuHints, EveryMenuCommandShowsItsHint) {
  const std::map<int, std::string> hints = {
      {101, "Starts a new molecule"},
      {102, "Retrieves an existing molecule"},
      {103, "Saves a molecule to disk"},
      {104, "Saves a molecule under a different name"},
      {24340, "Exits the program"},
      {201, "Goes back one step"},
      {202, "Adds an electron to the atom chosen with the right mouse button."},
      {203, "Takes an electron from the atom chosen with the right mouse button"},
      {205, "Makes an abbreviated structural formula"},
      {206, "Copies the molecule to the clipboard for pasting in another application"},
      {301, "Shows a 3-dimensional view of a completed molecule"},
      {450, "Provides practice with a predetermined list of compounds"},
      {455, "Provides practice with organic compounds"},
      {901, "Gives the Help Index for Kovala"},
      {902, "Explains how to use Windows Help"},
      {451, "Returns to Kovala"},
      {457, "Goes to the next molecule"},
      {458, "Starts the present molecule again"},
      {456, "Goes back to the previous molecule"},
      {501, "Goes back to Kovala"},
      {625, "Copies the molecule to the Clipboard for pasting in another Windows application"},
      {651, "Increases the size of the atoms"},
      {652, "Decreases the size of the atoms"},
      {709, "Rotates the molecule in 3-dimensions automatically"},
      {710, "Stops the automatic molecule rotation"},
  };
  std::set<int> inMenus;
  for (const TMenu& menu : AllMenus()) {
    for (int command : Commands(menu)) inMenus.insert(command);
  }
  for (int command : inMenus) {
    ASSERT_TRUE(hints.count(command)) << "no hint expected for " << command;
    EXPECT_EQ(MenuHint(command), hints.at(command)) << command;
  }
  for (const auto& [command, hint] : hints) EXPECT_TRUE(inMenus.count(command)) << command;
}

TEST(MenuHints, CommandsWithoutAStringShowNothing) {
  for (int command : {0, -1, 250, 258, 261, 262, 701, 708, 999, 24341}) {
    EXPECT_TRUE(MenuHint(command).empty()) << command;
  }
}

TEST(Accelerators, EachKeyGivesItsCommand) {
  struct Row {
    TKey key;
    bool shift;
    bool alt;
    int command;
  };
  const Row rows[] = {
      {TKey::Home, false, false, 501},      {TKey::X, false, true, 24340},    {TKey::End, false, false, 301},
      {TKey::Backspace, false, false, 201}, {TKey::F2, false, false, 103},    {TKey::F3, false, false, 102},
      {TKey::Left, false, false, 701},      {TKey::Right, false, false, 702}, {TKey::Up, false, false, 703},
      {TKey::Down, false, false, 704},      {TKey::Left, true, false, 705},   {TKey::Right, true, false, 706},
      {TKey::Up, true, false, 707},         {TKey::Down, true, false, 708},
  };
  const auto& table = Accelerators();
  ASSERT_EQ(table.size(), std::size(rows));
  for (const Row& row : rows) {
    int found = 0;
    for (const TAccelerator& a : table) {
      if (a.key == row.key && a.shift == row.shift && a.alt == row.alt) found = a.command;
    }
    EXPECT_EQ(found, row.command) << "key " << static_cast<int>(row.key);
  }
}

TEST(Accelerators, NoKeyCombinationIsUsedTwice) {
  std::set<std::tuple<TKey, bool, bool>> seen;
  for (const TAccelerator& a : Accelerators()) {
    EXPECT_TRUE(seen.insert({a.key, a.shift, a.alt}).second) << "key " << static_cast<int>(a.key);
  }
}

TEST(Palette, TwelveButtonsInTableOrder) {
  struct Row {
    const char* bitmap;
    int command;
    const char* name;
  };
  const Row rows[] = {
      {"599", 250, "Carbon"},        {"598", 251, "Hydrogen"},    {"602", 252, "Oxygen"},
      {"603", 253, "Nitrogen"},      {"604", 254, "Sulfur"},      {"605", 255, "Chlorine"},
      {"606", 256, "Phosphorus"},    {"607", 257, "Bromine"},     {"608", 258, "Fluorine"},
      {"609", 259, "Aromatic ring"}, {"610", 260, "Cyclohexane"}, {"612", 262, "Cyclobutane"},
  };
  const auto& buttons = PaletteButtons();
  ASSERT_EQ(buttons.size(), 12u);
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    EXPECT_EQ(buttons[i].bitmap, rows[i].bitmap) << i;
    EXPECT_EQ(buttons[i].command, rows[i].command) << i;
    EXPECT_EQ(buttons[i].name, rows[i].name) << i;
  }
}

TEST(Palette, ElementButtonsAreTheElementKindPlus250AndNoButtonIsAPentagon) {
  const auto& buttons = PaletteButtons();
  for (ElementKind kind = Carbon; kind <= Fluorine; ++kind) {
    EXPECT_EQ(buttons[kind].command, 250 + kind);
  }
  for (const TPaletteButton& button : buttons) {
    EXPECT_NE(button.command, 261);
    EXPECT_NE(button.bitmap, "611");
    const TPictureInfo* picture = FindPicture(button.bitmap);
    ASSERT_NE(picture, nullptr) << button.bitmap;
    EXPECT_EQ(picture->width, 20);
    EXPECT_EQ(picture->height, 20);
  }
  // The pentagon picture exists all the same.
  EXPECT_NE(FindPicture("611"), nullptr);
}

TEST(Cursors, EveryElementHasItsCursorWithTheHotSpotInside) {
  ASSERT_EQ(Cursors().size(), static_cast<std::size_t>(ElementKindCount));
  for (ElementKind kind = Carbon; kind < ElementKindCount; ++kind) {
    const TCursorInfo* cursor = FindCursor(ElementInfo(kind).cursorName);
    ASSERT_NE(cursor, nullptr) << ElementInfo(kind).cursorName;
    EXPECT_GE(cursor->hotX, 0);
    EXPECT_LT(cursor->hotX, CursorSize);
    EXPECT_GE(cursor->hotY, 0);
    EXPECT_LT(cursor->hotY, CursorSize);
  }
  EXPECT_EQ(FindCursor("arrow"), nullptr);
  EXPECT_EQ(FindCursor(""), nullptr);
  EXPECT_EQ(CursorResource("phoscursor"), ":/cursors/phoscursor.xpm");
}

TEST(Pictures, DrawingPicturesHaveTheirSizes) {
  struct Row {
    const char* name;
    int width;
    int height;
  };
  const Row rows[] = {
      {"carbonatom", 20, 20},   {"bitmap_2", 14, 14},   {"hydrogenatom", 20, 20}, {"oxygenatom", 20, 20},
      {"nitrogenatom", 20, 20}, {"sulfuratom", 20, 20}, {"chlorineatom", 20, 20}, {"phosphorus", 20, 20},
      {"bromine", 20, 20},      {"fluorine", 20, 20},   {"electron", 3, 3},       {"blank", 20, 20},
      {"Bitmap_1", 200, 200},   {"ATOMBOMB", 32, 32},
  };
  for (const Row& row : rows) {
    const TPictureInfo* picture = FindPicture(row.name);
    ASSERT_NE(picture, nullptr) << row.name;
    EXPECT_EQ(picture->width, row.width) << row.name;
    EXPECT_EQ(picture->height, row.height) << row.name;
  }
  EXPECT_EQ(FindPicture("hydrogen"), nullptr);
  EXPECT_EQ(PictureResource("Bitmap_1"), ":/pictures/Bitmap_1.xpm");
}

TEST(Pictures, NamesAreUnique) {
  std::set<std::string_view> names;
  for (const TPictureInfo& picture : Pictures())
    EXPECT_TRUE(names.insert(picture.name).second) << picture.name;
}

// The "width height colours chars" line of an XPM file, or zeros when the
// file cannot be read.
std::tuple<int, int> XpmSize(const std::string& path) {
  std::ifstream file(path);
  std::string line;
  while (std::getline(file, line)) {
    if (line.empty() || line[0] != '"') continue;
    std::istringstream values(line.substr(1));
    int width = 0;
    int height = 0;
    values >> width >> height;
    return {width, height};
  }
  return {0, 0};
}

TEST(Pictures, EachFileDeclaresTheSizeOfItsTableEntry) {
  for (const TPictureInfo& picture : Pictures()) {
    const std::string path =
        std::string(KOVALA_RESOURCE_DIR) + "/pictures/" + std::string(picture.name) + ".xpm";
    EXPECT_EQ(XpmSize(path), std::make_tuple(picture.width, picture.height)) << path;
  }
  for (const TCursorInfo& cursor : Cursors()) {
    const std::string path =
        std::string(KOVALA_RESOURCE_DIR) + "/cursors/" + std::string(cursor.name) + ".xpm";
    EXPECT_EQ(XpmSize(path), std::make_tuple(CursorSize, CursorSize)) << path;
  }
}

TEST(HelpFiles, HelpFileNamesMapOntoPages) {
  const std::vector<std::pair<std::string, std::string>> rows = {
      {"kovala.hlp", "kovala.html"},
      {"KOVALA.HLP", "kovala.html"},
      {"WINHELP.HLP", "winhelp.html"},
      {"winhelp.hlp", "winhelp.html"},
      {"kovala.html", ""},
      {"kovala", ""},
      {"", ""},
      {"other.hlp", ""},
      {"kovala.hlp ", ""},
  };
  for (const auto& [file, page] : rows) EXPECT_EQ(HelpPage(file), page) << "'" << file << "'";
  EXPECT_EQ(HelpPageResource("winhelp.html"), ":/help/winhelp.html");
}

TEST(HelpFiles, PagesShipBesideTheTables) {
  for (const char* file : {"kovala.hlp", "WINHELP.HLP"}) {
    std::ifstream page(std::string(KOVALA_RESOURCE_DIR) + "/help/" + std::string(HelpPage(file)));
    EXPECT_TRUE(page.good()) << file;
  }
}

}  // namespace
}  // namespace kovala
