#include "editor/bookkeeping.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "editor/moleculeeditor.h"
#include "i18n/translate.h"
#include "model/topology.h"

namespace kovala {

namespace {

// The other atom at a bond's far end, -1 when the bond does not join this
// atom to another one.
int PartnerAlong(const TMolecule& m, int self, const TBonds& bond) {
  const TAtom& atom = m.atoms[self];
  const bool atStart = NearBondEnd(atom, bond.x1, bond.y1);
  if (atStart == NearBondEnd(atom, bond.x2, bond.y2)) return -1;
  return atStart ? AtomAtBondEnd(m, bond.x2, bond.y2, self) : AtomAtBondEnd(m, bond.x1, bond.y1, self);
}

// "2 single (H, H), 1 double (O)"; empty for an atom with no partner.
std::string BondedText(const TMolecule& m, int atomIndex) {
  const TAtom& atom = m.atoms[atomIndex];
  // Partners by order: single, double, triple.
  constexpr std::array<std::string_view, 3> kOrders{"single", "double", "triple"};
  std::array<std::vector<int>, 3> partners;
  std::vector<int> seen;
  for (const auto& bond : m.bonds) {
    const int partner = PartnerAlong(m, atomIndex, bond);
    if (partner < 0) continue;
    for (std::size_t o = 0; o < kOrders.size(); ++o)
      if (bond.Order() == kOrders[o]) partners[o].push_back(partner);
    seen.push_back(partner);
  }
  std::vector<int> linked{atom.parentIndex};
  linked.insert(linked.end(), atom.childIndex.begin(), atom.childIndex.end());
  for (const int other : linked) {
    if (!m.atoms.ValidIndex(other) || other == atomIndex) continue;
    bool known = false;
    for (const int s : seen) known = known || s == other;
    if (known) continue;
    partners[0].push_back(other);
    seen.push_back(other);
  }

  std::string bonded;
  for (std::size_t o = 0; o < kOrders.size(); ++o) {
    if (partners[o].empty()) continue;
    if (!bonded.empty()) bonded += ", ";
    std::string symbols;
    for (std::size_t p = 0; p < partners[o].size(); ++p)
      symbols += (p == 0 ? "" : ", ") + SymbolOf(m.atoms[partners[o][p]]);
    const unsigned long n = partners[o].size();
    const char* pattern = o == 0   ? TrPlural("{0} single ({1})", "{0} single ({1})", n)
                          : o == 1 ? TrPlural("{0} double ({1})", "{0} double ({1})", n)
                                   : TrPlural("{0} triple ({1})", "{0} triple ({1})", n);
    bonded += FormatText(pattern, {std::to_string(n), symbols});
  }
  return bonded;
}

std::string ChargeText(const TAtom& atom) {
  // Appended rather than "+" + to_string(...): GCC 12 at -O2 warns falsely
  // (-Wrestrict) on a literal added before a temporary string.
  std::string text = atom.charge > 0 ? "+" : "";
  text += std::to_string(atom.charge);
  return text;
}

}  // namespace

std::string ElementName(ElementKind kind) {
  return IsKnownKind(kind) ? Tr(std::string(ElementInfo(kind).name)) : std::string(Tr("Unknown element"));
}

std::string BookkeepingText(const TMolecule& m, int atomIndex) {
  if (!m.atoms.ValidIndex(atomIndex)) return {};
  const TAtom& atom = m.atoms[atomIndex];
  std::string text =
      FormatText(Tr("{0} — {1}, {2}, charge {3}"),
                 {ElementName(atom.kind), TrCounted("{0} open bond", "{0} open bonds", atom.openBonds),
                  TrCounted("{0} free electron", "{0} free electrons", atom.freeElectrons), ChargeText(atom)});
  const std::string bonded = BondedText(m, atomIndex);
  return bonded.empty() ? FormatText(Tr("{0}; not bonded"), {text})
                        : FormatText(Tr("{0}; bonded: {1}"), {text, bonded});
}

std::string SpokenBookkeeping(const TMolecule& m, int atomIndex) {
  if (!m.atoms.ValidIndex(atomIndex)) return {};
  const TAtom& atom = m.atoms[atomIndex];
  // Commas only, which a reader pauses at, and no charge while there is none.
  std::string text = ElementName(atom.kind) + ", " + TrCounted("{0} open bond", "{0} open bonds", atom.openBonds) +
                     ", " + TrCounted("{0} free electron", "{0} free electrons", atom.freeElectrons);
  // {0} is what is said of the atom so far, {1} its signed charge.
  if (atom.charge != 0) text = FormatText(Tr("{0}, charge {1}"), {text, ChargeText(atom)});
  const std::string bonded = BondedText(m, atomIndex);
  return bonded.empty() ? FormatText(Tr("{0}, not bonded"), {text}) : FormatText(Tr("{0}, bonded: {1}"), {text, bonded});
}

}  // namespace kovala
