// The program's menus, accelerators and menu hints as data, named and
// numbered as the rest of the program refers to them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kovala {

struct TMenuItem {
  std::string text;              // with "&" before the mnemonic; empty for a separator
  int command = 0;               // 0 for a separator or a popup
  std::vector<TMenuItem> popup;  // items of a popup; empty for a plain item
  bool checkable = false;        // shows a check mark while what it switches is on
};

struct TMenu {
  std::string name;              // "100", "500", "660", "MENU_2", "650"
  std::vector<TMenuItem> items;  // the menu bar, left to right
};

// The menu resource of that name, or nullptr.
const TMenu* FindMenu(std::string_view name);
const std::vector<TMenu>& AllMenus();

// The menu as the main window shows it: the resource of that name with the
// program's own items (command identifiers from 1000 up) after the items of
// their popups or of the menu bar (before a closing Exit, behind a separator
// of their own), or one of the program's own menus ("TRUE_SHAPE");
// nothing for an unknown name.
std::optional<TMenu> ProgramMenu(std::string_view name);

// The hint shown in the message bar while an item is highlighted; empty
// when the command has none.
std::string_view MenuHint(int command);

// The accelerator table's keys, then those of the desktop keys
// (resources/desktopkeys.h).
enum class TKey { Home, End, Backspace, F2, F3, Left, Right, Up, Down, X, N, O, S, Z, C, P, Q, F1, Plus, Equal, Minus, Zero };

struct TAccelerator {
  TKey key;
  bool shift = false;
  bool alt = false;
  int command = 0;
};

// The accelerator table "ACCELERATORS_2", active in every state.
const std::vector<TAccelerator>& Accelerators();

}  // namespace kovala
