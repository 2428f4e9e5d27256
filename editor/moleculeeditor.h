// Every rule of building a molecule, with no window and no screen: the tray,
// picking up and dropping atoms, multiple bonds, electron changes, the ring
// templates, Abbreviate H's, undo and completion. Operations take atoms and
// sides (or, for the mouse, a point) and return what happened; the molecule
// window shows it.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "base/geometry.h"
#include "framework/messagebox.h"
#include "i18n/translate.h"
#include "model/molecule.h"

namespace kovala {

// The four sides of an atom's cell; side s owns electron slots s - 1 and s + 3.
enum SideCode : std::int32_t { NoSide = 0, RightSide = 1, TopSide = 2, LeftSide = 3, BottomSide = 4 };

enum class TRingKind { Aromatic, Cyclohexane, Cyclobutane };

// The step from an atom's cell to the cell beside it on a side.
inline TPoint SideStep(SideCode side) {
  constexpr int dx[] = {0, 30, 0, -30, 0};
  constexpr int dy[] = {0, 0, -30, 0, 30};
  return {dx[side], dy[side]};
}

// The middle of a side cell of an atom: where a student aims to bond there.
inline TPoint SideOf(const TAtom& atom, SideCode side) {
  return {atom.x + 10 + SideStep(side).x * 2 / 3, atom.y + 10 + SideStep(side).y * 2 / 3};
}

// Side s owns electron slots s - 1 and s + 3; a side is taken when either is.
inline bool SideTaken(const TAtom& atom, SideCode side) {
  return atom.electronSlotTaken[side - 1] != 0 || atom.electronSlotTaken[side + 3] != 0;
}
inline void MarkSide(TAtom& atom, SideCode side, std::uint8_t taken) {
  atom.electronSlotTaken[side - 1] = atom.electronSlotTaken[side + 3] = taken;
}

// The element's symbol, "?" for an unknown kind.
inline std::string SymbolOf(const TAtom& atom) {
  const std::string_view symbol = ElementInfo(atom.kind).symbol;
  return symbol.empty() ? std::string("?") : std::string(symbol);
}

// The refusal of a drop whose place beside the target is taken; the courses
// refuse such drops with the same words.
inline constexpr const char* NoSpaceText = TrNoop(
    "There is no space for the atom to be bonded.  Use Edit|Abbreviate H's to make more space available.");

// A message box to show: its text, caption and icon.
struct TNotice {
  std::string text;
  std::string caption = Tr("Warning");
  TIcon icon = TIcon::Exclamation;
};

struct TEditResult {
  enum class TCompletion { None, Completed, Refused };
  bool snapshot = false;  // an undo step was taken: the molecule has changed
  bool tested = false;    // the completion test ran
  // Why in numbers, for the panel; none leaves the panel's reason as it was.
  std::optional<std::string> explanation;
  std::optional<TNotice> refusal;  // shown first
  // Completed: the completion actions ran and `announcement` says so.
  // Refused: the molecule is complete but the judge refused it with `announcement`.
  TCompletion completion = TCompletion::None;
  std::string announcement;
};

// A refusal's box and, for the panel, why in numbers.
inline TEditResult Refused(std::string text, std::string reason) {
  TEditResult result;
  result.refusal = TNotice{std::move(text)};
  result.explanation = std::move(reason);
  return result;
}

// A course's structure rules: the message of the first rule a completed
// molecule breaks, none when it is accepted.
using TCompletionJudge = std::function<std::optional<std::string>(const TMolecule&)>;

class TMoleculeEditor {
 public:
  // The drawing area in program pixels: the tray is the column at its right
  // edge - 50 with slots from its top + 10, the rings start from its left.
  void Sync(const TRect& client);
  // The tray atoms follow a change of the area's right edge; true when one moved.
  bool FollowArea();
  bool InTray(const TAtom& atom) const { return InTray(atom, area); }
  static bool InTray(const TAtom& atom, const TRect& client) { return atom.x + 50 == client.right; }
  // Every tray atom to the first slot no other atom holds.
  void RestackTray();

  // The palette's refusal: on a completed molecule or at 26 atoms.
  std::optional<TNotice> PaletteRefusal() const;
  TEditResult AddAtom(ElementKind kind);
  // Into the first free tray slot, without the palette's checks.
  void PutInTray(ElementKind kind);
  TEditResult PlaceRing(TRingKind ring);

  // The left button. An atom index, -1 for none.
  int AtomAt(TPoint point) const;
  TEditResult PickUp(int atom) const;
  // Drops atom `dragged` beside `target` on its side `side`.
  TEditResult Drop(int dragged, int target, SideCode side);
  // The first atom of a molecule, dropped in the middle of the area.
  TEditResult PlaceFirst(int atom) {
    return DropAt(atom, {(area.left + area.right) / 2, (area.top + area.bottom) / 2});
  }
  // The mouse's drop: the side cell under the point decides; the first atom
  // may stand anywhere, a point outside the area puts nothing down.
  TEditResult DropAt(int dragged, TPoint point);
  // The free side of `atom` whose cell holds the point, NoSide for none.
  SideCode FreeSideAt(int atom, int dragged, TPoint point) const;

  // The right button: a bond index, -1 when no bond's midpoint is near.
  int BondAt(TPoint point) const;
  TEditResult RaiseBond(int bond);
  // `atom` -1 refuses: the click hit no atom.
  TEditResult ChangeElectrons(int atom, bool add);

  void AbbreviateHs();
  bool Undo();  // false when there is nothing to undo
  void Reset();

  bool TestCompletion();
  static void ArrangeLonePairs(TAtom& atom);
  // Brackets a completed ion with the sum of the charges; false for a neutral molecule.
  bool AddChargeBracket();

  TMolecule molecule;
  TCompletionJudge judge;  // none in the editor; a course's row rules
  TRect area;
  int trayRight = 0;  // the right edge the tray atoms stand at

 private:
  int FreeTraySlot(const TAtom* except) const;  // the first slot no atom but `except` holds
  // The drop's bond and its refusals, before the completion test.
  TEditResult Bond(TAtom& dragged, TAtom& target, SideCode side);
  // The completion test and, when complete, the judge (where `judged`) and
  // the actions.
  void Complete(TEditResult& result, bool snapshotAfterBracket, const char* announcement, bool judged);
  std::string WhyNotOnASide(int dragged, TPoint point) const;
};

}  // namespace kovala
