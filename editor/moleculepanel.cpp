#include "editor/moleculepanel.h"

#include <cstdlib>
#include <string_view>
#include <vector>

namespace kovala {

namespace {

// Atoms of one element, in the tray or placed, that need the same number of bonds.
struct TOpenGroup {
  bool inTray;
  ElementKind kind;
  int openBonds;
  int count;
};

std::string Bonds(long long count) { return std::to_string(count) + (count == 1 ? " bond" : " bonds"); }

std::string Phrase(const TOpenGroup& group, int sameKindAndPlace) {
  const std::string_view symbol = ElementInfo(group.kind).symbol;
  std::string who = symbol.empty() ? std::string("?") : std::string(symbol);
  if (group.inTray) who += " in the tray";
  // Widened: a counter read from a damaged file may be the most negative int.
  const long long magnitude = std::llabs(static_cast<long long>(group.openBonds));
  if (group.count == 1) {
    // "the" names the only such atom; "one" picks it out among others.
    who = (sameKindAndPlace == 1 ? "the " : "one ") + who;
    return group.openBonds > 0 ? who + " needs " + Bonds(magnitude)
                               : who + " has " + Bonds(magnitude) + " too many";
  }
  who = std::to_string(group.count) + " " + who;
  return group.openBonds > 0 ? who + " need " + Bonds(magnitude) + " each"
                             : who + " have " + Bonds(magnitude) + " too many each";
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

  std::string text = "Still open: ";
  for (std::size_t i = 0; i < groups.size(); ++i) {
    int sameKindAndPlace = 0;
    for (const auto& atom : molecule.atoms)
      if (atom.kind == groups[i].kind && (atom.x == trayX) == groups[i].inTray) ++sameKindAndPlace;
    if (i > 0) text += i + 1 == groups.size() ? " and " : ", ";
    text += Phrase(groups[i], sameKindAndPlace);
  }
  return text + ".";
}

std::string PanelText(const TMolecule& molecule, const TPanelFacts& facts) {
  std::string state;
  if (molecule.atoms.IsEmpty())
    state = "No atoms yet.";
  else if (molecule.completed)
    state = facts.completion.empty() ? std::string("The molecule is complete.") : facts.completion;
  else
    state = StillOpenText(molecule, facts.trayX);
  if (state.empty()) state = "Every atom has the bonds it needs.";
  return facts.refusal.empty() ? state : facts.refusal + "\n" + state;
}

}  // namespace kovala
