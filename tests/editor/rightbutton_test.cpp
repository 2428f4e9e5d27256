#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "editor/bondwindow.h"
#include "tests/support/fakehost.h"
#include "tests/support/scripteddesktop.h"

namespace kovala {
namespace {

using Strings = std::vector<std::string>;

const std::string kBondCompleted = "This molecule is completed!!!  Go to View for a 3-D structure.";
const std::string kElectronCompleted = "This molecule is completed!!!  Go to View for 3-D structure.";
const std::string kNoMultiple = "You may not form a multiple bond in this position!!!";

class RightButton : public ::testing::Test {
 protected:
  test::TFakeHost host;
  test::TScriptedDesktop desktop;
  TBondWindow window{host, desktop};
  TMolecule& molecule = window.molecule;

  TAtom& Put(ElementKind kind, int x, int y, int freeElectrons, int openBonds) {
    TAtom& atom = molecule.atoms.Add(TAtom(kind, x, y));
    atom.freeElectrons = freeElectrons;
    atom.openBonds = openBonds;
    return atom;
  }
  // Records a bond from `from` to the atom on its right, as a drop makes it.
  void BondRight(TAtom& from, TAtom& to) {
    molecule.bonds.Add(TBonds(from.x + 20, from.x + 30, from.y + 10, from.y + 10));
    from.electronSlotTaken[0] = from.electronSlotTaken[4] = 1;
    to.electronSlotTaken[2] = to.electronSlotTaken[6] = 1;
    from.bonded = to.bonded = 1;
  }
  // Records a bond from `from` to the atom below it.
  void BondBelow(TAtom& from, TAtom& to) {
    molecule.bonds.Add(TBonds(from.x + 10, from.x + 10, from.y + 20, from.y + 30));
    from.electronSlotTaken[3] = from.electronSlotTaken[7] = 1;
    to.electronSlotTaken[1] = to.electronSlotTaken[5] = 1;
    from.bonded = to.bonded = 1;
  }
  void Electron(bool add, TPoint point) {
    window.electronModeAdd = add;
    window.electronModePending = true;
    window.ChangeElectrons(point);
  }
  std::vector<int> Slots(const TAtom& atom) const {
    return {atom.electronSlotTaken.begin(), atom.electronSlotTaken.end()};
  }
};

TEST_F(RightButton, EtheneCompletesOnOneClick) {
  TAtom& c0 = Put(Carbon, 200, 100, 1, 1);
  TAtom& c1 = Put(Carbon, 230, 100, 1, 1);
  BondRight(c0, c1);
  for (TAtom* c : {&c0, &c1}) {
    BondBelow(Put(Hydrogen, c->x, c->y - 30, 0, 0), *c);
    BondBelow(*c, Put(Hydrogen, c->x, c->y + 30, 0, 0));
  }

  window.ClickBond({225, 110});

  EXPECT_EQ(molecule.bonds[0].Order(), "double");
  EXPECT_EQ(c0.openBonds, 0);
  EXPECT_EQ(c1.freeElectrons, 0);
  EXPECT_TRUE(molecule.completed);
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].text, kBondCompleted);
  EXPECT_EQ(desktop.messages[0].caption, "Information");
  EXPECT_EQ(desktop.messages[0].icon, TIcon::Information);
  EXPECT_EQ(host.grayed, std::vector<int>{cmd::AbbreviateHs});
  EXPECT_TRUE(molecule.brackets.IsEmpty());
  EXPECT_EQ(molecule.undoHistory.Count(), 1);
  EXPECT_TRUE(window.changed);
  EXPECT_GE(host.erasingInvalidations, 1);
}

TEST_F(RightButton, NitrogenGoesDoubleTripleThenRefusesAndCompletesAgain) {
  TAtom& n0 = Put(Nitrogen, 200, 100, 4, 2);
  TAtom& n1 = Put(Nitrogen, 230, 100, 4, 2);
  BondRight(n0, n1);

  window.ClickBond({225, 110});
  EXPECT_EQ(molecule.bonds[0].Order(), "double");
  EXPECT_FALSE(molecule.completed);
  EXPECT_TRUE(desktop.messages.empty());

  window.ClickBond({225, 110});
  EXPECT_EQ(molecule.bonds[0].Order(), "triple");
  EXPECT_EQ(n0.freeElectrons, 2);
  EXPECT_EQ(n1.openBonds, 0);
  EXPECT_TRUE(molecule.completed);
  EXPECT_EQ(desktop.Texts(), Strings{kBondCompleted});
  // One lone pair each, on the first side left open: top for the left N,
  // right for the right N; every other side closes.
  EXPECT_EQ(Slots(n0), (std::vector<int>{1, 0, 1, 1, 1, 0, 1, 1}));
  EXPECT_EQ(Slots(n1), (std::vector<int>{0, 1, 1, 1, 0, 1, 1, 1}));

  window.ClickBond({225, 110});
  EXPECT_EQ(molecule.bonds[0].Order(), "triple");
  EXPECT_EQ(desktop.Texts(), (Strings{kBondCompleted, kNoMultiple, kBondCompleted}));
  EXPECT_EQ(desktop.messages[1].caption, "Warning");
  EXPECT_EQ(desktop.messages[1].icon, TIcon::Exclamation);
  EXPECT_EQ(molecule.undoHistory.Count(), 3);
}

TEST_F(RightButton, TwoLoneCarbonsStopAtTripleWithoutAMessage) {
  TAtom& c0 = Put(Carbon, 200, 100, 3, 3);
  TAtom& c1 = Put(Carbon, 230, 100, 3, 3);
  BondRight(c0, c1);
  struct Step {
    const char* order;
    int counters;  // free electrons and open bonds of each carbon
  };
  const Step steps[] = {{"double", 2}, {"triple", 1}, {"triple", 1}, {"triple", 1}};
  int snapshots = 0;
  for (const Step& step : steps) {
    window.ClickBond({225, 110});
    EXPECT_EQ(molecule.undoHistory.Count(), ++snapshots);
    EXPECT_EQ(molecule.bonds[0].Order(), step.order);
    for (const TAtom* c : {&c0, &c1}) {
      EXPECT_EQ(c->freeElectrons, step.counters);
      EXPECT_EQ(c->openBonds, step.counters);
    }
  }
  EXPECT_FALSE(molecule.completed);
  EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(RightButton, ClickMustFallWithinFourPixelsOfTheMidpoint) {
  struct Case {
    int dx, dy;
    bool hits;
  };
  const Case cases[] = {{0, 0, true},   {4, 4, true},  {-4, -4, true}, {5, 0, false},
                        {-5, 0, false}, {0, 5, false}, {0, -5, false}, {4, 5, false}};
  for (const Case& c : cases) {
    molecule.atoms.Flush();
    molecule.bonds.Flush();
    molecule.undoHistory.Flush();
    host.invalidations = 0;
    TAtom& c0 = Put(Carbon, 200, 100, 3, 3);
    BondRight(c0, Put(Carbon, 230, 100, 3, 3));
    window.ClickBond({225 + c.dx, 110 + c.dy});
    EXPECT_EQ(molecule.bonds[0].Order(), c.hits ? "double" : "single") << c.dx << "," << c.dy;
    EXPECT_EQ(molecule.undoHistory.Count(), c.hits ? 1 : 0) << c.dx << "," << c.dy;
    EXPECT_EQ(host.invalidations, c.hits ? 1 : 0) << c.dx << "," << c.dy;
  }
  EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(RightButton, PairsComeFromTheAtomThatHasNoOpenBonds) {
  // An N with two H and the bond to a C has a spare pair and needs nothing;
  // the C needs three more bonds. Whichever end the N is, it gives the pair.
  for (bool nitrogenFirst : {true, false}) {
    molecule.atoms.Flush();
    molecule.bonds.Flush();
    TAtom& first = Put(nitrogenFirst ? Nitrogen : Carbon, 200, 100, 0, 0);
    TAtom& second = Put(nitrogenFirst ? Carbon : Nitrogen, 230, 100, 0, 0);
    TAtom& n = nitrogenFirst ? first : second;
    TAtom& c = nitrogenFirst ? second : first;
    n.freeElectrons = 2;
    c.freeElectrons = 3;
    c.openBonds = 3;
    BondRight(first, second);
    window.ClickBond({225, 110});
    EXPECT_EQ(molecule.bonds[0].Order(), "double") << nitrogenFirst;
    EXPECT_EQ(n.freeElectrons, 0) << nitrogenFirst;
    EXPECT_EQ(n.openBonds, 0) << nitrogenFirst;
    EXPECT_EQ(c.freeElectrons, 3) << nitrogenFirst;
    EXPECT_EQ(c.openBonds, 1) << nitrogenFirst;
  }
}

TEST_F(RightButton, CompleteIonClickedAgainGetsASecondIdenticalBracket) {
  // Hydroxide: the O already carries the extra electron.
  TAtom& o = Put(Oxygen, 200, 100, 6, 0);
  o.charge = -1;
  BondRight(o, Put(Hydrogen, 230, 100, 0, 0));

  window.ClickBond({225, 110});
  window.ClickBond({225, 110});

  EXPECT_EQ(desktop.Texts(), (Strings{kNoMultiple, kBondCompleted, kNoMultiple, kBondCompleted}));
  ASSERT_EQ(molecule.brackets.Count(), 2);
  EXPECT_EQ(molecule.brackets[0], TBrackett(195, 255, 95, 125, -1));
  EXPECT_EQ(molecule.brackets[1], molecule.brackets[0]);
  // No snapshot follows a bracket added by the right button.
  EXPECT_EQ(molecule.undoHistory.Count(), 2);
}

TEST_F(RightButton, ChlorineGainingAnElectronCompletesAsAnIon) {
  TAtom& cl = Put(Chlorine, 200, 100, 7, 1);
  Electron(true, {210, 110});

  EXPECT_EQ(cl.freeElectrons, 8);
  EXPECT_EQ(cl.openBonds, 0);
  EXPECT_EQ(cl.charge, -1);
  EXPECT_TRUE(molecule.completed);
  ASSERT_EQ(molecule.brackets.Count(), 1);
  EXPECT_EQ(molecule.brackets[0], TBrackett(195, 225, 95, 125, -1));
  EXPECT_EQ(desktop.Texts(), Strings{kElectronCompleted});
  EXPECT_EQ(Slots(cl), std::vector<int>(8, 0));
  EXPECT_FALSE(window.electronModePending);
  EXPECT_EQ(host.grayed, std::vector<int>{cmd::AbbreviateHs});
  EXPECT_EQ(molecule.undoHistory.Count(), 1);
}

TEST_F(RightButton, OxygenLosingAnElectronNeedsThreeBonds) {
  TAtom& o = Put(Oxygen, 200, 100, 6, 2);
  Electron(false, {201, 119});
  EXPECT_EQ(o.freeElectrons, 5);
  EXPECT_EQ(o.openBonds, 3);
  EXPECT_EQ(o.charge, 1);
  EXPECT_FALSE(molecule.completed);
  EXPECT_TRUE(desktop.messages.empty());
  EXPECT_EQ(molecule.undoHistory.Count(), 1);
  EXPECT_FALSE(window.electronModePending);
  EXPECT_EQ(host.erasingInvalidations, 1);
}

TEST_F(RightButton, TakingAnElectronFromACompleteIonRemovesOnlyItsBracket) {
  TAtom& o = Put(Oxygen, 200, 100, 5, 1);
  TAtom& h = Put(Hydrogen, 230, 100, 0, 0);
  BondRight(o, h);
  Electron(true, {210, 110});
  ASSERT_TRUE(molecule.completed);
  ASSERT_EQ(molecule.brackets.Count(), 1);
  const auto arrangedO = Slots(o);
  EXPECT_EQ(Slots(h), std::vector<int>(8, 1));  // H keeps no lone pair

  Electron(false, {210, 110});
  EXPECT_FALSE(molecule.completed);
  EXPECT_TRUE(molecule.brackets.IsEmpty());
  EXPECT_EQ(o.charge, 0);
  EXPECT_EQ(Slots(o), arrangedO);
  EXPECT_EQ(Slots(h), std::vector<int>(8, 1));
  EXPECT_EQ(host.grayed, std::vector<int>{cmd::AbbreviateHs});

  Electron(true, {210, 110});
  EXPECT_TRUE(molecule.completed);
  ASSERT_EQ(molecule.brackets.Count(), 1);
  EXPECT_EQ(molecule.brackets[0].charge, -1);
  EXPECT_EQ(desktop.Texts(), (Strings{kElectronCompleted, kElectronCompleted}));
}

TEST_F(RightButton, ElectronRefusalsEndTheMode) {
  struct Case {
    const char* name;
    ElementKind kind;
    int freeElectrons, openBonds;
    bool ringPlaced;
    bool add;
    TPoint point;
    std::string message;
    int snapshots;
  };
  const Case cases[] = {
      {"cell edge", Carbon, 4, 4, false, true, {200, 100}, "You need to click on an atom!!", 0},
      {"hydrogen",
       Hydrogen,
       1,
       1,
       false,
       false,
       {210, 110},
       "You cannot change the number of electrons on hydrogen!!",
       0},
      {"ring atom",
       Carbon,
       1,
       1,
       true,
       true,
       {210, 110},
       "You cannot change the number of electrons on this atom!!",
       0},
      {"nothing to add",
       Oxygen,
       4,
       0,
       false,
       true,
       {210, 110},
       "You cannot add electrons to this atom!!!",
       1},
      {"nothing to take",
       Carbon,
       0,
       0,
       false,
       false,
       {210, 110},
       "You cannot take electrons away from this atom!!!",
       1},
  };
  for (const Case& c : cases) {
    molecule.atoms.Flush();
    molecule.undoHistory.Flush();
    desktop.messages.clear();
    host.erasingInvalidations = 0;
    // Five atoms stand before it, so it is index 5, the last protected one.
    for (int i = 0; i < 5; ++i) Put(Carbon, 20 + 30 * i, 300, 1, 1);
    TAtom& atom = Put(c.kind, 200, 100, c.freeElectrons, c.openBonds);
    molecule.ringTemplatePlaced = c.ringPlaced;
    Electron(c.add, c.point);
    EXPECT_EQ(desktop.Texts(), Strings{c.message}) << c.name;
    EXPECT_EQ(desktop.messages[0].caption, "Warning") << c.name;
    EXPECT_EQ(molecule.undoHistory.Count(), c.snapshots) << c.name;
    EXPECT_EQ(atom.freeElectrons, c.freeElectrons) << c.name;
    EXPECT_EQ(atom.openBonds, c.openBonds) << c.name;
    EXPECT_EQ(atom.charge, 0) << c.name;
    EXPECT_FALSE(window.electronModePending) << c.name;
    EXPECT_EQ(host.erasingInvalidations, 1) << c.name;
  }
}

TEST_F(RightButton, ElectronModeOnABondEndsWithoutTouchingTheBond) {
  TAtom& c0 = Put(Carbon, 200, 100, 3, 3);
  BondRight(c0, Put(Carbon, 230, 100, 3, 3));
  window.electronModeAdd = true;
  window.electronModePending = true;

  window.RightButtonDown({225, 110}, {});
  EXPECT_EQ(desktop.Texts(), Strings{"You need to click on an atom!!"});
  EXPECT_EQ(molecule.bonds[0].Order(), "single");
  EXPECT_FALSE(window.electronModePending);

  window.RightButtonDown({225, 110}, {});
  EXPECT_EQ(molecule.bonds[0].Order(), "double");
}

TEST_F(RightButton, BondsThatDoNotJoinTwoAtomsAreNotClickable) {
  TAtom& c = Put(Carbon, 200, 100, 3, 3);
  Put(Carbon, 230, 100, 3, 3);
  // A line ending nowhere, one whose ends both touch the same atom, and one at
  // the edge of the integer range: a file can carry all three.
  molecule.bonds.Add(TBonds(220, 330, 110, 110));
  molecule.bonds.Add(TBonds(205, 215, 110, 110));
  molecule.bonds.Add(TBonds(INT_MAX, INT_MAX, INT_MAX, INT_MAX));
  for (TPoint p : {TPoint{275, 110}, TPoint{210, 110}, TPoint{INT_MAX - 2, INT_MAX - 2}}) window.ClickBond(p);
  EXPECT_TRUE(molecule.undoHistory.IsEmpty());
  EXPECT_TRUE(desktop.messages.empty());
  EXPECT_EQ(c.freeElectrons, 3);
  for (const auto& bond : molecule.bonds) EXPECT_EQ(bond.Order(), "single");
}

TEST_F(RightButton, UnknownOrderIsNotRaisedAndCostsNoElectrons) {
  TAtom& c0 = Put(Carbon, 200, 100, 3, 3);
  BondRight(c0, Put(Carbon, 230, 100, 3, 3));
  molecule.bonds[0].SetOrder("quadruple");
  window.ClickBond({225, 110});
  EXPECT_EQ(molecule.bonds[0].Order(), "quadruple");
  EXPECT_EQ(c0.freeElectrons, 3);
  EXPECT_EQ(c0.openBonds, 3);
}

}  // namespace
}  // namespace kovala
