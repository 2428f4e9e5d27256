#include "chem/identity.h"

#include <cctype>

#include "chem/chemmolecule.h"
#include "chem/taughtformula.h"
#include "i18n/translate.h"

namespace kovala {

namespace {

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

}  // namespace

std::string CompoundName(const std::string& englishName) { return TrContext("compound", englishName); }

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
    const std::string row = CompoundName(Lower(rowName));
    return entry ? FormatText(Tr("You built {0}, an isomer of {1}."), {CompoundName(entry->name), row})
                 : FormatText(Tr("You built an isomer of {0}."), {row});
  }
  if (entry) {
    std::string line = FormatText(Tr("Completed: {0}, {1}"), {CompoundName(entry->name), identity.formula});
    // An isomer the row also accepts is named with the lesson it answers.
    if (!rowName.empty() && Lower(entry->name) != Lower(rowName))
      line = FormatText(Tr("{0} (lesson: {1})"), {line, CompoundName(Lower(rowName))});
    return line;
  }
  return FormatText(Tr("Completed: {0}"), {identity.formula});
}

}  // namespace kovala
