// What a screen reader is told of the molecule window: each atom named by
// its bookkeeping in spoken form, in the tray or placed, where it stands,
// and whether it can still be picked up.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "editor/bondwindow.h"
#include "editor/bookkeeping.h"
#include "tests/support/fakehost.h"
#include "tests/support/scripteddesktop.h"

namespace kovala {
namespace {

using test::TFakeHost;
using test::TScriptedDesktop;

constexpr TPoint kCentre{300, 200};   // a carbon dropped here stands at (285, 185)
constexpr TPoint kRightOfFirst{315, 195};

struct TSession {
  TFakeHost host;
  TScriptedDesktop desktop;
  TBondWindow window{host, desktop};
  TMolecule& m = window.molecule;

  void Drag(TPoint from, TPoint to) {
    window.LeftButtonDown(from, {});
    window.LeftButtonUp(to, {});
  }
  void DropNew(ElementKind kind, TPoint to) {
    window.NewAtom(kind);
    Drag({600, 20}, to);
  }
  void BuildMethane() {
    DropNew(Carbon, kCentre);
    for (const TPoint side : {TPoint{315, 195}, TPoint{295, 175}, TPoint{275, 195}, TPoint{295, 215}})
      DropNew(Hydrogen, side);
  }
};

struct TSpokenCase {
  const char* name;
  void (*steps)(TSession&);
  int atom;
  std::string spoken;
};

void PrintTo(const TSpokenCase& c, std::ostream* os) { *os << c.name; }

class SpokenBookkeeping_ : public testing::TestWithParam<TSpokenCase> {};

// The spoken form and the hover text tell the same facts: the hover text's
// own form stays as it was.
TEST_P(SpokenBookkeeping_, NamesTheSameFactsAsTheHoverText) {
  TSession s;
  GetParam().steps(s);
  EXPECT_EQ(SpokenBookkeeping(s.m, GetParam().atom), GetParam().spoken);
  const std::string hover = BookkeepingText(s.m, GetParam().atom);
  const std::string bonded = hover.substr(hover.find(';') + 2);
  EXPECT_NE(GetParam().spoken.find(bonded), std::string::npos) << hover;
}

INSTANTIATE_TEST_SUITE_P(
    Atoms, SpokenBookkeeping_,
    testing::Values(
        TSpokenCase{"tray carbon", [](TSession& s) { s.window.NewAtom(Carbon); }, 0,
                    "Carbon, 4 open bonds, 4 free electrons, not bonded"},
        TSpokenCase{"methane's carbon", [](TSession& s) { s.BuildMethane(); }, 0,
                    "Carbon, 0 open bonds, 0 free electrons, bonded: 4 single (H, H, H, H)"},
        TSpokenCase{"methane's last hydrogen", [](TSession& s) { s.BuildMethane(); }, 4,
                    "Hydrogen, 0 open bonds, 0 free electrons, bonded: 1 single (C)"},
        TSpokenCase{"carbon with two hydrogens",
                    [](TSession& s) {
                      s.DropNew(Carbon, kCentre);
                      s.DropNew(Hydrogen, kRightOfFirst);
                      s.DropNew(Hydrogen, {275, 195});
                      s.window.ArmElectronChange(true);
                      s.window.RightButtonDown({295, 195}, {});
                      s.window.ArmElectronChange(true);
                      s.window.RightButtonDown({295, 195}, {});
                    },
                    0, "Carbon, 0 open bonds, 4 free electrons, charge -2, bonded: 2 single (H, H)"},
        TSpokenCase{"hydroxide's oxygen",
                    [](TSession& s) {
                      s.DropNew(Oxygen, kCentre);
                      s.DropNew(Hydrogen, kRightOfFirst);
                      s.window.ArmElectronChange(true);
                      s.window.RightButtonDown({295, 195}, {});
                    },
                    0, "Oxygen, 0 open bonds, 6 free electrons, charge -1, bonded: 1 single (H)"},
        TSpokenCase{"carbonyl oxygen",
                    [](TSession& s) {
                      s.DropNew(Carbon, kCentre);
                      s.DropNew(Oxygen, kRightOfFirst);
                      s.window.RightButtonDown({310, 195}, {});
                    },
                    1, "Oxygen, 0 open bonds, 4 free electrons, bonded: 1 double (C)"},
        TSpokenCase{"unknown kind", [](TSession& s) { s.m.atoms.Add(TAtom(42, 10, 10)); }, 0,
                    "Unknown element, 8 open bonds, 0 free electrons, not bonded"}));

TEST(SpokenBookkeepingOfNoAtom, IsEmpty) {
  TSession s;
  s.window.NewAtom(Carbon);
  for (const int index : {-1, 1, 1000}) EXPECT_EQ(SpokenBookkeeping(s.m, index), "") << index;
}

// One item per atom, in the molecule's order, tray atoms at the tray.
struct TItemFacts {
  std::string description;
  TRect rect;
  bool movable;
};

TEST(AccessibleItemsOfTheEditor, FollowTheMoleculeFromTrayToCompletion) {
  TSession s;
  EXPECT_EQ(s.window.AccessibleName(), "Molecule drawing area");
  EXPECT_TRUE(s.window.AccessibleItems().empty());

  s.window.NewAtom(Carbon);
  s.window.NewAtom(Hydrogen);
  const auto facts = [&s] {
    std::vector<TItemFacts> out;
    for (const TAccessibleItem& item : s.window.AccessibleItems()) {
      EXPECT_EQ(item.kind, TAccessibleItem::TKind::Object);
      EXPECT_FALSE(item.focused);
      out.push_back({item.description, item.rect, item.movable});
    }
    return out;
  };
  std::vector<TItemFacts> before = facts();
  ASSERT_EQ(before.size(), 2u);
  for (std::size_t i = 0; i < before.size(); ++i) {
    const TAtom& atom = s.m.atoms[static_cast<int>(i)];
    EXPECT_EQ(before[i].description, "In the tray");
    EXPECT_EQ(before[i].rect, (TRect{atom.x, atom.y, atom.x + 20, atom.y + 20}));
    EXPECT_EQ(before[i].rect.left, 590) << "the tray stands 50 pixels in from the right edge";
    EXPECT_TRUE(before[i].movable);
  }

  // The carbon dropped alone is placed but can still be moved.
  s.Drag({600, 20}, kCentre);
  std::vector<TAccessibleItem> items = s.window.AccessibleItems();
  ASSERT_EQ(items.size(), 2u);
  int placed = 0;
  for (std::size_t i = 0; i < items.size(); ++i) {
    const TAtom& atom = s.m.atoms[static_cast<int>(i)];
    EXPECT_EQ(items[i].name, SpokenBookkeeping(s.m, static_cast<int>(i)));
    EXPECT_EQ(items[i].rect, (TRect{atom.x, atom.y, atom.x + 20, atom.y + 20}));
    if (atom.kind == Carbon) {
      EXPECT_EQ(items[i].description, "Placed");
      EXPECT_EQ(items[i].rect, (TRect{285, 185, 305, 205}));
      EXPECT_TRUE(items[i].movable);
      ++placed;
    }
  }
  EXPECT_EQ(placed, 1);

  // Bonded atoms stay where they are.
  s.Drag({600, 20}, kRightOfFirst);
  items = s.window.AccessibleItems();
  ASSERT_EQ(items.size(), 2u);
  for (const TAccessibleItem& item : items) {
    EXPECT_EQ(item.description, "Placed");
    EXPECT_FALSE(item.movable) << item.name;
  }
}

TEST(AccessibleItemsOfTheEditor, LeaveOutTheCarriedAtomUntilItIsDropped) {
  TSession s;
  s.DropNew(Carbon, kCentre);
  s.window.NewAtom(Hydrogen);
  ASSERT_EQ(s.window.AccessibleItems().size(), 2u);
  s.window.LeftButtonDown({600, 20}, {});
  ASSERT_TRUE(s.window.dragging);
  const std::vector<TAccessibleItem> carried = s.window.AccessibleItems();
  ASSERT_EQ(carried.size(), 1u);
  EXPECT_EQ(carried[0].name.rfind("Carbon, ", 0), 0u) << carried[0].name;
  s.window.LeftButtonUp(kRightOfFirst, {});
  EXPECT_EQ(s.window.AccessibleItems().size(), 2u);
}

TEST(AccessibleItemsOfTheEditor, MethaneListsFiveAtomsWithTheirBookkeeping) {
  TSession s;
  s.BuildMethane();
  ASSERT_TRUE(s.m.completed);
  const std::vector<TAccessibleItem> items = s.window.AccessibleItems();
  std::vector<std::string> names;
  for (const TAccessibleItem& item : items) names.push_back(item.name);
  const std::string hydrogen = "Hydrogen, 0 open bonds, 0 free electrons, bonded: 1 single (C)";
  EXPECT_EQ(names, (std::vector<std::string>{
                       "Carbon, 0 open bonds, 0 free electrons, bonded: 4 single (H, H, H, H)", hydrogen,
                       hydrogen, hydrogen, hydrogen}));
}

}  // namespace
}  // namespace kovala
