// Laying out the organic course's largest row (diethyl ether, 15 atoms), and
// the drop of its last hydrogen, which completes it through the rule step.
#include <benchmark/benchmark.h>

#include "practice/organicwindow.h"
#include "tests/support/fakehost.h"
#include "tests/support/scripteddesktop.h"
#include "tests/support/studentdriver.h"

namespace {

constexpr int kLargestRow = 15;

void BM_LayOutTheLargestRow(benchmark::State& state) {
  kovala::test::TFakeHost host;
  kovala::test::TScriptedDesktop desktop;
  kovala::TOrganicWindow window(host, desktop);
  window.StartCourse();
  window.SetupMolecule(kLargestRow);
  for (auto _ : state) {
    window.StartAgain();
    benchmark::DoNotOptimize(window.molecule.atoms.Count());
  }
  if (window.molecule.atoms.Count() != 15) state.SkipWithError("the row has not 15 atoms");
}
BENCHMARK(BM_LayOutTheLargestRow);

void BM_CompletingDropWithTheRuleStep(benchmark::State& state) {
  kovala::test::TFakeHost host;
  kovala::test::TScriptedDesktop desktop;
  kovala::TOrganicWindow window(host, desktop);
  window.StartCourse();
  window.SetupMolecule(kLargestRow);
  window.StartAgain();
  kovala::test::TStudentDriver student(window, &desktop);
  if (!student.Run("chain CCOCC").empty() || !window.molecule.completed || window.molecule.atoms.Count() != 15) {
    state.SkipWithError("diethyl ether was not built");
    return;
  }
  // The last hydrogen went last into `atoms`; the drop's snapshot gives back
  // the molecule just before it.
  const kovala::TAtom last = window.molecule.atoms.Last();
  const kovala::TAtom parent = window.molecule.atoms[last.parentIndex];
  kovala::SideCode side = kovala::BottomSide;
  if (last.x > parent.x) side = kovala::RightSide;
  if (last.y < parent.y) side = kovala::TopSide;
  if (last.x < parent.x) side = kovala::LeftSide;
  const kovala::TPoint aim = kovala::SideOf(parent, side);
  kovala::TMolecule start = window.molecule;
  start.RestoreSnapshot();
  start.completed = false;
  start.undoHistory.Flush();
  const kovala::TAtom* trayHydrogen = nullptr;
  for (const auto& atom : start.atoms)
    if (window.InTray(atom)) trayHydrogen = &atom;
  if (trayHydrogen == nullptr) {
    state.SkipWithError("no hydrogen waits in the tray");
    return;
  }
  const kovala::TPoint pick = kovala::test::CellCentre(*trayHydrogen);

  for (auto _ : state) {
    state.PauseTiming();
    window.molecule = start;
    desktop.messages.clear();
    state.ResumeTiming();
    window.PickUpAtom(pick);
    window.DropAtom(aim);
    benchmark::DoNotOptimize(window.molecule.completed);
  }
  if (!window.molecule.completed || desktop.messages.size() != 1)
    state.SkipWithError("the drop did not complete diethyl ether");
}
BENCHMARK(BM_CompletingDropWithTheRuleStep);

}  // namespace
