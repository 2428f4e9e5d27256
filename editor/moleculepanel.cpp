#include "editor/moleculepanel.h"

#include <cstdlib>
#include <string_view>
#include <vector>

#include "i18n/translate.h"

namespace kovala {

namespace {

// Atoms of one element, in the tray or placed, that need the same number of bonds.
struct TOpenGroup {
  bool inTray;
  ElementKind kind;
  int openBonds;
  int count;
};

// Each case a whole phrase, so that a translation may word and inflect it
// by its own plural rule: {0} the element symbol (or, for a group, the
// count), {1} the symbol or the bonds, {2} the bonds.
std::string Phrase(const TOpenGroup& group, int sameKindAndPlace) {
  const std::string_view symbol = ElementInfo(group.kind).symbol;
  const std::string who = symbol.empty() ? std::string("?") : std::string(symbol);
  // Widened: a counter read from a damaged file may be the most negative int.
  const long long magnitude = std::llabs(static_cast<long long>(group.openBonds));
  const std::string bonds = std::to_string(magnitude);
  // The plural follows the bonds; a count beyond what a long holds is never one.
  const auto n = static_cast<unsigned long>(magnitude);
  const bool needs = group.openBonds > 0;
  if (group.count == 1) {
    // "the" names the only such atom; "one" picks it out among others.
    const bool only = sameKindAndPlace == 1;
    const char* pattern = nullptr;
    if (needs && !group.inTray)
      pattern = only ? TrPlural("the {0} needs {1} bond", "the {0} needs {1} bonds", n)
                     : TrPlural("one {0} needs {1} bond", "one {0} needs {1} bonds", n);
    else if (needs)
      pattern =
          only ? TrPlural("the {0} in the tray needs {1} bond", "the {0} in the tray needs {1} bonds", n)
               : TrPlural("one {0} in the tray needs {1} bond", "one {0} in the tray needs {1} bonds", n);
    else if (!group.inTray)
      pattern = only ? TrPlural("the {0} has {1} bond too many", "the {0} has {1} bonds too many", n)
                     : TrPlural("one {0} has {1} bond too many", "one {0} has {1} bonds too many", n);
    else
      pattern = only ? TrPlural("the {0} in the tray has {1} bond too many",
                                "the {0} in the tray has {1} bonds too many", n)
                     : TrPlural("one {0} in the tray has {1} bond too many",
                                "one {0} in the tray has {1} bonds too many", n);
    return FormatText(pattern, {who, bonds});
  }
  const char* pattern = nullptr;
  if (needs)
    pattern = group.inTray ? TrPlural("{0} {1} in the tray need {2} bond each",
                                      "{0} {1} in the tray need {2} bonds each", n)
                           : TrPlural("{0} {1} need {2} bond each", "{0} {1} need {2} bonds each", n);
  else
    pattern = group.inTray ? TrPlural("{0} {1} in the tray have {2} bond too many each",
                                      "{0} {1} in the tray have {2} bonds too many each", n)
                           : TrPlural("{0} {1} have {2} bond too many each",
                                      "{0} {1} have {2} bonds too many each", n);
  return FormatText(pattern, {std::to_string(group.count), who, bonds});
}

}  // namespace

std::string StillOpenText(const TMolecule& molecule, int trayX) {
  // Placed atoms first, then the tray, each in the order the atoms stand in.
  std::vector<TOpenGroup> groups;
  for (const bool tray : {false, true})
    for (const auto& atom : molecule.atoms) {
      if (atom.openBonds == 0 || (atom.x == trayX) != tray) continue;
      bool grouped = false;
      for (auto& group : groups)
        if (group.inTray == tray && group.kind == atom.kind && group.openBonds == atom.openBonds) {
          ++group.count;
          grouped = true;
          break;
        }
      if (!grouped) groups.push_back({tray, atom.kind, atom.openBonds, 1});
    }
  if (groups.empty()) return {};

  // "a, b and c": the list's last two parts are joined as the language joins them.
  std::string list;
  for (std::size_t i = 0; i < groups.size(); ++i) {
    int sameKindAndPlace = 0;
    for (const auto& atom : molecule.atoms)
      if (atom.kind == groups[i].kind && (atom.x == trayX) == groups[i].inTray) ++sameKindAndPlace;
    const std::string phrase = Phrase(groups[i], sameKindAndPlace);
    if (i == 0)
      list = phrase;
    else if (i + 1 == groups.size())
      list = FormatText(Tr("{0} and {1}"), {list, phrase});
    else
      list += ", " + phrase;
  }
  return FormatText(Tr("Still open: {0}."), {list});
}

std::string PanelText(const TMolecule& molecule, const TPanelFacts& facts) {
  std::string state;
  if (molecule.atoms.IsEmpty())
    state = Tr("No atoms yet.");
  else if (molecule.completed)
    state = facts.completion.empty() ? std::string(Tr("The molecule is complete.")) : facts.completion;
  else
    state = StillOpenText(molecule, facts.trayX);
  if (state.empty()) state = Tr("Every atom has the bonds it needs.");
  return facts.refusal.empty() ? state : facts.refusal + "\n" + state;
}

}  // namespace kovala
