// The empirical formula in Hill order (carbon, hydrogen, then the rest by
// symbol; all by symbol when there is no carbon) with the net charge. Atoms
// of unknown kinds are not counted.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "chem/chemgraph.h"

namespace kovala {

class THillFormula {
 public:
  THillFormula() = default;
  explicit THillFormula(const TChemGraph& graph);

  // "C2H6O", "H3O+", "O4S-2": the plain text the chemistry programs use.
  std::string Text() const;
  // "C₂H₆O", "H₃O⁺", "O₄S²⁻": the text the student reads.
  std::string Display() const;
  bool IsEmpty() const { return counts.empty(); }

  std::vector<std::pair<std::string, int>> counts;  // symbol and count, in Hill order
  int charge = 0;
};

}  // namespace kovala
