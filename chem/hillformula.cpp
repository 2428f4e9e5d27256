#include "chem/hillformula.h"

#include <algorithm>
#include <cstdlib>
#include <map>

namespace kovala {

namespace {

std::string Digits(int value, const char* const (&glyphs)[10]) {
  std::string text;
  for (char c : std::to_string(value)) text += glyphs[c - '0'];
  return text;
}

const char* const kSubscripts[10] = {"₀", "₁", "₂", "₃", "₄", "₅", "₆", "₇", "₈", "₉"};
const char* const kSuperscripts[10] = {"⁰", "¹", "²", "³", "⁴", "⁵", "⁶", "⁷", "⁸", "⁹"};

}  // namespace

THillFormula::THillFormula(const TChemGraph& graph) : charge(graph.NetCharge()) {
  std::map<std::string, int> bySymbol;
  for (const auto& atom : graph.atoms)
    if (IsKnownKind(atom.kind)) ++bySymbol[ChemSymbol(atom.kind)];
  const bool hasCarbon = bySymbol.count("C") > 0;
  if (hasCarbon) {
    counts.emplace_back("C", bySymbol["C"]);
    bySymbol.erase("C");
    if (bySymbol.count("H")) {
      counts.emplace_back("H", bySymbol["H"]);
      bySymbol.erase("H");
    }
  }
  for (const auto& [symbol, count] : bySymbol) counts.emplace_back(symbol, count);
}

std::string THillFormula::Text() const {
  std::string text;
  for (const auto& [symbol, count] : counts) text += count == 1 ? symbol : symbol + std::to_string(count);
  if (charge != 0) {
    text += charge > 0 ? "+" : "-";
    if (std::abs(charge) > 1) text += std::to_string(std::abs(charge));
  }
  return text;
}

std::string THillFormula::Display() const {
  std::string text;
  for (const auto& [symbol, count] : counts)
    text += count == 1 ? symbol : symbol + Digits(count, kSubscripts);
  if (charge != 0) {
    if (std::abs(charge) > 1) text += Digits(std::abs(charge), kSuperscripts);
    text += charge > 0 ? "⁺" : "⁻";
  }
  return text;
}

}  // namespace kovala
