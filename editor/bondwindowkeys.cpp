// The molecule window by keyboard alone: a focus on one atom, the palette's
// letters, and drops, bonds and electron changes on a side of the focused
// atom. Each key ends in the mouse's own handler at the point the mouse would
// use, so every rule, refusal, box and panel line is the mouse's.
#include <array>
#include <optional>
#include <string>

#include "base/commands.h"
#include "editor/bondwindow.h"
#include "i18n/translate.h"

namespace kovala {

namespace {

// The letters that stand for palette buttons: the elements by their symbol,
// L (the second letter of Cl, since C is carbon's) and B for Br, A for the
// aromatic ring, and the ring sizes 6 and 4 for cyclohexane and cyclobutane.
struct TLetterButton {
  char character;
  int command;
};
constexpr std::array<TLetterButton, 12> kLetterButtons{{
    {'C', cmd::PaletteCarbon},
    {'H', cmd::PaletteHydrogen},
    {'O', cmd::PaletteOxygen},
    {'N', cmd::PaletteNitrogen},
    {'S', cmd::PaletteSulfur},
    {'L', cmd::PaletteChlorine},
    {'P', cmd::PalettePhosphorus},
    {'B', cmd::PaletteBromine},
    {'F', cmd::PaletteFluorine},
    {'A', cmd::PaletteAromaticRing},
    {'6', cmd::PaletteCyclohexane},
    {'4', cmd::PaletteCyclobutane},
}};

SideCode SideOfArrow(TKeyCode code) {
  switch (code) {
    case TKeyCode::Right:
      return RightSide;
    case TKeyCode::Up:
      return TopSide;
    case TKeyCode::Left:
      return LeftSide;
    case TKeyCode::Down:
      return BottomSide;
    default:
      return NoSide;
  }
}

TPoint CentreOf(const TAtom& atom) { return {atom.x + 10, atom.y + 10}; }

}  // namespace

int TBondWindow::IndexOf(const TAtom* atom) const {
  if (atom == nullptr) return -1;
  for (int i = 0; i < molecule.atoms.Count(); ++i)
    if (&molecule.atoms[i] == atom) return i;
  return -1;
}

int TBondWindow::KeyAnchorAtom() const {
  const int focus = IndexOf(keyFocus);
  if (focus >= 0 && !InTray(molecule.atoms[focus])) return focus;
  const int anchor = IndexOf(keyAnchor);
  if (anchor >= 0 && !InTray(molecule.atoms[anchor])) return anchor;
  for (int i = 0; i < molecule.atoms.Count(); ++i)
    if (!InTray(molecule.atoms[i])) return i;
  return -1;
}

int TBondWindow::KeyDropAtom() const {
  const int chosen = IndexOf(keyDrop);
  if (chosen >= 0 && InTray(molecule.atoms[chosen])) return chosen;
  // The tray's top atom, as a student reaches for it first.
  int top = -1;
  for (int i = 0; i < molecule.atoms.Count(); ++i)
    if (InTray(molecule.atoms[i]) && (top < 0 || molecule.atoms[i].y < molecule.atoms[top].y)) top = i;
  return top;
}

int TBondWindow::KeyFocusAtom() const {
  if (const int focus = IndexOf(keyFocus); focus >= 0) return focus;
  if (const int anchor = KeyAnchorAtom(); anchor >= 0) return anchor;
  return KeyDropAtom();
}

void TBondWindow::MoveKeyFocus(int atom) {
  if (!molecule.atoms.ValidIndex(atom)) return;
  keyFocus = &molecule.atoms[atom];
  // A tray atom with the focus is the one the keys drop next; a placed one
  // is where they drop it.
  if (InTray(*keyFocus))
    keyDrop = keyFocus;
  else
    keyAnchor = keyFocus;
  Host().Invalidate(false);
}

void TBondWindow::ShowKeyFocus(bool focused, bool used) {
  const bool wasShown = KeyFocusShown();
  keyboardFocus = focused;
  keyboardUsed = used;
  if (KeyFocusShown() == wasShown) return;
  Host().Invalidate(false);
  RenewPanel();
}

void TBondWindow::FocusChanged(bool focused, bool byKeyboard) {
  // A message box takes the focus and gives it back; the keys' use stays.
  ShowKeyFocus(focused, keyboardUsed || (focused && byKeyboard));
}

std::optional<std::string> TBondWindow::WithKeyHint(std::optional<std::string> text) const {
  if (!KeyFocusShown() || !text) return text;
  if (!text->empty()) *text += "\n";
  *text +=
      Tr("Keys: C H O N S P F, L for Cl, B for Br add an atom; Enter places the first; Alt+arrow bonds "
         "the next atom on that side; Tab or Ctrl+arrow moves the focus; Alt+Shift+arrow raises a bond; "
         "+ and - change electrons. F1 lists every key.");
  return text;
}

void TBondWindow::DrawKeyFocus(ISurface& surface) const {
  if (!KeyFocusShown() || dragging) return;
  // Square dots of 2 pixels, 2 apart, around the cell with 3 pixels to spare,
  // in a blue that stays clear on a projector beside the black atoms.
  constexpr TColor focusBlue{0, 84, 200};
  const int focus = KeyFocusAtom();
  if (focus >= 0) {
    const TAtom& atom = molecule.atoms[focus];
    const int left = atom.x - 4, top = atom.y - 4, right = atom.x + 22, bottom = atom.y + 22;
    for (int d = left; d <= right; d += 4) {
      surface.FillRect({d, top, d + 2, top + 2}, focusBlue);
      surface.FillRect({d, bottom, d + 2, bottom + 2}, focusBlue);
    }
    for (int d = top + 4; d < bottom; d += 4) {
      surface.FillRect({left, d, left + 2, d + 2}, focusBlue);
      surface.FillRect({right, d, right + 2, d + 2}, focusBlue);
    }
  }
  // The tray atom the keys drop next, when it is not the focused one: a
  // pointer left of it.
  const int drop = KeyDropAtom();
  if (drop >= 0 && drop != focus && KeyAnchorAtom() >= 0) {
    const TAtom& atom = molecule.atoms[drop];
    for (int i = 0; i < 4; ++i)
      surface.FillRect({atom.x - 12 + 2 * i, atom.y + 4 + i, atom.x - 10 + 2 * i, atom.y + 16 - i},
                       focusBlue);
  }
}

bool TBondWindow::KeyDown(const TKeyPress& key) {
  // A mouse drag under way owns the atoms until its release.
  if (dragging) return false;
  if (keyboardFocus && !keyboardUsed) ShowKeyFocus(true, true);
  const TKeyState& keys = key.keys;
  const SideCode side = SideOfArrow(key.code);
  if (side != NoSide) {
    if (keys.alt && keys.shift && !keys.control) {
      KeyRaiseBond(side);
      return true;
    }
    if (keys.alt && !keys.shift && !keys.control) {
      KeyDrop(side);
      return true;
    }
    if (keys.control && !keys.alt && !keys.shift) {
      // To the atom standing beside the focused one on that side, in the
      // drawing area or up and down the tray.
      const int focus = KeyFocusAtom();
      if (focus < 0) return true;
      const TAtom& from = molecule.atoms[focus];
      const TPoint step = SideStep(side);
      for (int i = 0; i < molecule.atoms.Count(); ++i)
        if (molecule.atoms[i].x == from.x + step.x && molecule.atoms[i].y == from.y + step.y) {
          MoveKeyFocus(i);
          break;
        }
      return true;
    }
    return false;
  }
  if (keys.control || keys.alt) return false;
  switch (key.code) {
    case TKeyCode::Tab: {
      bool leaves = false;
      KeyTab(keys.shift, leaves);
      return !leaves;
    }
    case TKeyCode::Enter:
    case TKeyCode::Space:
      if (electronModePending) {
        KeyChangeElectrons(electronModeAdd);
      } else if (KeyAnchorAtom() < 0) {
        KeyDrop(NoSide);
      }
      return true;
    case TKeyCode::Plus:
    case TKeyCode::Minus:
      KeyChangeElectrons(key.code == TKeyCode::Plus);
      return true;
    case TKeyCode::Character:
      for (const TLetterButton& button : kLetterButtons)
        if (button.character == key.character) {
          KeyPalette(button.command);
          return true;
        }
      return false;
    default:
      return false;
  }
}

void TBondWindow::KeyTab(bool backwards, bool& leaves) {
  const int count = molecule.atoms.Count();
  const int focus = IndexOf(keyFocus);
  const int next = focus < 0 ? (backwards ? count - 1 : 0) : focus + (backwards ? -1 : 1);
  // Past the first or the last atom the focus leaves the drawing area, so
  // Tab never traps a student in it.
  if (next < 0 || next >= count) {
    leaves = true;
    keyFocus = nullptr;
    Host().Invalidate(false);
    return;
  }
  MoveKeyFocus(next);
}

void TBondWindow::KeyDrop(SideCode side) {
  const int drop = KeyDropAtom();
  if (drop < 0) {
    // The mouse sees the empty tray; a student at the keys is told.
    SetExplanation(Tr("No atom waits in the tray; add one with its letter first."));
    return;
  }
  const int anchor = KeyAnchorAtom();
  const TRect client = Host().ClientRect();
  // Where the mouse would let go: the middle of the anchor's side cell, or
  // the middle of the area for the first atom.
  const TPoint point = anchor < 0 ? TPoint{(client.left + client.right) / 2, (client.top + client.bottom) / 2}
                                  : SideOf(molecule.atoms[anchor], side == NoSide ? RightSide : side);
  const TAtom* dropped = &molecule.atoms[drop];
  const TAtom* beside = anchor < 0 ? nullptr : &molecule.atoms[anchor];
  // Picked up as the mouse would (a tray atom is never bonded), without the
  // pointer's capture and cursor.
  draggedAtom = &molecule.atoms[drop];
  dragging = true;
  DropAtom(point);
  keyDrop = nullptr;
  // The focus stays on the atom dropped beside, ready for its next
  // neighbour; the first atom takes it.
  const int placed = IndexOf(dropped);
  if (beside == nullptr && placed >= 0 && !InTray(molecule.atoms[placed])) {
    keyFocus = keyAnchor = dropped;
  } else if (IndexOf(beside) >= 0) {
    keyFocus = keyAnchor = beside;
  }
  Host().Invalidate(false);
}

void TBondWindow::KeyRaiseBond(SideCode side) {
  const int anchor = KeyAnchorAtom();
  if (anchor < 0) return;
  // The middle of the bond line to the neighbour on that side, where the
  // right button raises it.
  const TPoint step = SideStep(side);
  const TPoint centre = CentreOf(molecule.atoms[anchor]);
  const TPoint middle{centre.x + step.x / 2, centre.y + step.y / 2};
  if (Core().BondAt(middle) < 0) {
    // The mouse would click beside every bond and see nothing happen.
    SetExplanation(
        FormatText(Tr("There is no bond on that side of the {0}."), {SymbolOf(molecule.atoms[anchor])}));
    return;
  }
  ClickBond(middle);
}

void TBondWindow::KeyChangeElectrons(bool add) {
  if (molecule.atoms.IsEmpty()) return;
  const int focus = KeyFocusAtom();
  electronModeAdd = add;
  // An atom that is not there is refused as a click beside every atom is.
  ChangeElectrons(focus < 0 ? TPoint{-1000, -1000} : CentreOf(molecule.atoms[focus]));
}

void TBondWindow::KeyPalette(int command) {
  const int before = molecule.atoms.Count();
  Host().SendCommand(command);
  // A new atom goes to the end of the atoms: the keys drop it next, and it
  // takes the focus while nothing is placed. A ring takes the focus itself.
  if (molecule.atoms.Count() <= before) return;
  if (command == cmd::PaletteAromaticRing || command == cmd::PaletteCyclohexane ||
      command == cmd::PaletteCyclobutane) {
    keyFocus = keyAnchor = &molecule.atoms[0];
  } else {
    keyDrop = &molecule.atoms[molecule.atoms.Count() - 1];
    if (KeyAnchorAtom() < 0) keyFocus = keyDrop;
  }
  Host().Invalidate(false);
}

}  // namespace kovala
