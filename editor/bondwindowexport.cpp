// The molecule out of the program: exported files, the SVG drawing and the
// printed page.
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "chem/chemgraph.h"
#include "chem/hillformula.h"
#include "chem/identity.h"
#include "chem/moleculeexport.h"
#include "editor/bondwindow.h"
#include "editor/filefailure.h"
#include "editor/moleculepainter.h"
#include "model/moleculefile.h"

namespace kovala {

namespace {

constexpr int PrintLineHeight = 20;

}  // namespace

TRect TBondWindow::PlacedBox() const {
  bool any = false;
  TRect box;
  for (const auto& atom : molecule.atoms) {
    if (InTray(atom)) continue;
    if (!any) box = {atom.x, atom.y, atom.x, atom.y};
    any = true;
    box.left = std::min(box.left, atom.x);
    box.top = std::min(box.top, atom.y);
    box.right = std::max(box.right, atom.x);
    box.bottom = std::max(box.bottom, atom.y);
  }
  // The same margins as the clipboard picture's, and an ion's bracket and
  // charge, measured in the font the pictures are drawn with.
  const std::unique_ptr<IPicture> measure = Desktop().CreatePicture(1, 1);
  return TMoleculePainter::PictureBox(
      molecule, any ? TRect{box.left - 5, box.top - 5, box.right + 25, box.bottom + 25} : molecule.AtomBox(),
      measure ? &measure->Surface() : nullptr);
}

std::string TBondWindow::SvgOf(const TRect& box) const {
  const std::unique_ptr<ISvgDrawing> drawing = Desktop().CreateSvgDrawing(box);
  if (!drawing) return {};
  TMoleculePainter::DrawMolecule(drawing->Surface(), molecule);
  return drawing->Finish();
}

bool TBondWindow::Export() {
  // Tray atoms are not part of what was built.
  bool placed = false;
  for (const auto& atom : molecule.atoms) placed = placed || !InTray(atom);
  if (!placed) {
    SetExplanation(Tr(NothingToExportReason));
    return false;
  }
  exportSettings.filter = ExportFileFilter;
  exportSettings.defaultExtension = ExportFileExtension;
  const std::optional<std::string> path = Desktop().SaveFileDialog(exportSettings);
  if (!path || path->empty()) return false;

  const TExportFormat format = ExportFormatOf(*path);
  const std::string bytes =
      format == TExportFormat::Svg
          ? SvgOf(PlacedBox())
          : ExportText(GraphOf(molecule, [this](const TAtom& atom) { return !InTray(atom); }), format);
  if (bytes.empty()) {
    ShowWriteFailure(Desktop());
    return false;
  }
  const TFileResult result = SaveWholeFile(*path, bytes);
  if (!result.Ok()) {
    SetExplanation(WriteFailureReason(Tr("Not exported"), result, *path));
    ShowWriteFailure(Desktop());
    return false;
  }
  ClearExplanation();
  return true;
}

bool TBondWindow::Print() {
  if (molecule.atoms.IsEmpty()) return false;
  const TChemGraph graph = GraphOf(molecule, [this](const TAtom& atom) { return !InTray(atom); });
  std::vector<std::string> lines;
  std::string title = fileName;
  if (!graph.atoms.empty()) {
    const TIdentity identity = Identify(graph);
    if (identity.entry) {
      lines.push_back(identity.entry->name);
      title = identity.entry->name;
    }
    if (!identity.formula.empty()) lines.push_back(identity.formula);
  }

  TPrintPage page;
  page.title = title;
  page.box = PlacedBox();
  const int textTop = page.box.bottom + 10;
  page.box.bottom = textTop + PrintLineHeight * static_cast<int>(lines.size());
  // Room for a long name beside a small molecule.
  page.box.right = std::max(page.box.right, page.box.left + 240);
  page.draw = [this, &lines, &page, textTop](ISurface& surface) {
    TMoleculePainter::DrawMolecule(surface, molecule);
    for (std::size_t i = 0; i < lines.size(); ++i)
      surface.Text(page.box.left + 5, textTop + PrintLineHeight * static_cast<int>(i), lines[i]);
  };
  return Desktop().PrintWithPreview(page);
}

}  // namespace kovala
