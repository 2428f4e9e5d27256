// Reading and writing a full 26-atom molecule to memory.
#include <benchmark/benchmark.h>

#include <sstream>

#include "model/moleculefile.h"

namespace {

kovala::TMolecule TwentySixAtoms() {
  kovala::TMolecule m;
  for (int i = 0; i < 26; ++i) {
    kovala::TAtom a(i % 9, 30 * i, 200);
    a.parentIndex = i > 0 ? i - 1 : -1;
    a.childIndex[0] = i < 25 ? i + 1 : -1;
    m.atoms.Add(a);
    if (i > 0) m.bonds.Add(kovala::TBonds(30 * i - 10, 30 * i, 210, 210));
  }
  m.bondCount = 25;
  return m;
}

void BM_WriteMolecule(benchmark::State& state) {
  const auto m = TwentySixAtoms();
  for (auto _ : state) {
    std::ostringstream out;
    kovala::WriteMolecule(out, m);
    benchmark::DoNotOptimize(out.str().size());
  }
}
BENCHMARK(BM_WriteMolecule);

void BM_ReadMolecule(benchmark::State& state) {
  std::ostringstream out;
  kovala::WriteMolecule(out, TwentySixAtoms());
  const std::string bytes = out.str();
  for (auto _ : state) {
    std::istringstream in(bytes);
    kovala::TMolecule m;
    benchmark::DoNotOptimize(kovala::ReadMolecule(in, m));
  }
}
BENCHMARK(BM_ReadMolecule);

}  // namespace
