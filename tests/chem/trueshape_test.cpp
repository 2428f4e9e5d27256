#include "chem/trueshape.h"

#include <GraphMol/Conformer.h>
#include <GraphMol/FileParsers/FileParsers.h>
#include <GraphMol/ROMol.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include <cmath>
#include <string>

#include "chem/hillformula.h"
#include "chem/moleculeexport.h"
#include "tests/chem/chemtesting.h"

namespace kovala {
namespace {

using test::TWindowFixture;
using test::TBuilt;

struct TAngleCase {
  const char* name;
  TBuilt built;
  int ring;  // 0: the recipe; 1: the aromatic ring template; 2: cyclohexane
  ElementKind centre, a, b;
  double degrees;
  double tolerance;
};

void PrintTo(const TAngleCase& c, std::ostream* os) { *os << c.name; }

// The cyclohexane template's twelve hydrogens do not all find a cell on the
// grid, so its graph is written out as the records would give it.
TChemGraph Cyclohexane() {
  TChemGraph graph;
  for (int i = 0; i < 6; ++i) graph.atoms.push_back({Carbon, 0, 0, 0, 0, 0});
  for (int i = 0; i < 6; ++i) {
    graph.bonds.push_back({i, (i + 1) % 6, 1});
    for (int h = 0; h < 2; ++h) {
      graph.bonds.push_back({i, static_cast<int>(graph.atoms.size()), 1});
      graph.atoms.push_back({Hydrogen, 0, 0, 0, 0, 0});
    }
  }
  return graph;
}

TChemGraph Built(const TAngleCase& c, TWindowFixture<>& s) {
  if (c.ring == 2) return Cyclohexane();
  if (c.ring == 1)
    BuildRing(s, TRingKind::Aromatic);
  else
    Build(s, c.built);
  EXPECT_TRUE(s.window.molecule.completed) << c.name;
  return GraphOf(s.m);
}

class AngleGolden : public testing::TestWithParam<TAngleCase> {};

// Every a–centre–b angle of the built molecule is the measured one, not the
// 109.5 of a bare tetrahedron nor whatever a force field left there.
TEST_P(AngleGolden, TrueShapeHasTheRealAngle) {
  const TAngleCase& c = GetParam();
  TWindowFixture<> s;
  const TChemGraph graph = Built(c, s);
  const TTrueShape shape = TrueShapeOf(graph);
  ASSERT_TRUE(shape.Shaped()) << shape.problem;
  int measured = 0;
  for (int centre = 0; centre < static_cast<int>(shape.atoms.size()); ++centre) {
    if (shape.atoms[centre].kind != c.centre) continue;
    const std::vector<int> around = shape.Neighbours(centre);
    for (std::size_t i = 0; i < around.size(); ++i)
      for (std::size_t j = i + 1; j < around.size(); ++j) {
        const ElementKind ka = shape.atoms[around[i]].kind;
        const ElementKind kb = shape.atoms[around[j]].kind;
        if (!((ka == c.a && kb == c.b) || (ka == c.b && kb == c.a))) continue;
        ++measured;
        EXPECT_NEAR(shape.Angle(around[i], centre, around[j]), c.degrees, c.tolerance)
            << c.name << " at atom " << centre << " (" << shape.forceField << ")";
      }
  }
  EXPECT_GT(measured, 0) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    TrueShape, AngleGolden,
    testing::Values(TAngleCase{"water", {"O(H)H"}, 0, Oxygen, Hydrogen, Hydrogen, 104.5, 2},
                    TAngleCase{"ammonia", {"N(H)(H)H"}, 0, Nitrogen, Hydrogen, Hydrogen, 107, 2},
                    TAngleCase{"methane", {"C(H)(H)(H)H"}, 0, Carbon, Hydrogen, Hydrogen, 109.5, 2},
                    TAngleCase{"ammonium", {"N(H)(H)(H)H", -1}, 0, Nitrogen, Hydrogen, Hydrogen, 109.5, 2},
                    TAngleCase{"hydronium", {"O(H)(H)H", -1}, 0, Oxygen, Hydrogen, Hydrogen, 111, 3},
                    TAngleCase{"hydrogen sulfide", {"S(H)H"}, 0, Sulfur, Hydrogen, Hydrogen, 92, 2},
                    TAngleCase{"phosphine", {"P(H)(H)H"}, 0, Phosphorus, Hydrogen, Hydrogen, 93.5, 2},
                    TAngleCase{"phosphorus trichloride", {"P(Cl)(Cl)Cl"}, 0, Phosphorus, Chlorine, Chlorine, 100,
                               3},
                    TAngleCase{"carbon dioxide", {"O=C=O"}, 0, Carbon, Oxygen, Oxygen, 180, 2},
                    TAngleCase{"hydrogen cyanide", {"C(H)#N"}, 0, Carbon, Hydrogen, Nitrogen, 180, 2},
                    TAngleCase{"ethyne", {"C(H)#C(H)"}, 0, Carbon, Hydrogen, Carbon, 180, 2},
                    TAngleCase{"ethene", {"C(H)(H)=C(H)H"}, 0, Carbon, Hydrogen, Hydrogen, 117, 3},
                    TAngleCase{"benzene", {}, 1, Carbon, Carbon, Carbon, 120, 2},
                    TAngleCase{"cyclohexane", {}, 2, Carbon, Carbon, Carbon, 111, 3},
                    TAngleCase{"formaldehyde", {"C(H)(H)=O"}, 0, Carbon, Hydrogen, Hydrogen, 116, 3},
                    // Where the force field alone goes wrong, the electron domains win.
                    TAngleCase{"nitrogen trifluoride", {"N(F)(F)F"}, 0, Nitrogen, Fluorine, Fluorine, 102, 2},
                    TAngleCase{"oxygen difluoride", {"O(F)F"}, 0, Oxygen, Fluorine, Fluorine, 103, 2},
                    TAngleCase{"sulfur dioxide", {"O=S=O"}, 0, Sulfur, Oxygen, Oxygen, 119, 2}));

// The same molecule gets the same coordinates, to the last bit, every time.
TEST(TrueShape, SameMoleculeSameCoordinates) {
  TWindowFixture<> s;
  Build(s, {"C(H)(H)(H)C(H)(H)O(H)"});
  const TChemGraph graph = GraphOf(s.m);
  const TTrueShape first = TrueShapeOf(graph);
  const TTrueShape second = TrueShapeOf(graph);
  ASSERT_TRUE(first.Shaped()) << first.problem;
  ASSERT_EQ(first.atoms.size(), second.atoms.size());
  for (std::size_t i = 0; i < first.atoms.size(); ++i) EXPECT_EQ(first.atoms[i].position, second.atoms[i].position);
}

// Bonds are as built, ångström long, and the lone pairs of the records point
// away from the bonds as the domains spread.
TEST(TrueShape, LonePairsComeFromTheRecordsAndPointAwayFromTheBonds) {
  TWindowFixture<> s;
  Build(s, {"O(H)H"});
  const TTrueShape shape = TrueShapeOf(GraphOf(s.m));
  ASSERT_TRUE(shape.Shaped());
  ASSERT_EQ(shape.bonds.size(), 2u);
  const int oxygen = shape.atoms[0].kind == Oxygen ? 0 : 1;
  ASSERT_EQ(shape.atoms[oxygen].kind, Oxygen);
  ASSERT_EQ(shape.atoms[oxygen].lonePairs.size(), 2u);
  for (int h : shape.Neighbours(oxygen)) {
    const auto& o = shape.atoms[oxygen].position;
    const auto& hp = shape.atoms[h].position;
    const double length = std::hypot(hp[0] - o[0], hp[1] - o[1], hp[2] - o[2]);
    EXPECT_NEAR(length, 0.96, 0.05);
    for (const TVector3& pair : shape.atoms[oxygen].lonePairs) {
      const double cosine = (pair[0] * (hp[0] - o[0]) + pair[1] * (hp[1] - o[1]) + pair[2] * (hp[2] - o[2])) / length;
      EXPECT_LT(cosine, -0.2);  // more than 100 degrees from each bond
    }
  }
  const auto& p = shape.atoms[oxygen].lonePairs;
  const double between = std::acos(p[0][0] * p[1][0] + p[0][1] * p[1][1] + p[0][2] * p[1][2]) * 180 / 3.14159265;
  EXPECT_NEAR(between, 109.5, 2);
  for (const TShapeAtom& atom : shape.atoms) {
    if (atom.kind == Hydrogen) {
      EXPECT_TRUE(atom.lonePairs.empty());
    }
  }
}

TEST(TrueShape, NothingToShapeIsWordedNotThrown) {
  const TTrueShape empty = TrueShapeOf(TChemGraph{});
  EXPECT_FALSE(empty.Shaped());
  EXPECT_EQ(empty.problem, "it has no atoms");
  EXPECT_TRUE(empty.atoms.empty());
  // An open-shell fragment (a methyl radical) still gets a shape.
  TChemGraph methyl;
  methyl.atoms = {{Carbon, 0, 1, 0, 0, 0}, {Hydrogen}, {Hydrogen}, {Hydrogen}};
  methyl.bonds = {{0, 1, 1}, {0, 2, 1}, {0, 3, 1}};
  const TTrueShape radical = TrueShapeOf(methyl);
  EXPECT_TRUE(radical.Shaped()) << radical.problem;
  EXPECT_EQ(radical.atoms.size(), 4u);
  // Out-of-range positions measure nothing.
  EXPECT_EQ(radical.Angle(-1, 0, 1), 0);
  EXPECT_EQ(radical.Angle(1, 0, 9), 0);
}

// The 3-D files carry the shape's own coordinates: read back by the library
// (and by Open Babel where it is installed), every atom is where the shape
// put it.
TEST(TrueShapeExport, MolfileSdfAndXyzCarryThePlacesInSpace) {
  TWindowFixture<> s;
  Build(s, {"C(H)(H)(H)C(=O)O(H)"});
  const TChemGraph graph = GraphOf(s.m);
  const TTrueShape shape = TrueShapeOf(graph);
  ASSERT_TRUE(shape.Shaped());
  EXPECT_EQ(ExportFormat3DOf("a.XYZ"), TExportFormat3D::Xyz);
  EXPECT_EQ(ExportFormat3DOf("a.sdf"), TExportFormat3D::Sdf);
  EXPECT_EQ(ExportFormat3DOf("a.mol"), TExportFormat3D::Molfile);
  EXPECT_EQ(ExportFormat3DOf("a"), TExportFormat3D::Molfile);

  const std::string molfile = ExportText3D(graph, shape, TExportFormat3D::Molfile);
  const std::string sdf = ExportText3D(graph, shape, TExportFormat3D::Sdf);
  for (const std::string& text : {molfile, sdf.substr(0, sdf.find("M  END") + 7)}) {
    EXPECT_EQ(text.substr(0, text.find('\n')), "acetic acid");
    std::unique_ptr<RDKit::ROMol> read(RDKit::MolBlockToMol(text, false, false));
    ASSERT_TRUE(read);
    const RDKit::Conformer& conformer = read->getConformer();
    EXPECT_TRUE(conformer.is3D());
    ASSERT_EQ(read->getNumAtoms(), shape.atoms.size());
    for (unsigned i = 0; i < read->getNumAtoms(); ++i) {
      EXPECT_NEAR(conformer.getAtomPos(i).x, shape.atoms[i].position[0], 1e-3);
      EXPECT_NEAR(conformer.getAtomPos(i).z, shape.atoms[i].position[2], 1e-3);
    }
  }
  EXPECT_NE(sdf.find(">  <FORMULA>\n" + THillFormula(graph).Text() + "\n"), std::string::npos);
  EXPECT_EQ(sdf.substr(sdf.size() - 5), "$$$$\n");

  const std::string xyz = ExportText3D(graph, shape, TExportFormat3D::Xyz);
  std::istringstream lines(xyz);
  std::string line;
  std::getline(lines, line);
  EXPECT_EQ(line, std::to_string(shape.atoms.size()));
  std::getline(lines, line);
  EXPECT_EQ(line, "acetic acid");
  for (std::size_t i = 0; i < shape.atoms.size(); ++i) {
    ASSERT_TRUE(std::getline(lines, line));
    std::istringstream fields(line);
    std::string symbol;
    double x = 0, y = 0, z = 0;
    fields >> symbol >> x >> y >> z;
    EXPECT_EQ(symbol, ChemSymbol(shape.atoms[i].kind));
    EXPECT_NEAR(y, shape.atoms[i].position[1], 1e-5);
  }
  EXPECT_FALSE(std::getline(lines, line));

  // A shape of another molecule, or none, writes nothing.
  EXPECT_EQ(ExportText3D(graph, TrueShapeOf(TChemGraph{}), TExportFormat3D::Xyz), "");
  TTrueShape other = shape;
  other.atoms.pop_back();
  EXPECT_EQ(ExportText3D(graph, other, TExportFormat3D::Molfile), "");

  if (std::system("command -v obabel >/dev/null 2>&1") != 0) GTEST_SKIP() << "obabel is not installed";
  const auto file = std::filesystem::temp_directory_path() / ("kovala-shape-" + std::to_string(::getpid()) + ".xyz");
  std::ofstream(file) << xyz;
  std::string out;
  if (FILE* pipe = popen(("obabel '" + file.string() + "' -otxt --append formula 2>/dev/null").c_str(), "r")) {
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe)) out += buffer;
    pclose(pipe);
  }
  std::filesystem::remove(file);
  EXPECT_NE(out.find(THillFormula(graph).Text()), std::string::npos) << out;
}

struct TVseprCase {
  const char* name;
  ElementKind centre;
  int charge;
  TDomains domains;
  ElementKind a, b;
  double degrees;  // 0: the domains leave it to the force field
};

void PrintTo(const TVseprCase& c, std::ostream* os) { *os << c.name; }

class VseprIdeal : public testing::TestWithParam<TVseprCase> {};

TEST_P(VseprIdeal, AngleFollowsTheDomains) {
  const TVseprCase& c = GetParam();
  EXPECT_DOUBLE_EQ(VseprAngle(c.centre, c.charge, c.domains, c.a, c.b).degrees, c.degrees);
}

INSTANTIATE_TEST_SUITE_P(
    Vsepr, VseprIdeal,
    testing::Values(TVseprCase{"terminal atom", Oxygen, 0, {1, 2}, Carbon, Carbon, 0},
                    TVseprCase{"linear", Carbon, 0, {2, 0}, Oxygen, Oxygen, 180},
                    TVseprCase{"planar", Carbon, 0, {3, 0}, Hydrogen, Hydrogen, 120},
                    TVseprCase{"bent on a triangle", Sulfur, 0, {2, 1}, Oxygen, Oxygen, 119},
                    TVseprCase{"tetrahedral without pairs", Carbon, 0, {4, 0}, Hydrogen, Hydrogen, 0},
                    TVseprCase{"pyramid", Nitrogen, 0, {3, 1}, Hydrogen, Hydrogen, 107},
                    TVseprCase{"hydronium", Oxygen, 1, {3, 1}, Hydrogen, Hydrogen, 111},
                    TVseprCase{"heavy pyramid", Phosphorus, 0, {3, 1}, Hydrogen, Hydrogen, 93.5},
                    TVseprCase{"bent", Oxygen, 0, {2, 2}, Hydrogen, Hydrogen, 104.5},
                    TVseprCase{"heavy bent", Sulfur, 0, {2, 2}, Hydrogen, Hydrogen, 92},
                    TVseprCase{"five domains", Phosphorus, 0, {5, 0}, Chlorine, Chlorine, 0}));

}  // namespace
}  // namespace kovala
