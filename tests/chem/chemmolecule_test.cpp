#include "chem/chemmolecule.h"

#include <GraphMol/Descriptors/MolDescriptors.h>
#include <GraphMol/FileParsers/FileParsers.h>
#include <GraphMol/RWMol.h>
#include <GraphMol/SmilesParse/SmilesParse.h>
#include <GraphMol/SmilesParse/SmilesWrite.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <ostream>
#include <sstream>
#include <string>

#include "chem/hillformula.h"
#include "tests/chem/chemtesting.h"

namespace kovala {
namespace {

using test::TWindowFixture;
using test::TBuilt;

// RDKit's own reading of a file: checked by its valence rules when they
// allow it, as it stands when they do not.
std::unique_ptr<RDKit::RWMol> ReadSmiles(const std::string& text) {
  try {
    if (auto* mol = RDKit::SmilesToMol(text)) return std::unique_ptr<RDKit::RWMol>(mol);
  } catch (...) {
  }
  std::unique_ptr<RDKit::RWMol> mol(RDKit::SmilesToMol(text, 0, false));
  if (mol) mol->updatePropertyCache(false);
  return mol;
}
std::unique_ptr<RDKit::RWMol> ReadMolfile(const std::string& text) {
  try {
    if (auto* mol = RDKit::MolBlockToMol(text)) return std::unique_ptr<RDKit::RWMol>(mol);
  } catch (...) {
  }
  std::unique_ptr<RDKit::RWMol> mol(RDKit::MolBlockToMol(text, false, false));
  if (mol) mol->updatePropertyCache(false);
  return mol;
}
std::string CanonicalSmiles(const RDKit::ROMol& mol) { return RDKit::MolToSmiles(mol); }
// The skeleton key of what RDKit read, every hydrogen count written out.
std::string SkeletonOf(const RDKit::ROMol& mol) {
  return SkeletonKeyOfSmiles(RDKit::MolToSmiles(mol, true, false, -1, true, false, true));
}

// A file in a fresh temporary directory, removed with it.
struct TTempFile {
  std::filesystem::path dir;
  std::filesystem::path path;
  TTempFile(const std::string& name, const std::string& text) {
    dir = std::filesystem::temp_directory_path() /
          ("kovala-chem-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
           std::to_string(reinterpret_cast<std::uintptr_t>(this)));
    std::filesystem::create_directories(dir);
    path = dir / name;
    std::ofstream(path) << text;
  }
  ~TTempFile() { std::filesystem::remove_all(dir); }
};

bool HaveObabel() { return std::system("command -v obabel >/dev/null 2>&1") == 0; }

// Open Babel's formula for a file: "C2H6O", "O4S--".
std::string ObabelFormula(const std::filesystem::path& file, const char* format) {
  const std::string command =
      std::string("obabel -i") + format + " '" + file.string() + "' -otxt --append formula 2>/dev/null";
  std::string out;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe)) out += buffer;
    pclose(pipe);
  }
  // The formula is the last word; a titled file has its title before it.
  while (!out.empty() && (out.back() == '\n' || out.back() == ' ')) out.pop_back();
  return out.substr(out.find_last_of(" \t") == std::string::npos ? 0 : out.find_last_of(" \t") + 1);
}

// Our "O4S-2" as Open Babel writes it, "O4S--".
std::string InObabelStyle(const THillFormula& formula) {
  THillFormula neutral = formula;
  neutral.charge = 0;
  return neutral.Text() +
         std::string(static_cast<std::size_t>(std::abs(formula.charge)), formula.charge > 0 ? '+' : '-');
}

struct TExportCase {
  TBuilt built;
  bool usual;  // a structure chemists write the same way: the SMILES reads back identical
};

void PrintTo(const TExportCase& c, std::ostream* os) { PrintTo(c.built, os); }

class ExportedFiles : public testing::TestWithParam<TExportCase> {};

// What leaves the program reads back, in RDKit and in Open Babel, as the
// molecule the student built: the same skeleton, hydrogens and charge, the
// same formula, and for the usual structures the same canonical SMILES.
TEST_P(ExportedFiles, ReadBackAsTheSameMolecule) {
  TWindowFixture<> s;
  Build(s, GetParam().built);
  const TChemGraph graph = GraphOf(s.m);
  const TChemMolecule molecule(graph);
  const std::string smiles = molecule.Smiles();
  const std::string molfile = molecule.Molfile("built");
  const auto fromSmiles = ReadSmiles(smiles);
  const auto fromMolfile = ReadMolfile(molfile);
  ASSERT_TRUE(fromSmiles) << smiles;
  ASSERT_TRUE(fromMolfile) << molfile;
  EXPECT_EQ(SkeletonOf(*fromSmiles), molecule.SkeletonKey()) << smiles;
  EXPECT_EQ(SkeletonOf(*fromMolfile), molecule.SkeletonKey());
  if (GetParam().usual) {
    EXPECT_TRUE(molecule.Sanitized());
    EXPECT_EQ(CanonicalSmiles(*fromSmiles), smiles);
    EXPECT_EQ(CanonicalSmiles(*fromMolfile), smiles);
  }
  const THillFormula formula(graph);
  EXPECT_EQ(RDKit::Descriptors::calcMolFormula(*fromMolfile), formula.Text());
  EXPECT_EQ(RDKit::Descriptors::calcMolFormula(*fromSmiles), formula.Text());

  if (!HaveObabel()) GTEST_SKIP() << "obabel is not installed";
  const TTempFile mol("built.mol", molfile);
  const TTempFile smi("built.smi", smiles + "\n");
  EXPECT_EQ(ObabelFormula(mol.path, "mol"), InObabelStyle(formula));
  EXPECT_EQ(ObabelFormula(smi.path, "smi"), InObabelStyle(formula));
}

INSTANTIATE_TEST_SUITE_P(
    Chem, ExportedFiles,
    testing::Values(TExportCase{{"C(H)(H)(H)C(H)(H)O(H)"}, true},
                    TExportCase{{"C(H)(H)(H)C(=O)C(H)(H)H"}, true}, TExportCase{{"C(H)#N"}, true},
                    TExportCase{{"O(H)(H)H", -1}, true}, TExportCase{{"O(H)", +1}, true},
                    TExportCase{{"N(H)(H)(H)H", -1}, true},
                    // The editor's electron bookkeeping: pairs given by one atom, no charges on the O.
                    TExportCase{{"S(O)(O)(O)O", +2}, false}, TExportCase{{"S(=O)O"}, false},
                    TExportCase{{"C#O"}, false},
                    // Incomplete: the open bonds travel as unpaired electrons.
                    TExportCase{{"C(H)(H)H"}, true}, TExportCase{{"C(H)(H)C(H)O"}, true}));

TEST(ChemMolfile, ChargesInTheAtomBlockAndInChargeLinesWithYPointingUp) {
  TWindowFixture<> s;
  Build(s, {"O(H)(H)H", -1});
  const std::string molfile = TChemMolecule(GraphOf(s.m)).Molfile("hydronium ion");
  std::istringstream in(molfile);
  std::string line;
  std::vector<std::string> lines;
  while (std::getline(in, line)) lines.push_back(line);
  ASSERT_GE(lines.size(), 9u);
  EXPECT_EQ(lines[0], "hydronium ion");
  EXPECT_NE(lines[3].find("V2000"), std::string::npos);
  EXPECT_EQ(lines[3].substr(0, 6), "  4  3");
  EXPECT_EQ(lines[4].substr(31, 3), "O  ");
  EXPECT_EQ(lines[4].substr(36, 3), "  3");  // +1
  for (int i = 5; i < 8; ++i) EXPECT_EQ(lines[i].substr(36, 3), "  0");
  EXPECT_NE(molfile.find("M  CHG  1   1   1\n"), std::string::npos);
  EXPECT_EQ(lines.back(), "M  END");
  // The builder puts the first hydrogen right of the O and the second below it.
  const double oxygenY = std::stod(lines[4].substr(10, 10));
  EXPECT_DOUBLE_EQ(std::stod(lines[5].substr(10, 10)), oxygenY);
  EXPECT_DOUBLE_EQ(std::stod(lines[6].substr(10, 10)), oxygenY - 1.5);
  EXPECT_DOUBLE_EQ(std::stod(lines[5].substr(0, 10)), std::stod(lines[4].substr(0, 10)) + 1.5);
}

TEST(ChemMolfile, SdfRecordCarriesItsFieldsAndEnds) {
  TWindowFixture<> s;
  Build(s, {"O(H)H"});
  const TChemMolecule molecule(GraphOf(s.m));
  const std::string record = molecule.SdfRecord("water", {{"NAME", "water"}, {"FORMULA", "H2O"}});
  EXPECT_EQ(record.substr(0, molecule.Molfile("water").size()), molecule.Molfile("water"));
  EXPECT_NE(record.find("M  END\n>  <NAME>\nwater\n\n>  <FORMULA>\nH2O\n\n$$$$\n"), std::string::npos);
  std::unique_ptr<RDKit::RWMol> read(RDKit::MolBlockToMol(record));
  ASSERT_TRUE(read);
  EXPECT_EQ(RDKit::MolToSmiles(*read), "O");
}

// Structures the valence rules refuse, and graphs no editor makes, are
// written as they are or come out empty; nothing throws.
TEST(ChemFallback, RefusedStructuresAreWrittenUnsanitized) {
  TChemGraph carbon;
  carbon.atoms.push_back({Carbon, 0, 0, 0, 0});
  for (int i = 1; i <= 5; ++i) {
    carbon.atoms.push_back({Hydrogen, 0, 0, 1.5 * i, 0});
    carbon.bonds.push_back({0, i, 1});
  }
  const TChemMolecule five(carbon);
  EXPECT_FALSE(five.Sanitized());
  EXPECT_EQ(five.SkeletonKey(), "[CH5]");
  EXPECT_EQ(five.Smiles(), "[CH5]");
  std::unique_ptr<RDKit::RWMol> read(RDKit::MolBlockToMol(five.Molfile("five"), false));
  ASSERT_TRUE(read);
  EXPECT_EQ(read->getNumAtoms(), 6u);
  EXPECT_EQ(read->getNumBonds(), 5u);

  TChemGraph broken;
  broken.atoms.push_back({42, 0, 0, 0, 0});
  broken.bonds.push_back({0, 7, 1});
  const TChemMolecule bad(broken);
  EXPECT_FALSE(bad.Sanitized());
  EXPECT_NO_THROW((void)bad.Smiles());
  EXPECT_NO_THROW((void)bad.Molfile("x"));
  EXPECT_NO_THROW((void)bad.SkeletonKey());

  const TChemMolecule empty{TChemGraph{}};
  EXPECT_EQ(empty.Smiles(), "");
  EXPECT_EQ(SkeletonKeyOfSmiles("C1CC"), "");
  EXPECT_EQ(SkeletonKeyOfSmiles("not a molecule"), "");
}

TEST(ChemFallback, UnknownKindsTravelAsDummyAtoms) {
  TChemGraph graph;
  graph.atoms.push_back({Carbon, 0, 0, 0, 0});
  graph.atoms.push_back({42, 0, 0, 1.5, 0});
  graph.bonds.push_back({0, 1, 1});
  const TChemMolecule molecule(graph);
  EXPECT_NE(molecule.Molfile("x").find(" R   0"), std::string::npos);
  EXPECT_NE(molecule.Smiles().find('*'), std::string::npos);
}

}  // namespace
}  // namespace kovala
