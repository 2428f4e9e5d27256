#include "practice/courserow.h"

#include <algorithm>

namespace kovala {

bool HasNeighbourPattern(const TAtom& atom, int countA, ElementKind a, int countB, ElementKind b) {
  // Empty entries (-1) are no element, so they count for neither kind.
  const auto foundA = std::count(atom.neighbourKind.begin(), atom.neighbourKind.end(), a);
  const auto foundB = std::count(atom.neighbourKind.begin(), atom.neighbourKind.end(), b);
  return foundA == countA && foundB == countB;
}

bool RuleHolds(const TCourseRule& rule, const TMolecule& molecule) {
  const TAtom* last = nullptr;
  for (const auto& atom : molecule.atoms) {
    if (atom.kind != rule.kind) continue;
    if (rule.scope == TCourseRule::TScope::NoAtomHas &&
        HasNeighbourPattern(atom, rule.countA, rule.a, rule.countB, rule.b))
      return false;
    last = &atom;
  }
  if (rule.scope == TCourseRule::TScope::NoAtomHas) return true;
  return last != nullptr && HasNeighbourPattern(*last, rule.countA, rule.a, rule.countB, rule.b);
}

bool RowAccepts(const TCourseRow& row, const TMolecule& molecule) {
  return std::all_of(row.rules.begin(), row.rules.end(),
                     [&](const TCourseRule& rule) { return RuleHolds(rule, molecule); });
}

}  // namespace kovala
