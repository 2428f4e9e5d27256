// Feeds arbitrary bytes to the molecule file reader. Whatever it accepts must
// hold only links inside the molecule, keep within the editor's limits, draw
// without undefined behaviour at places near the molecule, and write back to
// a file that reads the same.
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "editor/moleculepainter.h"
#include "model/moleculefile.h"
#include "model/moleculelimits.h"

using namespace kovala;

namespace {

// Drawing goes nowhere; every place drawn at must stay near the molecule.
class TCheckedSurface : public ISurface {
 public:
  void DrawBitmap(const std::string&, int x, int y) override { Check(x, y); }
  void Line(int x1, int y1, int x2, int y2) override {
    Check(x1, y1);
    Check(x2, y2);
  }
  void Ellipse(const TRect& box, TColor, TColor) override { Check(box.left, box.top); }
  void FillRect(const TRect& box, TColor) override { Check(box.left, box.top); }
  void Text(int x, int y, const std::string&) override { Check(x, y); }
  void DrawPicture(const IPicture&, int x, int y) override { Check(x, y); }

 private:
  static void Check(int x, int y) {
    constexpr int kNear = MaxCoordinate + 256;
    if (x < -kNear || x > kNear || y < -kNear || y > kNear) std::abort();
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  TMolecule molecule;
  if (ReadMolecule(in, molecule) != TReadResult::Ok) {
    if (!molecule.atoms.IsEmpty() || !molecule.bonds.IsEmpty() || !molecule.brackets.IsEmpty()) std::abort();
    return 0;
  }
  if (CheckLimits(molecule) != TFormatProblem::None) std::abort();
  if (molecule.atoms.Count() > MaxAtoms || molecule.bonds.Count() > MaxBonds ||
      molecule.brackets.Count() > MaxBrackets)
    std::abort();
  for (const auto& atom : molecule.atoms) {
    if (atom.parentIndex != -1 && !molecule.atoms.ValidIndex(atom.parentIndex)) std::abort();
    for (auto child : atom.childIndex)
      if (child != -1 && !molecule.atoms.ValidIndex(child)) std::abort();
  }
  TCheckedSurface surface;
  TMoleculePainter::DrawMolecule(surface, molecule);
  if (!molecule.atoms.IsEmpty()) {
    const TRect box = molecule.AtomBox();
    if (box.Width() < 0 || box.Height() < 0) std::abort();
  }
  if (molecule.TotalCharge() < -MaxBracketCharge || molecule.TotalCharge() > MaxBracketCharge) std::abort();

  std::ostringstream out;
  WriteMolecule(out, molecule);
  std::istringstream again(out.str());
  TMolecule second;
  if (ReadMolecule(again, second) != TReadResult::Ok) std::abort();
  std::ostringstream out2;
  WriteMolecule(out2, second);
  if (out.str() != out2.str()) std::abort();
  return 0;
}
