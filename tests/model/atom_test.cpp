#include "model/atom.h"

#include <gtest/gtest.h>

#include "model/bonds.h"
#include "model/brackett.h"

namespace kovala {
namespace {

TEST(Atom, CreationTakesCountersFromTheElement) {
  const TAtom h(Hydrogen, 100, 50);
  EXPECT_EQ(h.x, 100);
  EXPECT_EQ(h.y, 50);
  EXPECT_EQ(h.freeElectrons, 1);
  EXPECT_EQ(h.openBonds, 1);
  EXPECT_EQ(h.parentIndex, -1);
  EXPECT_EQ(h.neighbourCount, 0);
  EXPECT_EQ(h.charge, 0);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(h.childIndex[i], -1);
    EXPECT_EQ(h.neighbourKind[i], -1);
  }
  EXPECT_EQ(h.bonded, 0);
  for (auto s : h.electronSlotTaken) EXPECT_EQ(s, 0);

  struct Row {
    ElementKind kind;
    int free;
    int open;
    const char* cursor;
  };
  const Row rows[] = {{Carbon, 4, 4, "carboncursor"},     {Oxygen, 6, 2, "oxygencursor"},
                      {Nitrogen, 5, 3, "nitrogencursor"}, {Sulfur, 6, 2, "sulfurcursor"},
                      {Chlorine, 7, 1, "chlorinecursor"}, {Phosphorus, 5, 3, "phoscursor"},
                      {Bromine, 7, 1, "brominecursor"},   {Fluorine, 7, 1, "fluorinecursor"}};
  for (const auto& r : rows) {
    const TAtom a(r.kind, 0, 0);
    EXPECT_EQ(a.freeElectrons, r.free) << r.kind;
    EXPECT_EQ(a.openBonds, r.open) << r.kind;
    EXPECT_EQ(ElementInfo(r.kind).cursorName, r.cursor);
  }
}

TEST(Atom, UnknownKindHasNoElectronsAndEightOpenBonds) {
  for (ElementKind k : {-1, 9, 1000}) {
    const TAtom a(k, 0, 0);
    EXPECT_EQ(a.freeElectrons, 0);
    EXPECT_EQ(a.openBonds, 8);
    EXPECT_TRUE(ElementInfo(k).cursorName.empty());
    EXPECT_FALSE(IsKnownKind(k));
  }
}

TEST(Atom, DefaultCreationIsZeroWithEightOpenBondsAndEmptyLinks) {
  const TAtom a;
  EXPECT_EQ(a.kind, 0);
  EXPECT_EQ(a.freeElectrons, 0);
  EXPECT_EQ(a.openBonds, 8);
  EXPECT_EQ(a.parentIndex, -1);
  EXPECT_EQ(a.childIndex[3], -1);
  EXPECT_EQ(a.neighbourKind[0], -1);
}

TEST(Atom, HitTestIsStrictOnAllFourSides) {
  const TAtom a(Carbon, 40, 60);
  EXPECT_FALSE(a.Contains(40, 60));
  EXPECT_FALSE(a.Contains(60, 70));
  EXPECT_FALSE(a.Contains(50, 80));
  EXPECT_FALSE(a.Contains(50, 60));
  EXPECT_TRUE(a.Contains(41, 61));
  EXPECT_TRUE(a.Contains(59, 79));
}

TEST(Atom, CopyCarriesEveryField) {
  TAtom a(Chlorine, 1, 2);
  a.charge = -1;
  a.bonded = 1;
  a.electronSlotTaken = {1, 0, 1, 0, 1, 0, 1, 1};
  a.childIndex = {3, 4, -1, -1};
  a.neighbourKind = {0, 1, -1, -1};
  a.parentIndex = 7;
  a.neighbourCount = 2;
  const TAtom b = a;
  EXPECT_EQ(b, a);
  EXPECT_EQ(b.charge, -1);
  EXPECT_EQ(b.bonded, 1);
  EXPECT_EQ(b.electronSlotTaken[7], 1);
}

TEST(Bonds, OrderIsKeptZeroTerminatedInTenBytes) {
  TBonds b(1, 2, 3, 4);
  EXPECT_EQ(b.Order(), "single");
  EXPECT_EQ(b.x1, 1);
  EXPECT_EQ(b.x2, 2);
  EXPECT_EQ(b.y1, 3);
  EXPECT_EQ(b.y2, 4);
  b.SetOrder("triple");
  EXPECT_EQ(b.Order(), "triple");
  b.SetOrder("much-too-long-text");
  EXPECT_EQ(b.Order().size(), 9u);
  EXPECT_EQ(b.order[9], '\0');
  EXPECT_EQ(TBonds().Order(), "single");
}

TEST(Brackett, CreationAndDefault) {
  const TBrackett b(1, 2, 3, 4, -2);
  EXPECT_EQ(b.left, 1);
  EXPECT_EQ(b.charge, -2);
  EXPECT_EQ(TBrackett(), TBrackett(0, 0, 0, 0, 0));
}

}  // namespace
}  // namespace kovala
