#include "chem/namestable.h"

#include <algorithm>
#include <cctype>

namespace kovala {

extern const std::string_view kNamesData;  // names.tsv, built in by CMake

namespace {

std::vector<std::string_view> SplitTabs(std::string_view line) {
  std::vector<std::string_view> fields;
  while (true) {
    const auto tab = line.find('\t');
    fields.push_back(line.substr(0, tab));
    if (tab == std::string_view::npos) return fields;
    line.remove_prefix(tab + 1);
  }
}

bool SameLetters(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace

TNamesTable::TNamesTable(std::string_view text) {
  while (!text.empty()) {
    const auto end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == '#') continue;
    const auto fields = SplitTabs(line);
    if (fields.size() < 3 || fields[0].empty() || fields[1].empty()) continue;
    TNameEntry entry{std::string(fields[0]), std::string(fields[1]), std::string(fields[2]),
                     fields.size() > 3 ? std::string(fields[3]) : std::string(),
                     fields.size() > 4 ? std::string(fields[4]) : std::string()};
    if (byKey.emplace(entry.key, entries.size()).second) entries.push_back(std::move(entry));
  }
}

const TNamesTable& TNamesTable::Builtin() {
  static const TNamesTable table(kNamesData);
  return table;
}

const TNameEntry* TNamesTable::Find(std::string_view key) const {
  const auto found = byKey.find(std::string(key));
  return found == byKey.end() ? nullptr : &entries[found->second];
}

bool AnswersTo(const TNameEntry& entry, std::string_view rowName) {
  return !rowName.empty() && (SameLetters(entry.name, rowName) || SameLetters(entry.family, rowName));
}

}  // namespace kovala
