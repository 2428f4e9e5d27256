// One lesson of a guided course: the atoms laid into the tray, five lines of
// explanation, an optional charge adjustment and the structure rules that tell
// the wanted molecule from its isomers.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "model/elementkind.h"
#include "model/molecule.h"

namespace kovala {

// `count` atoms of one kind, laid into the tray one after another.
struct TAtomGroup {
  int count = 0;
  ElementKind kind = Carbon;
};

// Added to the first atom of the row once all its atoms are in the tray, so
// that an ion can be built with ordinary bonds.
struct TChargeAdjustment {
  int freeElectrons = 0;
  int openBonds = 0;
  int charge = 0;
};

// A test of the neighbours of atoms of one kind: exactly `countA` neighbours
// of kind `a` and exactly `countB` of kind `b`. A multiple bond counts as one
// neighbour.
struct TCourseRule {
  enum class TScope {
    LastAtomHas,  // the last atom of the kind has the pattern
    NoAtomHas,    // no atom of the kind has the pattern
  };
  TScope scope = TScope::LastAtomHas;
  ElementKind kind = Carbon;
  int countA = 0;
  ElementKind a = Carbon;
  int countB = 0;
  ElementKind b = Carbon;
};

constexpr TCourseRule LastHas(ElementKind kind, int countA, ElementKind a, int countB, ElementKind b) {
  return {TCourseRule::TScope::LastAtomHas, kind, countA, a, countB, b};
}
constexpr TCourseRule NoneHas(ElementKind kind, int countA, ElementKind a, int countB, ElementKind b) {
  return {TCourseRule::TScope::NoAtomHas, kind, countA, a, countB, b};
}

// The atom has exactly `countA` neighbours of kind `a` and `countB` of kind
// `b`; empty entries count for neither.
bool HasNeighbourPattern(const TAtom& atom, int countA, ElementKind a, int countB, ElementKind b);
bool RuleHolds(const TCourseRule& rule, const TMolecule& molecule);

struct TCourseRow {
  std::string name;  // what the lesson calls the molecule; empty when it names none
  std::vector<TAtomGroup> atoms;
  std::array<std::string, 5> lines;  // line 1 is drawn topmost; "" draws nothing
  std::optional<TChargeAdjustment> adjustment;
  std::vector<TCourseRule> rules;  // tested in order; the first that fails decides
  std::string ruleMessage;         // shown whichever rule fails
};

// Every rule of the row holds: the molecule is the row's isomer.
bool RowAccepts(const TCourseRow& row, const TMolecule& molecule);

}  // namespace kovala
