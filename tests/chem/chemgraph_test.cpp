#include "chem/chemgraph.h"

#include <gtest/gtest.h>

#include <string>

#include "chem/chemmolecule.h"
#include "chem/hillformula.h"
#include "chem/namestable.h"
#include "tests/chem/chemtesting.h"

namespace kovala {
namespace {

using test::TWindowFixture;
using test::TBuilt;

// Plain literals: with std::string members, the table's temporaries inside
// one long Values() call are taken for uninitialised by GCC 12's optimiser.
struct TBuiltCase {
  struct {
    const char* recipe;
    int electronsAdded = 0;  // negative: taken away
  } built;
  const char* name;
  const char* formula;
  const char* smiles;  // empty: not checked
};

void PrintTo(const TBuiltCase& c, std::ostream* os) { *os << c.name; }

class EditorMolecules : public testing::TestWithParam<TBuiltCase> {};

// Built with the mouse, as a student would, the molecule is named and its
// formula and SMILES are the chemists' ones.
TEST_P(EditorMolecules, AreNamedWithTheirFormula) {
  const auto& c = GetParam();
  TWindowFixture<> s;
  Build(s, TBuilt{c.built.recipe, c.built.electronsAdded});
  ASSERT_TRUE(s.window.molecule.completed) << c.built.recipe;
  const TChemGraph graph = GraphOf(s.m);
  EXPECT_EQ(graph.atoms.size(), static_cast<std::size_t>(s.window.AtomCount()));
  EXPECT_EQ(graph.bonds.size(), graph.atoms.size() - 1);  // no rings: a tree
  const TChemMolecule molecule(graph);
  const TNameEntry* entry = TNamesTable::Builtin().Find(molecule.SkeletonKey());
  ASSERT_NE(entry, nullptr) << molecule.SkeletonKey();
  EXPECT_EQ(entry->name, c.name);
  EXPECT_EQ(THillFormula(graph).Display(), c.formula);
  if (*c.smiles != '\0') {
    EXPECT_EQ(molecule.Smiles(), c.smiles);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Chem, EditorMolecules,
    testing::Values(
        TBuiltCase{{"C(H)(H)(H)H"}, "methane", "CH₄", "C"}, TBuiltCase{{"O(H)H"}, "water", "H₂O", "O"},
        TBuiltCase{{"C(H)(H)(H)C(H)(H)O(H)"}, "ethanol", "C₂H₆O", "CCO"},
        TBuiltCase{{"C(H)(H)(H)OC(H)(H)H"}, "dimethyl ether", "C₂H₆O", "COC"},
        TBuiltCase{{"C(H)(H)(H)C(H)(O(H))C(H)(H)H"}, "2-propanol", "C₃H₈O", "CC(C)O"},
        TBuiltCase{{"C(H)(H)(H)C(=O)C(H)(H)H"}, "acetone", "C₃H₆O", "CC(C)=O"},
        TBuiltCase{{"C(H)(H)(H)C(H)(H)C(H)=O"}, "propanal", "C₃H₆O", "CCC=O"},
        TBuiltCase{{"C(H)(H)=C(H)C(H)(H)O(H)"}, "allyl alcohol", "C₃H₆O", "C=CCO"},
        TBuiltCase{{"C(H)(H)(H)C(=O)O(H)"}, "acetic acid", "C₂H₄O₂", "CC(=O)O"},
        TBuiltCase{{"C(H)(=O)OC(H)(H)H"}, "methyl formate", "C₂H₄O₂", "COC=O"},
        TBuiltCase{{"C(H)(H)=C(H)H"}, "ethene", "C₂H₄", "C=C"},
        TBuiltCase{{"C(H)#C(H)"}, "ethyne", "C₂H₂", "C#C"}, TBuiltCase{{"N#N"}, "nitrogen", "N₂", "N#N"},
        TBuiltCase{{"O=C=O"}, "carbon dioxide", "CO₂", "O=C=O"},
        TBuiltCase{{"C#O"}, "carbon monoxide", "CO", ""},
        TBuiltCase{{"C(H)#N"}, "hydrogen cyanide", "CHN", "C#N"},
        TBuiltCase{{"O(H)O(H)"}, "hydrogen peroxide", "H₂O₂", "OO"},
        TBuiltCase{{"S(=O)O"}, "sulfur dioxide", "O₂S", ""},
        TBuiltCase{{"HF"}, "hydrogen fluoride", "FH", "F"}, TBuiltCase{{"HH"}, "hydrogen", "H₂", "[H][H]"},
        TBuiltCase{{"P(Cl)(Cl)Cl"}, "phosphorus trichloride", "Cl₃P", "ClP(Cl)Cl"},
        TBuiltCase{{"O(H)(H)H", -1}, "hydronium ion", "H₃O⁺", "[OH3+]"},
        TBuiltCase{{"O(H)", +1}, "hydroxide ion", "HO⁻", "[OH-]"},
        TBuiltCase{{"N(H)(H)(H)H", -1}, "ammonium ion", "H₄N⁺", "[NH4+]"},
        TBuiltCase{{"S(O)(O)(O)O", +2}, "sulfate ion", "O₄S²⁻", ""}));

// The ring templates lay down bonds across the grid and between cell
// corners; every ring bond still finds its two atoms.
TEST(ChemRings, TemplatesWithTheirHydrogensAreNamed) {
  struct TRing {
    TRingKind ring;
    int atoms;
    const char* name;
    const char* smiles;
  };
  for (const TRing& r : {TRing{TRingKind::Aromatic, 6, "benzene", "c1ccccc1"},
                         TRing{TRingKind::Cyclobutane, 4, "cyclobutane", "C1CCC1"}}) {
    TWindowFixture<> s;
    BuildRing(s, r.ring);
    ASSERT_TRUE(s.window.molecule.completed) << r.name;
    const TChemGraph graph = GraphOf(s.m);
    EXPECT_EQ(graph.bonds.size(), graph.atoms.size());  // one ring
    const TChemMolecule molecule(graph);
    EXPECT_EQ(molecule.Smiles(), r.smiles);
    const TNameEntry* entry = TNamesTable::Builtin().Find(molecule.SkeletonKey());
    ASSERT_NE(entry, nullptr) << molecule.SkeletonKey();
    EXPECT_EQ(entry->name, r.name);
  }
}

// Abbreviate H's takes the hydrogens' bond lines away and stacks them beside
// their partner; they stay bonded to it.
TEST(ChemGraph, AbbreviatedHydrogensStayOnTheirPartner) {
  TWindowFixture<> s;
  Build(s, {"C(H)(H)C(H)(H)O(H)"});
  s.window.molecule.completed = false;  // incomplete ethanol: abbreviate before the last H
  s.window.AbbreviateHs();
  ASSERT_LT(s.window.molecule.bonds.Count(), 8);
  const TChemGraph graph = GraphOf(s.m);
  EXPECT_EQ(graph.atoms.size(), 8u);
  EXPECT_EQ(graph.bonds.size(), 7u);
  EXPECT_EQ(TChemMolecule(graph).SkeletonKey(), "[CH2][CH2][OH]");
}

TEST(ChemGraph, LeavesOutWhatTheCallerDoesNotKeepAndTheBondsToIt) {
  TWindowFixture<> s;
  Build(s, {"C(H)(H)(H)O"});
  s.window.AddToTray(Chlorine);
  const TChemGraph all = GraphOf(s.m);
  EXPECT_EQ(all.atoms.size(), 6u);
  const TChemGraph placed = GraphOf(s.window.molecule, [&](const TAtom& a) { return !s.window.InTray(a); });
  EXPECT_EQ(placed.atoms.size(), 5u);
  const TChemGraph noOxygen = GraphOf(s.window.molecule, [](const TAtom& a) { return a.kind != Oxygen; });
  EXPECT_EQ(noOxygen.bonds.size(), 3u);
  // Open bonds become unpaired electrons; the grid's y grows down, the file's up.
  EXPECT_EQ(placed.atoms[1].radicals, 1);  // the O, bonded second
  EXPECT_EQ(placed.atoms[0].radicals, 0);
  EXPECT_DOUBLE_EQ(placed.atoms[0].x, (285 + 10) / 20.0);
  EXPECT_DOUBLE_EQ(placed.atoms[0].y, -(185 + 10) / 20.0);
}

struct TFormulaCase {
  std::vector<ElementKind> kinds;
  int charge;
  std::string text;
  std::string display;
};

class HillFormulas : public testing::TestWithParam<TFormulaCase> {};

TEST_P(HillFormulas, CarbonAndHydrogenFirstThenBySymbolWithTheCharge) {
  const auto& c = GetParam();
  TChemGraph graph;
  for (ElementKind kind : c.kinds) graph.atoms.push_back({kind, 0, 0, 0, 0});
  if (!graph.atoms.empty()) graph.atoms[0].charge = c.charge;
  const THillFormula formula(graph);
  EXPECT_EQ(formula.Text(), c.text);
  EXPECT_EQ(formula.Display(), c.display);
}

INSTANTIATE_TEST_SUITE_P(
    Chem, HillFormulas,
    testing::Values(TFormulaCase{{Oxygen, Carbon, Hydrogen, Carbon, Hydrogen}, 0, "C2H2O", "C₂H₂O"},
                    TFormulaCase{{Chlorine, Hydrogen}, 0, "ClH", "ClH"},
                    TFormulaCase{{Carbon, Chlorine, Bromine}, 0, "CBrCl", "CBrCl"},
                    TFormulaCase{{Sulfur, Oxygen, Oxygen, Oxygen, Oxygen}, -2, "O4S-2", "O₄S²⁻"},
                    TFormulaCase{{Oxygen, Hydrogen, Hydrogen, Hydrogen}, 1, "H3O+", "H₃O⁺"},
                    TFormulaCase{std::vector<ElementKind>(12, Hydrogen), 10, "H12+10", "H₁₂¹⁰⁺"},
                    TFormulaCase{{42, Carbon}, 0, "C", "C"}, TFormulaCase{{}, 0, "", ""}));

}  // namespace
}  // namespace kovala
