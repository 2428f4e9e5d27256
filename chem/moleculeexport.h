// The files a molecule is exported to: chosen by the file name's extension,
// written as the records hold the molecule (an open bond as an unpaired
// electron), titled with the molecule's name or, unnamed, its formula.
#pragma once

#include <string>
#include <string_view>

#include "chem/chemgraph.h"

namespace kovala {

enum class TExportFormat { Molfile, Sdf, Smiles, Svg };

// The export dialog's choices, in its form "Description (*.ext)|*.ext|".
inline constexpr const char* ExportFileFilter =
    "MDL Molfile (*.mol)|*.mol|SDF (*.sdf)|*.sdf|SMILES (*.smi)|*.smi|SVG drawing (*.svg)|*.svg|";
inline constexpr const char* ExportFileExtension = "mol";

// By extension, letter case aside; a Molfile for any other name.
TExportFormat ExportFormatOf(std::string_view path);

// The text of a chemistry file (not of the drawing, which the window paints);
// empty when the molecule could not be converted.
std::string ExportText(const TChemGraph& graph, TExportFormat format);

}  // namespace kovala
