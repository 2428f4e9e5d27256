// Formulas as a school book writes them: the order without carbon, Hill order
// with it, the names table's own formulas, and the reader of that column.
#include "chem/taughtformula.h"

#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <regex>
#include <string>
#include <vector>

#include "chem/chemmolecule.h"
#include "chem/identity.h"
#include "tests/chem/chemtesting.h"

namespace kovala {
namespace {

constexpr ElementKind C = Carbon, H = Hydrogen, O = Oxygen, N = Nitrogen, S = Sulfur, Cl = Chlorine,
                      P = Phosphorus, Br = Bromine, F = Fluorine;

struct TOrderCase {
  std::vector<ElementKind> kinds;
  int charge;
  std::string taught;
};

void PrintTo(const TOrderCase& c, std::ostream* os) { *os << c.taught; }

class TaughtFormulaOrder : public testing::TestWithParam<TOrderCase> {};

// Counted from atoms in a scrambled order, with no names-table entry.
TEST_P(TaughtFormulaOrder, OfTheCountsAlone) {
  TChemGraph graph;
  for (const ElementKind kind : GetParam().kinds) graph.atoms.push_back({kind, 0, 0, 0, 0});
  if (!graph.atoms.empty()) graph.atoms[0].charge = GetParam().charge;
  EXPECT_EQ(TaughtFormula(graph, nullptr), GetParam().taught);
}

INSTANTIATE_TEST_SUITE_P(
    Chem, TaughtFormulaOrder,
    testing::Values(TOrderCase{{F, H}, 0, "HF"}, TOrderCase{{O, H, H}, 0, "H₂O"},
                    TOrderCase{{H, H, N, H}, 0, "NH₃"}, TOrderCase{{H, N, H, H, H}, 1, "NH₄⁺"},
                    TOrderCase{{O, H, H, H}, 1, "H₃O⁺"}, TOrderCase{{H, S, H}, 0, "H₂S"},
                    TOrderCase{{Cl, P, Cl, Cl}, 0, "PCl₃"}, TOrderCase{{O, O, S, O, O}, -2, "SO₄²⁻"},
                    TOrderCase{{F, O, F}, 0, "OF₂"}, TOrderCase{{O, Cl, Cl}, 0, "Cl₂O"},
                    TOrderCase{{Br, H}, 0, "HBr"}, TOrderCase{{Cl, S, Cl}, 0, "SCl₂"},
                    TOrderCase{{O, O, H, S, O, O, H}, 0, "H₂SO₄"}, TOrderCase{{O, O, O, P, O}, -3, "PO₄³⁻"},
                    // Carbon keeps Hill order: carbon, hydrogen, then by symbol.
                    TOrderCase{{O, C, H, H, H, C, H, H, H}, 0, "C₂H₆O"},
                    TOrderCase{{H, H, C, H, H}, 0, "CH₄"}, TOrderCase{{F, Cl, C, H, Br}, 0, "CHBrClF"},
                    TOrderCase{{O, C, O}, 0, "CO₂"}, TOrderCase{{N, C}, -1, "CN⁻"},
                    // Unknown kinds are not counted.
                    TOrderCase{{42, H, H, O}, 0, "H₂O"}, TOrderCase{{}, 0, ""}));

// Plain literals: GCC 12's Release build suspects strings copied through
// the parameter table of being used uninitialised.
struct TBuiltFormula {
  struct {
    const char* recipe;
    int electronsAdded = 0;  // negative: taken away
  } built;
  const char* taught;
};

void PrintTo(const TBuiltFormula& c, std::ostream* os) { *os << c.built.recipe << " " << c.taught; }

class TaughtFormulaBuilt : public testing::TestWithParam<TBuiltFormula> {};

// Built with the mouse as a student builds it; what the completion line and
// the print show.
TEST_P(TaughtFormulaBuilt, IsTheIdentitysFormula) {
  test::TWindowFixture<> s;
  Build(s, test::TBuilt{GetParam().built.recipe, GetParam().built.electronsAdded});
  ASSERT_TRUE(s.window.molecule.completed) << s.desktop.LastText();
  EXPECT_EQ(Identify(GraphOf(s.m)).formula, GetParam().taught);
}

INSTANTIATE_TEST_SUITE_P(
    Chem, TaughtFormulaBuilt,
    testing::Values(TBuiltFormula{{"N(H)(H)(H)H", -1}, "NH₄⁺"}, TBuiltFormula{{"S(O)(O)(O)O", 2}, "SO₄²⁻"},
                    TBuiltFormula{{"FH"}, "HF"},
                    // The names table gives these, where the order alone would write HO⁻ and CHN.
                    TBuiltFormula{{"O(H)", 1}, "OH⁻"}, TBuiltFormula{{"C(H)#N"}, "HCN"},
                    TBuiltFormula{{"C(H)(H)(H)C(H)(H)O(H)"}, "C₂H₆O"}));

// The counts of a skeleton key: each bracketed atom with its hydrogens, and
// the net charge after the space.
THillFormula CountsOfKey(const std::string& key) {
  THillFormula formula;
  std::map<std::string, int> counts;
  const std::regex atom(R"(\[([A-Z][a-z]?)(H(\d*))?\])");
  for (auto it = std::sregex_iterator(key.begin(), key.end(), atom); it != std::sregex_iterator(); ++it) {
    ++counts[(*it)[1]];
    if ((*it)[2].matched) counts["H"] += (*it)[3].length() == 0 ? 1 : std::stoi((*it)[3]);
  }
  for (const auto& [symbol, count] : counts) formula.counts.emplace_back(symbol, count);
  const auto space = key.find(' ');
  if (space != std::string::npos) formula.charge = std::stoi(key.substr(space + 1));
  return formula;
}

std::map<std::string, int> Summed(const THillFormula& formula) {
  std::map<std::string, int> counts;
  for (const auto& [symbol, count] : formula.counts) counts[symbol] += count;
  return counts;
}

// A mistyped formula in the table would teach a wrong one.
TEST(TaughtFormulaTable, EveryGivenFormulaCountsTheEntrysAtoms) {
  int given = 0;
  for (const TNameEntry& entry : TNamesTable::Builtin().Entries()) {
    if (entry.formula.empty()) continue;
    ++given;
    const std::optional<THillFormula> parsed = ParseFormula(entry.formula);
    ASSERT_TRUE(parsed) << entry.name << ": " << entry.formula;
    const THillFormula fromKey = CountsOfKey(entry.key);
    EXPECT_EQ(Summed(*parsed), Summed(fromKey)) << entry.name;
    EXPECT_EQ(parsed->charge, fromKey.charge) << entry.name;
  }
  EXPECT_GE(given, 2);
  const TNameEntry* hydroxide = TNamesTable::Builtin().Find(SkeletonKeyOfSmiles("[OH-]"));
  ASSERT_NE(hydroxide, nullptr);
  EXPECT_EQ(TaughtFormula(TChemGraph{}, hydroxide), "OH⁻") << "the table's formula, whatever the graph";
}

TEST(TaughtFormulaParse, ReadsTheFilesWritingAndRefusesAnythingElse) {
  const std::optional<THillFormula> bicarbonate = ParseFormula("HCO3-");
  ASSERT_TRUE(bicarbonate);
  EXPECT_EQ(bicarbonate->Display(), "HCO₃⁻");
  EXPECT_EQ(ParseFormula("SO4-2")->Display(), "SO₄²⁻");
  EXPECT_EQ(ParseFormula("NH2OH")->Display(), "NH₂OH") << "repeated symbols keep their places";
  EXPECT_EQ(ParseFormula("Fe2+3")->charge, 3);
  for (const char* bad : {"", "h2o", "H0", "OH+0", "OH-2x", "H99999", "+", "2H", "H2 O"})
    EXPECT_FALSE(ParseFormula(bad)) << bad;
}

}  // namespace
}  // namespace kovala
