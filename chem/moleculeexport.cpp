#include "chem/moleculeexport.h"

#include <cctype>
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

std::string ExportText(const TChemGraph& graph, TExportFormat format) {
  if (graph.atoms.empty() || format == TExportFormat::Svg) return {};
  const TIdentity identity = Identify(graph);
  const std::string formula = THillFormula(graph).Text();
  const std::string title = identity.entry ? identity.entry->name : formula;
  const TChemMolecule molecule(graph);
  switch (format) {
    case TExportFormat::Smiles: {
      const std::string smiles = molecule.Smiles();
      if (smiles.empty()) return {};
      return smiles + (title.empty() ? "" : " " + title) + "\n";
    }
    case TExportFormat::Sdf: {
      std::vector<std::pair<std::string, std::string>> fields;
      if (identity.entry) fields.emplace_back("NAME", identity.entry->name);
      fields.emplace_back("FORMULA", formula);
      fields.emplace_back("SMILES", molecule.Smiles());
      return molecule.SdfRecord(title, fields);
    }
    default:
      return molecule.Molfile(title);
  }
}

}  // namespace kovala
