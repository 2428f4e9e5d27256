#include "chem/identity.h"

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <utility>

#include "tests/chem/chemtesting.h"

namespace kovala {
namespace {

using test::TWindowFixture;

// A molecule window that asks for a course row's compound.
class TRowWindow : public TBondWindow {
 public:
  TRowWindow(IWindowHost& windowHost, IDesktop& windowDesktop, std::string rowName)
      : TBondWindow(windowHost, windowDesktop), row(std::move(rowName)) {}
  std::string ShownMoleculeName() const override { return row; }
  std::string row;
};

struct TExplanationCase {
  std::string recipe;
  std::string row;  // empty: the free editor
  std::string explanation;
};

void PrintTo(const TExplanationCase& c, std::ostream* os) { *os << c.recipe << " for '" << c.row << "'"; }

class CompletionExplanations : public testing::TestWithParam<TExplanationCase> {};

// The panel after the last bond, in the editor and in a course row.
TEST_P(CompletionExplanations, NameWhatWasBuilt) {
  const auto& c = GetParam();
  TWindowFixture<TRowWindow> s(
      [&](IWindowHost& host, IDesktop& desktop) { return std::make_unique<TRowWindow>(host, desktop, c.row); });
  ASSERT_EQ(s.Run("formula " + c.recipe), "");
  ASSERT_TRUE(s.m.completed);
  EXPECT_EQ(s.window.PanelText(), c.explanation);
}

INSTANTIATE_TEST_SUITE_P(
    Chem, CompletionExplanations,
    testing::Values(
        TExplanationCase{"C(H)(H)(H)C(H)(H)O(H)", "", "Completed: ethanol, C₂H₆O"},
        TExplanationCase{"C(H)(H)(H)C(H)(H)O(H)", "Ethanol", "Completed: ethanol, C₂H₆O"},
        TExplanationCase{"C(H)(H)(H)C(H)(H)C(H)=O", "Acetone", "You built propanal, an isomer of acetone."},
        TExplanationCase{"C(H)(H)(H)OC(H)(H)H", "Ethanol", "You built dimethyl ether, an isomer of ethanol."},
        // The row accepts both isomers.
        TExplanationCase{"C(H)(H)(H)C(H)(O(H))C(H)(H)H", "Propanol",
                         "Completed: 2-propanol, C₃H₈O (lesson: propanol)"},
        TExplanationCase{"C(H)(H)(H)C(H)(H)OC(H)(H)H", "Methylethyl ether",
                         "Completed: ethyl methyl ether, C₃H₈O (lesson: methylethyl ether)"},
        // Heptane is not in the table.
        TExplanationCase{"C(H)(H)(H)C(H)(H)C(H)(H)C(H)(H)C(H)(H)C(H)(H)C(H)(H)H", "", "Completed: C₇H₁₆"},
        TExplanationCase{"C(H)(H)(H)C(H)(H)C(H)(H)C(H)(H)C(H)(H)C(H)(H)C(H)(H)H", "Heptane",
                         "You built an isomer of heptane."}));

// Completed by the right button: the same line.
TEST(CompletionExplanation, AfterTheLastBondClick) {
  TWindowFixture<> s;
  ASSERT_EQ(s.Run("formula C(H)(H)C(H)H"), "");
  ASSERT_FALSE(s.m.completed);
  s.window.RightButtonDown(test::BondMiddle(s.m.bonds[0]), {});
  ASSERT_TRUE(s.m.completed);
  EXPECT_EQ(s.window.PanelText(), "Completed: ethene, C₂H₄");
}

}  // namespace
}  // namespace kovala
