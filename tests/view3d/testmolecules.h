// Molecules for the 3-D tests and benchmarks, built record by record the way
// the molecule window leaves them: the bonding tree, the neighbour counts and
// the electrons a bond takes.
#pragma once

#include <utility>
#include <vector>

#include "base/owningarray.h"
#include "model/atom.h"

namespace kovala::test {

class TSketch {
 public:
  TOwningArray<TAtom> atoms;
  // Pairs of positions joined by a bond, parent first; ring closures too.
  std::vector<std::pair<int, int>> bondPairs;

  int Add(ElementKind kind, int x, int y) {
    atoms.Add(TAtom(kind, x, y));
    return atoms.Count() - 1;
  }

  // `child` hangs from `parent`; a double or triple bond takes that many
  // electrons from each side.
  void Bond(int parent, int child, int order = 1) {
    TAtom& p = atoms[parent];
    TAtom& c = atoms[child];
    c.parentIndex = parent;
    for (auto& entry : p.childIndex)
      if (entry == -1) {
        entry = child;
        break;
      }
    Join(p, c, order);
    bondPairs.emplace_back(parent, child);
  }

 private:
  static void Join(TAtom& a, TAtom& b, int order) {
    JoinSide(a, b.kind, order);
    JoinSide(b, a.kind, order);
  }
  static void JoinSide(TAtom& self, ElementKind other, int order) {
    for (auto& kind : self.neighbourKind)
      if (kind == -1) {
        kind = other;
        break;
      }
    ++self.neighbourCount;
    self.bonded = 1;
    self.freeElectrons -= order;
    self.openBonds -= order;
  }
};

// A carbon with four hydrogens, away from every ring template's cells.
inline TSketch Methane() {
  TSketch m;
  const int c = m.Add(Carbon, 100, 100);
  for (auto [x, y] : {std::pair{100, 70}, {130, 100}, {100, 130}, {70, 100}})
    m.Bond(c, m.Add(Hydrogen, x, y));
  return m;
}

inline TSketch Water() {
  TSketch m;
  const int o = m.Add(Oxygen, 100, 100);
  m.Bond(o, m.Add(Hydrogen, 130, 100));
  m.Bond(o, m.Add(Hydrogen, 70, 100));
  return m;
}

inline TSketch CarbonDioxide() {
  TSketch m;
  const int c = m.Add(Carbon, 100, 100);
  m.Bond(c, m.Add(Oxygen, 130, 100), 2);
  m.Bond(c, m.Add(Oxygen, 70, 100), 2);
  return m;
}

enum class TTemplate { Aromatic, Cyclohexane, Cyclobutane };

// A ring template laid down in a client whose top-left is (left, top), then
// completed with hydrogens dropped on every free side in ring order.
inline TSketch RingWithHydrogens(TTemplate kind, int left = 0, int top = 0) {
  static constexpr std::pair<int, int> SixCells[] = {{300, 0},  {330, 30}, {330, 60},
                                                     {300, 90}, {270, 60}, {270, 30}};
  static constexpr std::pair<int, int> FourCells[] = {{300, 0}, {330, 0}, {330, 30}, {300, 30}};
  const bool four = kind == TTemplate::Cyclobutane;
  const int ringSize = four ? 4 : 6;
  const int electrons = kind == TTemplate::Aromatic ? 1 : 2;
  TSketch m;
  for (int i = 0; i < ringSize; ++i) {
    const auto [dx, dy] = four ? FourCells[i] : SixCells[i];
    TAtom atom(Carbon, left + dx, top + 150 + dy);
    atom.freeElectrons = electrons;
    atom.openBonds = electrons;
    atom.bonded = 1;
    atom.neighbourCount = 2;
    if (i > 0) {
      atom.parentIndex = i - 1;
      m.atoms[i - 1].childIndex[0] = i;
      m.bondPairs.emplace_back(i - 1, i);
    }
    m.atoms.Add(atom);
  }
  m.bondPairs.emplace_back(0, ringSize - 1);
  for (int i = 0; i < ringSize; ++i)
    for (int h = 0; h < electrons; ++h) m.Bond(i, m.Add(Hydrogen, left + 600, top + 10 + 30 * h));
  return m;
}

// Octane, 26 atoms: a chain of eight carbons with eighteen hydrogens.
inline TSketch Octane() {
  TSketch m;
  int previous = -1;
  for (int i = 0; i < 8; ++i) {
    const int c = m.Add(Carbon, 40 + 30 * i, 100);
    if (previous >= 0) m.Bond(previous, c);
    previous = c;
  }
  for (int i = 0; i < 8; ++i) {
    const int x = 40 + 30 * i;
    m.Bond(i, m.Add(Hydrogen, x, 70));
    m.Bond(i, m.Add(Hydrogen, x, 130));
    if (i == 0) m.Bond(i, m.Add(Hydrogen, x - 30, 100));
    if (i == 7) m.Bond(i, m.Add(Hydrogen, x + 30, 100));
  }
  return m;
}

}  // namespace kovala::test
