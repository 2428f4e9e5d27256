#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "editor/bondwindow.h"
#include "editor/moleculeeditor.h"
#include "tests/support/fakehost.h"
#include "tests/support/recordingsurface.h"
#include "tests/support/scripteddesktop.h"

namespace kovala {
namespace {

using test::TFakeHost;
using test::TRecordingSurface;
using test::TScriptedDesktop;

const std::string kCompleted = "This molecule is completed!!!  Go to View for 3-D structure.";
const std::string kCannotBond = "You cannot bond these atoms together!!!";
const std::string kNoSpace =
    "There is no space for the atom to be bonded.  Use Edit|Abbreviate H's to make more space available.";
const std::string kReleaseOnSide = "You must release the atom on the side of another atom to kovala!!";
const std::string kTrayArea = "You cannot bond atoms in this area.  Move them to the center of the screen!!";
const std::string kBondedAtom = "You cannot move this bonded atom!!!";

using TSlots = std::array<std::uint8_t, 8>;

// The records of a molecule as values, so that whole molecules compare.
struct TRecords {
  std::vector<TAtom> atoms;
  std::vector<TBonds> bonds;
  std::vector<TBrackett> brackets;
  int bondCount = 0;
  friend bool operator==(const TRecords&, const TRecords&) = default;
};

TRecords RecordsOf(const TMolecule& m) {
  TRecords r;
  for (const auto& a : m.atoms) r.atoms.push_back(a);
  for (const auto& b : m.bonds) r.bonds.push_back(b);
  for (const auto& b : m.brackets) r.brackets.push_back(b);
  r.bondCount = m.bondCount;
  return r;
}

// Centre of tray slot k in the 640 x 400 client area.
TPoint TraySlot(int k) { return {600, 20 + 30 * k}; }
// Dropped here, the first atom stands at (285, 185).
constexpr TPoint kCentre{300, 200};

// A window with a recording host and desktop, driven like a student would.
struct TSession {
  TFakeHost host;
  TScriptedDesktop desktop;
  TBondWindow window{host, desktop};
  TMolecule& m = window.molecule;

  void Drag(TPoint from, TPoint to) {
    window.PickUpAtom(from);
    window.DropAtom(to);
  }
  // The atom in the first tray slot dropped at a point.
  void DragFromTray(TPoint to) { Drag(TraySlot(0), to); }
  void DragFromTrayBeside(int atom, SideCode side) { DragFromTray(SideOf(m.atoms[atom], side)); }

  // A step, and a check that undoing the snapshots it left gives back the
  // records exactly as they were before it.
  template <typename Step>
  void UndoableStep(Step step) {
    const TRecords before = RecordsOf(m);
    const int history = m.undoHistory.Count();
    step();
    TMolecule undone = m;
    for (int i = m.undoHistory.Count(); i > history; --i) ASSERT_TRUE(undone.RestoreSnapshot());
    EXPECT_EQ(RecordsOf(undone), before);
  }
};

// Two placed carbons and a loose hydrogen in the tray, laid out by hand.
void TwoCarbonsAndTrayHydrogen(TSession& s, TPoint first, TPoint second) {
  s.m.atoms.Add(TAtom(Carbon, first.x, first.y));
  s.m.atoms.Add(TAtom(Carbon, second.x, second.y));
  s.m.atoms.Add(TAtom(Hydrogen, 590, 10));
  s.m.bondCount = 1;
}

TEST(PlacementDrag, PickUpShowsTheElementCursorAndBlanksTheAtomUntilTheDrop) {
  TSession s;
  s.window.AddToTray(Oxygen);
  s.window.PickUpAtom(TraySlot(0));
  EXPECT_TRUE(s.window.dragging);
  EXPECT_EQ(s.window.draggedAtom, &s.m.atoms[0]);
  EXPECT_TRUE(s.host.captured);
  EXPECT_EQ(s.host.cursors, std::vector<std::string>{"oxygencursor"});
  EXPECT_GE(s.host.updates, 1);
  TRecordingSurface surface;
  s.window.Paint(surface);
  EXPECT_TRUE(surface.HasBitmap("blank", 590, 10));

  s.window.DropAtom(kCentre);
  EXPECT_FALSE(s.window.dragging);
  EXPECT_FALSE(s.host.captured);
  EXPECT_EQ(s.host.cursors, (std::vector<std::string>{"oxygencursor", ""}));
  EXPECT_EQ(s.m.atoms[0].x, 285);
  EXPECT_EQ(s.m.atoms[0].y, 185);
}

TEST(PlacementDrag, AtomOfAnUnknownKindIsDraggedWithTheOrdinaryCursor) {
  TSession s;
  s.m.atoms.Add(TAtom(42, 590, 10));
  s.window.PickUpAtom(TraySlot(0));
  EXPECT_TRUE(s.window.dragging);
  EXPECT_TRUE(s.host.cursors.empty());
}

TEST(PlacementDrag, PressesThatStartNoDrag) {
  TSession s;
  s.window.PickUpAtom(TraySlot(0));  // nothing to pick up
  s.window.AddToTray(Hydrogen);
  s.window.AddToTray(Hydrogen);
  s.window.PickUpAtom({590, 10});  // on the cell's corner, not inside it
  EXPECT_FALSE(s.window.dragging);

  s.window.PickUpAtom(TraySlot(0));
  s.window.PickUpAtom(TraySlot(1));  // a second press while dragging is ignored
  EXPECT_EQ(s.window.draggedAtom, &s.m.atoms[0]);
  EXPECT_EQ(s.host.cursors.size(), 1u);
  s.window.DropAtom(kCentre);
  s.DragFromTrayBeside(0, RightSide);
  ASSERT_TRUE(s.m.atoms[0].bonded);

  s.window.PickUpAtom({295, 195});
  EXPECT_FALSE(s.window.dragging);
  EXPECT_EQ(s.desktop.messages.back().text, kBondedAtom);
  EXPECT_EQ(s.desktop.messages.back().caption, "Warning");
  EXPECT_EQ(s.desktop.messages.back().icon, TIcon::Exclamation);
}

TEST(PlacementDrag, ReleaseWithoutADragDoesNothing) {
  TSession s;
  s.window.AddToTray(Hydrogen);
  const int invalidations = s.host.invalidations;
  s.window.DropAtom(kCentre);
  EXPECT_EQ(s.host.invalidations, invalidations);
  EXPECT_EQ(s.m.atoms[0].x, 590);
  EXPECT_TRUE(s.host.cursors.empty());
}

struct TSideCase {
  int dx, dy;
  SideCode side;
};

void PrintTo(const TSideCase& c, std::ostream* os) { *os << "dx " << c.dx << ", dy " << c.dy; }

class SideCells : public testing::TestWithParam<TSideCase> {};

TEST_P(SideCells, BoundsAreExclusive) {
  TMoleculeEditor editor;
  editor.molecule.atoms.Add(TAtom(Carbon, 100, 100));
  const auto [dx, dy, side] = GetParam();
  EXPECT_EQ(editor.FreeSideAt(0, -1, {100 + dx, 100 + dy}), side);
}

INSTANTIATE_TEST_SUITE_P(
    Placement, SideCells,
    testing::Values(TSideCase{20, 10, NoSide}, TSideCase{21, 10, RightSide}, TSideCase{39, 10, RightSide},
                    TSideCase{40, 10, NoSide}, TSideCase{30, 0, NoSide}, TSideCase{30, 1, RightSide},
                    TSideCase{30, 19, RightSide}, TSideCase{30, 20, NoSide}, TSideCase{10, -1, TopSide},
                    TSideCase{10, -19, TopSide}, TSideCase{10, -20, NoSide}, TSideCase{0, -10, NoSide},
                    TSideCase{-1, 10, LeftSide}, TSideCase{-19, 10, LeftSide}, TSideCase{-20, 10, NoSide},
                    TSideCase{10, 21, BottomSide}, TSideCase{19, 39, BottomSide}, TSideCase{10, 40, NoSide},
                    TSideCase{10, 20, NoSide}, TSideCase{30, 30, NoSide}, TSideCase{10, 10, NoSide}));

TEST(PlacementSides, TakenSideAndTheDraggedAtomItselfOfferNoSide) {
  TAtom carbon(Carbon, 100, 100);
  for (SideCode side : {RightSide, TopSide, LeftSide, BottomSide}) {
    TMoleculeEditor editor;
    editor.molecule.atoms.Add(carbon);
    TAtom taken = carbon;
    taken.electronSlotTaken[side + 3] = 1;  // one slot of the pair is enough
    editor.molecule.atoms.Add(taken);
    EXPECT_EQ(editor.FreeSideAt(1, -1, SideOf(carbon, side)), NoSide);
    EXPECT_EQ(editor.FreeSideAt(0, 0, SideOf(carbon, side)), NoSide);
    EXPECT_EQ(editor.FreeSideAt(0, -1, SideOf(carbon, side)), side);
  }
}

TEST(PlacementSides, DropOnTheRightCellBoundaryMissesAndJustInsideBonds) {
  for (int dx : {20, 21, 39, 40}) {
    SCOPED_TRACE(dx);
    TSession s;
    s.window.AddToTray(Carbon);
    s.window.AddToTray(Hydrogen);
    s.DragFromTray(kCentre);
    s.DragFromTray({285 + dx, 185 + 1});
    const bool hit = dx != 20 && dx != 40;
    EXPECT_EQ(s.m.bondCount, hit ? 1 : 0);
    EXPECT_EQ(s.desktop.Texts(), hit ? std::vector<std::string>{} : std::vector<std::string>{kReleaseOnSide});
  }
}

// B diagonal below right of A: A's right cell and B's top cell share a square.
TEST(PlacementSides, DiagonalOverlapBondsToTheEarlierAtomAtTheSamePlace) {
  for (bool aFirst : {true, false}) {
    SCOPED_TRACE(aFirst);
    TSession s;
    const TPoint a{100, 100}, b{130, 130};
    TwoCarbonsAndTrayHydrogen(s, aFirst ? a : b, aFirst ? b : a);
    s.DragFromTray({135, 115});
    const TAtom& hydrogen = s.m.atoms[2];
    EXPECT_EQ(hydrogen.x, 130);
    EXPECT_EQ(hydrogen.y, 100);
    EXPECT_EQ(hydrogen.parentIndex, 0);
    EXPECT_EQ(s.m.atoms[0].childIndex[0], 2);
    const TSlots right{1, 0, 0, 0, 1, 0, 0, 0}, top{0, 1, 0, 0, 0, 1, 0, 0};
    EXPECT_EQ(s.m.atoms[0].electronSlotTaken, aFirst ? right : top);
    EXPECT_EQ(s.m.atoms[1].electronSlotTaken, TSlots{});
  }
}

TEST(PlacementSides, TakenSidePassesTheDropOnToTheNextAtom) {
  TSession s;
  TwoCarbonsAndTrayHydrogen(s, {100, 100}, {130, 130});
  s.m.atoms[0].electronSlotTaken[0] = s.m.atoms[0].electronSlotTaken[4] = 1;
  s.DragFromTray({135, 115});
  EXPECT_EQ(s.m.atoms[1].electronSlotTaken, (TSlots{0, 1, 0, 0, 0, 1, 0, 0}));  // the top side
  EXPECT_EQ(s.m.atoms[1].childIndex[0], 2);
  EXPECT_EQ(s.m.bonds[0], TBonds(140, 140, 130, 120));

  TSession alone;  // with nothing else there, the drop is refused
  TwoCarbonsAndTrayHydrogen(alone, {100, 100}, {400, 300});
  alone.m.atoms[0].electronSlotTaken[0] = alone.m.atoms[0].electronSlotTaken[4] = 1;
  const TRecords before = RecordsOf(alone.m);
  alone.DragFromTray({135, 115});
  EXPECT_EQ(alone.desktop.Texts(), std::vector<std::string>{kReleaseOnSide});
  EXPECT_EQ(RecordsOf(alone.m), before);
}

TEST(PlacementMolecules, MethaneGrowsInDropOrderAndCompletes) {
  TSession s;
  for (ElementKind kind : {Carbon, Hydrogen, Hydrogen, Hydrogen, Hydrogen}) s.window.AddToTray(kind);
  s.UndoableStep([&] { s.DragFromTray(kCentre); });
  for (SideCode side : {RightSide, TopSide, LeftSide, BottomSide}) {
    EXPECT_TRUE(s.desktop.messages.empty());
    s.UndoableStep([&] { s.DragFromTrayBeside(0, side); });
  }
  const TAtom& carbon = s.m.atoms[0];
  EXPECT_EQ(carbon.kind, Carbon);
  EXPECT_EQ(carbon.electronSlotTaken, (TSlots{1, 1, 1, 1, 1, 1, 1, 1}));
  EXPECT_EQ(carbon.childIndex, (std::array<std::int32_t, 4>{1, 2, 3, 4}));
  EXPECT_EQ(carbon.neighbourKind, (std::array<std::int32_t, 4>{Hydrogen, Hydrogen, Hydrogen, Hydrogen}));
  EXPECT_EQ(carbon.neighbourCount, 4);
  const TPoint places[] = {{315, 185}, {285, 155}, {255, 185}, {285, 215}};
  for (int i = 1; i <= 4; ++i) {
    EXPECT_EQ(s.m.atoms[i].parentIndex, 0);
    EXPECT_EQ(s.m.atoms[i].x, places[i - 1].x);
    EXPECT_EQ(s.m.atoms[i].y, places[i - 1].y);
  }
  EXPECT_EQ(s.m.bonds[0], TBonds(305, 315, 195, 195));
  EXPECT_EQ(s.m.bonds[1], TBonds(295, 295, 185, 175));
  EXPECT_EQ(s.m.bonds[2], TBonds(285, 275, 195, 195));
  EXPECT_EQ(s.m.bonds[3], TBonds(295, 295, 205, 215));
  EXPECT_EQ(s.m.bondCount, 4);
  EXPECT_TRUE(s.m.completed);
  EXPECT_TRUE(s.m.brackets.IsEmpty());
  EXPECT_EQ(s.m.undoHistory.Count(), 10);  // five presses, five drops
  ASSERT_EQ(s.desktop.messages.size(), 1u);
  EXPECT_EQ(s.desktop.messages[0].text, kCompleted);
  EXPECT_EQ(s.desktop.messages[0].caption, "Information");
  EXPECT_EQ(s.desktop.messages[0].icon, TIcon::Information);
  EXPECT_EQ(s.host.grayed, std::vector<int>{205});
}

TEST(PlacementMolecules, WaterShowsItsLonePairsOnTheFirstFreeSides) {
  TSession s;
  for (ElementKind kind : {Oxygen, Hydrogen, Hydrogen}) s.window.AddToTray(kind);
  s.DragFromTray(kCentre);
  s.DragFromTrayBeside(0, LeftSide);
  s.DragFromTrayBeside(0, BottomSide);
  ASSERT_TRUE(s.m.completed);
  EXPECT_EQ(s.m.atoms[0].freeElectrons, 4);
  EXPECT_EQ(s.m.atoms[0].electronSlotTaken, (TSlots{0, 0, 1, 1, 0, 0, 1, 1}));
  EXPECT_EQ(s.m.atoms[1].electronSlotTaken, (TSlots{1, 1, 1, 1, 1, 1, 1, 1}));
}

TEST(PlacementMolecules, TwoHydrogensBondAndTheFirstHangsFromTheSecond) {
  TSession s;
  s.window.AddToTray(Hydrogen);
  s.window.AddToTray(Hydrogen);
  s.DragFromTray(kCentre);
  s.DragFromTrayBeside(0, RightSide);
  EXPECT_EQ(s.m.atoms[0].parentIndex, 1);
  EXPECT_EQ(s.m.atoms[1].childIndex[0], 0);
  EXPECT_EQ(s.m.atoms[1].parentIndex, -1);
  EXPECT_EQ(s.desktop.Texts(), std::vector<std::string>{kCompleted});
}

TEST(PlacementMolecules, NeutralOxygenRefusesAThirdHydrogen) {
  TSession s;
  for (ElementKind kind : {Oxygen, Hydrogen, Hydrogen, Hydrogen}) s.window.AddToTray(kind);
  s.DragFromTray(kCentre);
  s.DragFromTrayBeside(0, RightSide);
  s.DragFromTrayBeside(0, TopSide);
  s.UndoableStep([&] { s.DragFromTrayBeside(0, LeftSide); });
  EXPECT_EQ(s.desktop.Texts(), std::vector<std::string>{kCannotBond});
  EXPECT_FALSE(s.m.completed);  // the third hydrogen still waits in the tray
  EXPECT_EQ(s.m.atoms[3].x, 590);
}

TEST(PlacementMolecules, AmmoniaGivesAnOxygenItsElectronPair) {
  TSession s;
  for (ElementKind kind : {Nitrogen, Hydrogen, Hydrogen, Hydrogen, Oxygen}) s.window.AddToTray(kind);
  s.DragFromTray(kCentre);
  for (SideCode side : {RightSide, TopSide, LeftSide}) s.DragFromTrayBeside(0, side);
  ASSERT_EQ(s.m.atoms[0].freeElectrons, 2);
  s.UndoableStep([&] { s.DragFromTrayBeside(0, BottomSide); });
  const TAtom& nitrogen = s.m.atoms[0];
  const TAtom& oxygen = s.m.atoms[4];
  EXPECT_EQ(oxygen.kind, Oxygen);
  EXPECT_EQ(nitrogen.freeElectrons, 0);
  EXPECT_EQ(nitrogen.openBonds, 0);
  EXPECT_EQ(oxygen.freeElectrons, 6);
  EXPECT_EQ(oxygen.openBonds, 0);
  EXPECT_EQ(oxygen.parentIndex, 0);
  EXPECT_EQ(nitrogen.childIndex[3], 4);
  // Bonded on its top side, the oxygen's three lone pairs take the rest.
  EXPECT_EQ(oxygen.electronSlotTaken, (TSlots{0, 1, 0, 0, 0, 1, 0, 0}));
  EXPECT_EQ(s.desktop.Texts(), std::vector<std::string>{kCompleted});
}

TEST(PlacementMolecules, AnAtomLeftInTheTrayKeepsTheMoleculeIncomplete) {
  TSession s;
  for (ElementKind kind : {Hydrogen, Hydrogen, Chlorine}) s.window.AddToTray(kind);
  s.DragFromTray(kCentre);
  s.DragFromTrayBeside(0, RightSide);
  EXPECT_FALSE(s.m.completed);
  EXPECT_TRUE(s.desktop.messages.empty());
  EXPECT_TRUE(s.host.grayed.empty());
}

// A carbon with a carbon standing on every side of it, none bonded to it.
TEST(PlacementRefusals, CrowdedPlaceRefusesEverySideAndLeavesNoUndoStep) {
  for (SideCode side : {RightSide, TopSide, LeftSide, BottomSide}) {
    SCOPED_TRACE(side);
    TSession s;
    s.m.atoms.Add(TAtom(Carbon, 200, 200));
    for (TPoint p : {TPoint{230, 200}, TPoint{200, 170}, TPoint{170, 200}, TPoint{200, 230}})
      s.m.atoms.Add(TAtom(Carbon, p.x, p.y));
    s.window.AddToTray(Hydrogen);
    s.window.AddToTray(Fluorine);
    s.window.changed = false;
    const TRecords before = RecordsOf(s.m);
    const int history = s.m.undoHistory.Count();

    s.DragFromTrayBeside(0, side);
    EXPECT_EQ(s.desktop.Texts(), std::vector<std::string>{kNoSpace});
    EXPECT_EQ(RecordsOf(s.m), before);  // the hydrogen also keeps its place in `atoms`
    EXPECT_EQ(s.m.undoHistory.Count(), history);
    EXPECT_FALSE(s.window.changed);
    EXPECT_FALSE(s.window.dragging);
  }
}

TEST(PlacementRefusals, DroppedAtomWithItsFacingSideTakenFindsNoSpace) {
  TSession s;
  s.window.AddToTray(Carbon);
  s.window.AddToTray(Hydrogen);
  s.DragFromTray(kCentre);
  s.m.atoms[1].electronSlotTaken[6] = 1;  // the hydrogen's left side faces the carbon
  s.DragFromTrayBeside(0, RightSide);
  EXPECT_EQ(s.desktop.Texts(), std::vector<std::string>{kNoSpace});
  EXPECT_EQ(s.m.bondCount, 0);
}

TEST(PlacementRefusals, ReleaseOutsideTheClientAreaEndsTheDragAndTestsNothing) {
  for (TPoint outside : {TPoint{-1, 200}, TPoint{641, 200}, TPoint{300, -1}, TPoint{300, 401}}) {
    TSession s;
    s.window.AddToTray(Hydrogen);
    s.m.atoms[0].openBonds = 0;  // a completion test would find the molecule complete
    const TRecords before = RecordsOf(s.m);
    s.DragFromTray(outside);
    EXPECT_EQ(RecordsOf(s.m), before);
    EXPECT_FALSE(s.m.completed);
    EXPECT_TRUE(s.desktop.messages.empty());
    EXPECT_FALSE(s.window.dragging);
    EXPECT_FALSE(s.host.captured);
    EXPECT_EQ(s.host.cursors, (std::vector<std::string>{"hydrocursor", ""}));
  }
  TSession s;  // the edges belong to the client area
  s.window.AddToTray(Hydrogen);
  s.DragFromTray({640, 400});
  EXPECT_EQ(s.m.atoms[0].x, 625);
  EXPECT_EQ(s.m.atoms[0].y, 385);
}

TEST(PlacementRefusals, ReleaseOnATrayAtomsSideIsRefusedWithoutACompletionTest) {
  TSession s;
  s.window.AddToTray(Hydrogen);
  s.window.AddToTray(Hydrogen);
  s.m.completed = true;  // stale; a completion test would clear it
  const TRecords before = RecordsOf(s.m);
  s.DragFromTray({580, 50});  // left cell of the second hydrogen
  EXPECT_EQ(s.desktop.Texts(), std::vector<std::string>{kTrayArea});
  EXPECT_EQ(RecordsOf(s.m), before);
  EXPECT_TRUE(s.m.completed);

  s.DragFromTray({100, 100});
  s.m.completed = true;
  s.DragFromTray({500, 300});  // away from the placed hydrogen: refused, but re-tested
  EXPECT_EQ(s.desktop.LastText(), kReleaseOnSide);
  EXPECT_FALSE(s.m.completed);
}

TEST(PlacementTray, AtomsBelowAUsedTrayAtomMoveUpThirtyPixels) {
  TSession s;
  for (ElementKind kind : {Carbon, Oxygen, Nitrogen, Hydrogen}) s.window.AddToTray(kind);
  s.Drag(TraySlot(1), kCentre);  // the oxygen leaves the middle of the tray
  EXPECT_EQ(s.m.atoms[0].kind, Oxygen);
  EXPECT_EQ(s.m.atoms[1].y, 10);  // carbon stays
  EXPECT_EQ(s.m.atoms[2].y, 40);  // nitrogen moves up
  EXPECT_EQ(s.m.atoms[3].y, 70);  // hydrogen moves up
  EXPECT_GE(s.host.erasingInvalidations, 1);
}

TEST(PlacementIons, CompletedIonGetsABracketAndASecondUndoStep) {
  TSession s;
  s.window.AddToTray(Oxygen);
  s.window.AddToTray(Hydrogen);
  TAtom& oxygen = s.m.atoms[0];  // as after an added electron
  oxygen.freeElectrons = 7;
  oxygen.openBonds = 1;
  oxygen.charge = -1;
  s.DragFromTray(kCentre);
  const TRecords beforeBond = RecordsOf(s.m);
  const int history = s.m.undoHistory.Count();
  s.DragFromTrayBeside(0, RightSide);

  ASSERT_EQ(s.m.brackets.Count(), 1);
  EXPECT_EQ(s.m.brackets[0], TBrackett(280, 340, 180, 210, -1));
  ASSERT_EQ(s.m.undoHistory.Count(), history + 2);
  TMolecule undone = s.m;
  undone.RestoreSnapshot();  // the lone pairs go, the bracket stays
  EXPECT_EQ(undone.brackets.Count(), 1);
  EXPECT_EQ(undone.atoms[0].electronSlotTaken, (TSlots{1, 0, 0, 0, 1, 0, 0, 0}));
  undone.RestoreSnapshot();
  EXPECT_EQ(RecordsOf(undone), beforeBond);
}

TEST(PlacementIons, BracketSpansAllAtomsFiveOutsideTheirCells) {
  TSession s;
  s.m.atoms.Add(TAtom(Nitrogen, 100, 130));
  s.m.atoms.Add(TAtom(Hydrogen, 160, 70));
  for (auto& atom : s.m.atoms) atom.openBonds = 0;
  s.m.atoms[0].charge = 2;
  s.window.editor.AddChargeBracket();
  ASSERT_EQ(s.m.brackets.Count(), 1);
  EXPECT_EQ(s.m.brackets[0], TBrackett(95, 185, 65, 155, 2));
}

struct TLonePairCase {
  int freeElectrons;
  TSlots before;
  TSlots after;
};

class LonePairs : public testing::TestWithParam<TLonePairCase> {};

TEST_P(LonePairs, PairsGoToTheFirstOpenSides) {
  TAtom atom(Carbon, 0, 0);
  atom.freeElectrons = GetParam().freeElectrons;
  atom.electronSlotTaken = GetParam().before;
  TMoleculeEditor::ArrangeLonePairs(atom);
  EXPECT_EQ(atom.electronSlotTaken, GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(
    Placement, LonePairs,
    testing::Values(TLonePairCase{0, {}, {1, 1, 1, 1, 1, 1, 1, 1}},
                    TLonePairCase{5, {}, {0, 0, 1, 1, 0, 0, 1, 1}},  // the odd electron is not shown
                    TLonePairCase{6, {1, 0, 0, 0, 1, 0, 0, 0}, {1, 0, 0, 0, 1, 0, 0, 0}},
                    TLonePairCase{
                        8, {0, 0, 0, 0, 1, 1, 1, 1}, {0, 0, 0, 0, 0, 0, 0, 0}},  // first slot decides
                    TLonePairCase{-2, {}, {1, 1, 1, 1, 1, 1, 1, 1}}));

// The courses put their structure rules between the test and the actions:
// a judge that refuses keeps the completion actions from running.
TEST(PlacementCompletion, TheJudgeIsTheOnePlaceAfterTheTest) {
  TFakeHost host;
  TScriptedDesktop desktop;
  TBondWindow window(host, desktop);
  int judged = 0;
  window.editor.judge = [&judged](const TMolecule&) -> std::optional<std::string> {
    ++judged;
    return "Not this one.";
  };
  window.AddToTray(Hydrogen);
  window.AddToTray(Hydrogen);
  window.PickUpAtom(TraySlot(0));
  window.DropAtom(kCentre);
  EXPECT_EQ(judged, 0);
  window.PickUpAtom(TraySlot(0));
  window.DropAtom({315, 195});
  EXPECT_EQ(judged, 1);
  EXPECT_TRUE(window.molecule.completed);
  EXPECT_EQ(desktop.Texts(), std::vector<std::string>{"Not this one."});
  EXPECT_TRUE(host.grayed.empty());
  EXPECT_TRUE(window.molecule.brackets.IsEmpty());
}

TEST(PlacementCompletion, AnEmptyWindowIsNotComplete) {
  TSession s;
  s.m.completed = true;
  s.window.editor.TestCompletion();
  EXPECT_FALSE(s.m.completed);
}

// A molecule file may carry any bond counter.
TEST(PlacementFaults, BondCounterPastTheEndPutsTheAtomLast) {
  TSession s;
  s.m.atoms.Add(TAtom(Carbon, 285, 185));
  s.window.AddToTray(Hydrogen);
  s.window.AddToTray(Oxygen);
  s.m.bondCount = 50;
  s.DragFromTrayBeside(0, RightSide);
  ASSERT_EQ(s.m.atoms.Count(), 3);
  EXPECT_EQ(s.m.atoms[2].kind, Hydrogen);
  EXPECT_EQ(s.m.atoms[2].x, 315);
  EXPECT_EQ(s.m.atoms[2].parentIndex, 0);
  EXPECT_EQ(s.m.atoms[0].childIndex[0], 2);
  EXPECT_EQ(s.m.bondCount, 51);
}

TEST(PlacementFaults, FullLinkListsAreNotOverrun) {
  TSession s;
  s.m.atoms.Add(TAtom(Carbon, 285, 185));
  s.m.atoms[0].childIndex = {0, 0, 0, 0};
  s.m.atoms[0].neighbourKind = {Carbon, Carbon, Carbon, Carbon};
  s.window.AddToTray(Hydrogen);
  s.DragFromTrayBeside(0, RightSide);
  EXPECT_EQ(s.m.atoms[0].childIndex, (std::array<std::int32_t, 4>{0, 0, 0, 0}));
  EXPECT_EQ(s.m.atoms[1].parentIndex, 0);
  EXPECT_EQ(s.m.bondCount, 1);
}

TEST(PlacementFaults, DropAfterTheMoleculeWasReplacedOnlyEndsTheDrag) {
  TSession s;
  s.window.AddToTray(Carbon);
  s.window.AddToTray(Hydrogen);
  s.window.PickUpAtom(TraySlot(1));
  s.m.RestoreSnapshot();  // the tray hydrogen is gone
  const TRecords before = RecordsOf(s.m);
  s.window.DropAtom(kCentre);
  EXPECT_EQ(RecordsOf(s.m), before);
  EXPECT_FALSE(s.window.dragging);
  EXPECT_FALSE(s.host.captured);
}

// What a teacher tries: palette presses, drags and the messages that follow.
struct TStep {
  ElementKind press = -1;  // a palette press when not -1, else a drag
  TPoint from{}, to{};
};
TStep Press(ElementKind kind) { return {kind, {}, {}}; }
TStep Drag(TPoint from, TPoint to) { return {-1, from, to}; }
TStep FromTray(TPoint to) { return Drag(TraySlot(0), to); }

struct TScenario {
  std::string name;
  std::vector<TStep> steps;
  std::vector<std::string> messages;
  bool completed;
};

void PrintTo(const TScenario& scenario, std::ostream* os) { *os << scenario.name; }

class TeacherScenarios : public testing::TestWithParam<TScenario> {};

TEST_P(TeacherScenarios, MessagesAndUndoFollowEveryStep) {
  TSession s;
  for (std::size_t i = 0; i < GetParam().steps.size(); ++i) {
    SCOPED_TRACE("step " + std::to_string(i));
    const TStep& step = GetParam().steps[i];
    s.UndoableStep([&] {
      if (step.press != -1)
        s.window.AddToTray(step.press);
      else
        s.Drag(step.from, step.to);
    });
    EXPECT_FALSE(s.window.dragging);
  }
  EXPECT_EQ(s.desktop.Texts(), GetParam().messages);
  EXPECT_EQ(s.m.completed, GetParam().completed);
}

// The first atom stands at (285, 185); its side cells are aimed at in the middle.
INSTANTIATE_TEST_SUITE_P(
    Placement, TeacherScenarios,
    testing::Values(TScenario{"HydrogenChloride",
                              {Press(Hydrogen), Press(Chlorine), FromTray(kCentre), FromTray({315, 195})},
                              {kCompleted},
                              true},
                    TScenario{"MethanolAfterAStrayDrop",
                              {Press(Carbon), FromTray(kCentre), Press(Hydrogen), FromTray({500, 300}),
                               FromTray({315, 195}), Press(Hydrogen), FromTray({295, 175}), Press(Hydrogen),
                               FromTray({295, 215}), Press(Oxygen), FromTray({275, 195}), Press(Hydrogen),
                               FromTray({245, 195})},
                              {kReleaseOnSide, kCompleted},
                              true},
                    TScenario{"BondingInsideTheTray",
                              {Press(Hydrogen), Press(Hydrogen), FromTray({580, 50}), FromTray(kCentre),
                               FromTray({275, 195})},
                              {kTrayArea, kCompleted},
                              true},
                    TScenario{"BondedAtomStaysPut",
                              {Press(Fluorine), Press(Fluorine), FromTray(kCentre), FromTray({295, 215}),
                               Drag({295, 195}, {100, 100})},
                              {kCompleted, kBondedAtom},
                              true},
                    TScenario{"DioxygenWaitsForItsDoubleBond",
                              {Press(Oxygen), Press(Oxygen), FromTray(kCentre), FromTray({315, 195})},
                              {},
                              false},
                    TScenario{
                        "WaterRefusesAThirdHydrogen",
                        {Press(Oxygen), Press(Hydrogen), Press(Hydrogen), Press(Hydrogen), FromTray(kCentre),
                         FromTray({315, 195}), FromTray({295, 175}), FromTray({275, 195})},
                        {kCannotBond},
                        false},
                    TScenario{"SecondMoleculeBesideTheFirst",
                              {Press(Hydrogen), Press(Hydrogen), FromTray(kCentre), FromTray({100, 100})},
                              {kReleaseOnSide},
                              false}),
    [](const testing::TestParamInfo<TScenario>& scenario) { return scenario.param.name; });

}  // namespace
}  // namespace kovala
