#include "chem/identity.h"

#include <cctype>

#include "chem/chemmolecule.h"
#include "chem/taughtformula.h"

namespace kovala {

namespace {

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

}  // namespace

TIdentity Identify(const TChemGraph& graph) {
  TIdentity identity;
  const TChemMolecule molecule(graph);
  identity.smiles = molecule.Smiles();
  identity.key = molecule.SkeletonKey();
  identity.entry = identity.key.empty() ? nullptr : TNamesTable::Builtin().Find(identity.key);
  identity.formula = TaughtFormula(graph, identity.entry);
  return identity;
}

std::string CompletionExplanation(const TIdentity& identity, std::string_view rowName) {
  const TNameEntry* entry = identity.entry;
  if (!rowName.empty() && !(entry && AnswersTo(*entry, rowName))) {
    // The course lays out the row's atoms, so what was built is an isomer of the row's molecule.
    const std::string row = Lower(rowName);
    return entry ? "You built " + entry->name + ", an isomer of " + row + "."
                 : "You built an isomer of " + row + ".";
  }
  if (entry) {
    std::string line = "Completed: " + entry->name + ", " + identity.formula;
    // An isomer the row also accepts is named with the lesson it answers.
    if (!rowName.empty() && Lower(entry->name) != Lower(rowName)) line += " (lesson: " + Lower(rowName) + ")";
    return line;
  }
  return "Completed: " + identity.formula;
}

}  // namespace kovala
