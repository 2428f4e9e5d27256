// The files a molecule is exported to: chosen by the file name's extension,
// written as the records hold the molecule (an open bond as an unpaired
// electron), titled with the molecule's name or, unnamed, its formula.
#pragma once

#include <string>
#include <string_view>

#include "chem/chemgraph.h"
#include "chem/trueshape.h"
#include "i18n/translate.h"

namespace kovala {

enum class TExportFormat { Molfile, Sdf, Smiles, Svg };

// The export dialog's choices, in its form "Description (*.ext)|*.ext|".
inline constexpr const char* ExportFileFilter =
    TrNoop("MDL Molfile (*.mol)|*.mol|SDF (*.sdf)|*.sdf|SMILES (*.smi)|*.smi|SVG drawing (*.svg)|*.svg|");
inline constexpr const char* ExportFileExtension = "mol";

// By extension, letter case aside; a Molfile for any other name.
TExportFormat ExportFormatOf(std::string_view path);

// The text of a chemistry file (not of the drawing, which the window paints);
// empty when the molecule could not be converted.
std::string ExportText(const TChemGraph& graph, TExportFormat format);

// The files of a molecule's true shape, which carry its coordinates in
// space: the Molfile and SDF as above with 3-D positions, and XYZ for any
// 3-D viewer.
enum class TExportFormat3D { Molfile, Sdf, Xyz };

inline constexpr const char* ExportFileFilter3D =
    TrNoop("MDL Molfile, 3-D (*.mol)|*.mol|SDF, 3-D (*.sdf)|*.sdf|XYZ coordinates (*.xyz)|*.xyz|");

// By extension, letter case aside; a Molfile for any other name.
TExportFormat3D ExportFormat3DOf(std::string_view path);

// Empty when the shape is not the graph's or the molecule could not be
// converted.
std::string ExportText3D(const TChemGraph& graph, const TTrueShape& shape, TExportFormat3D format);

}  // namespace kovala
