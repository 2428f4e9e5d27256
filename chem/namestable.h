// Names of molecules, found offline by skeleton key: every molecule of the two
// courses, their common isomers and the small molecules and ions of an
// introductory course.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kovala {

struct TNameEntry {
  std::string key;     // the skeleton key, see TChemMolecule::SkeletonKey
  std::string name;    // what the student reads: "ethanol"
  std::string smiles;  // the molecule in its usual writing, from which the key was made
  std::string family;  // the course row that also accepts this isomer ("propanol"), or empty
  // The formula a school book writes where the taught order does not give it
  // ("OH-", "HCN"), as THillFormula::Text writes formulas; usually empty.
  std::string formula;
};

class TNamesTable {
 public:
  // One entry a line: key, name, SMILES, family and formula separated by tabs; lines
  // beginning with "#" and blank lines are skipped, and so are lines with
  // fewer than three fields. A repeated key keeps its first entry.
  explicit TNamesTable(std::string_view text);
  // The table built into the program.
  static const TNamesTable& Builtin();

  const TNameEntry* Find(std::string_view key) const;
  const std::vector<TNameEntry>& Entries() const { return entries; }

 private:
  std::vector<TNameEntry> entries;
  std::unordered_map<std::string, std::size_t> byKey;
};

// Whether an entry is the molecule a course row asks for: its name or its
// family is the row's name, letter case aside.
bool AnswersTo(const TNameEntry& entry, std::string_view rowName);

}  // namespace kovala
