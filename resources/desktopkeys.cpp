#include "resources/desktopkeys.h"

#include <algorithm>

#include "base/commands.h"

namespace kovala {

const std::vector<TDesktopKey>& DesktopKeys() {
  static const std::vector<TDesktopKey> keys = {
      {TKey::N, true, false, false, {cmd::NewMolecule}},
      {TKey::O, true, false, false, {cmd::OpenMolecule}},
      {TKey::S, true, false, false, {cmd::SaveMolecule}},
      {TKey::S, true, true, false, {cmd::SaveAs}},
      {TKey::Z, true, false, false, {cmd::UndoBack}},
      {TKey::C, true, false, false, {cmd::CopyMolecule, cmd::CopyModel, cmd::CopyTrueShape}},
      {TKey::P, true, false, false, {cmd::PrintMolecule, cmd::PrintTrueShape}},
      {TKey::Q, true, false, false, {cmd::Exit}},
      {TKey::F1, false, false, false, {cmd::HelpIndex}},
      // Plus is shifted on most keyboards, so the key it shares with "=" works too.
      {TKey::Plus, true, false, false, {cmd::ZoomDrawingIn}, true},
      {TKey::Equal, true, false, false, {cmd::ZoomDrawingIn}, true},
      {TKey::Plus, true, false, true, {cmd::ZoomDrawingIn}, true},
      {TKey::Minus, true, false, false, {cmd::ZoomDrawingOut}, true},
      {TKey::Minus, true, false, true, {cmd::ZoomDrawingOut}, true},
      {TKey::Zero, true, false, false, {cmd::ZoomDrawingActual}, true},
      {TKey::Zero, true, false, true, {cmd::ZoomDrawingActual}, true},
  };
  return keys;
}

int DesktopKeyCommand(const TDesktopKey& key, const std::function<bool(int)>& offeredEnabled) {
  for (int command : key.commands)
    if (command != 0 && offeredEnabled(command)) return command;
  for (int command : key.commands)
    for (const TAccelerator& accelerator : Accelerators())
      if (command != 0 && accelerator.command == command) return command;
  return key.everyState ? key.commands[0] : 0;
}

const TDesktopKey* DesktopKeyShownFor(int command) {
  const auto& keys = DesktopKeys();
  const auto found = std::find_if(keys.begin(), keys.end(), [command](const TDesktopKey& key) {
    return !key.keypad && std::find(key.commands.begin(), key.commands.end(), command) != key.commands.end();
  });
  return found == keys.end() ? nullptr : &*found;
}

std::string KeyName(TKey key, bool control, bool shift, bool alt, bool keypad) {
  static constexpr const char* Names[] = {"Home", "End", "Backspace", "F2", "F3", "Left", "Right", "Up",
                                          "Down", "X",   "N",         "O",  "S",  "Z",    "C",     "P",
                                          "Q",    "F1",  "plus",      "=",  "minus", "0"};
  std::string name;
  if (control) name += "Ctrl+";
  if (alt) name += "Alt+";
  if (shift) name += "Shift+";
  if (keypad) name += "Keypad ";
  return name + Names[static_cast<int>(key)];
}

}  // namespace kovala
