#include "editor/moleculepainter.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "tests/support/recordingsurface.h"

namespace kovala {
namespace {

using test::TDrawCall;
using test::TRecordingSurface;

// Positions of the electron dots drawn, in drawing order.
std::vector<TPoint> Dots(const TRecordingSurface& surface) {
  std::vector<TPoint> dots;
  for (const auto& c : surface.Of(TDrawCall::Kind::Bitmap))
    if (c.name == "electron") dots.push_back({c.x1, c.y1});
  return dots;
}

std::vector<TPoint> SlotDots(int x, int y, const std::vector<int>& slots) {
  std::vector<TPoint> dots;
  for (const int s : slots) dots.push_back(TMoleculePainter::SlotPosition(x, y, s));
  return dots;
}

TEST(MoleculePainterTest, SlotPositionsSitOnTheCellEdges) {
  const std::vector<TPoint> expected = {{117, 56}, {106, 50}, {100, 61}, {111, 67},
                                        {117, 61}, {111, 50}, {100, 56}, {106, 67}};
  for (int s = 0; s < 8; ++s) EXPECT_EQ(TMoleculePainter::SlotPosition(100, 50, s), expected[s]) << s;
}

TEST(MoleculePainterTest, LoneCarbonHasOneDotPerSide) {
  TRecordingSurface surface;
  TMoleculePainter::DrawAtom(surface, TAtom(Carbon, 40, 60));
  ASSERT_FALSE(surface.calls.empty());
  EXPECT_EQ(surface.calls[0], (TDrawCall{TDrawCall::Kind::Bitmap, "carbonatom", 40, 60, 0, 0, {}, {}}));
  EXPECT_EQ(Dots(surface), SlotDots(40, 60, {0, 1, 2, 3}));
}

TEST(MoleculePainterTest, ChlorineBondedOnTheRightShowsSixDots) {
  TAtom cl(Chlorine, 10, 20);
  cl.freeElectrons = 6;
  cl.electronSlotTaken[0] = 1;
  cl.electronSlotTaken[4] = 1;
  TRecordingSurface surface;
  TMoleculePainter::DrawAtom(surface, cl);
  EXPECT_TRUE(surface.HasBitmap("chlorineatom", 10, 20));
  EXPECT_EQ(Dots(surface), SlotDots(10, 20, {1, 2, 3, 5, 6, 7}));
}

TEST(MoleculePainterTest, DotsStopAtTheLastFreeSlot) {
  TAtom o(Oxygen, 0, 0);
  o.freeElectrons = 8;  // more than the free slots can show
  o.electronSlotTaken = {0, 1, 0, 1, 0, 1, 0, 1};
  TRecordingSurface surface;
  TMoleculePainter::DrawAtom(surface, o);
  EXPECT_EQ(Dots(surface), SlotDots(0, 0, {0, 2, 4, 6}));
}

TEST(MoleculePainterTest, HydrogenSitsInsideItsCell) {
  TRecordingSurface surface;
  TMoleculePainter::DrawAtom(surface, TAtom(Hydrogen, 100, 50));
  EXPECT_TRUE(surface.HasBitmap("bitmap_2", 103, 53));
  EXPECT_EQ(Dots(surface), (std::vector<TPoint>{{117, 56}}));
}

TEST(MoleculePainterTest, EachElementHasItsPicture) {
  const std::vector<std::string> names = {"carbonatom",   "bitmap_2",   "oxygenatom",
                                          "nitrogenatom", "sulfuratom", "chlorineatom",
                                          "phosphorus",   "bromine",    "fluorine"};
  for (ElementKind kind = 0; kind < ElementKindCount; ++kind) {
    TAtom atom(kind, 200, 200);
    atom.freeElectrons = 0;
    TRecordingSurface surface;
    TMoleculePainter::DrawAtom(surface, atom);
    ASSERT_EQ(surface.calls.size(), 1u) << kind;
    EXPECT_EQ(surface.calls[0].name, names[static_cast<std::size_t>(kind)]);
  }
}

TEST(MoleculePainterTest, UnknownKindsDrawNothing) {
  for (const ElementKind kind : {-1, 9, 1000}) {
    TAtom atom(kind, 10, 10);
    atom.freeElectrons = 5;  // as read from a file; still no dots
    TRecordingSurface surface;
    TMoleculePainter::DrawAtom(surface, atom);
    EXPECT_TRUE(surface.calls.empty()) << kind;
  }
}

struct TBondCase {
  const char* name;
  TBonds bond;  // x1, x2, y1, y2
  const char* order;
  std::vector<TRect> lines;  // left/top/right/bottom as x1, y1, x2, y2
};

TEST(MoleculePainterTest, BondsDrawOneTwoOrThreeLines) {
  const std::vector<TBondCase> cases = {
      {"single", TBonds(20, 30, 10, 10), "single", {{20, 10, 30, 10}}},
      {"double vertical", TBonds(40, 40, 60, 70), "double", {{37, 60, 37, 70}, {43, 60, 43, 70}}},
      {"double horizontal", TBonds(20, 30, 10, 10), "double", {{20, 7, 30, 7}, {20, 13, 30, 13}}},
      {"double slanted down", TBonds(10, 20, 10, 30), "double", {{12, 8, 22, 28}, {8, 12, 18, 32}}},
      {"double slanted up", TBonds(10, 20, 30, 10), "double", {{12, 32, 22, 12}, {8, 28, 18, 8}}},
      {"triple vertical",
       TBonds(40, 40, 60, 70),
       "triple",
       {{40, 60, 40, 70}, {35, 60, 35, 70}, {45, 60, 45, 70}}},
      {"triple horizontal",
       TBonds(20, 30, 10, 10),
       "triple",
       {{20, 10, 30, 10}, {20, 5, 30, 5}, {20, 15, 30, 15}}},
      {"triple slanted",
       TBonds(10, 20, 10, 30),
       "triple",
       {{10, 10, 20, 30}, {10, 5, 20, 5}, {10, 15, 20, 15}}},
      {"unknown order", TBonds(20, 30, 10, 10), "quadruple", {}},
  };
  for (const auto& c : cases) {
    TBonds bond = c.bond;
    bond.SetOrder(c.order);
    TRecordingSurface surface;
    TMoleculePainter::DrawBond(surface, bond);
    std::vector<TRect> drawn;
    for (const auto& call : surface.calls) {
      ASSERT_EQ(call.kind, TDrawCall::Kind::Line) << c.name;
      drawn.push_back({call.x1, call.y1, call.x2, call.y2});
    }
    EXPECT_EQ(drawn, c.lines) << c.name;
  }
}

TEST(MoleculePainterTest, BracketsCarryTheChargeAfterTheRightBracket) {
  TRecordingSurface surface;
  TMoleculePainter::DrawBracket(surface, TBrackett(95, 185, 35, 125, -1));
  EXPECT_TRUE(surface.HasLine(105, 35, 95, 35));
  EXPECT_TRUE(surface.HasLine(95, 35, 95, 125));
  EXPECT_TRUE(surface.HasLine(95, 125, 105, 125));
  EXPECT_TRUE(surface.HasLine(175, 35, 185, 35));
  EXPECT_TRUE(surface.HasLine(185, 35, 185, 125));
  EXPECT_TRUE(surface.HasLine(185, 125, 175, 125));
  EXPECT_EQ(surface.Of(TDrawCall::Kind::Line).size(), 6u);
  EXPECT_EQ(surface.Of(TDrawCall::Kind::Text),
            (std::vector<TDrawCall>{{TDrawCall::Kind::Text, "1-", 190, 35, 0, 0, {}, {}}}));
}

TEST(MoleculePainterTest, ChargeTextPutsTheSignAfterTheDigits) {
  EXPECT_EQ(TMoleculePainter::ChargeText(-1), "1-");
  EXPECT_EQ(TMoleculePainter::ChargeText(2), "2+");
  EXPECT_EQ(TMoleculePainter::ChargeText(-12), "12-");
  EXPECT_EQ(TMoleculePainter::ChargeText(INT_MIN), "2147483648-");
}

// A carbon at (100, 100) with `folded` hydrogens at (115, 100) and one more
// hydrogen elsewhere among its children.
TMolecule CarbonWithFoldedHydrogens(int folded) {
  TMolecule m;
  TAtom c(Carbon, 100, 100);
  c.freeElectrons = 0;
  m.atoms.Add(c);
  for (int i = 0; i < folded; ++i) {
    m.atoms[0].childIndex[static_cast<std::size_t>(i)] = m.atoms.Count();
    TAtom h(Hydrogen, 115, 100);
    h.freeElectrons = 0;
    m.atoms.Add(h);
  }
  if (folded < 4) {
    m.atoms[0].childIndex[static_cast<std::size_t>(folded)] = m.atoms.Count();
    m.atoms.Add(TAtom(Hydrogen, 130, 100));
  }
  return m;
}

TEST(MoleculePainterTest, FoldedHydrogensAreCountedBesideTheirPartner) {
  for (int folded = 0; folded <= 4; ++folded) {
    TRecordingSurface surface;
    TMoleculePainter::DrawMolecule(surface, CarbonWithFoldedHydrogens(folded));
    const auto texts = surface.Of(TDrawCall::Kind::Text);
    if (folded >= 2) {
      ASSERT_EQ(texts.size(), 1u) << folded;
      EXPECT_EQ(texts[0], (TDrawCall{TDrawCall::Kind::Text, std::to_string(folded), 130, 110, 0, 0, {}, {}}));
    } else {
      EXPECT_TRUE(texts.empty()) << folded;
    }
  }
}

TEST(MoleculePainterTest, ChildLinksOutsideTheMoleculeAreIgnored) {
  TMolecule m = CarbonWithFoldedHydrogens(2);
  m.atoms[0].childIndex[2] = 40;
  m.atoms[0].childIndex[3] = -7;
  TRecordingSurface surface;
  TMoleculePainter::DrawMolecule(surface, m);
  EXPECT_TRUE(surface.HasText("2", 130, 110));
}

TEST(MoleculePainterTest, MoleculeIsDrawnAtomsBondsBracketsThenCounts) {
  TMolecule m = CarbonWithFoldedHydrogens(3);
  m.bonds.Add(TBonds(120, 130, 110, 110));
  m.brackets.Add(TBrackett(95, 140, 95, 125, 2));
  TRecordingSurface surface;
  TMoleculePainter::DrawMolecule(surface, m);
  std::vector<TDrawCall::Kind> kinds;
  for (const auto& c : surface.calls)
    if (kinds.empty() || kinds.back() != c.kind) kinds.push_back(c.kind);
  using K = TDrawCall::Kind;
  // Atom pictures, the bond and bracket lines, the charge, the count.
  EXPECT_EQ(kinds, (std::vector<K>{K::Bitmap, K::Line, K::Text}));
  const auto texts = surface.Of(K::Text);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].name, "2+");
  EXPECT_EQ(texts[1].name, "3");
}

TEST(MoleculePainterTest, BlankCellCoversTheAtom) {
  TRecordingSurface surface;
  TMoleculePainter::DrawBlankCell(surface, 590, 40);
  EXPECT_EQ(surface.calls,
            (std::vector<TDrawCall>{{TDrawCall::Kind::Bitmap, "blank", 590, 40, 0, 0, {}, {}}}));
}

}  // namespace
}  // namespace kovala
