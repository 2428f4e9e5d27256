// The formula a school book writes for a molecule: carbon compounds in Hill
// order, the others in the order N, P, H, S, Br, Cl, O, F (NH₃, H₂O, HF,
// PCl₃, SO₄²⁻), and the names table's own formula where it gives one (OH⁻,
// HCN). Files keep the Hill order of THillFormula.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "chem/chemgraph.h"
#include "chem/hillformula.h"
#include "chem/namestable.h"

namespace kovala {

// The counts of `hill` reordered as taught; a formula with carbon is returned as it is.
THillFormula TaughtOrder(const THillFormula& hill);

// What the student reads ("NH₄⁺"): the entry's formula when the names table
// knows the molecule and gives one, else the counts in taught order.
std::string TaughtFormula(const TChemGraph& graph, const TNameEntry* entry);

// Reads a formula written as THillFormula::Text writes one ("HCO3-", "SO4-2",
// "NH2OH"), keeping its order and repeated symbols; nothing when the text is
// not such a formula.
std::optional<THillFormula> ParseFormula(std::string_view text);

}  // namespace kovala
