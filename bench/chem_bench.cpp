// Naming a completed molecule and exporting it, on a 26-atom molecule: the
// work done once per completion and once per export.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <iostream>
#include <string>

#include "chem/chemgraph.h"
#include "chem/chemmolecule.h"
#include "chem/identity.h"
#include "chem/trueshape.h"
#include "tests/support/windowfixture.h"

namespace {

// Octane, built with the editor's own drags: 26 atoms.
kovala::TMolecule Octane() {
  kovala::test::TWindowFixture<> program;
  const std::string stopped =
      program.Run("formula C(H)(H)(H)C(H)(H)C(H)(H)C(H)(H)C(H)(H)C(H)(H)C(H)(H)C(H)(H)H");
  if (!stopped.empty() || program.m.atoms.Count() != 26) {
    std::cerr << "octane was not built: " << stopped << '\n';
    std::exit(1);
  }
  return program.m;
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
