#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "editor/bondwindow.h"
#include "tests/support/fakehost.h"
#include "tests/support/scripteddesktop.h"

namespace kovala {
namespace {

using Strings = std::vector<std::string>;

const std::string kProtectedBond = "You cannot make a mutiple bond in this position!!!";
const std::string kNoSpace =
    "There is no space for the atom to be bonded.  Use Edit|Abbreviate H's to make more space available.";

struct ExpectedAtom {
  int dx, dy;
  std::vector<int> slots;  // 0 where a side is left free for a substituent
};
struct ExpectedBond {
  int dx1, dx2, dy1, dy2;
  const char* order;
};
struct ExpectedRing {
  const char* name;
  void (TBondWindow::*place)();
  int electrons;
  std::vector<ExpectedAtom> atoms;
  std::vector<ExpectedBond> bonds;
};

// Slot lists by free sides: right 0/4, top 1/5, left 2/6, bottom 3/7.
const std::vector<int> kTop{1, 0, 1, 1, 1, 0, 1, 1};
const std::vector<int> kRight{0, 1, 1, 1, 0, 1, 1, 1};
const std::vector<int> kLeft{1, 1, 0, 1, 1, 1, 0, 1};
const std::vector<int> kBottom{1, 1, 1, 0, 1, 1, 1, 0};
const std::vector<int> kRightTop{0, 0, 1, 1, 0, 0, 1, 1};
const std::vector<int> kRightBottom{0, 1, 1, 0, 0, 1, 1, 0};
const std::vector<int> kLeftBottom{1, 1, 0, 0, 1, 1, 0, 0};
const std::vector<int> kTopLeft{1, 0, 0, 1, 1, 0, 0, 1};

const ExpectedRing kRings[] = {
    {"aromatic",
     &TBondWindow::PlaceAromaticRing,
     1,
     {{300, 0, kTop},
      {330, 30, kRight},
      {330, 60, kRight},
      {300, 90, kBottom},
      {270, 60, kLeft},
      {270, 30, kLeft}},
     {{320, 330, 20, 30, "single"},
      {340, 340, 50, 60, "double"},
      {330, 320, 80, 90, "single"},
      {290, 300, 80, 90, "double"},
      {280, 280, 50, 60, "single"},
      {290, 300, 30, 20, "double"}}},
    {"cyclohexane",
     &TBondWindow::PlaceCyclohexane,
     2,
     {{300, 0, kRightTop},
      {330, 30, kRightTop},
      {330, 60, kRightBottom},
      {300, 90, kLeftBottom},
      {270, 60, kLeftBottom},
      {270, 30, kTopLeft}},
     {{320, 330, 20, 30, "single"},
      {340, 340, 50, 60, "single"},
      {330, 320, 80, 90, "single"},
      {290, 300, 80, 90, "single"},
      {280, 280, 50, 60, "single"},
      {290, 300, 30, 20, "single"}}},
    {"cyclobutane",
     &TBondWindow::PlaceCyclobutane,
     2,
     {{300, 0, kTopLeft}, {330, 0, kRightTop}, {330, 30, kRightBottom}, {300, 30, kLeftBottom}},
     {{320, 330, 10, 10, "single"},
      {340, 340, 20, 30, "single"},
      {320, 330, 40, 40, "single"},
      {310, 310, 20, 30, "single"}}},
};

class Rings : public ::testing::Test {
 protected:
  test::TFakeHost host;
  test::TScriptedDesktop desktop;
  TBondWindow window{host, desktop};
  TMolecule& molecule = window.molecule;

  // Puts a new atom into the tray and drags it to `at`.
  void Drop(ElementKind kind, TPoint at) {
    window.AddToTray(kind);
    const TAtom& fresh = molecule.atoms.Last();
    window.PickUpAtom({fresh.x + 10, fresh.y + 10});
    window.DropAtom(at);
  }
  // A point inside the side cell of atom `index`.
  TPoint Beside(int index, SideCode side) const {
    const TAtom& atom = molecule.atoms[index];
    switch (side) {
      case RightSide:
        return {atom.x + 30, atom.y + 10};
      case TopSide:
        return {atom.x + 10, atom.y - 10};
      case LeftSide:
        return {atom.x - 10, atom.y + 10};
      default:
        return {atom.x + 10, atom.y + 30};
    }
  }
  TPoint Midpoint(int bond) const {
    const TBonds& b = molecule.bonds[bond];
    return {(b.x1 + b.x2) / 2, (b.y1 + b.y2) / 2};
  }
  void ChangeElectrons(int atom, bool add) {
    window.electronModeAdd = add;
    window.electronModePending = true;
    window.ChangeElectrons({molecule.atoms[atom].x + 10, molecule.atoms[atom].y + 10});
  }
};

TEST_F(Rings, TemplatesLayDownTheirExactCellsSlotsAndBonds) {
  // An offset client area shows that the cells hang from its top-left corner.
  for (const ExpectedRing& ring : kRings) {
    test::TFakeHost offsetHost;
    offsetHost.client = {10, 20, 650, 420};
    TBondWindow ringWindow(offsetHost, desktop);
    const int left = 10;
    const int top = 20 + 150;

    (ringWindow.*ring.place)();

    const TMolecule& m = ringWindow.molecule;
    ASSERT_EQ(m.atoms.Count(), static_cast<int>(ring.atoms.size())) << ring.name;
    ASSERT_EQ(m.bonds.Count(), static_cast<int>(ring.bonds.size())) << ring.name;
    for (int i = 0; i < m.atoms.Count(); ++i) {
      const TAtom& atom = m.atoms[i];
      const ExpectedAtom& want = ring.atoms[static_cast<std::size_t>(i)];
      SCOPED_TRACE(std::string(ring.name) + " atom " + std::to_string(i));
      EXPECT_EQ(atom.x, left + want.dx);
      EXPECT_EQ(atom.y, top + want.dy);
      EXPECT_EQ(std::vector<int>(atom.electronSlotTaken.begin(), atom.electronSlotTaken.end()), want.slots);
      EXPECT_EQ(atom.kind, Carbon);
      EXPECT_EQ(atom.freeElectrons, ring.electrons);
      EXPECT_EQ(atom.openBonds, ring.electrons);
      EXPECT_EQ(atom.bonded, 1);
      EXPECT_EQ(atom.neighbourCount, 2);
      EXPECT_EQ(atom.charge, 0);
      EXPECT_EQ(atom.neighbourKind, (std::array<int, 4>{-1, -1, -1, -1}));
      EXPECT_EQ(atom.parentIndex, i - 1);
      const int child = i + 1 < m.atoms.Count() ? i + 1 : -1;
      EXPECT_EQ(atom.childIndex, (std::array<int, 4>{child, -1, -1, -1}));
    }
    for (int i = 0; i < m.bonds.Count(); ++i) {
      const ExpectedBond& want = ring.bonds[static_cast<std::size_t>(i)];
      SCOPED_TRACE(std::string(ring.name) + " bond " + std::to_string(i));
      EXPECT_EQ(m.bonds[i].x1, left + want.dx1);
      EXPECT_EQ(m.bonds[i].x2, left + want.dx2);
      EXPECT_EQ(m.bonds[i].y1, top + want.dy1);
      EXPECT_EQ(m.bonds[i].y2, top + want.dy2);
      EXPECT_EQ(m.bonds[i].Order(), want.order);
    }
    EXPECT_EQ(m.bondCount, m.bonds.Count() - 1) << ring.name;
    EXPECT_TRUE(m.ringTemplatePlaced) << ring.name;
    EXPECT_TRUE(m.brackets.IsEmpty()) << ring.name;
    ASSERT_EQ(m.undoHistory.Count(), 1) << ring.name;
    EXPECT_TRUE(m.undoHistory[0].atoms.IsEmpty()) << ring.name;
    EXPECT_TRUE(ringWindow.changed) << ring.name;
    EXPECT_EQ(offsetHost.invalidations, 1) << ring.name;
    EXPECT_EQ(offsetHost.erasingInvalidations, 0) << ring.name;
  }
  EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(Rings, RingButtonsRefuseInOrder) {
  struct Case {
    bool completed;
    int atoms;
    int ring;  // index into kRings
    std::string message;
  };
  const Case cases[] = {
      {false, 1, 0, "You must start with the aromatic ring!!!"},
      {false, 1, 1, "You must start with the cyclohexane!!!"},
      {false, 1, 2, "You must start with the cyclobutane!!!"},
      {false, 26, 0, "You can have no more than 26 total atoms!!!"},
      {true, 1, 1, "You must start a new molecule before using this command!!!"},
      {true, 26, 2, "You must start a new molecule before using this command!!!"},
  };
  for (const Case& c : cases) {
    TBondWindow ringWindow(host, desktop);
    desktop.messages.clear();
    for (int i = 0; i < c.atoms; ++i) ringWindow.AddToTray(Hydrogen);
    ringWindow.molecule.completed = c.completed;
    const int snapshots = ringWindow.molecule.undoHistory.Count();

    (ringWindow.*kRings[c.ring].place)();

    EXPECT_EQ(desktop.Texts(), Strings{c.message}) << c.message;
    EXPECT_EQ(desktop.messages[0].caption, "Warning");
    EXPECT_EQ(desktop.messages[0].icon, TIcon::Exclamation);
    EXPECT_EQ(ringWindow.molecule.atoms.Count(), c.atoms);
    EXPECT_TRUE(ringWindow.molecule.bonds.IsEmpty());
    EXPECT_EQ(ringWindow.molecule.undoHistory.Count(), snapshots);
    EXPECT_FALSE(ringWindow.molecule.ringTemplatePlaced);
  }
}

TEST_F(Rings, RingButtonWorksAgainAfterNew) {
  window.AddToTray(Hydrogen);
  window.PlaceCyclobutane();
  desktop.answers.push_back(TAnswer::No);
  ASSERT_TRUE(window.New());
  window.PlaceCyclobutane();
  EXPECT_EQ(molecule.atoms.Count(), 4);
  EXPECT_TRUE(molecule.ringTemplatePlaced);
}

TEST_F(Rings, BenzeneCompletesWithHydrogensAfterTheRing) {
  window.PlaceAromaticRing();
  const TPoint sides[] = {Beside(0, TopSide),    Beside(1, RightSide), Beside(2, RightSide),
                          Beside(3, BottomSide), Beside(4, LeftSide),  Beside(5, LeftSide)};
  for (const TPoint& side : sides) Drop(Hydrogen, side);

  ASSERT_EQ(molecule.atoms.Count(), 12);
  const TPoint places[] = {{300, 120}, {360, 180}, {360, 210}, {300, 270}, {240, 210}, {240, 180}};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(molecule.atoms[6 + i].kind, Hydrogen);
    EXPECT_EQ(molecule.atoms[6 + i].x, places[i].x) << i;
    EXPECT_EQ(molecule.atoms[6 + i].y, places[i].y) << i;
  }
  EXPECT_TRUE(molecule.completed);
  EXPECT_EQ(molecule.bondCount, 11);
  EXPECT_EQ(desktop.LastText(), "This molecule is completed!!!  Go to View for 3-D structure.");
}

TEST_F(Rings, CyclohexaneSidesThatShareAPlaceClash) {
  struct Case {
    int firstAtom;
    SideCode firstSide;
    int secondAtom;
    SideCode secondSide;
  };
  const Case cases[] = {{0, RightSide, 1, TopSide}, {3, LeftSide, 4, BottomSide}};
  for (const Case& c : cases) {
    molecule.ClearRecords();
    molecule.undoHistory.Flush();
    molecule.ringTemplatePlaced = false;
    desktop.messages.clear();
    window.PlaceCyclohexane();
    Drop(Hydrogen, Beside(c.firstAtom, c.firstSide));
    ASSERT_EQ(molecule.bonds.Count(), 7);
    window.AddToTray(Hydrogen);
    const int snapshots = molecule.undoHistory.Count();
    const TAtom& fresh = molecule.atoms.Last();
    window.PickUpAtom({fresh.x + 10, fresh.y + 10});
    window.DropAtom(Beside(c.secondAtom, c.secondSide));
    EXPECT_EQ(desktop.LastText(), kNoSpace);
    EXPECT_EQ(molecule.bonds.Count(), 7);
    EXPECT_EQ(molecule.undoHistory.Count(), snapshots);
  }
}

TEST_F(Rings, CyclobutaneProtectsItsFirstSubstituents) {
  window.PlaceCyclobutane();
  Drop(Carbon, Beside(0, TopSide));    // atom 4, bond 4
  Drop(Oxygen, Beside(4, TopSide));    // atom 5, bond 5
  Drop(Carbon, Beside(1, RightSide));  // atom 6, bond 6
  Drop(Oxygen, Beside(6, RightSide));  // atom 7, bond 7
  ASSERT_EQ(molecule.bonds.Count(), 8);
  desktop.messages.clear();

  for (int atom : {4, 5}) {
    ChangeElectrons(atom, true);
    EXPECT_EQ(desktop.LastText(), "You cannot change the number of electrons on this atom!!") << atom;
  }
  for (int bond : {5, 6}) {
    window.ClickBond(Midpoint(bond));
    EXPECT_EQ(desktop.LastText(), kProtectedBond) << bond;
    EXPECT_EQ(molecule.bonds[bond].Order(), "single") << bond;
  }
  window.ClickBond(Midpoint(7));
  EXPECT_EQ(molecule.bonds[7].Order(), "double");
  EXPECT_EQ(molecule.atoms[6].openBonds, 1);
  EXPECT_EQ(molecule.atoms[7].openBonds, 0);
  ChangeElectrons(6, false);
  EXPECT_EQ(molecule.atoms[6].charge, 1);
}

TEST_F(Rings, AromaticRingBondsAndFirstSubstituentAreProtected) {
  window.PlaceAromaticRing();
  Drop(Carbon, Beside(0, TopSide));  // bond 6
  Drop(Oxygen, Beside(6, TopSide));  // bond 7
  ASSERT_EQ(molecule.bonds.Count(), 8);
  desktop.messages.clear();
  const int snapshots = molecule.undoHistory.Count();
  const int invalidations = host.invalidations;

  for (int bond : {1, 3, 5, 6}) window.ClickBond(Midpoint(bond));
  EXPECT_EQ(desktop.Texts(), Strings(4, kProtectedBond));
  EXPECT_EQ(molecule.undoHistory.Count(), snapshots);
  EXPECT_EQ(host.invalidations, invalidations);
  EXPECT_EQ(molecule.bonds[1].Order(), "double");
  EXPECT_EQ(molecule.bonds[6].Order(), "single");

  window.ClickBond(Midpoint(7));
  EXPECT_EQ(molecule.bonds[7].Order(), "double");
  EXPECT_EQ(molecule.atoms[6].freeElectrons, 1);
  EXPECT_EQ(molecule.atoms[7].openBonds, 0);
}

}  // namespace
}  // namespace kovala
