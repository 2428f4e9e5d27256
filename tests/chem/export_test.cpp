// Molecule | Export..., Print... and the SVG on the clipboard, driven through
// the molecule window on the recording fakes; the files are read back with
// RDKit and Open Babel.
#include <GraphMol/FileParsers/FileParsers.h>
#include <GraphMol/RWMol.h>
#include <GraphMol/SmilesParse/SmilesParse.h>
#include <GraphMol/SmilesParse/SmilesWrite.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "chem/chemmolecule.h"
#include "chem/hillformula.h"
#include "chem/moleculeexport.h"
#include "editor/moleculepainter.h"
#include "model/moleculefile.h"
#include "tests/chem/chemtesting.h"

namespace kovala {
namespace {

using test::TWindowFixture;

namespace fs = std::filesystem;

struct TTempDir {
  fs::path path;
  TTempDir() {
    std::string name = (fs::temp_directory_path() / "kovala-export-XXXXXX").string();
    path = ::mkdtemp(name.data()) ? fs::path(name) : fs::path();
  }
  ~TTempDir() {
    std::error_code error;
    fs::remove_all(path, error);
  }
};

std::string Contents(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

std::string MoleculeBytes(const TMolecule& molecule) {
  std::ostringstream out;
  WriteMolecule(out, molecule);
  return out.str();
}

// RDKit's canonical SMILES of what it read from a file.
std::string RdkitSmiles(RDKit::RWMol* read) {
  std::unique_ptr<RDKit::RWMol> mol(read);
  return mol ? RDKit::MolToSmiles(*mol) : "(unreadable)";
}
std::string SmilesOfMolfile(const std::string& text) { return RdkitSmiles(RDKit::MolBlockToMol(text)); }
std::string SmilesOfSmiles(const std::string& text) {
  return RdkitSmiles(RDKit::SmilesToMol(text.substr(0, text.find_first_of(" \n"))));
}

// The placed atoms' box with the clipboard picture's margins, as "left top ".
std::string PlacedViewBox(const TWindowFixture<>& s) {
  int left = 1 << 20, top = 1 << 20;
  for (const auto& atom : s.window.molecule.atoms)
    if (!s.window.InTray(atom)) {
      left = std::min(left, atom.x);
      top = std::min(top, atom.y);
    }
  return std::to_string(left - 5) + " " + std::to_string(top - 5) + " ";
}

std::string ObabelFormula(const fs::path& file) {
  const std::string command = "obabel '" + file.string() + "' -otxt --append formula 2>/dev/null";
  std::string out;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe)) out += buffer;
    pclose(pipe);
  }
  while (!out.empty() && (out.back() == '\n' || out.back() == ' ')) out.pop_back();
  const auto space = out.find_last_of(' ');
  return space == std::string::npos ? out : out.substr(space + 1);
}

struct TExportCase {
  std::string recipe;
  std::string title;  // the file's title: the name, or the formula
  bool complete;
};

void PrintTo(const TExportCase& c, std::ostream* os) { *os << c.recipe; }

class WindowExport : public testing::TestWithParam<TExportCase> {};

// Every format from one dialog; the molecule stays as it was.
TEST_P(WindowExport, WritesEachFormatByItsExtensionAndReadsBack) {
  const TExportCase& c = GetParam();
  TWindowFixture<> s;
  Build(s, {c.recipe});
  ASSERT_EQ(s.window.molecule.completed, c.complete);
  s.window.AddToTray(Oxygen);  // a tray atom is not part of what was built
  const TChemGraph graph = GraphOf(s.window.molecule, [&](const TAtom& a) { return !s.window.InTray(a); });
  const TChemMolecule built(graph);
  const std::string before = MoleculeBytes(s.window.molecule);
  const bool changed = s.window.changed;
  ASSERT_TRUE(built.Sanitized());
  s.desktop.messages.clear();
  TTempDir dir;
  ASSERT_FALSE(dir.path.empty());

  for (const char* name : {"m.mol", "m.sdf", "m.SMI", "m.svg"}) {
    SCOPED_TRACE(name);
    const fs::path file = dir.path / name;
    s.desktop.saveChoices = {file.string()};
    ASSERT_TRUE(s.window.Export());
    EXPECT_EQ(s.desktop.lastSaveSettings.filter, ExportFileFilter);
    const std::string text = Contents(file);
    switch (ExportFormatOf(name)) {
      case TExportFormat::Molfile:
        EXPECT_EQ(text.substr(0, text.find('\n')), c.title);
        EXPECT_EQ(SmilesOfMolfile(text), built.Smiles());
        break;
      case TExportFormat::Sdf:
        EXPECT_EQ(SmilesOfMolfile(text.substr(0, text.find("M  END") + 7)), built.Smiles());
        EXPECT_NE(text.find(">  <FORMULA>\n" + THillFormula(graph).Text() + "\n"), std::string::npos) << text;
        EXPECT_EQ(text.substr(text.size() - 5), "$$$$\n");
        break;
      case TExportFormat::Smiles:
        EXPECT_EQ(text, built.Smiles() + " " + c.title + "\n");
        EXPECT_EQ(SmilesOfSmiles(text), built.Smiles());
        break;
      case TExportFormat::Svg:
        // The window's own painter drew it, over the placed atoms only.
        ASSERT_EQ(s.desktop.svgDrawn.size(), 1u);
        test::TRecordingSurface painted;
        TMoleculePainter::DrawMolecule(painted, s.window.molecule);
        EXPECT_EQ(s.desktop.svgDrawn[0], painted.calls);
        EXPECT_EQ(text.rfind("<svg viewBox=\"" + PlacedViewBox(s), 0), 0u) << text;
        break;
    }
  }
  EXPECT_TRUE(s.desktop.messages.empty()) << s.desktop.LastText();
  EXPECT_EQ(MoleculeBytes(s.window.molecule), before);
  EXPECT_EQ(s.window.changed, changed);

  if (std::system("command -v obabel >/dev/null 2>&1") != 0) GTEST_SKIP() << "obabel is not installed";
  const std::string formula = THillFormula(graph).Text();
  EXPECT_EQ(ObabelFormula(dir.path / "m.mol"), formula);
  EXPECT_EQ(ObabelFormula(dir.path / "m.sdf"), formula);
  EXPECT_EQ(ObabelFormula(dir.path / "m.SMI"), formula);
}

INSTANTIATE_TEST_SUITE_P(
    Chem, WindowExport,
    testing::Values(TExportCase{"C(H)(H)(H)C(H)(H)O(H)", "ethanol", true},
                    TExportCase{"C(H)(H)(H)C(=O)O(H)", "acetic acid", true},
                    // Open bonds go out as unpaired electrons: CH2-OH with one H missing on C.
                    TExportCase{"C(H)O(H)", "CH2O", false},
                    // Unnamed: the formula is the title.
                    TExportCase{"C(H)(H)(H)C(H)(H)C(H)(H)C(H)(H)C(H)(H)C(H)(H)C(H)(H)H", "C7H16", true}));

// Cancelled, or not writable: nothing written, the save's own message.
TEST(WindowExport, CancelWritesNothingAndAFailedWriteShowsTheSavesMessage) {
  TWindowFixture<> s;
  Build(s, {"C(H)(H)(H)H"});
  s.desktop.messages.clear();
  s.desktop.saveChoices = {std::nullopt};
  EXPECT_FALSE(s.window.Export());
  EXPECT_TRUE(s.desktop.messages.empty());

  TTempDir dir;
  s.desktop.saveChoices = {(dir.path / "missing" / "m.smi").string()};
  EXPECT_FALSE(s.window.Export());
  EXPECT_EQ(s.desktop.Texts(), std::vector<std::string>{"File cannot be found!"});
  EXPECT_FALSE(fs::exists(dir.path / "missing"));
  EXPECT_TRUE(fs::is_empty(dir.path));  // no temporary file left behind

  // Without an SVG service there is no drawing to write.
  s.desktop.messages.clear();
  s.desktop.svgWorks = false;
  s.desktop.saveChoices = {(dir.path / "m.svg").string()};
  EXPECT_FALSE(s.window.Export());
  EXPECT_EQ(s.desktop.Texts(), std::vector<std::string>{"File cannot be found!"});
  EXPECT_FALSE(fs::exists(dir.path / "m.svg"));
}

TEST(WindowClipboard, TheSvgBesideTheBitmapIsTheSameDrawing) {
  TWindowFixture<> s;
  Build(s, {"C(H)(H)(H)O(H)"});
  s.window.CopyToClipboard();
  ASSERT_EQ(s.desktop.clipboard.size(), 1u);
  ASSERT_EQ(s.desktop.svgDrawn.size(), 1u);
  EXPECT_EQ(s.desktop.svgDrawn[0], s.desktop.clipboard[0].drawing);
  const TRect box = s.window.molecule.AtomBox();
  EXPECT_EQ(s.desktop.clipboard[0].svg.rfind(
                "<svg viewBox=\"" + std::to_string(box.left) + " " + std::to_string(box.top) + " ", 0),
            0u)
      << s.desktop.clipboard[0].svg;
}

TEST(WindowPrint, ThePageHoldsTheDrawingWithItsNameAndFormulaBelow) {
  TWindowFixture<> s;
  Build(s, {"C(H)(H)(H)C(H)(H)O(H)"});
  EXPECT_TRUE(s.window.Print());
  ASSERT_EQ(s.desktop.printed.size(), 1u);
  const test::TPrinted& page = s.desktop.printed[0];
  EXPECT_EQ(page.title, "ethanol");
  test::TRecordingSurface painted;
  TMoleculePainter::DrawMolecule(painted, s.window.molecule);
  ASSERT_EQ(page.drawing.size(), painted.calls.size() + 2);
  EXPECT_TRUE(std::equal(painted.calls.begin(), painted.calls.end(), page.drawing.begin()));
  const test::TDrawCall& name = page.drawing[painted.calls.size()];
  const test::TDrawCall& formula = page.drawing.back();
  EXPECT_EQ(name.name, "ethanol");
  EXPECT_EQ(formula.name, "C₂H₆O");
  EXPECT_GT(formula.y1, name.y1);
  // Everything drawn lies on the page.
  for (const auto& call : page.drawing) {
    EXPECT_GE(call.x1, page.box.left);
    EXPECT_GE(call.y1, page.box.top);
    EXPECT_LT(call.y1, page.box.bottom);
  }

  // A closed preview prints nothing and says so.
  s.desktop.printerPrints = false;
  EXPECT_FALSE(s.window.Print());
}

}  // namespace
}  // namespace kovala
