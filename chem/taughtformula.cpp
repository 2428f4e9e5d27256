#include "chem/taughtformula.h"

#include <algorithm>
#include <array>

namespace kovala {

namespace {

// Without carbon the less electronegative element comes first, as school
// books write it; hydrogen sits between the pnictogens and sulfur.
constexpr std::array<std::string_view, 8> kInorganicOrder{"N", "P", "H", "S", "Br", "Cl", "O", "F"};

std::size_t InorganicRank(std::string_view symbol) {
  const auto found = std::find(kInorganicOrder.begin(), kInorganicOrder.end(), symbol);
  return static_cast<std::size_t>(found - kInorganicOrder.begin());  // unknown symbols go last
}

bool IsUpper(char c) { return c >= 'A' && c <= 'Z'; }
bool IsLower(char c) { return c >= 'a' && c <= 'z'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Digits from `at` on as a number; false when there are none or too many.
bool ReadNumber(std::string_view text, std::size_t& at, int& value) {
  const std::size_t start = at;
  value = 0;
  while (at < text.size() && IsDigit(text[at])) {
    if (at - start >= 4) return false;
    value = value * 10 + (text[at] - '0');
    ++at;
  }
  return at > start;
}

}  // namespace

THillFormula TaughtOrder(const THillFormula& hill) {
  THillFormula taught = hill;
  const bool hasCarbon = std::any_of(taught.counts.begin(), taught.counts.end(),
                                     [](const auto& count) { return count.first == "C"; });
  if (hasCarbon) return taught;
  std::stable_sort(taught.counts.begin(), taught.counts.end(), [](const auto& a, const auto& b) {
    return InorganicRank(a.first) < InorganicRank(b.first);
  });
  return taught;
}

std::string TaughtFormula(const TChemGraph& graph, const TNameEntry* entry) {
  if (entry != nullptr && !entry->formula.empty())
    if (const std::optional<THillFormula> given = ParseFormula(entry->formula)) return given->Display();
  return TaughtOrder(THillFormula(graph)).Display();
}

std::optional<THillFormula> ParseFormula(std::string_view text) {
  THillFormula formula;
  std::size_t at = 0;
  while (at < text.size() && IsUpper(text[at])) {
    std::string symbol(1, text[at++]);
    if (at < text.size() && IsLower(text[at])) symbol += text[at++];
    int count = 1;
    if (at < text.size() && IsDigit(text[at]) && (!ReadNumber(text, at, count) || count == 0))
      return std::nullopt;
    formula.counts.emplace_back(std::move(symbol), count);
  }
  if (formula.counts.empty()) return std::nullopt;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
    const int sign = text[at++] == '+' ? 1 : -1;
    int magnitude = 1;
    if (at < text.size() && (!ReadNumber(text, at, magnitude) || magnitude == 0)) return std::nullopt;
    formula.charge = sign * magnitude;
  }
  if (at != text.size()) return std::nullopt;
  return formula;
}

}  // namespace kovala
