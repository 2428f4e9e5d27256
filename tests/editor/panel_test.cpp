// The molecule panel's text: what it says for each state of a molecule, and
// that every operation that changes the molecule renews it.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "editor/bondwindow.h"
#include "editor/moleculepanel.h"
#include "tests/support/windowfixture.h"

namespace kovala {
namespace {

constexpr int kTrayX = 590;  // the fake host's client is 640 wide

struct TAtomState {
  ElementKind kind;
  bool inTray;
  int openBonds;
};

struct TPanelCase {
  const char* name;
  std::vector<TAtomState> atoms;
  bool completed;
  TPanelFacts facts;
  std::string text;
};

void PrintTo(const TPanelCase& c, std::ostream* os) { *os << c.name; }

class PanelText_ : public testing::TestWithParam<TPanelCase> {};

TEST_P(PanelText_, SaysWhatTheMoleculeNeeds) {
  const TPanelCase& c = GetParam();
  TMolecule m;
  int y = 10;
  for (const TAtomState& state : c.atoms) {
    TAtom& atom = m.atoms.Add(TAtom(state.kind, state.inTray ? kTrayX : 100, y += 30));
    atom.openBonds = state.openBonds;
  }
  m.completed = c.completed;
  TPanelFacts facts = c.facts;
  facts.trayX = kTrayX;
  EXPECT_EQ(PanelText(m, facts), c.text);
}

constexpr ElementKind C = Carbon, H = Hydrogen, O = Oxygen, N = Nitrogen;

INSTANTIATE_TEST_SUITE_P(
    Panel, PanelText_,
    testing::Values(
        TPanelCase{"empty", {}, false, {}, "No atoms yet."},
        TPanelCase{"spare hydrogen in the tray",
                   {{C, false, 0}, {H, false, 0}, {H, true, 1}},
                   false,
                   {},
                   "Still open: the H in the tray needs 1 bond."},
        TPanelCase{"placed before the tray",
                   {{H, true, 1}, {C, false, 3}, {H, false, 0}},
                   false,
                   {},
                   "Still open: the C needs 3 bonds and the H in the tray needs 1 bond."},
        TPanelCase{"several alike",
                   {{C, false, 0}, {H, true, 1}, {H, true, 1}, {H, true, 1}},
                   false,
                   {},
                   "Still open: 3 H in the tray need 1 bond each."},
        TPanelCase{"one of several",
                   {{C, false, 2}, {C, false, 1}, {O, false, 1}},
                   false,
                   {},
                   "Still open: one C needs 2 bonds, one C needs 1 bond and the O needs 1 bond."},
        TPanelCase{"a tray atom of a placed kind",
                   {{O, false, 1}, {O, true, 2}},
                   false,
                   {},
                   "Still open: the O needs 1 bond and the O in the tray needs 2 bonds."},
        TPanelCase{"read with too many bonds",
                   {{N, false, -1}},
                   false,
                   {},
                   "Still open: the N has 1 bond too many."},
        TPanelCase{"damaged counter",
                   {{C, false, -2147483647 - 1}},
                   false,
                   {},
                   "Still open: the C has 2147483648 bonds too many."},
        TPanelCase{"unknown kind", {{42, false, 8}}, false, {}, "Still open: the ? needs 8 bonds."},
        TPanelCase{"nothing open but not announced",
                   {{O, false, 0}},
                   false,
                   {},
                   "Every atom has the bonds it needs."},
        TPanelCase{"refused",
                   {{C, false, 4}, {H, true, 1}},
                   false,
                   {"Released 12 pixels away from the nearest free side; drop closer to a side.", "", 0},
                   "Released 12 pixels away from the nearest free side; drop closer to a side.\n"
                   "Still open: the C needs 4 bonds and the H in the tray needs 1 bond."},
        TPanelCase{
            "complete", {{C, false, 0}}, true, {"", "Completed: methane, CH₄", 0}, "Completed: methane, CH₄"},
        // The completion line is read only while the molecule is complete.
        TPanelCase{"no longer complete",
                   {{C, false, 1}},
                   false,
                   {"", "Completed: methane, CH₄", 0},
                   "Still open: the C needs 1 bond."},
        TPanelCase{"complete after a refusal",
                   {{N, false, 0}},
                   true,
                   {"A triple bond is the highest order.", "Completed: nitrogen, N₂", 0},
                   "A triple bond is the highest order.\nCompleted: nitrogen, N₂"}));

// A window with a recording host and desktop.
using TSession = test::TWindowFixture<>;

struct TRenewalCase {
  const char* name;
  std::function<void(TSession&)> before;  // leaves something on the panel
  std::function<void(TSession&)> action;  // must renew it
  std::string text;
};

void PrintTo(const TRenewalCase& c, std::ostream* os) { *os << c.name; }

class PanelRenewal : public testing::TestWithParam<TRenewalCase> {};

TEST_P(PanelRenewal, LeavesNothingOfTheMoleculeBefore) {
  TSession s;
  GetParam().before(s);
  const std::string before = s.window.PanelText().value_or("");
  const int told = s.host.panelChanges;
  GetParam().action(s);
  EXPECT_EQ(s.window.PanelText(), GetParam().text) << "before: " << before;
  EXPECT_GT(s.host.panelChanges, told) << "the host was not told";
}

void MissedDrop(TSession& s) {
  s.DropNew(Carbon, {300, 200});
  s.DropNew(Hydrogen, {336, 195});  // 12 pixels right of the right side cell
  ASSERT_FALSE(s.window.Explanation().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Panel, PanelRenewal,
    testing::Values(
        TRenewalCase{"palette press", [](TSession&) {}, [](TSession& s) { s.window.NewAtom(Hydrogen); },
                     "Still open: the H in the tray needs 1 bond."},
        TRenewalCase{"drop that bonds after a refusal", MissedDrop,
                     [](TSession& s) {
                       s.window.LeftButtonDown({600, 20}, {});
                       s.window.LeftButtonUp({315, 195}, {});
                     },
                     "Still open: the C needs 3 bonds."},
        TRenewalCase{"drop refused", [](TSession&) {}, MissedDrop,
                     "Released 12 pixels away from the nearest free side; drop closer to a side.\n"
                     "Still open: the C needs 4 bonds and the H in the tray needs 1 bond."},
        TRenewalCase{"completing drop",
                     [](TSession& s) { ASSERT_EQ(s.Run("C at 300 200"), ""); },
                     [](TSession& s) { ASSERT_EQ(s.Run("H right of 1; H top of 1; H left of 1; H bottom of 1"), ""); }, "Completed: methane, CH₄"},
        TRenewalCase{"New", MissedDrop,
                     [](TSession& s) {
                       s.desktop.answers = {TAnswer::No};
                       s.window.New();
                     },
                     "No atoms yet."},
        TRenewalCase{"Undo-Back of a completion", [](TSession& s) { ASSERT_EQ(s.Run("C at 300 200; H right of 1; H top of 1; H left of 1; H bottom of 1"), ""); },
                     [](TSession& s) { s.window.UndoBack(); },
                     "Still open: the C needs 1 bond and the H in the tray needs 1 bond."},
        TRenewalCase{"Undo-Back after a refusal", MissedDrop, [](TSession& s) { s.window.UndoBack(); },
                     "Still open: the C needs 4 bonds."},
        TRenewalCase{"right click away from every bond", MissedDrop,
                     [](TSession& s) {
                       s.window.RightButtonDown({100, 100}, {});
                     },
                     "Still open: the C needs 4 bonds and the H in the tray needs 1 bond."},
        TRenewalCase{"electron taken from a complete molecule",
                     [](TSession& s) {
                       s.DropNew(Oxygen, {300, 200});
                       s.DropNew(Hydrogen, {315, 195});
                       s.DropNew(Hydrogen, {295, 175});
                     },
                     [](TSession& s) {
                       s.window.ArmElectronChange(false);
                       s.window.RightButtonDown({295, 195}, {});
                     },
                     "Still open: the O needs 1 bond."},
        TRenewalCase{"Abbreviate H's", MissedDrop, [](TSession& s) { s.window.AbbreviateHs(); },
                     "Released 12 pixels away from the nearest free side; drop closer to a side.\n"
                     "Still open: the C needs 4 bonds and the H in the tray needs 1 bond."}));

TEST(PanelText, BenchmarkMoleculeOfTwentySixAtomsIsDescribedWhole) {
  TSession s;
  for (int i = 0; i < 26; ++i) s.window.AddToTray(i % 2 == 0 ? Carbon : Hydrogen);
  EXPECT_EQ(s.window.PanelText(),
            "Still open: 13 C in the tray need 4 bonds each and 13 H in the tray need 1 bond each.");
}

}  // namespace
}  // namespace kovala
