#include "editor/formula.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace kovala {

namespace {

constexpr std::array<std::string_view, 10> kSubscripts{"₀", "₁", "₂", "₃", "₄", "₅", "₆", "₇", "₈", "₉"};
constexpr std::array<std::string_view, 10> kSuperscripts{"⁰", "¹", "²", "³", "⁴", "⁵", "⁶", "⁷", "⁸", "⁹"};

std::string Digits(std::int64_t value, const std::array<std::string_view, 10>& glyphs) {
  const std::string plain = std::to_string(value);
  std::string out;
  for (const char c : plain) out += glyphs[static_cast<std::size_t>(c - '0')];
  return out;
}

}  // namespace

std::string HillFormula(const TMolecule& molecule) {
  std::array<std::int64_t, ElementKindCount> counts{};
  std::int64_t charge = 0;
  for (const auto& atom : molecule.atoms) {
    charge += atom.charge;
    if (IsKnownKind(atom.kind)) ++counts[static_cast<std::size_t>(atom.kind)];
  }

  // Carbon first and hydrogen next when there is carbon; everything else, and
  // hydrogen in a molecule without carbon, by symbol.
  std::vector<ElementKind> order;
  const bool organic = counts[Carbon] > 0;
  if (organic) order = {Carbon, Hydrogen};
  std::vector<ElementKind> rest;
  for (ElementKind kind = 0; kind < ElementKindCount; ++kind)
    if (!organic || (kind != Carbon && kind != Hydrogen)) rest.push_back(kind);
  std::sort(rest.begin(), rest.end(),
            [](ElementKind a, ElementKind b) { return ElementInfo(a).symbol < ElementInfo(b).symbol; });
  order.insert(order.end(), rest.begin(), rest.end());

  std::string formula;
  for (const ElementKind kind : order) {
    const std::int64_t count = counts[static_cast<std::size_t>(kind)];
    if (count == 0) continue;
    formula += ElementInfo(kind).symbol;
    if (count > 1) formula += Digits(count, kSubscripts);
  }
  if (charge != 0) {
    const std::int64_t size = charge < 0 ? -charge : charge;
    if (size > 1) formula += Digits(size, kSuperscripts);
    formula += charge < 0 ? "⁻" : "⁺";
  }
  return formula;
}

}  // namespace kovala
