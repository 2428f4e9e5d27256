// What a molecule is, in the words the teaching aids use: its name from the
// names table, its formula, and the line shown when it is complete.
#pragma once

#include <string>
#include <string_view>

#include "chem/chemgraph.h"
#include "chem/namestable.h"

namespace kovala {

struct TIdentity {
  std::string smiles;
  std::string key;
  std::string formula;                // as taught, see TaughtFormula: "C₂H₆O", "NH₄⁺"
  const TNameEntry* entry = nullptr;  // none when the table does not know the molecule
};

TIdentity Identify(const TChemGraph& graph);

// A compound's name as the student's school books write it, from its English
// name (the catalogue's key). A translation keeps its own capitals (German
// nouns), so only the English course row is ever put in lower case.
std::string CompoundName(const std::string& englishName);

// "Completed: ethanol, C₂H₆O", or the formula alone for a molecule the table
// does not know. Where a course row asks for a molecule (`rowName`) and
// another one of its formula was built: "You built propanal, an isomer of
// acetone."; where the row accepts the isomer built, the row's name follows:
// "Completed: 2-propanol, C₃H₈O (lesson: propanol)".
std::string CompletionExplanation(const TIdentity& identity, std::string_view rowName);

}  // namespace kovala
