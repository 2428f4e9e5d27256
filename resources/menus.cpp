#include "resources/menus.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace kovala {

namespace {

constexpr int ExitCommand = 24340;

TMenuItem Item(std::string text, int command) { return TMenuItem{std::move(text), command, {}}; }
TMenuItem Separator() { return TMenuItem{}; }
TMenuItem Popup(std::string text, std::vector<TMenuItem> items) {
  return TMenuItem{std::move(text), 0, std::move(items)};
}

// The popups shared by the two editor menus.
TMenuItem PracticePopup() {
  return Popup("&Practice", {Item(" &Start Lab", 450), Item("&Organic Chemistry", 455)});
}
TMenuItem HelpPopup() { return Popup("&Help", {Item("&Index", 901), Separator(), Item("&Using Help", 902)}); }

std::vector<TMenu> MakeMenus() {
  return {
      // The editor once the molecule has atoms.
      TMenu{"100",
            {Popup("&Molecule", {Item("&New", 101), Item("&Open ...  F3", 102), Item("&Save ... F2", 103),
                                 Item("Save &as ...", 104), Separator(), Item("E&xit...Alt-X", 24340)}),
             Popup("&Edit",
                   {Item("&Undo-Back", 201), Item("&Add Electron", 202), Item("&Subtract Electron", 203),
                    Item("Abbreviate &H's", 205), Item("&Copy to Clipboard", 206)}),
             Popup("&View", {Item("&3-D Model...End", 301)}), PracticePopup(), HelpPopup()}},
      // The editor while the molecule is empty.
      TMenu{"500",
            {Popup("&Molecule", {Item("&New", 101), Item("&Open ...  F3", 102), Separator(),
                                 Item("E&xit...Alt-X", 24340)}),
             PracticePopup(), HelpPopup()}},
      // The practice lab and the organic course.
      TMenu{"660",
            {Item("&Quit Practice/Organic", 451), Popup("&View", {Item("&3-D Model...End", 301)}),
             Popup("&Edit", {Item("&Abbreviate H's", 205)}), Item("&Next", 457), Item("&Start Again", 458),
             Item("&Previous", 456)}},
      // The 3-D view standing still.
      TMenu{"MENU_2",
            {Item("&Return to Kovala", 501), Item("&Copy to Clipboard", 625),
             Popup("&Size", {Item("&Increase", 651), Item("&Decrease", 652)}), Item("&Animate", 709)}},
      // The 3-D view while it turns by itself.
      TMenu{"650", {Item("&Return to Kovala", 501), Item("S&top Animate", 710)}},
  };
}

// Items beyond the menu resources, each after the items of its popup.
struct TAddedItem {
  std::string_view menu;
  std::string_view popup;
  int command;
  std::string_view text;
  bool checkable = false;
};

// An empty popup puts the item on the menu bar, after the bar's items.
constexpr TAddedItem AddedItems[] = {
    {"100", "&Molecule", 1000, "&Export ..."},
    {"100", "&Molecule", 1001, "&Print ..."},
    {"100", "&View", 1002, "Molecule &Panel", true},
    {"660", "&View", 1002, "Molecule &Panel", true},
    {"100", "&View", 1010, "&True Shape..."},
    {"660", "&View", 1010, "&True Shape..."},
    {"MENU_2", "", 1010, "&True Shape"},
};

// Menus of the program's own views, which no menu resource describes.
std::vector<TMenu> MakeProgramOwnMenus() {
  return {
      // The true shape of a molecule.
      TMenu{"TRUE_SHAPE",
            {Item("&Return", 1011),
             Popup("&Molecule", {Item("&Copy to Clipboard", 1012), Item("&Export ...", 1013), Item("&Print ...", 1017)}),
             Popup("&Show", {Item("&Lone Pairs", 1014), Item("&Angles", 1015), Item("&Name and Formula", 1016),
                             Separator(), Item("Zoom &In", 1020), Item("Zoom &Out", 1021)}),
             Item("&Animate", 1018)}},
  };
}

const std::vector<TMenu>& ProgramOwnMenus() {
  static const std::vector<TMenu> menus = MakeProgramOwnMenus();
  return menus;
}

struct THint {
  int command;
  std::string_view text;
};

// The menu-hint string table: one string per command, whichever menu shows it.
constexpr THint Hints[] = {
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
    {1000, "Writes the molecule as a file other chemistry programs read, or as a drawing"},
    {1001, "Prints the molecule with its name and formula"},
    {1002, "Shows or hides the panel that explains the molecule"},
    {1010, "Shows the molecule's true shape in space, with its real angles"},
    {1011, "Goes back to where you came from"},
    {1012, "Copies the true shape to the clipboard"},
    {1013, "Writes the true shape as a 3-D file for other chemistry programs"},
    {1014, "Shows or hides the lone pairs"},
    {1015, "Shows or hides the angles between the bonds"},
    {1016, "Shows or hides the name and formula"},
    {1017, "Prints the true shape"},
    {1018, "Turns the molecule slowly, or stops it"},
    {1020, "Makes the molecule larger"},
    {1021, "Makes the molecule smaller"},
};

}  // namespace

const std::vector<TMenu>& AllMenus() {
  static const std::vector<TMenu> menus = MakeMenus();
  return menus;
}

const TMenu* FindMenu(std::string_view name) {
  const auto& menus = AllMenus();
  auto found =
      std::find_if(menus.begin(), menus.end(), [name](const TMenu& menu) { return menu.name == name; });
  return found == menus.end() ? nullptr : &*found;
}

std::optional<TMenu> ProgramMenu(std::string_view name) {
  for (const TMenu& own : ProgramOwnMenus())
    if (own.name == name) return own;
  const TMenu* resource = FindMenu(name);
  if (resource == nullptr) return std::nullopt;
  TMenu menu = *resource;
  for (TMenuItem& popup : menu.items) {
    if (popup.popup.empty()) continue;
    std::vector<TMenuItem> own;
    for (const TAddedItem& added : AddedItems)
      if (added.menu == name && popup.text == added.popup) own.push_back(TMenuItem{std::string(added.text), added.command, {}, added.checkable});
    if (own.empty()) continue;
    // A popup that closes with Exit keeps Exit (and the separator before it)
    // last, as every desktop program does; our items go behind a separator
    // of their own, just before it.
    auto closing = popup.popup.end();
    if (popup.popup.back().command == ExitCommand) {
      closing = std::prev(popup.popup.end());
      if (closing != popup.popup.begin() && std::prev(closing)->text.empty()) --closing;
      own.insert(own.begin(), Separator());
    }
    popup.popup.insert(closing, own.begin(), own.end());
  }
  // Items of the menu bar itself come after the resource's own.
  for (const TAddedItem& added : AddedItems)
    if (added.menu == name && added.popup.empty())
      menu.items.push_back(TMenuItem{std::string(added.text), added.command, {}, added.checkable});
  return menu;
}

std::string_view MenuHint(int command) {
  for (const THint& hint : Hints) {
    if (hint.command == command) return hint.text;
  }
  return {};
}

const std::vector<TAccelerator>& Accelerators() {
  static const std::vector<TAccelerator> table = {
      {TKey::Home, false, false, 501},      {TKey::X, false, true, 24340},    {TKey::End, false, false, 301},
      {TKey::Backspace, false, false, 201}, {TKey::F2, false, false, 103},    {TKey::F3, false, false, 102},
      {TKey::Left, false, false, 701},      {TKey::Right, false, false, 702}, {TKey::Up, false, false, 703},
      {TKey::Down, false, false, 704},      {TKey::Left, true, false, 705},   {TKey::Right, true, false, 706},
      {TKey::Up, true, false, 707},         {TKey::Down, true, false, 708},
  };
  return table;
}

}  // namespace kovala
