// What a screen reader costs: the accessible tree of the molecule window for
// octane's 26 atoms, read afresh as after a change (each atom's spoken
// bookkeeping, then every child's name, description and place on the screen
// through Qt's accessibility interfaces). Target: 1 ms.
#include <benchmark/benchmark.h>

#include <QAccessible>
#include <QApplication>

#include "editor/bondwindow.h"
#include "framework/qt/hostwidget.h"
#include "framework/qt/qtdesktop.h"
#include "tests/support/fakehost.h"
#include "tests/view3d/testmolecules.h"

namespace {

struct TOctaneWindow {
  kovala::test::TFakeHost frame;
  kovala::TQtDesktop desktop;
  kovala::TBondWindow window{frame, desktop};
  kovala::THostWidget host{window, frame};

  TOctaneWindow() {
    host.resize(800, 600);
    window.AttachHost(host);
    kovala::test::TSketch octane = kovala::test::Octane();
    for (const kovala::TAtom& atom : octane.atoms) window.molecule.atoms.Add(atom);
  }
};

void BM_SpokenItems26Atoms(benchmark::State& state) {
  TOctaneWindow octane;
  for (auto _ : state) benchmark::DoNotOptimize(octane.window.AccessibleItems());
}
BENCHMARK(BM_SpokenItems26Atoms)->Unit(benchmark::kMicrosecond);

void BM_AccessibleTree26Atoms(benchmark::State& state) {
  TOctaneWindow octane;
  QAccessibleInterface* face = QAccessible::queryAccessibleInterface(&octane.host);
  std::size_t characters = 0;
  for (auto _ : state) {
    // Without a listening reader the host only marks its items stale; the
    // walk below then reads them afresh, as a reader's first look would.
    octane.host.RenewAccessibleItems();
    const int count = face->childCount();
    for (int i = 0; i < count; ++i) {
      QAccessibleInterface* atom = face->child(i);
      characters += static_cast<std::size_t>(atom->text(QAccessible::Name).size());
      characters += static_cast<std::size_t>(atom->text(QAccessible::Description).size());
      benchmark::DoNotOptimize(atom->rect());
      benchmark::DoNotOptimize(atom->state());
    }
  }
  benchmark::DoNotOptimize(characters);
  if (face->childCount() != 26) state.SkipWithError("the tree does not hold octane's 26 atoms");
}
BENCHMARK(BM_AccessibleTree26Atoms)->Unit(benchmark::kMicrosecond);

}  // namespace
