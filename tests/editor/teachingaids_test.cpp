// The teaching aids of the molecule window: the formula of a completed
// molecule, the explanation of every refusal and each atom's bookkeeping.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/bondwindow.h"
#include "editor/formula.h"
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
  EXPECT_EQ(HillFormula(m), GetParam().formula);
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
  EXPECT_EQ(s.host.explanation, "Completed: methane, CH₄");  // the name from the names table
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
  EXPECT_EQ(host.explanation, "Completed: methane, CH₄");
}

}  // namespace
}  // namespace kovala
