// Naming a completed molecule and exporting it, on a 26-atom molecule: the
// work done once per completion and once per export.
#include <benchmark/benchmark.h>

#include "chem/chemgraph.h"
#include "chem/chemmolecule.h"
#include "chem/identity.h"
#include "chem/trueshape.h"
#include "editor/bondwindow.h"
#include "tests/chem/moleculebuilder.h"
#include "tests/support/fakehost.h"
#include "tests/support/scripteddesktop.h"

namespace {

// Octane, built with the editor's own drags: 26 atoms.
kovala::TMolecule Octane() {
  kovala::test::TFakeHost host;
  kovala::test::TScriptedDesktop desktop;
  kovala::TBondWindow window(host, desktop);
  kovala::test::TMoleculeBuilder(window).Build(
      "C(H)(H)(H)C(H)(H)C(H)(H)C(H)(H)C(H)(H)C(H)(H)C(H)(H)C(H)(H)H");
  return window.molecule;
}

void BM_SmilesAndNameOfTwentySixAtoms(benchmark::State& state) {
  const kovala::TMolecule molecule = Octane();
  for (auto _ : state) {
    const kovala::TIdentity identity = kovala::Identify(kovala::GraphOf(molecule));
    benchmark::DoNotOptimize(identity.entry);
    benchmark::DoNotOptimize(identity.smiles.data());
  }
}
BENCHMARK(BM_SmilesAndNameOfTwentySixAtoms)->Unit(benchmark::kMicrosecond);

void BM_MolfileOfTwentySixAtoms(benchmark::State& state) {
  const kovala::TMolecule molecule = Octane();
  for (auto _ : state) {
    const std::string molfile = kovala::TChemMolecule(kovala::GraphOf(molecule)).Molfile("octane");
    benchmark::DoNotOptimize(molfile.data());
  }
}
BENCHMARK(BM_MolfileOfTwentySixAtoms)->Unit(benchmark::kMicrosecond);

// Embedding, force field and the check of every centre together: what the
// student waits for when the true shape is asked for (target: 50 ms).
void BM_TrueShapeOfTwentySixAtoms(benchmark::State& state) {
  const kovala::TChemGraph graph = kovala::GraphOf(Octane());
  for (auto _ : state) {
    const kovala::TTrueShape shape = kovala::TrueShapeOf(graph);
    benchmark::DoNotOptimize(shape.atoms.data());
  }
  state.counters["atoms"] = static_cast<double>(graph.atoms.size());
}
BENCHMARK(BM_TrueShapeOfTwentySixAtoms)->Unit(benchmark::kMillisecond);

}  // namespace
