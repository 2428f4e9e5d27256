// The keys every desktop program knows (Ctrl+N, Ctrl+S, F1, ...) and the
// zoom keys, beside the accelerator table and never in its place. Each key
// stands for a menu item and acts only where the item does.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "resources/menus.h"

namespace kovala {

struct TDesktopKey {
  TKey key;
  bool control = false;
  bool shift = false;
  bool keypad = false;  // the key of the numeric keypad
  // The items it stands for, tried in order (Copy is 206 in the editor, 625
  // in the 3-D view); 0 ends the list.
  std::array<int, 3> commands{};
  // The zoom keys act in every state, with no menu item behind them.
  bool everyState = false;
};

const std::vector<TDesktopKey>& DesktopKeys();

// The command a desktop key gives now, 0 for none. `offeredEnabled` tells
// whether the menu shown offers a command as an enabled item. A key gives
// the first of its commands so offered; failing that, one the accelerator
// table binds, since that table's key for it is active in every state and
// the desktop key only doubles it (Ctrl+Q as Alt+X); failing that, nothing,
// so a grayed or absent item's key does nothing.
int DesktopKeyCommand(const TDesktopKey& key, const std::function<bool(int)>& offeredEnabled);

// The desktop key shown beside a menu item of that command, or nullptr.
const TDesktopKey* DesktopKeyShownFor(int command);

// "Ctrl+Shift+S", as the help page and the menus name a key.
std::string KeyName(TKey key, bool control, bool shift, bool alt, bool keypad);

}  // namespace kovala
