// One drop onto a 25-atom molecule and the repaint that follows it, by the
// mouse and by keys; the molecule panel's text for 26 atoms.
#include <benchmark/benchmark.h>

#include <optional>
#include <string>

#include "editor/bondwindow.h"
#include "tests/support/fakehost.h"
#include "tests/support/recordingsurface.h"
#include "tests/support/scripteddesktop.h"

namespace {

using kovala::TPoint;

constexpr TPoint kFirstTraySlot{600, 20};

// A snake of 24 carbons built with the editor's own drags (12 to the right,
// then 12 back to the left one row lower) and a hydrogen waiting in the tray.
kovala::TMolecule SnakeWithHydrogenInTray(kovala::TBondWindow& window) {
  window.AddToTray(kovala::Carbon);
  window.PickUpAtom(kFirstTraySlot);
  window.DropAtom({40, 100});  // the first carbon stands at (25, 85)
  for (int i = 1; i < 24; ++i) {
    const kovala::TAtom& last = window.molecule.atoms[i - 1];
    TPoint beside{last.x + 30, last.y + 10};           // right side cell
    if (i == 12) beside = {last.x + 10, last.y + 30};  // bottom side cell
    if (i > 12) beside = {last.x - 10, last.y + 10};   // left side cell
    window.AddToTray(kovala::Carbon);
    window.PickUpAtom(kFirstTraySlot);
    window.DropAtom(beside);
  }
  window.AddToTray(kovala::Hydrogen);
  kovala::TMolecule molecule = window.molecule;
  molecule.undoHistory.Flush();
  return molecule;
}

void BM_DropOnTwentyFiveAtoms(benchmark::State& state) {
  kovala::test::TFakeHost host;
  kovala::test::TScriptedDesktop desktop;
  kovala::TBondWindow window(host, desktop);
  const kovala::TMolecule start = SnakeWithHydrogenInTray(window);
  if (start.atoms.Count() != 25 || start.bondCount != 23) {
    state.SkipWithError("the snake was not built");
    return;
  }
  // The last carbon of the snake; the search passes every other atom first.
  const kovala::TAtom& tail = start.atoms[23];
  const TPoint below{tail.x + 10, tail.y + 30};

  std::size_t drawCalls = 0;
  for (auto _ : state) {
    state.PauseTiming();
    window.molecule = start;
    kovala::test::TRecordingSurface surface;
    state.ResumeTiming();

    window.PickUpAtom(kFirstTraySlot);
    window.DropAtom(below);
    window.Paint(surface);
    benchmark::DoNotOptimize(surface.calls.data());
    drawCalls = surface.calls.size();
  }
  state.counters["drawCalls"] = static_cast<double>(drawCalls);
  if (window.molecule.bondCount != 24) state.SkipWithError("the hydrogen was not bonded");
}
BENCHMARK(BM_DropOnTwentyFiveAtoms);

// The same drop by keys: the focus on the snake's tail and Alt+Down, then
// the repaint, with the focus ring drawn (`shown`) or not.
void BM_KeyDropOnTwentyFiveAtoms(benchmark::State& state) {
  kovala::test::TFakeHost host;
  kovala::test::TScriptedDesktop desktop;
  kovala::TBondWindow window(host, desktop);
  const kovala::TMolecule start = SnakeWithHydrogenInTray(window);
  if (start.atoms.Count() != 25 || start.bondCount != 23) {
    state.SkipWithError("the snake was not built");
    return;
  }
  window.FocusChanged(state.range(0) != 0, true);
  kovala::TKeyPress altDown;
  altDown.code = kovala::TKeyCode::Down;
  altDown.keys.alt = true;

  std::size_t drawCalls = 0;
  for (auto _ : state) {
    state.PauseTiming();
    window.molecule = start;
    window.MoveKeyFocus(23);
    kovala::test::TRecordingSurface surface;
    state.ResumeTiming();

    window.KeyDown(altDown);
    window.Paint(surface);
    benchmark::DoNotOptimize(surface.calls.data());
    drawCalls = surface.calls.size();
  }
  state.counters["drawCalls"] = static_cast<double>(drawCalls);
  if (window.molecule.bondCount != 24) state.SkipWithError("the hydrogen was not bonded");
}
BENCHMARK(BM_KeyDropOnTwentyFiveAtoms)->ArgName("ringShown")->Arg(0)->Arg(1);

// The molecule panel's text for the most atoms a molecule may have: the
// snake, its hydrogen and one more in the tray, every atom still open.
void BM_PanelTextOfTwentySixAtoms(benchmark::State& state) {
  kovala::test::TFakeHost host;
  kovala::test::TScriptedDesktop desktop;
  kovala::TBondWindow window(host, desktop);
  SnakeWithHydrogenInTray(window);
  window.AddToTray(kovala::Hydrogen);
  if (window.molecule.atoms.Count() != 26) {
    state.SkipWithError("the molecule does not hold 26 atoms");
    return;
  }
  std::size_t length = 0;
  for (auto _ : state) {
    const std::optional<std::string> text = window.PanelText();
    benchmark::DoNotOptimize(text);
    length = text ? text->size() : 0;
  }
  state.counters["characters"] = static_cast<double>(length);
}
BENCHMARK(BM_PanelTextOfTwentySixAtoms);

}  // namespace
