// The teaching aids of the molecule window: the formula of a completed
// molecule, the explanation of every refusal and each atom's bookkeeping.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "editor/bondwindow.h"
#include "editor/bookkeeping.h"
#include "chem/hillformula.h"
#include "tests/support/fakehost.h"
#include "tests/support/scripteddesktop.h"

namespace kovala {
namespace {

using test::TFakeHost;
using test::TScriptedDesktop;

struct TFormulaCase {
  std::vector<ElementKind> kinds;
  std::vector<int> charges;  // added to the first atoms, in order
  std::string formula;
};

class FormulaOfAtoms : public testing::TestWithParam<TFormulaCase> {};

TEST_P(FormulaOfAtoms, HillOrderWithSubscriptsAndCharge) {
  TMolecule m;
  for (const ElementKind kind : GetParam().kinds) m.atoms.Add(TAtom(kind, 10, 10));
  for (std::size_t i = 0; i < GetParam().charges.size(); ++i)
    m.atoms[static_cast<int>(i)].charge = GetParam().charges[i];
  EXPECT_EQ(THillFormula(GraphOf(m)).Display(), GetParam().formula);
}

constexpr ElementKind C = Carbon, H = Hydrogen, O = Oxygen, N = Nitrogen, S = Sulfur, Cl = Chlorine,
                      P = Phosphorus, Br = Bromine, F = Fluorine;

INSTANTIATE_TEST_SUITE_P(
    Molecules, FormulaOfAtoms,
    testing::Values(TFormulaCase{{C, H, H, H, H}, {}, "CH₄"},
                    // Hydrogen comes second only after carbon.
                    TFormulaCase{{H, O, H}, {}, "H₂O"}, TFormulaCase{{N, H, H, H}, {}, "H₃N"},
                    TFormulaCase{{H, Br}, {}, "BrH"}, TFormulaCase{{Cl, Cl, C, Cl, Cl}, {}, "CCl₄"},
                    TFormulaCase{{O, C, H, H, H, H, C, H, H}, {}, "C₂H₆O"},
                    // A cyclohexane ring with twelve hydrogens: two-digit counts.
                    TFormulaCase{{C, C, C, C, C, C, H, H, H, H, H, H, H, H, H, H, H, H}, {}, "C₆H₁₂"},
                    TFormulaCase{{C, H, F, Cl, Br}, {}, "CHBrClF"},
                    // Ions: a lone sign for one charge, the digits before the sign otherwise.
                    TFormulaCase{{O, H, H, H}, {1}, "H₃O⁺"}, TFormulaCase{{O, H}, {-1}, "HO⁻"},
                    TFormulaCase{{S, O, O, O, O}, {0, -1, -1}, "O₄S²⁻"},
                    TFormulaCase{{P, O, O, O, O}, {0, -1, -1, -1}, "O₄P³⁻"},
                    // Charges that cancel leave a neutral formula; unknown kinds are not counted.
                    TFormulaCase{{N, O, O, O, H}, {1, -1}, "HNO₃"}, TFormulaCase{{C, 42}, {}, "C"},
                    TFormulaCase{{}, {}, ""}));

// A window with a recording host and desktop.
struct TSession {
  TFakeHost host;
  TScriptedDesktop desktop;
  TBondWindow window{host, desktop};
  TMolecule& m = window.molecule;

  void Drag(TPoint from, TPoint to) {
    window.LeftButtonDown(from, {});
    window.LeftButtonUp(to, {});
  }
  // The newest tray atom (slot 0 once the others are placed) dropped at a point.
  void DropNew(ElementKind kind, TPoint to) {
    window.NewAtom(kind);
    Drag({600, 20}, to);
  }
  // Methane: a carbon at (285, 185) and a hydrogen on each side.
  void BuildMethane() {
    DropNew(Carbon, {300, 200});
    for (const TPoint side : {TPoint{315, 195}, TPoint{295, 175}, TPoint{275, 195}, TPoint{295, 215}})
      DropNew(Hydrogen, side);
  }
};

TEST(FormulaOnCompletion, ShownInTheExplanationField) {
  TSession s;
  s.BuildMethane();
  ASSERT_TRUE(s.m.completed);
  EXPECT_EQ(s.window.PanelText(), "Completed: methane, CH₄");  // the name from the names table
}

class TNamedWindow : public TBondWindow {
 public:
  using TBondWindow::TBondWindow;
  std::string ShownMoleculeName() const override { return "methane"; }
};

TEST(FormulaOnCompletion, NamedMoleculeComesFirst) {
  TFakeHost host;
  TScriptedDesktop desktop;
  TNamedWindow window(host, desktop);
  window.NewAtom(Carbon);
  window.LeftButtonDown({600, 20}, {});
  window.LeftButtonUp({300, 200}, {});
  for (const TPoint side : {TPoint{315, 195}, TPoint{295, 175}, TPoint{275, 195}, TPoint{295, 215}}) {
    window.NewAtom(Hydrogen);
    window.LeftButtonDown({600, 20}, {});
    window.LeftButtonUp(side, {});
  }
  ASSERT_TRUE(window.molecule.completed);
  EXPECT_EQ(window.PanelText(), "Completed: methane, CH₄");
}

// Cells of the first atom, dropped at the centre: (285, 185).
constexpr TPoint kCentre{300, 200};
constexpr TPoint kRightOfFirst{315, 195};
constexpr TPoint kAboveFirst{295, 175};
constexpr TPoint kBelowFirst{295, 215};

struct TExplainCase {
  const char* name;
  void (*steps)(TSession&);
  std::string message;
  std::string explanation;
};

void PrintTo(const TExplainCase& c, std::ostream* os) { *os << c.name; }

class ExplainRefusal : public testing::TestWithParam<TExplainCase> {};

TEST_P(ExplainRefusal, MessageBoxAsBeforeAndTheReasonInNumbers) {
  TSession s;
  GetParam().steps(s);
  ASSERT_FALSE(s.desktop.messages.empty());
  EXPECT_EQ(s.desktop.LastText(), GetParam().message);
  EXPECT_EQ(s.window.Explanation(), GetParam().explanation);
  // The panel leads with it, above what the molecule still needs.
  EXPECT_EQ(s.window.PanelText().value_or("").rfind(GetParam().explanation + "\n", 0), 0u);
  // The next drop that bonds clears it.
  s.window.electronModePending = false;
  s.desktop.answers = {TAnswer::No};
  ASSERT_TRUE(s.window.New());
  s.DropNew(Carbon, kCentre);
  s.DropNew(Hydrogen, kRightOfFirst);
  EXPECT_EQ(s.window.Explanation(), "");
  EXPECT_EQ(s.window.PanelText(), "Still open: the C needs 3 bonds.");
}

void Water(TSession& s) {
  s.DropNew(Oxygen, kCentre);
  s.DropNew(Hydrogen, kRightOfFirst);
  s.DropNew(Hydrogen, kAboveFirst);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ExplainRefusal,
    testing::Values(
        TExplainCase{"no open bond",
                     [](TSession& s) {
                       s.DropNew(Carbon, kCentre);
                       s.DropNew(Hydrogen, kRightOfFirst);
                       s.DropNew(Hydrogen, {345, 195});  // beside the placed H
                     },
                     "You cannot bond these atoms together!!!",
                     "Both atoms need a free bond: the dropped H has 1, the placed H has 0 left."},
        TExplainCase{"missed side",
                     [](TSession& s) {
                       s.DropNew(Carbon, kCentre);
                       s.DropNew(Hydrogen, {336, 195});  // right cell ends at x 324
                     },
                     "You must release the atom on the side of another atom to kovala!!",
                     "Released 12 pixels away from the nearest free side; drop closer to a side."},
        TExplainCase{"place taken",
                     [](TSession& s) {
                       s.DropNew(Carbon, kCentre);
                       s.DropNew(Carbon, kRightOfFirst);  // (315, 185)
                       s.DropNew(Carbon, {325, 215});     // below it
                       s.DropNew(Carbon, {305, 225});     // left of that: below the first
                       s.DropNew(Hydrogen, kBelowFirst);
                     },
                     NoSpaceText, "The place below C is taken by C."},
        TExplainCase{"tray",
                     [](TSession& s) {
                       s.window.NewAtom(Hydrogen);
                       s.window.NewAtom(Hydrogen);
                       s.Drag({600, 20}, {600, 30});  // the top side of the second tray atom
                     },
                     "You cannot bond atoms in this area.  Move them to the center of the screen!!",
                     "H still waits in the tray; bonds are made only in the drawing area."},
        TExplainCase{"bonded atom",
                     [](TSession& s) {
                       s.DropNew(Carbon, kCentre);
                       s.DropNew(Hydrogen, kRightOfFirst);
                       s.window.LeftButtonDown({295, 195}, {});
                     },
                     "You cannot move this bonded atom!!!",
                     "C is bonded to 1 atom; only an atom not yet bonded moves."},
        TExplainCase{"double bond",
                     [](TSession& s) {
                       s.DropNew(Carbon, kCentre);
                       s.DropNew(Hydrogen, kRightOfFirst);
                       s.window.RightButtonDown({310, 195}, {});
                     },
                     "You may not form a multiple bond in this position!!!",
                     "A double bond needs one more free bond on each atom: H has none."},
        TExplainCase{"add electron",
                     [](TSession& s) {
                       Water(s);
                       s.window.ArmElectronChange(true);
                       s.window.RightButtonDown({295, 195}, {});
                     },
                     "You cannot add electrons to this atom!!!",
                     "An added electron fills an open bond: O has none left."},
        TExplainCase{"hydrogen",
                     [](TSession& s) {
                       Water(s);
                       s.window.ArmElectronChange(false);
                       s.window.RightButtonDown({325, 195}, {});
                     },
                     "You cannot change the number of electrons on hydrogen!!",
                     "Hydrogen has room for one electron only, so its electrons stay as they are."},
        TExplainCase{"no atom",
                     [](TSession& s) {
                       Water(s);
                       s.window.ArmElectronChange(false);
                       s.window.RightButtonDown({100, 100}, {});
                     },
                     "You need to click on an atom!!",
                     "No atom under the pointer; click inside an atom's square to change its electrons."}));

struct TBookkeepingCase {
  const char* name;
  void (*steps)(TSession&);
  int atom;
  std::string words;
};

void PrintTo(const TBookkeepingCase& c, std::ostream* os) { *os << c.name; }

class BookkeepingWords : public testing::TestWithParam<TBookkeepingCase> {};

TEST_P(BookkeepingWords, OfAtomsAsBuilt) {
  TSession s;
  GetParam().steps(s);
  EXPECT_EQ(BookkeepingText(s.m, GetParam().atom), GetParam().words);
}

INSTANTIATE_TEST_SUITE_P(
    Atoms, BookkeepingWords,
    testing::Values(
        TBookkeepingCase{"tray oxygen", [](TSession& s) { s.window.NewAtom(Oxygen); }, 0,
                         "Oxygen — 2 open bonds, 6 free electrons, charge 0; not bonded"},
        TBookkeepingCase{"water's oxygen", Water, 0,
                         "Oxygen — 0 open bonds, 4 free electrons, charge 0; bonded: 2 single (H, H)"},
        TBookkeepingCase{"water's hydrogen", Water, 1,
                         "Hydrogen — 0 open bonds, 0 free electrons, charge 0; bonded: 1 single (O)"},
        TBookkeepingCase{"hydroxide",
                         [](TSession& s) {
                           s.DropNew(Oxygen, kCentre);
                           s.DropNew(Hydrogen, kRightOfFirst);
                           s.window.ArmElectronChange(true);
                           s.window.RightButtonDown({295, 195}, {});
                         },
                         0, "Oxygen — 0 open bonds, 6 free electrons, charge -1; bonded: 1 single (H)"},
        TBookkeepingCase{"carbonyl oxygen",
                         [](TSession& s) {
                           s.DropNew(Carbon, kCentre);
                           s.DropNew(Oxygen, kRightOfFirst);
                           s.window.RightButtonDown({310, 195}, {});
                         },
                         1, "Oxygen — 0 open bonds, 4 free electrons, charge 0; bonded: 1 double (C)"},
        TBookkeepingCase{"abbreviated methane",
                         [](TSession& s) {
                           s.BuildMethane();
                           s.window.AbbreviateHs();
                         },
                         0,
                         "Carbon — 0 open bonds, 0 free electrons, charge 0; bonded: 4 single (H, H, H, H)"},
        TBookkeepingCase{"unknown kind", [](TSession& s) { s.m.atoms.Add(TAtom(42, 10, 10)); }, 0,
                         "Unknown element — 8 open bonds, 0 free electrons, charge 0; not bonded"}));

TEST(TooltipOverAtoms, BookkeepingOverAnAtomNothingElsewhereOrWhileDragging) {
  TSession s;
  s.DropNew(Carbon, kCentre);
  s.window.NewAtom(Hydrogen);
  EXPECT_EQ(s.window.ToolTipAt({295, 195}), BookkeepingText(s.m, 0));
  EXPECT_EQ(s.window.ToolTipAt({600, 20}), "Hydrogen — 1 open bond, 1 free electron, charge 0; not bonded");
  EXPECT_EQ(s.window.ToolTipAt({100, 100}), "");
  s.window.LeftButtonDown({600, 20}, {});
  ASSERT_TRUE(s.window.dragging);
  EXPECT_EQ(s.window.ToolTipAt({295, 195}), "") << "no tooltip while an atom is carried";
}

}  // namespace
}  // namespace kovala
