// One molecule handed to the chemistry library: canonical SMILES, the
// skeleton key its name is found by, and the files other chemistry programs
// read. Nothing of the library shows here, and no exception leaves it: a
// conversion that fails gives an empty text.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "chem/chemgraph.h"

namespace kovala {

class TChemMolecule {
 public:
  explicit TChemMolecule(const TChemGraph& graph);
  ~TChemMolecule();
  TChemMolecule(TChemMolecule&&) noexcept;
  TChemMolecule& operator=(TChemMolecule&&) noexcept;

  // False when the structure breaks the library's valence rules; the texts
  // below then describe it as built, without those rules.
  bool Sanitized() const;
  std::string Smiles() const;
  std::string SkeletonKey() const;
  // Gives the atoms places in space, in the graph's order, so the files below
  // are written in 3-D; false when the count does not match.
  bool UsePositions3D(const std::vector<std::array<double, 3>>& positions);
  // V2000, 2-D unless given places in space, charges in the atom block and in "M  CHG".
  std::string Molfile(std::string_view title) const;
  // The Molfile followed by data fields and "$$$$".
  std::string SdfRecord(std::string_view title,
                        const std::vector<std::pair<std::string, std::string>>& fields) const;

  struct TImpl;  // the library's molecule, known only to chemmolecule.cpp

 private:
  std::unique_ptr<TImpl> impl;
};

// The skeleton key of a molecule written as SMILES (how the names table is
// checked); empty when the text does not parse.
std::string SkeletonKeyOfSmiles(std::string_view smiles);

}  // namespace kovala
