#include "chem/moleculeexport.h"

#include <cctype>
#include <cstdio>
#include <utility>
#include <vector>

#include "chem/chemmolecule.h"
#include "chem/hillformula.h"
#include "chem/identity.h"

namespace kovala {

namespace {

bool EndsWith(std::string_view path, std::string_view extension) {
  if (path.size() < extension.size()) return false;
  const std::string_view tail = path.substr(path.size() - extension.size());
  for (std::size_t i = 0; i < tail.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(tail[i])) != extension[i]) return false;
  return true;
}

}  // namespace

TExportFormat ExportFormatOf(std::string_view path) {
  if (EndsWith(path, ".sdf") || EndsWith(path, ".sd")) return TExportFormat::Sdf;
  if (EndsWith(path, ".smi")) return TExportFormat::Smiles;
  if (EndsWith(path, ".svg")) return TExportFormat::Svg;
  return TExportFormat::Molfile;
}

namespace {

std::string TitleOf(const TIdentity& identity, const std::string& formula) {
  return identity.entry ? identity.entry->name : formula;
}

std::string SdfText(const TChemMolecule& molecule, const TIdentity& identity, const std::string& formula) {
  std::vector<std::pair<std::string, std::string>> fields;
  if (identity.entry) fields.emplace_back("NAME", identity.entry->name);
  fields.emplace_back("FORMULA", formula);
  fields.emplace_back("SMILES", molecule.Smiles());
  return molecule.SdfRecord(TitleOf(identity, formula), fields);
}

// Element, x, y, z in ångström, one atom a line, after the count and a title.
std::string XyzText(const TChemGraph& graph, const TTrueShape& shape, const std::string& title) {
  std::string text = std::to_string(shape.atoms.size()) + "\n" + title + "\n";
  for (std::size_t i = 0; i < shape.atoms.size(); ++i) {
    const TVector3& p = shape.atoms[i].position;
    char line[96];
    std::snprintf(line, sizeof line, "%-2s %12.6f %12.6f %12.6f\n", ChemSymbol(graph.atoms[i].kind).c_str(), p[0],
                  p[1], p[2]);
    text += line;
  }
  return text;
}

}  // namespace

TExportFormat3D ExportFormat3DOf(std::string_view path) {
  if (EndsWith(path, ".xyz")) return TExportFormat3D::Xyz;
  if (EndsWith(path, ".sdf") || EndsWith(path, ".sd")) return TExportFormat3D::Sdf;
  return TExportFormat3D::Molfile;
}

std::string ExportText3D(const TChemGraph& graph, const TTrueShape& shape, TExportFormat3D format) {
  if (graph.atoms.empty() || !shape.Shaped() || shape.atoms.size() != graph.atoms.size()) return {};
  const TIdentity identity = Identify(graph);
  const std::string formula = THillFormula(graph).Text();
  if (format == TExportFormat3D::Xyz) return XyzText(graph, shape, TitleOf(identity, formula));
  TChemMolecule molecule(graph);
  std::vector<TVector3> positions;
  for (const TShapeAtom& atom : shape.atoms) positions.push_back(atom.position);
  if (!molecule.UsePositions3D(positions)) return {};
  if (format == TExportFormat3D::Sdf) return SdfText(molecule, identity, formula);
  return molecule.Molfile(TitleOf(identity, formula));
}

std::string ExportText(const TChemGraph& graph, TExportFormat format) {
  if (graph.atoms.empty() || format == TExportFormat::Svg) return {};
  const TIdentity identity = Identify(graph);
  const std::string formula = THillFormula(graph).Text();
  const std::string title = TitleOf(identity, formula);
  const TChemMolecule molecule(graph);
  switch (format) {
    case TExportFormat::Smiles: {
      const std::string smiles = molecule.Smiles();
      if (smiles.empty()) return {};
      return smiles + (title.empty() ? "" : " " + title) + "\n";
    }
    case TExportFormat::Sdf:
      return SdfText(molecule, identity, formula);
    default:
      return molecule.Molfile(title);
  }
}

}  // namespace kovala
